// How the PLC dialogs read a number typed into an edit.
#pragma once

#include <optional>
#include <string_view>

namespace orv {

// A decimal number with an optional sign, blanks around it allowed; nothing
// for an empty text, any other character or a value beyond nine digits, so
// that the caller's range check refuses it.
std::optional<long> ParseEditNumber(std::string_view text);

} // namespace orv
