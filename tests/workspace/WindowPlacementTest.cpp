#include "workspace/WindowPlacement.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

struct PlacementCase {
    const char* name;
    MainPlacementKeys keys;
    WindowRect available;
    WindowRect expected;
};

TEST(workspace_window_placement, KeysScaleTheAvailableArea)
{
    const PlacementCase cases[] = {
        {"defaults", {}, {0, 0, 1000, 2000}, {20, 40, 960, 1920}},
        {"full width", {0, 20, 1000, 960}, {0, 0, 1366, 740}, {0, 14, 1366, 710}},
        {"above 1000 kept", {0, 0, 1200, 1200}, {0, 0, 1000, 500}, {0, 0, 1200, 600}},
        {"odd products truncate", {333, 1, 999, 1}, {0, 0, 7, 999}, {2, 0, 6, 0}},
        {"negative truncates toward zero", {-1, -333, -999, 1}, {0, 0, 999, 7}, {0, -2, -998, 0}},
        {"origin offset", {20, 20, 960, 960}, {100, 30, 1000, 1000}, {120, 50, 960, 960}},
        {"huge keys do not overflow", {2147483647, 0, 2147483647, 0}, {0, 0, 4000, 10},
         {2147483647, 0, 2147483647, 0}},
    };
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ComputeMainPlacement(c.keys, c.available), c.expected);
    }
}

} // namespace
} // namespace orv
