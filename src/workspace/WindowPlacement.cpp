// Turns the thousandths of the program settings into a window rectangle on
// the available screen.
#include "workspace/WindowPlacement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace orv {

int ScaleThousandths(int key, int extent)
{
    const int64_t scaled = static_cast<int64_t>(key) * extent / 1000;
    const int64_t lo = std::numeric_limits<int>::min();
    const int64_t hi = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(scaled, lo, hi));
}

namespace {

int Offset(int origin, int scaled)
{
    const int64_t sum = static_cast<int64_t>(origin) + scaled;
    return static_cast<int>(std::clamp<int64_t>(sum, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

} // namespace

WindowRect ComputeMainPlacement(const MainPlacementKeys& keys, const WindowRect& available)
{
    WindowRect r;
    r.x = Offset(available.x, ScaleThousandths(keys.left, available.w));
    r.y = Offset(available.y, ScaleThousandths(keys.top, available.h));
    r.w = ScaleThousandths(keys.width, available.w);
    r.h = ScaleThousandths(keys.height, available.h);
    return r;
}

} // namespace orv
