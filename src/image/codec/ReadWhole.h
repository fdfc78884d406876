// Takes a panel-side file into memory whole, refusing one too large to be any
// panel's.
#pragma once

#include <cstddef>
#include <string>

namespace orv {

// The largest panel-side file taken into memory: far above any panel's
// memory, so that a stray huge file is refused before it is read.
inline constexpr size_t kMaxInputFileSize = size_t{16} << 20;

// Reads the file at path whole into bytes, for a reader, a writer that
// changes it in memory or a compiler that appends it, and logs "Open
// <module> <path> OK" at the debug level. False (bytes empty) when it is
// missing, not a regular file, unreadable, larger than kMaxInputFileSize,
// or memory runs out.
[[nodiscard]] bool ReadWholeInput(const std::string& path, std::string& bytes, const char* module);

} // namespace orv
