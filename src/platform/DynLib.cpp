// Opens shared libraries by absolute path only and keeps the loader's error text
// for the caller to report.
#include "platform/DynLib.h"

#include <dlfcn.h>

namespace orv {

namespace {

std::string LoaderError(const char* fallback)
{
    const char* text = ::dlerror();
    return text ? text : fallback;
}

}  // namespace

DynLib::~DynLib()
{
    Close();
}

bool DynLib::Open(const std::string& absPath)
{
    Close();
    if (absPath.empty() || absPath.front() != '/') {
        m_error = absPath + ": not an absolute path";
        return false;
    }
    ::dlerror();
    m_handle = ::dlopen(absPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    m_error = m_handle ? std::string() : LoaderError("dlopen failed");
    return m_handle != nullptr;
}

void* DynLib::Symbol(const char* name)
{
    if (!m_handle) {
        m_error = "no library is open";
        return nullptr;
    }
    ::dlerror();
    void* address = ::dlsym(m_handle, name);
    m_error = address ? std::string() : LoaderError("dlsym failed");
    return address;
}

void DynLib::Close()
{
    if (m_handle) {
        ::dlclose(m_handle);
        m_handle = nullptr;
    }
}

}  // namespace orv
