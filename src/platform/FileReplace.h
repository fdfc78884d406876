// Whole-file replacement, the platform service every writer of a stored file
// goes through.
#pragma once

#include <string>
#include <string_view>

namespace orv {

// Whole-file writes go through a temporary file in the target's directory that
// is renamed over the target only once it is complete, so a failed write never
// leaves a half-written file behind nor destroys the old one.

// Writes bytes to path by replacement. On failure the old file is kept and no
// temporary file is left; the mode of an existing target is kept.
bool WriteFileReplacing(const std::string& path, std::string_view bytes);

// A fresh name in the target's directory that no file has yet.
std::string MakeTempPathBeside(const std::string& target);

// Renames tempPath over target; on failure removes tempPath.
bool RenameOver(const std::string& tempPath, const std::string& target);

// Reads a whole file as bytes; false (and bytes empty) when it cannot.
bool ReadWholeFile(const std::string& path, std::string& bytes);

}  // namespace orv
