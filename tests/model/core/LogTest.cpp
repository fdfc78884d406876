#include "ProgramHome.h"
#include "model/core/Log.h"
#include "support/FrameFixture.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {

using LogKind = UiCall::Kind;

TEST(Log, FrameLevelAgainstLineLevel)
{
    FrameFixture f;
    for (int frameLevel = 0; frameLevel <= 3; ++frameLevel) {
        for (int lineLevel = 0; lineLevel <= 3; ++lineLevel) {
            f.frame.SetLogLevel(frameLevel);
            f.ui.ClearCalls();
            LogLine(lineLevel, "line %d", lineLevel);
            const bool shown = lineLevel <= frameLevel;
            EXPECT_EQ(f.ui.TextsOf(LogKind::LogAppend),
                      shown ? std::vector<std::string>{"line " + std::to_string(lineLevel)} : std::vector<std::string>{})
                << "frame " << frameLevel << " line " << lineLevel;
        }
    }
}

TEST(Log, OnlyTheViewModeShowsLines)
{
    EXPECT_TRUE(LogLineShown(1, kLogModeToView, 1));
    for (int mode : {0, 1, 3})
        EXPECT_FALSE(LogLineShown(3, mode, 0)) << mode;
}

TEST(Log, WithoutFrameLinesAreDropped)
{
    ScriptedUi ui;
    ScopedUiServices reg(ui);
    ASSERT_EQ(GetMainFrame(), nullptr);
    LogLine(kLogErrors, "dropped %s", "line");
    LogAppend(kLogErrors, "dropped");
    LogLineId(kLogErrors, 15000, "x.bin");
    ShowStatusText("status %d", 1);
    EXPECT_TRUE(ui.Calls().empty());
}

// The log keeps its own link to the frame's settings; it must follow the
// frame registrations as they nest and end.
TEST(Log, FollowsTheRegisteredFrameThroughNestedRegistrations)
{
    ScriptedUi ui;
    ScopedUiServices reg(ui);
    CFrameState outer;
    outer.SetLogLevel(kLogErrors);
    {
        ScopedMainFrame outerReg(outer);
        {
            CFrameState inner;
            inner.SetLogLevel(kLogDebug);
            ScopedMainFrame innerReg(inner);
            LogLine(kLogDebug, "inner");
        }
        LogLine(kLogDebug, "outer drops");
        LogLine(kLogErrors, "outer");
    }
    LogLine(kLogErrors, "none");
    ShowStatusText("none");
    EXPECT_EQ(ui.TextsOf(Kind::LogAppend), (std::vector<std::string>{"inner", "outer"}));
    EXPECT_TRUE(ui.TextsOf(Kind::Status).empty());
}

TEST(Log, LongLinesAreCut)
{
    FrameFixture f;
    const std::string long700(700, 'a');
    LogLine(kLogErrors, "%s", long700.c_str());
    LogLineId(kLogErrors, 15000, long700);
    const auto texts = f.ui.TextsOf(LogKind::LogAppend);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], std::string(511, 'a'));
    EXPECT_EQ(texts[1].size(), 511u);
}

TEST(Log, LineIdUsesTheCurrentLanguage)
{
    ScopedProgramHome home;  // the language choice is written to the INI file
    FrameFixture f;
    LogLineId(kLogInfo, 9007, "A", "B");
    f.frame.SetLangId(kLangEnglish);
    LogLineId(kLogInfo, 9007, "A", "B");
    LogLineId(kLogInfo, 9007, "A");  // a missing argument shows the marker
    EXPECT_EQ(f.ui.TextsOf(LogKind::LogAppend),
              (std::vector<std::string>{"Ung\xFCltige Kombination (kein DB-Eintrag): Programm A, Konsole B",
                                        "Invalid combination (no DB-entry): App A, Console B",
                                        "Invalid combination (no DB-entry): App A, Console <?>"}));
}

TEST(Log, StatusTextNeedsAFrame)
{
    {
        FrameFixture f;
        ShowStatusText("Zeile %d", 12);
        EXPECT_EQ(f.ui.TextsOf(LogKind::Status), std::vector<std::string>{"Zeile 12"});
    }
    ScriptedUi ui;
    ScopedUiServices reg(ui);
    ShowStatusText("Zeile %d", 12);
    EXPECT_TRUE(ui.Calls().empty());
}

}  // namespace
