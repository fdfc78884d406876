// The value texts of the softkey-action rows and of the simulated-value
// dialog, so that both read and show a data word alike.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orv {

// The formats a value is typed in, as the combo boxes list them.
enum class ValueFmt { Dec, Hex, Bin };

// DEC "%d", HEX "%-4.4X", BIN the bit string of FormatBitString.
std::string FormatValue(ValueFmt fmt, int value);

// DEC a signed decimal, HEX one to four hexadecimal digits in either case,
// BIN "bbbbbbbb bbbbbbbb". A text that does not read completely gives
// nothing: a typing error must never become a stored 0.
std::optional<int> ReadValue(ValueFmt fmt, std::string_view text);

// The message for a typed number outside its range, with the range.
inline constexpr int kMsgInputRange = 15031;

// The range every data word value must lie in.
inline constexpr int kWordValueMin = 0;
inline constexpr int kWordValueMax = 65535;

// Re-renders a value text in another format; a text that does not read in
// the old format, or a value outside the data word, stays as typed, so the
// user still sees the mistake.
std::string ConvertValueText(ValueFmt from, ValueFmt to, const std::string& text);

} // namespace orv
