// Reads a file's change time in local time; a missing file gives none rather
// than a made-up stamp.
#include "image/compile/SourceStamp.h"

#include <chrono>
#include <filesystem>

namespace orv {

std::optional<std::tm> LocalChangeTime(const std::string& path)
{
    if (path.empty())
        return std::nullopt;
    std::error_code error;
    const auto changed = std::filesystem::last_write_time(path, error);
    if (error)
        return std::nullopt;
    const std::time_t seconds = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(changed));
    std::tm local{};
    if (!localtime_r(&seconds, &local))
        return std::nullopt;
    return local;
}

} // namespace orv
