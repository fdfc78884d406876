// Reads a fixed-width text field of a panel-side file without ever running past
// its width or its first NUL.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orv {

// The text as a fixed-width field of the panel-side files holds it: up to
// its first NUL byte, at most width bytes.
inline std::string FixedText(std::string_view text, std::size_t width)
{
    text = text.substr(0, text.find('\0'));
    return std::string(text.substr(0, width));
}

} // namespace orv
