// Fixed-width name and text fields of the panel-side files, shared by every
// writer and reader in the image layer.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orv {

// Fixed-width text fields of the panel-side files.

// Width of the file-name fields.
inline constexpr std::size_t kFileNameField = 12;

// The file name and extension of a path (either separator), at most
// kFileNameField bytes. Never upper-cased.
std::string CopyNameOf(std::string_view path);
// The text cut or filled with pad to exactly width bytes.
std::string PadField(std::string_view text, std::size_t width, char pad);
// Up to the first blank.
std::string_view CutAtBlank(std::string_view field);
// Without trailing blanks.
std::string_view TrimTrailingBlanks(std::string_view field);

} // namespace orv
