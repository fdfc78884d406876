#include "workspace/FrameTitle.h"

#include "support/FrameFixture.h"
#include "support/ScopedEnv.h"
#include "workspace/MenuLanguage.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

class workspace_frame_title : public ::testing::Test {
protected:
    FrameFixture f;
    ScopedEnv home{"ORVTOOL_HOME", f.dir.Path().c_str()};
};

TEST_F(workspace_frame_title, PathOnlyWhileAProjectIsLoaded)
{
    struct Case {
        const char* path;
        uint32_t flags;
        const char* expected;
    } const cases[] = {
        {"", 0x10, "<untitled> - ORVtool 1.10.00"},
        {"/p/a.orv", 0x00, "<untitled> - ORVtool 1.10.00"},
        {"/p/a.orv", 0x80, "<untitled> - ORVtool 1.10.00"},
        {"/p/a.orv", 0x10, "/p/a.orv - ORVtool 1.10.00"},
        {"/p/a.orv", 0x90, "/p/a.orv - ORVtool 1.10.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ComposeFrameTitle(c.path, c.flags, "<untitled>"), c.expected);
    }
}

TEST_F(workspace_frame_title, UntitledTextInTheCurrentLanguage)
{
    struct Case {
        int langId;
        const char* expected;
    } const cases[] = {
        {0, "<unbenanntes Projekt> - ORVtool 1.10.00"},
        {1, "<untitled project> - ORVtool 1.10.00"},
    };
    for (const Case& c : cases) {
        f.frame.SetLangId(c.langId);
        EXPECT_EQ(MakeFrameTitle("/p/a.orv", 0x80), c.expected);
    }
    EXPECT_EQ(MakeFrameTitle("/p/a.orv", 0x10), "/p/a.orv - ORVtool 1.10.00");
}

} // namespace
} // namespace orv
