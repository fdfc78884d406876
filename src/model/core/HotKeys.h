// Converts the catalogues' hot-key marks into the accelerator notation the
// menus and dialogs use.
#pragma once

#include <string>
#include <string_view>

namespace orv {

// Turns the catalogues' hot-key marks into accelerator notation: a literal
// '&' is doubled first, then "~X~" becomes "&X", a longer mark such as
// "~F1~" or "~Alt-X~" loses its tildes, and an unmatched '~' stays.
std::string HotKeyMarksToAccel(std::string_view text);

} // namespace orv
