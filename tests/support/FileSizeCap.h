#pragma once

#include <csignal>
#include <cstddef>
#include <sys/resource.h>

namespace orv {

// While one lives, no file of this process may grow past bytes: a write
// beyond fails as on a full medium, even for root. A real fault of the
// write path, for tests of writers that must keep the old file.
class FileSizeCap {
public:
    explicit FileSizeCap(size_t bytes);
    ~FileSizeCap();
    FileSizeCap(const FileSizeCap&) = delete;
    FileSizeCap& operator=(const FileSizeCap&) = delete;

private:
    rlimit m_old{};
    struct sigaction m_oldAction {};
};

} // namespace orv
