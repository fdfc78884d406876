// The one filter that every typed variable and menu name passes: names end
// before the first character the compilers would read as an operator or a
// delimiter, and before any the panel cannot show.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orv {

inline constexpr size_t kTypedNameMax = 16;

// The name as panel (code page 437) bytes: the typed text up to its first
// forbidden character, the first one the panel lacks or the first one a
// project source cannot hold in a name (a blank, say), then at most 16
// characters. Empty when nothing remains.
std::string FilterTypedName(std::u32string_view typed);
// The same for a name that already is panel bytes (the rename dialog's).
std::string FilterTypedNameBytes(std::string_view panelBytes);

// The leading decimal digits of a typed number; false when it has none, so
// that a label without a number renumbers nothing.
bool LeadingNumber(std::string_view typed, int& num);

} // namespace orv
