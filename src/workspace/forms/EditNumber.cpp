// Reads typed numbers for the PLC dialogs' checks.
#include "workspace/forms/EditNumber.h"

namespace orv {

std::optional<long> ParseEditNumber(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    bool negative = false;
    if (text.front() == '-' || text.front() == '+') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Nine digits cannot overflow a long and lie far outside every range.
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

} // namespace orv
