// Rewrites catalogue hot-key marks as accelerators; literal ampersands are
// doubled first so they never turn into shortcuts.
#include "model/core/HotKeys.h"

namespace orv {

std::string HotKeyMarksToAccel(std::string_view text)
{
    std::string doubled;
    doubled.reserve(text.size() + 4);
    for (char c : text) {
        doubled += c;
        if (c == '&') doubled += '&';
    }

    std::string out;
    out.reserve(doubled.size());
    std::size_t i = 0;
    while (i < doubled.size()) {
        std::size_t close = doubled[i] == '~' ? doubled.find('~', i + 1) : std::string::npos;
        if (close == std::string::npos || close == i + 1) {
            out += doubled[i++];
            continue;
        }
        std::string_view mark = std::string_view(doubled).substr(i + 1, close - i - 1);
        if (mark.size() == 1) out += '&';
        out += mark;
        i = close + 1;
    }
    return out;
}

} // namespace orv
