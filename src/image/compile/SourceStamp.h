// The change time of the project file, which the compilers stamp into an image.
#pragma once

#include <ctime>
#include <optional>
#include <string>

namespace orv {

// The local time of a file's last change; none when the file cannot be
// found.
std::optional<std::tm> LocalChangeTime(const std::string& path);

} // namespace orv
