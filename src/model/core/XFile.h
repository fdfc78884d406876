// A named file with an open stream, the model's wrapper for line and block I/O
// that reports failure through results and the trace.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace orv {

// A named file with an open stream. Failures go to the trace sink; callers
// learn of them only through the results.
class XFile {
public:
    // Longest piece ReadLine gives, line end included.
    static constexpr size_t kMaxLine = 1023;

    // Closes the stream, so that written data reaches the file.
    virtual ~XFile();
    XFile(const XFile&) = delete;
    XFile& operator=(const XFile&) = delete;

    // Creates or truncates the file for writing and reading back.
    virtual bool Create() = 0;
    // Opens the file for reading.
    virtual bool Open() = 0;
    // True when there was nothing to close or all data reached the file.
    bool Close();

    bool Write(std::string_view text);
    // The text and one line end, CR LF on disk.
    bool WriteLine(std::string_view text);
    // One line of at most kMaxLine bytes, line end included; a longer line
    // comes in pieces. False, with line empty, at the end or on failure.
    bool ReadLine(std::string& line);
    // True also while no stream is open: there is nothing more to read.
    bool IsEof() const;

    // The exact path, without wildcards.
    bool Exists() const;
    // Size in bytes, 0 for a missing file, a directory or a no-name object;
    // sizes beyond 32 bits give 0xFFFFFFFF.
    uint32_t GetSize() const;
    const std::string& GetPath() const { return m_path; }
    bool IsNoName() const { return m_noName; }

    // True when second was modified at the same time as first or later; a
    // missing file counts as the oldest time.
    static bool IsNewer(const std::string& first, const std::string& second);

protected:
    // A null path makes a no-name object that names no file. Text files
    // convert line ends: CR LF on disk, "\n" in memory.
    XFile(const char* path, bool textMode);
    XFile(const std::string& path, bool textMode);

    bool OpenStream(const char* mode, std::string_view failTrace);

private:
    bool WriteBytes(std::string_view bytes, std::string_view failTrace);
    bool WriteText(std::string_view text, std::string_view failTrace);

    std::string m_path;
    std::FILE* m_stream = nullptr;
    bool m_noName = false;
    bool m_textMode = false;
};

// Binary access: bytes as they are on disk.
class XBinFile : public XFile {
public:
    explicit XBinFile(const char* path) : XFile(path, false) {}
    explicit XBinFile(const std::string& path) : XFile(path, false) {}

    bool Create() override;
    bool Open() override;
};

// Text access: a line end in memory is "\n", on disk CR LF; LF alone is
// read as a line end too, and 0x1A is an ordinary byte.
class XTxtFile : public XFile {
public:
    explicit XTxtFile(const char* path) : XFile(path, true) {}
    explicit XTxtFile(const std::string& path) : XFile(path, true) {}

    bool Create() override;
    bool Open() override;
};

} // namespace orv
