#pragma once

#include <optional>
#include <string>

namespace orv {

// Sets an environment variable (or removes it, for null) for the scope and
// puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

} // namespace orv
