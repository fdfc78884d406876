// The debug trace file a transfer or read-back writes beside its work: every
// exchange with its answer, for diagnosis only.
#pragma once

#include <cstdio>
#include <string>

namespace orv {

// A trace file written anew by every run; writing to a trace that is not
// open does nothing.
class CLinkTrace {
public:
    CLinkTrace() = default;
    ~CLinkTrace();
    CLinkTrace(const CLinkTrace&) = delete;
    CLinkTrace& operator=(const CLinkTrace&) = delete;

    // Deletes the file (logged "Delete %s" at level 2) and creates it anew;
    // false when it cannot be created.
    bool Create(const std::string& path);
    bool IsOpen() const { return m_file != nullptr; }
    void Write(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void Close();

private:
    std::FILE* m_file = nullptr;
};

} // namespace orv
