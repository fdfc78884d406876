// The line source of the text-file readers, with fgets rules kept exactly, since
// the line numbers in error messages depend on them.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace orv {

// Reads a file line by line for the text-file readers, with the rules of a
// C stream read with fgets: a read takes at most `limit` bytes up to and
// including LF, and the end-of-file flag is set only by a read that meets the
// end. Line numbers in the readers' error messages depend on exactly this.
// The file is opened for reading only.
class CLineReader {
public:
    CLineReader() = default;
    ~CLineReader();
    CLineReader(const CLineReader&) = delete;
    CLineReader& operator=(const CLineReader&) = delete;

    [[nodiscard]] bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }

    // Back to the first byte with the end-of-file flag cleared; false when
    // no file is open or it cannot be positioned.
    [[nodiscard]] bool Rewind();

    // Replaces line with the next at most limit bytes, the LF included when
    // it is among them. False when the read met the end (or a read error)
    // before any byte; the end-of-file flag is then set.
    [[nodiscard]] bool Read(std::string& line, size_t limit);

    // Set by the read that met the end of the file or a read error.
    bool IsEof() const { return m_eof; }

private:
    // Next byte into c; false at the end or on a read error (flag set).
    [[nodiscard]] bool NextByte(char& c);

    int m_fd = -1;
    bool m_eof = false;
    std::array<char, 4096> m_buffer{};
    size_t m_pos = 0;
    size_t m_len = 0;
};

} // namespace orv
