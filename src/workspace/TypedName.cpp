// Typed names and numbers of the list view's labels and the menu rename.
#include "workspace/TypedName.h"

#include "platform/CodePage.h"
#include "source/reader/SrcIdent.h"

#include <limits>

namespace orv {

namespace {

// Section sign, acute accent, sharp s and degree sign as typed.
constexpr std::u32string_view kTypedForbidden = U"!\u00A7$%&/()=?`\u00B4\u00DF{[]}@^\u00B0#'+~*,;.:-|<>\\\"";

} // namespace

std::string FilterTypedName(std::u32string_view typed)
{
    std::string name;
    for (char32_t c : typed) {
        if (name.size() >= kTypedNameMax || kTypedForbidden.find(c) != std::u32string_view::npos)
            break;
        // A name the source cannot hold (a blank, an accent) would be saved
        // into a project that no longer loads.
        const std::optional<unsigned char> byte = ByteOf(c, CodePage::Cp437);
        if (!byte || !IsSourceIdentChar(*byte))
            break;
        name.push_back(static_cast<char>(*byte));
    }
    return name;
}

std::string FilterTypedNameBytes(std::string_view panelBytes)
{
    std::u32string typed;
    for (char b : panelBytes)
        typed.push_back(CodePointOf(static_cast<unsigned char>(b), CodePage::Cp437));
    return FilterTypedName(typed);
}

bool LeadingNumber(std::string_view typed, int& num)
{
    size_t i = 0;
    long long value = 0;
    for (; i < typed.size() && typed[i] >= '0' && typed[i] <= '9'; ++i) {
        // A number too long for an int is out of every list's range anyway.
        if (value <= std::numeric_limits<int>::max())
            value = value * 10 + (typed[i] - '0');
    }
    if (i == 0)
        return false;
    num = value > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max() : static_cast<int>(value);
    return true;
}

} // namespace orv
