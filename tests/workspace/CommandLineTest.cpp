#include "workspace/CommandLine.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(workspace_command_line, FirstArgumentWithSlashMustNameAFile)
{
    TempDir dir;
    dir.Write("p.orv", "x");
    struct Case {
        std::vector<std::string> args;
        bool comesUp;
    } const cases[] = {
        {{"/x"}, false},
        {{"/"}, false},
        {{dir.Path()}, false},
        {{dir.File("missing.orv")}, false},
        {{dir.File("p.orv")}, true},
        {{"s"}, true},
        {{"missing.orv"}, true},
        {{"-platform", "offscreen"}, true},
        {{""}, true},
        {{}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.empty() ? std::string("(none)") : c.args.front());
        EXPECT_EQ(CommandLineAllowsStart(c.args), c.comesUp);
    }
}

TEST(workspace_command_line, CopiesArgumentsAfterTheProgramName)
{
    char prog[] = "orvtool", a[] = "/x", b[] = "-platform";
    char* argv[] = {prog, a, b, nullptr};
    EXPECT_EQ(CopyArguments(3, argv), (std::vector<std::string>{"/x", "-platform"}));
    EXPECT_TRUE(CopyArguments(1, argv).empty());
}

TEST(workspace_command_line, WithoutADisplayOneLineSaysHowToRun)
{
    struct Case {
        std::vector<std::string> args;
        const char* platform;
        const char* display;
        const char* wayland;
        bool message;
    } const cases[] = {
        {{}, nullptr, nullptr, nullptr, true},
        {{}, "", "", "", true},
        {{}, nullptr, ":99", nullptr, false},
        {{}, nullptr, nullptr, "wayland-0", false},
        {{}, "offscreen", nullptr, nullptr, false},
        {{"-platform", "offscreen"}, nullptr, nullptr, nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.platform ? c.platform : "-") << " " << (c.display ? c.display : "-"));
        const std::string text = MissingDisplayMessage(c.args, c.platform, c.display, c.wayland);
        EXPECT_EQ(!text.empty(), c.message);
        if (c.message) {
            EXPECT_EQ(text.find('\n'), std::string::npos);
            EXPECT_NE(text.find("xvfb-run"), std::string::npos);
            EXPECT_NE(text.find("QT_QPA_PLATFORM=offscreen"), std::string::npos);
        }
    }
}

} // namespace
} // namespace orv
