// A shared library loaded by absolute path, the platform service under the
// serial link binding.
#pragma once

#include <string>

namespace orv {

// A shared library loaded by absolute path and closed with its owner. Error()
// keeps the loader's text of the last failed call.
class DynLib {
public:
    DynLib() = default;
    ~DynLib();
    DynLib(const DynLib&) = delete;
    DynLib& operator=(const DynLib&) = delete;

    // Closes a library already open first. A relative path is refused, so the
    // loader's search path can never pick another library of the same name.
    bool Open(const std::string& absPath);
    // Null when the library lacks the name (or none is open).
    void* Symbol(const char* name);
    const std::string& Error() const { return m_error; }
    void Close();
    bool IsOpen() const { return m_handle != nullptr; }

private:
    void* m_handle = nullptr;
    std::string m_error;
};

}  // namespace orv
