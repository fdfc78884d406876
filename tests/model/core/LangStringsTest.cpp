#include "ProgramHome.h"
#include "model/core/LangStrings.h"
#include "model/core/Log.h"
#include "model/core/TextTableData.h"
#include "support/FrameFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace orv;

namespace {

using LangStringsKind = UiCall::Kind;

TEST(LangStrings, TextByLanguageAndId)
{
    struct {
        int lang;
        std::uint32_t id;
        const char* text;
    } cases[] = {
        {kLangGerman, 9002, "<unbenanntes Projekt>"},
        {kLangEnglish, 9002, "<untitled project>"},
        {kLangEnglish, 9000, "Willkommen zum ORVtool (Betriebssystem=%s)"},  // no English: German
        {kLangFrench, 9002, "<unbenanntes Projekt>"},                        // French only on menus
        {kLangFrench, 10800, "&File"},
        {kLangFrench, 10103, "&Startselection\tAlt+A"},
        {kLangGerman, 10103, "Start&auswahl\tAlt+A"},
        {kLangGerman, 57345, "Bereit"},
        {kLangGerman, 9002 | 0x7000000u, "<unbenanntes Projekt>"},  // only 24 bits count
        {5, 9002, "<unbenanntes Projekt>"},
        {-1, 10800, "&Datei"},
    };
    for (const auto& c : cases) EXPECT_STREQ(FindLangText(c.id, c.lang), c.text) << c.lang << "/" << c.id;
}

TEST(LangStrings, LoadFollowsTheFrameLanguage)
{
    ScopedProgramHome home;
    FrameFixture f;
    EXPECT_STREQ(LoadLangString(10805), "&Ansicht");
    f.frame.SetLangId(kLangEnglish);
    EXPECT_STREQ(LoadLangString(10805), "&View");
    EXPECT_STREQ(LoadLangString(9000), "Willkommen zum ORVtool (Betriebssystem=%s)");
    f.frame.SetLangId(kLangFrench);
    EXPECT_STREQ(LoadLangString(10805), "&View");
    EXPECT_STREQ(LoadLangString(9002), "<unbenanntes Projekt>");
    EXPECT_TRUE(f.ui.TextsOf(LangStringsKind::LogAppend).empty()) << "a fallback logs nothing";
}

TEST(LangStrings, MissingIdGivesEmptyTextAndFatalLine)
{
    ASSERT_EQ(FindLangText(9999, kLangGerman), nullptr);
    FrameFixture f;
    f.frame.SetLogLevel(kLogErrors);
    f.ui.ExpectFatal("FATAL: FindResourceEx failed");
    EXPECT_STREQ(LoadLangString(9999), "");
    EXPECT_EQ(f.ui.TextsOf(LangStringsKind::LogAppend), std::vector<std::string>{"FATAL: FindResourceEx failed"});
}

TEST(LangStrings, MenuTextsExistInEveryLanguage)
{
    const std::uint32_t menuIds[] = {
        10800, 10801, 10802, 10803, 10804, 10805,                                    // popup titles
        10100, 10101, 10102, 10104, 10105, 10106, 10107, 10108, 10103, 10109,      // file
        10200, 10201, 10203, 10204, 10207, 10208, 10209, 10210,                    // edit
        10300, 10301, 10302, 10304,                                                // transmit
        10400, 10401, 10402, 10403, 10404,                                         // project
        10500, 10501,                                                              // options
        10600, 10601, 10602,                                                       // view
    };
    using texttables::kLangStrings;
    const auto* end = kLangStrings + texttables::kLangStringsCount;
    for (std::uint32_t id : menuIds) {
        const auto* e = std::find_if(kLangStrings, end, [&](const auto& entry) { return entry.id == id; });
        ASSERT_NE(e, end) << id;
        for (int lang = 0; lang < 3; ++lang) EXPECT_NE(e->text[lang], nullptr) << id << " lang " << lang;
        if (e->text[1] && e->text[2]) {
            EXPECT_STREQ(e->text[2], e->text[1]) << id << ": French holds English";
        }
    }
}

TEST(LangStrings, TableIsSortedForLookup)
{
    using texttables::kLangStrings;
    ASSERT_GT(texttables::kLangStringsCount, 0u);
    for (unsigned i = 1; i < texttables::kLangStringsCount; ++i)
        EXPECT_LT(kLangStrings[i - 1].id, kLangStrings[i].id) << i;
}

}  // namespace
