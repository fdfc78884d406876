#include "ProgramHome.h"
#include "model/core/CatalogueIds.h"
#include "model/core/LangStrings.h"
#include "model/core/ProgramIni.h"
#include "model/core/UiServices.h"
#include "support/FrameFixture.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace orv;

namespace {

class ProgramIni : public ::testing::Test {
protected:
    ScopedProgramHome home;
    const TempDir& dir = home.dir;
};

TEST_F(ProgramIni, MissingFileGivesDefaults)
{
    EXPECT_EQ(ReadIniInt("LogLevel", 1), 1);
    EXPECT_EQ(ReadIniInt("test", 1), 1);
    struct {
        GuiKey key;
        const char* name;
        int def;
    } keys[] = {
        {GuiKey::MainLeft, "MainLeft", 20},         {GuiKey::MainTop, "MainTop", 20},
        {GuiKey::MainWidth, "MainWidth", 960},      {GuiKey::MainHeight, "MainHeight", 960},
        {GuiKey::TextListHeight, "TextListHeight", 700}, {GuiKey::TextWidth, "TextWidth", 150},
        {GuiKey::TextHeight, "TextHeight", 300},    {GuiKey::ListHeight, "ListHeight", 300},
        {GuiKey::LogLevel, "LogLevel", 1},          {GuiKey::LangId, "LangId", 0},
        {GuiKey::FifoWarn, "FifoWarn", 1},
    };
    for (const auto& k : keys) {
        EXPECT_STREQ(GuiKeyInfoOf(k.key).name, k.name);
        EXPECT_EQ(ReadGuiKey(k.key), k.def) << k.name;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("ORVtool.ini"))) << "reading creates nothing";
}

TEST_F(ProgramIni, FirstWriteCreatesTheFile)
{
    WriteIniInt("LogLevel", 3);
    EXPECT_EQ(GetProgramIniPath(), dir.File("ORVtool.ini"));
    EXPECT_EQ(dir.Read("ORVtool.ini"), "[GUI]\r\nLogLevel=3\r\n");
    EXPECT_EQ(ReadIniInt("LogLevel", 1), 3);
    WriteGuiKey(GuiKey::MainTop, -5);
    EXPECT_EQ(ReadGuiKey(GuiKey::MainTop), -5);
}

TEST_F(ProgramIni, OtherLinesAreKeptByteForByte)
{
    const std::string before = "; settings\r\n[Other]\r\nLogLevel=9\r\n[GUI]\r\nMainTop = 5 \r\nLogLevel=2\r\n\r\n[Tail]\r\nx=y\r\n";
    dir.Write("ORVtool.ini", before);
    EXPECT_EQ(ReadGuiKey(GuiKey::LogLevel), 2);
    EXPECT_EQ(ReadGuiKey(GuiKey::MainTop), 5);
    WriteIniInt("LogLevel", 0);
    std::string after = before;
    after.replace(after.find("LogLevel=2"), 10, "LogLevel=0");
    EXPECT_EQ(dir.Read("ORVtool.ini"), after);
}

TEST_F(ProgramIni, FileIsFoundRegardlessOfCase)
{
    dir.Write("orvtool.INI", "[gui]\r\nFifoWarn=0\r\n");
    EXPECT_EQ(ReadGuiKey(GuiKey::FifoWarn), 0);
    WriteGuiKey(GuiKey::FifoWarn, 1);
    EXPECT_EQ(dir.Read("orvtool.INI"), "[gui]\r\nFifoWarn=1\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("ORVtool.ini")));
}

TEST_F(ProgramIni, SetLangIdWritesTheKey)
{
    FrameFixture f;
    f.frame.SetLangId(2);
    EXPECT_EQ(ReadGuiKey(GuiKey::LangId), 2);
    f.frame.SetLangId(7);  // refused, and not written
    EXPECT_EQ(ReadGuiKey(GuiKey::LangId), 2);
    EXPECT_EQ(f.frame.GetLangId(), 2);
}

TEST_F(ProgramIni, MissingFifoWarnReadsAsOne)
{
    dir.Write("ORVtool.ini", "[GUI]\r\nLangId=1\r\n");
    EXPECT_EQ(ReadGuiKey(GuiKey::FifoWarn), 1);
}

// A notice is shown only while its key is 1, and the box's state goes back
// under the key.
TEST_F(ProgramIni, HintShownUnderItsKey)
{
    const struct {
        const char* what;
        const char* ini; // nullptr: no file
        bool keepShowing;
        bool shown;
        const char* after;
    } cases[] = {
        {"no file, box left ticked", nullptr, true, true, "[GUI]\r\nFifoWarn=1\r\n"},
        {"no file, box unticked", nullptr, false, true, "[GUI]\r\nFifoWarn=0\r\n"},
        {"key 1, unticked", "[GUI]\r\nFifoWarn=1\r\n", false, true, "[GUI]\r\nFifoWarn=0\r\n"},
        {"key 0", "[GUI]\r\nFifoWarn=0\r\n", true, false, "[GUI]\r\nFifoWarn=0\r\n"},
        {"key 2", "[GUI]\r\nFifoWarn=2\r\n", true, false, "[GUI]\r\nFifoWarn=2\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(dir.File("ORVtool.ini"));
        if (c.ini)
            dir.Write("ORVtool.ini", c.ini);
        ScriptedUi ui;
        ScopedUiServices reg(ui);
        ui.AnswerHint(c.keepShowing);
        GetUiServices().ShowHint("FifoWarn", msg::kWarnungFIFOMussAusgeschaltenSein, 3);
        const auto hints = ui.CallsOf(UiCall::Kind::Hint);
        ASSERT_EQ(hints.size(), c.shown ? 1u : 0u);
        if (c.shown) {
            EXPECT_EQ(hints[0].text, LoadLangString(msg::kWarnungFIFOMussAusgeschaltenSein));
            EXPECT_EQ(hints[0].id, 3);
        }
        EXPECT_EQ(dir.Read("ORVtool.ini"), c.after);
    }
}

TEST_F(ProgramIni, HintWithoutAWindowGoesToStderrAndKeepsTheKey)
{
    dir.Write("ORVtool.ini", "[GUI]\r\nFifoWarn=1\r\n");
    testing::internal::CaptureStderr();
    GetUiServices().ShowHint("FifoWarn", msg::kWarnungFIFOMussAusgeschaltenSein, 3);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("FIFO"), std::string::npos);
    EXPECT_EQ(dir.Read("ORVtool.ini"), "[GUI]\r\nFifoWarn=1\r\n");
}

}  // namespace

namespace {

TEST_F(ProgramIni, FailedWriteSaysOnceWhereAndWhy)
{
    FrameFixture f;
    // A directory where the file belongs: no write can replace it.
    std::filesystem::create_directory(dir.File("ORVtool.ini"));
    WriteIniInt("LogLevel", 2);
    WriteIniInt("LangId", 1);
    const auto lines = f.ui.TextsOf(UiCall::Kind::LogAppend);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(dir.File("ORVtool.ini")), std::string::npos) << lines[0];
    EXPECT_EQ(lines[0].rfind("Einstellungen werden nicht gespeichert: ", 0), 0u) << lines[0];
    EXPECT_GT(lines[0].size(), dir.File("ORVtool.ini").size() + 45) << "the reason follows the path";
}

} // namespace
