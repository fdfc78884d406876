// Reads and writes data word values in the three formats the dialogs offer.
#include "workspace/forms/ValueCodec.h"

#include "model/core/CheckedFormat.h"
#include "model/project/BitHexText.h"

#include <cctype>
#include <charconv>

namespace orv {

namespace {

std::optional<int> ReadDecValue(std::string_view text)
{
    int value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    // from_chars takes no '+', which a typed decimal may carry.
    if (last - first > 1 && *first == '+' && first[1] != '-')
        ++first;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (first == last || ec != std::errc{} || end != last)
        return std::nullopt;
    return value;
}

std::optional<int> ReadHexValue(std::string_view text)
{
    if (text.empty() || text.size() > 4)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (std::isxdigit(static_cast<unsigned char>(c)) == 0)
            return std::nullopt;
        const int digit = std::isdigit(static_cast<unsigned char>(c)) != 0
                              ? c - '0'
                              : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
        value = value * 16 + digit;
    }
    return value;
}

std::optional<int> ReadBinValue(std::string_view text)
{
    if (text.size() != 17 || text[8] != ' ')
        return std::nullopt;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i != 8 && text[i] != '0' && text[i] != '1')
            return std::nullopt;
    }
    return ParseBitString(text);
}

} // namespace

std::string FormatValue(ValueFmt fmt, int value)
{
    switch (fmt) {
    case ValueFmt::Hex:
        return FormatText("%-4.4X", static_cast<unsigned>(value));
    case ValueFmt::Bin:
        return FormatBitString(value);
    case ValueFmt::Dec:
        break;
    }
    return FormatText("%d", value);
}

std::optional<int> ReadValue(ValueFmt fmt, std::string_view text)
{
    switch (fmt) {
    case ValueFmt::Hex:
        return ReadHexValue(text);
    case ValueFmt::Bin:
        return ReadBinValue(text);
    case ValueFmt::Dec:
        break;
    }
    return ReadDecValue(text);
}

std::string ConvertValueText(ValueFmt from, ValueFmt to, const std::string& text)
{
    // BIN and HEX hold 16 bits; a wider value would come back changed.
    const std::optional<int> value = ReadValue(from, text);
    if (!value || *value < kWordValueMin || *value > kWordValueMax)
        return text;
    return FormatValue(to, *value);
}

} // namespace orv
