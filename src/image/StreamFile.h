#pragma once

#include <cstdio>
#include <string>

// An open std::FILE that closes itself.
class StreamFile {
public:
    StreamFile() = default;
    ~StreamFile() { Close(); }
    StreamFile(const StreamFile&) = delete;
    StreamFile& operator=(const StreamFile&) = delete;

    // Opens with an fopen mode; logs "Open <module> <path> OK" at the debug
    // level on success.
    bool Open(const std::string& path, const char* mode, const char* module);
    // False when the buffered data could not be written.
    bool Close();
    std::FILE* Get() const { return m_stream; }

private:
    std::FILE* m_stream = nullptr;
};
