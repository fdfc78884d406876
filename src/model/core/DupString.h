// An owned copy of a C string, for the model classes that keep texts from
// older C-style interfaces.
#pragma once

#include <memory>

namespace orv {

// A copy of a zero-terminated text owned by the caller; null for null.
std::unique_ptr<char[]> DupString(const char* text);

} // namespace orv
