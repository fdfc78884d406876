#pragma once

#include "support/TempDir.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace orv {

// Points the program directory (and with it the state directory, since the
// directory is writable) at a fresh temporary directory while it lives.
class ScopedProgramHome {
public:
    ScopedProgramHome()
    {
        if (const char* old = std::getenv("ORVTOOL_HOME"))
            m_old = old;
        ::setenv("ORVTOOL_HOME", dir.Path().c_str(), 1);
    }
    ~ScopedProgramHome()
    {
        if (m_old)
            ::setenv("ORVTOOL_HOME", m_old->c_str(), 1);
        else
            ::unsetenv("ORVTOOL_HOME");
    }
    ScopedProgramHome(const ScopedProgramHome&) = delete;
    ScopedProgramHome& operator=(const ScopedProgramHome&) = delete;

    TempDir dir;

private:
    std::optional<std::string> m_old;
};

} // namespace orv
