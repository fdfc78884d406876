// Places the label and the progress bar inside a status-bar pane.
#include "workspace/ProgressLayout.h"

namespace orv {

EdgeRect LayoutProgressBar(const EdgeRect& pane, int sizePercent, bool hasLabel,
                           int labelWidth, int blankWidth)
{
    EdgeRect r = pane;
    if (hasLabel)
        r.left += labelWidth + 4 * blankWidth;
    r.right -= (100 - sizePercent) * (r.right - r.left) / 100;
    if (r.right < r.left)
        r.right = r.left;
    const int tenth = (r.bottom - r.top) / 10;
    r.top += tenth;
    r.bottom -= tenth;
    return r;
}

} // namespace orv
