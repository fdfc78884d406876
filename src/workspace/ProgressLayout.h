// Where a status-bar progress bar sits in its pane, computed without Qt so the
// layout is tested on its own.
#pragma once

namespace orv {

// A rectangle by its edges, in pixels of the status bar.
struct EdgeRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const EdgeRect&) const = default;
};

// Where a status-bar progress bar goes inside its pane. A label takes its
// width plus four blanks at the left; the bar takes `sizePercent` of the
// width that remains, and the middle of the pane's height without a tenth at
// the top and at the bottom. All divisions truncate.
EdgeRect LayoutProgressBar(const EdgeRect& pane, int sizePercent, bool hasLabel,
                           int labelWidth, int blankWidth);

} // namespace orv
