#include "support/ScopedEnv.h"

#include <cstdlib>

namespace orv {

ScopedEnv::ScopedEnv(const char* name, const char* value) : m_name(name)
{
    if (const char* old = std::getenv(name))
        m_old = old;
    if (value != nullptr)
        ::setenv(name, value, 1);
    else
        ::unsetenv(name);
}

ScopedEnv::~ScopedEnv()
{
    if (m_old)
        ::setenv(m_name, m_old->c_str(), 1);
    else
        ::unsetenv(m_name);
}

} // namespace orv
