// What the hexadecimal and the decimal edit fields let through, typed or
// pasted; the widgets only hand characters to these rules.
#pragma once

#include <string>
#include <string_view>

namespace orv {

enum class CharVerdict { Take, TakeChanged, Drop };

// The verdict on one character and the character to take in its place.
struct CharFilterResult {
    CharVerdict verdict = CharVerdict::Drop;
    char32_t ch = 0;
};

// One rule per field kind; the signed flag matters to the decimal field only.
using CharFilter = CharFilterResult (*)(char32_t ch, bool isSigned);

inline constexpr char32_t kBackspaceChar = 8;

// Digits and A-F; a-f become upper case, because the readers of hexadecimal
// texts take a lower-case letter for 0. Backspace passes.
CharFilterResult FilterHexChar(char32_t ch, bool isSigned);
// Digits and Backspace; the minus sign only when signed, wherever it stands.
CharFilterResult FilterNumChar(char32_t ch, bool isSigned);

// Pasted text through the same rule as typing, so that a paste cannot store
// what typing refuses. Control characters are dropped: they edit the field
// when typed, they are no text.
std::u32string FilterPasted(std::u32string_view text, CharFilter filter, bool isSigned);

} // namespace orv
