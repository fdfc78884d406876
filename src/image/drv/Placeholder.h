// Recognises the shipped stand-ins for panel code: driver libraries and
// firmware images that carry the placeholder mark instead of the maker's code.
#pragma once

#include <string>
#include <string_view>

namespace orv {

// The mark that every shipped driver entry and firmware image holds in its
// body; no file of the panel maker holds it.
inline constexpr std::string_view kPlaceholderMark = "ORVTOOL PLACEHOLDER - NO PANEL CODE";

// Whether the bytes hold the whole mark.
bool HoldsPlaceholderMark(std::string_view bytes);
// Whether the file holds the mark; false for a file that cannot be read.
bool IsPlaceholderFile(const std::string& path);

} // namespace orv
