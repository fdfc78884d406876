#include "workspace/ProgressLayout.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(workspace_progress_layout, BarTakesItsShareOfThePane)
{
    struct Case {
        const char* name;
        EdgeRect pane;
        int size;
        bool hasLabel;
        int labelWidth;
        EdgeRect expected;
    } const cases[] = {
        {"no label: left 20 %, middle 80 % of the height", {0, 0, 500, 20}, 20, false, 0, {0, 2, 100, 18}},
        {"pane not at the origin", {40, 3, 240, 23}, 20, false, 0, {40, 5, 80, 21}},
        {"label shifts left by its width and four blanks", {0, 0, 500, 20}, 50, true, 60, {84, 2, 292, 18}},
        {"label width is ignored without a label", {0, 0, 500, 20}, 50, false, 60, {0, 2, 250, 18}},
        {"label wider than the pane", {0, 0, 100, 20}, 20, true, 200, {224, 2, 224, 18}},
        {"size 0 leaves an empty bar", {10, 0, 110, 20}, 0, false, 0, {10, 2, 10, 18}},
        {"odd height and width truncate", {0, 0, 33, 19}, 33, false, 0, {0, 1, 11, 18}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const EdgeRect r = LayoutProgressBar(c.pane, c.size, c.hasLabel, c.labelWidth, 6);
        EXPECT_EQ(r, c.expected);
        EXPECT_GE(r.right, r.left);
    }
}

} // namespace
} // namespace orv
