#pragma once

#include <memory>

// A copy of a zero-terminated text owned by the caller; null for null.
std::unique_ptr<char[]> DupString(const char* text);
