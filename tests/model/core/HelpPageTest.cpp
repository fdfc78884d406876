#include "ProgramHome.h"
#include "model/core/HelpPage.h"
#include "support/FrameFixture.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {

using Kind = UiCall::Kind;

class HelpPage : public ::testing::Test {
protected:
    ScopedProgramHome home;
    FrameFixture f;

    std::string Opened(int page, int number)
    {
        f.ui.ClearCalls();
        ShowHelpPage(page, number);
        const auto opens = f.ui.CallsOf(Kind::HelpPage);
        return opens.size() == 1 ? opens[0].text : "<" + std::to_string(opens.size()) + " opens>";
    }
};

TEST_F(HelpPage, PagesByModel)
{
    const std::string hlp = home.dir.Path() + "hlp/";
    struct {
        int model;
        int page;
        int number;
        std::string path;
    } cases[] = {
        {706, 0, 0, hlp + "orv706/p787_inh.htm"},
        {706, 1, 0, hlp + "orv706/p787_07.htm"},
        {706, 2, 7, hlp + "s007.htm"},
        {706, 3, 0, hlp + "fifowarn/default.htm"},
        {43, 0, 0, hlp + "orv044/044_default.htm"},
        {43, 1, 0, hlp + "orv044/044_14.htm"},
        {43, 2, 123, hlp + "s123.htm"},
        {43, 3, 0, hlp + "fifowarn/default.htm"},
        {43, 4, 0, hlp},
        {706, -1, 0, hlp},
    };
    for (const auto& c : cases) {
        f.startSel.modelNo = c.model;
        EXPECT_EQ(Opened(c.page, c.number), c.path) << c.model << " page " << c.page;
    }
    EXPECT_TRUE(f.ui.CallsOf(Kind::LogAppend).empty());
}

TEST_F(HelpPage, PathIsResolvedRegardlessOfCase)
{
    home.dir.Write("HLP/S042.HTM", "<html/>");
    home.dir.Write("HLP/FifoWarn/Default.htm", "<html/>");
    EXPECT_EQ(Opened(2, 42), home.dir.Path() + "HLP/S042.HTM");
    EXPECT_EQ(Opened(3, 0), home.dir.Path() + "HLP/FifoWarn/Default.htm");
    EXPECT_EQ(Opened(9, 0), home.dir.Path() + "HLP/");
}

TEST_F(HelpPage, FailedOpenIsLoggedAtLevelZero)
{
    f.frame.SetLogLevel(0);
    f.ui.SetHelpResult(2);
    const std::string path = Opened(2, 5);
    EXPECT_EQ(f.ui.TextsOf(Kind::LogAppend),
              std::vector<std::string>{"Unable to launch browser with file " + path + ", Error# 2"});
}

}  // namespace
