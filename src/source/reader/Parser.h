// The tokenizer under every text-file reader of the source layer: one file, line
// by line, with scans that consume a field or leave the position alone.
#pragma once

#include "model/core/ErrorSlot.h"
#include "model/core/Obj.h"
#include "model/core/StepResult.h"
#include "source/reader/LineReader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// The tokenizer under every text-file reader: it owns one file, delivers it
// line by line and scans the current line. Every scanning operation either
// consumes what it recognised or leaves the read position where the field
// began, so that callers can try alternatives in a row. All comparisons work
// on unsigned bytes: code-page bytes from 128 up are ordinary characters.
class CParser : public CObj {
public:
    // Longest piece one read delivers: the project source and the
    // start-selection configuration are read in pieces of this size.
    static constexpr size_t kLineLimit = 254;
    // Longest keyword that ExpectKeyword compares.
    static constexpr size_t kKeywordLimit = 254;

    // Opens the file for reading; when it cannot be opened the error state
    // is openError, which is also set by a failed rewind of the file.
    CParser(const std::string& fileName, uint16_t openError, size_t lineLimit = kLineLimit);

    // True when no error is set; otherwise clears it and returns false.
    virtual bool CheckError();
    // Makes the next piece of the file the current line, cut at its first
    // LF, CR or NUL, and counts it. Once the end of the file has been met
    // the line is empty and nothing is counted. False when the read met the
    // end before any byte (the line is then empty).
    virtual bool ReadLine();
    // Where the current line was cut at the piece size, takes the rest of
    // that line into it, up to `limit` bytes with the line end not counted;
    // the line number stays. For the statements whose longest line exceeds
    // the piece size.
    void ExtendLine(size_t limit);

    uint16_t GetError() const { return m_error.Code(); }
    // The word given with the error, 0 without one.
    uint16_t GetErrorWord() const { return m_error.Word(); }
    // The first error wins, with its word.
    void SetError(uint16_t error, uint16_t word = 0);
    uint16_t GetLineNo() const { return m_lineNo; }
    uint16_t GetColumn() const { return m_column; }
    const std::string& GetLine() const { return m_line; }
    const std::string& GetFileName() const { return m_fileName; }
    bool IsEof() const { return m_file.IsEof(); }
    // What is left of the current line from the read position.
    std::string_view Rest() const;

    // Advances over bytes whose code is below the threshold.
    void SkipBelow(unsigned char threshold);
    void Mark();
    void Rewind();
    // A read position to come back to beyond the single mark.
    struct Position {
        size_t pos = 0;
        uint16_t column = 0;
    };
    Position Tell() const { return {m_pos, m_column}; }
    void Seek(Position p);

    // The next byte after blanks and control bytes, consumed; 0 at the end.
    unsigned char NextChar();
    [[nodiscard]] bool ExpectChar(unsigned char c);
    // Up to count keyword characters (letters, digits, '#', '-', '_').
    std::string ReadKeywordChars(size_t count);
    // Compares as many keyword characters as the keyword has (at most
    // kKeywordLimit), so "VAR" also matches "VARX".
    [[nodiscard]] bool ExpectKeyword(std::string_view keyword);
    // As ExpectKeyword, but only when no keyword character follows: "DF1"
    // does not match "DF1_DIR".
    [[nodiscard]] bool ExpectWord(std::string_view word);

    // 1: digits taken; 0: none, at ',' or the end; -1: none, elsewhere.
    StepResult ReadDigits(std::string& digits, size_t count);
    // An optional sign, then up to count - 1 digits; results as ReadDigits.
    StepResult ReadSignedDigits(std::string& digits, size_t count);
    // 1 only when exactly count hexadecimal digits were taken, else 0.
    StepResult ReadHexDigits(std::string& digits, size_t count);

    // The number readers give 1 for a value within lo..hi. Otherwise -1 with
    // the position back at the field's start; when only the range test
    // failed the output already holds the value.
    StepResult GetNum16(uint16_t& value, uint16_t lo, uint16_t hi);
    StepResult GetNum32(uint32_t& value, uint32_t lo, uint32_t hi);
    StepResult GetLong(int32_t& value, int32_t lo, int32_t hi);
    StepResult GetHexByte(uint8_t& value, uint8_t lo, uint8_t hi);
    StepResult GetHex16(uint16_t& value, uint16_t lo, uint16_t hi);

    // Skips control bytes only; true at the end, a blank or '_'.
    bool AtSeparator();

    // The first length characters as hexadecimal digits, most significant
    // first; any other character counts 0.
    static int HexToInt(std::string_view text, int length);

    static bool IsKeywordChar(unsigned char c);
    // A line whose first byte after blanks and control bytes is '['.
    static bool OpensSection(std::string_view line);
    // A line that holds '[', the name and ']', each after optional blanks,
    // the name compared as ExpectKeyword compares it.
    static bool IsSectionHeader(std::string_view line, std::string_view name);

protected:
    // Back to the first line; a failure sets the open error.
    [[nodiscard]] bool RewindFile();
    // As RewindFile, and the next line read counts as line 1 again.
    bool RestartFile();
    void CloseFile() { m_file.Close(); }
    bool IsFileOpen() const { return m_file.IsOpen(); }
    // From the first line on, reads up to the header of the section and
    // stands behind it. False at the end of the file without it, or when
    // the file cannot be rewound.
    [[nodiscard]] bool SeekSection(std::string_view name);
    // Consumes n bytes of the rest of the line.
    void Consume(size_t n);

private:
    unsigned char Peek() const;
    void Advance();
    // Appends a piece read from the file up to its first LF, CR or NUL, and
    // notes whether the line goes on beyond it.
    void TakePiece(const std::string& piece, size_t requested);
    // Up to count decimal digits as a value of T, as the number readers.
    template <class T>
    StepResult GetUnsigned(T& value, T lo, T hi, size_t count);

    ErrorSlot m_error;
    uint16_t m_lineNo = 0;
    uint16_t m_column = 0;
    uint16_t m_markColumn = 0;
    size_t m_pos = 0;
    size_t m_markPos = 0;
    uint16_t m_openError;
    size_t m_lineLimit;
    CLineReader m_file;
    std::string m_fileName;
    std::string m_line;
    bool m_lineCut = false;
};

} // namespace orv
