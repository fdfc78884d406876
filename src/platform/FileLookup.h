// Finds files regardless of ASCII case below a base directory, for files named
// by projects and panels written on case-blind systems.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orv {

// Finds relativePath below baseDir. Each component is taken by its exact name
// when that exists, else by a name equal without regard to ASCII case (the
// first such name in byte order). Gives baseDir joined with the names found.
std::optional<std::string> FindPathNoCase(const std::string& baseDir,
                                          const std::string& relativePath);

// A name read from a file or a panel may only name an entry of its directory:
// false for "", ".", "..", and any name holding '/', '\\' or a NUL byte.
bool IsSafeFileName(std::string_view name);

// ASCII letters compared without regard to case; other bytes as they are.
bool EqualNoCase(std::string_view a, std::string_view b);

// Paths read from files use '\\' as separator.
std::string SlashPath(std::string_view pathFromFile);

}  // namespace orv
