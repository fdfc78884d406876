// Copies a C string into owned storage; null stays null.
#include "model/core/DupString.h"

#include <cstring>

namespace orv {

std::unique_ptr<char[]> DupString(const char* text)
{
    if (!text) return nullptr;
    const std::size_t size = std::strlen(text) + 1;
    auto copy = std::make_unique<char[]>(size);
    std::memcpy(copy.get(), text, size);
    return copy;
}

} // namespace orv
