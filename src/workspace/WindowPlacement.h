// The main window's placement from the program settings, computed without Qt.
#pragma once

namespace orv {

// A window rectangle in screen pixels: origin and size.
struct WindowRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool operator==(const WindowRect&) const = default;
};

// The four placement keys of section "GUI", in thousandths of the screen's
// available area.
struct MainPlacementKeys {
    int left = 20;
    int top = 20;
    int width = 960;
    int height = 960;
};

// Where the main window goes inside the screen's available area. Each key is
// scaled by the area's width or height and divided by 1000, truncating toward
// zero; positions count from the area's origin. Values beyond 1000 are kept.
WindowRect ComputeMainPlacement(const MainPlacementKeys& keys, const WindowRect& available);

// A key in thousandths scaled to pixels of `extent`, truncating toward zero,
// without overflow for any key the INI file may hold.
int ScaleThousandths(int key, int extent);

} // namespace orv
