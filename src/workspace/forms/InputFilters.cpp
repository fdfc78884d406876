// The character rules of the hexadecimal and decimal edit fields.
#include "workspace/forms/InputFilters.h"

namespace orv {

namespace {

bool FilterIsDigit(char32_t ch)
{
    return ch >= U'0' && ch <= U'9';
}

constexpr CharFilterResult FilterTake(char32_t ch)
{
    return {CharVerdict::Take, ch};
}

} // namespace

CharFilterResult FilterHexChar(char32_t ch, bool /*isSigned*/)
{
    if (FilterIsDigit(ch) || (ch >= U'A' && ch <= U'F') || ch == kBackspaceChar)
        return FilterTake(ch);
    if (ch >= U'a' && ch <= U'f')
        return {CharVerdict::TakeChanged, ch - U'a' + U'A'};
    return {};
}

CharFilterResult FilterNumChar(char32_t ch, bool isSigned)
{
    if (FilterIsDigit(ch) || ch == kBackspaceChar || (isSigned && ch == U'-'))
        return FilterTake(ch);
    return {};
}

std::u32string FilterPasted(std::u32string_view text, CharFilter filter, bool isSigned)
{
    std::u32string out;
    for (const char32_t ch : text) {
        if (ch < 0x20)
            continue;
        const CharFilterResult r = filter(ch, isSigned);
        if (r.verdict != CharVerdict::Drop)
            out += r.ch;
    }
    return out;
}

} // namespace orv
