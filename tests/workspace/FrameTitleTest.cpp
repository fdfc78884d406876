#include "workspace/FrameTitle.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(workspace_frame_title, PathOnlyWhileAProjectIsLoaded)
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

} // namespace
} // namespace orv
