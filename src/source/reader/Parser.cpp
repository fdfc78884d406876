// The tokenizer; numbers are bounded in digits so a value always fits, and marks
// never outlive their line.
#include "source/reader/Parser.h"

#include "model/core/FileUtils.h"
#include "model/core/Log.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace orv {

namespace {

bool IsDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

bool IsHexDigit(unsigned char c)
{
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// At most ten digits, so the value always fits.
uint64_t DecimalValue(std::string_view digits)
{
    uint64_t value = 0;
    for (const char c : digits)
        value = value * 10 + static_cast<uint64_t>(c - '0');
    return value;
}

} // namespace

CParser::CParser(const std::string& fileName, uint16_t openError, size_t lineLimit)
    : m_openError(openError), m_lineLimit(lineLimit), m_fileName(fileName)
{
    if (!m_file.Open(fileName) || !m_file.Rewind()) {
        m_error.Set(openError);
        return;
    }
    LogLine(kLogDebug, "Open %s %s OK", "Parser", fileName.c_str());
}

bool CParser::CheckError()
{
    return m_error.Take() == 0;
}

void CParser::SetError(uint16_t error, uint16_t word)
{
    m_error.Set(error, word);
}

bool CParser::ReadLine()
{
    m_pos = 0;
    if (m_file.IsEof()) {
        m_line.clear();
        m_lineCut = false;
        return false;
    }
    ++m_lineNo;
    m_column = 1;
    // A mark left on a longer line would point past this one.
    m_markPos = 0;
    m_markColumn = m_column;
    std::string piece;
    const bool got = m_file.Read(piece, m_lineLimit);
    m_line.clear();
    TakePiece(piece, m_lineLimit);
    return got;
}

void CParser::TakePiece(const std::string& piece, size_t requested)
{
    const size_t end = piece.find_first_of(std::string_view("\n\r\0", 3));
    m_line.append(piece, 0, end);
    m_lineCut = end == std::string::npos && piece.size() == requested;
}

void CParser::ExtendLine(size_t limit)
{
    // The line end is read with the line, so that it does not come back as
    // a line of its own.
    while (m_lineCut && m_line.size() < limit) {
        std::string piece;
        const size_t requested = limit + 2 - m_line.size();
        if (!m_file.Read(piece, requested)) {
            m_lineCut = false;
            return;
        }
        TakePiece(piece, requested);
    }
}

std::string_view CParser::Rest() const
{
    return std::string_view(m_line).substr(m_pos);
}

unsigned char CParser::Peek() const
{
    return m_pos < m_line.size() ? static_cast<unsigned char>(m_line[m_pos]) : 0;
}

void CParser::Advance()
{
    ++m_pos;
    ++m_column;
}

void CParser::Consume(size_t n)
{
    n = std::min(n, m_line.size() - m_pos);
    m_pos += n;
    m_column = static_cast<uint16_t>(m_column + n);
}

void CParser::SkipBelow(unsigned char threshold)
{
    while (m_pos < m_line.size() && Peek() < threshold)
        Advance();
}

void CParser::Mark()
{
    m_markPos = m_pos;
    m_markColumn = m_column;
}

void CParser::Rewind()
{
    m_pos = m_markPos;
    m_column = m_markColumn;
}

void CParser::Seek(Position p)
{
    m_pos = std::min(p.pos, m_line.size());
    m_column = p.column;
}

unsigned char CParser::NextChar()
{
    SkipBelow(33);
    Mark();
    const unsigned char c = Peek();
    if (c != 0)
        Advance();
    return c;
}

bool CParser::ExpectChar(unsigned char c)
{
    if (NextChar() == c)
        return true;
    Rewind();
    return false;
}

bool CParser::IsKeywordChar(unsigned char c)
{
    return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '#' || c == '-' ||
           c == '_';
}

std::string CParser::ReadKeywordChars(size_t count)
{
    SkipBelow(33);
    Mark();
    std::string word;
    while (word.size() < count && IsKeywordChar(Peek())) {
        word.push_back(static_cast<char>(Peek()));
        Advance();
    }
    return word;
}

bool CParser::ExpectKeyword(std::string_view keyword)
{
    keyword = keyword.substr(0, kKeywordLimit);
    if (ReadKeywordChars(keyword.size()) == keyword)
        return true;
    Rewind();
    return false;
}

bool CParser::ExpectWord(std::string_view word)
{
    if (!ExpectKeyword(word))
        return false;
    if (!IsKeywordChar(Peek()))
        return true;
    Rewind();
    return false;
}

StepResult CParser::ReadDigits(std::string& digits, size_t count)
{
    SkipBelow(33);
    Mark();
    digits.clear();
    while (digits.size() < count && IsDigit(Peek())) {
        digits.push_back(static_cast<char>(Peek()));
        Advance();
    }
    if (!digits.empty())
        return 1;
    return Peek() == ',' || Peek() == 0 ? 0 : -1;
}

StepResult CParser::ReadSignedDigits(std::string& digits, size_t count)
{
    SkipBelow(33);
    Mark();
    digits.clear();
    if (count > 0 && (Peek() == '+' || Peek() == '-')) {
        digits.push_back(static_cast<char>(Peek()));
        Advance();
    }
    const size_t signLength = digits.size();
    const size_t maxDigits = count > 0 ? count - 1 : 0;
    while (digits.size() - signLength < maxDigits && IsDigit(Peek())) {
        digits.push_back(static_cast<char>(Peek()));
        Advance();
    }
    if (digits.size() > signLength)
        return 1;
    return Peek() == ',' || Peek() == 0 ? 0 : -1;
}

StepResult CParser::ReadHexDigits(std::string& digits, size_t count)
{
    SkipBelow(33);
    Mark();
    digits.clear();
    while (digits.size() < count && IsHexDigit(Peek())) {
        digits.push_back(static_cast<char>(Peek()));
        Advance();
    }
    return digits.size() == count ? 1 : 0;
}

template <class T>
StepResult CParser::GetUnsigned(T& value, T lo, T hi, size_t count)
{
    std::string digits;
    if (ReadDigits(digits, count) == 1) {
        const uint64_t v = DecimalValue(digits);
        if (v <= std::numeric_limits<T>::max()) {
            value = static_cast<T>(v);
            if (lo <= value && value <= hi)
                return 1;
        }
    }
    Rewind();
    return -1;
}

StepResult CParser::GetNum16(uint16_t& value, uint16_t lo, uint16_t hi)
{
    return GetUnsigned(value, lo, hi, 5);
}

StepResult CParser::GetNum32(uint32_t& value, uint32_t lo, uint32_t hi)
{
    return GetUnsigned(value, lo, hi, 10);
}

StepResult CParser::GetLong(int32_t& value, int32_t lo, int32_t hi)
{
    std::string digits;
    if (ReadSignedDigits(digits, 11) == 1) {
        const bool negative = digits[0] == '-';
        const bool signed_ = negative || digits[0] == '+';
        const uint64_t magnitude = DecimalValue(std::string_view(digits).substr(signed_ ? 1 : 0));
        const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
        if (magnitude <= limit) {
            const int64_t v = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
            value = static_cast<int32_t>(v);
            if (lo <= value && value <= hi)
                return 1;
        }
    }
    Rewind();
    return -1;
}

StepResult CParser::GetHexByte(uint8_t& value, uint8_t lo, uint8_t hi)
{
    std::string digits;
    if (ReadHexDigits(digits, 2) == 1) {
        value = static_cast<uint8_t>(HexToInt(digits, 2));
        if (lo <= value && value <= hi)
            return 1;
    }
    Rewind();
    return -1;
}

StepResult CParser::GetHex16(uint16_t& value, uint16_t lo, uint16_t hi)
{
    std::string digits;
    if (ReadHexDigits(digits, 4) == 1) {
        value = static_cast<uint16_t>(HexToInt(digits, 4));
        if (lo <= value && value <= hi)
            return 1;
    }
    Rewind();
    return -1;
}

bool CParser::AtSeparator()
{
    SkipBelow(32);
    const unsigned char c = Peek();
    return c == 0 || c == ' ' || c == '_';
}

int CParser::HexToInt(std::string_view text, int length)
{
    return orv::HexToInt(text, length);
}

bool CParser::OpensSection(std::string_view line)
{
    for (const char c : line) {
        if (static_cast<unsigned char>(c) >= 33)
            return c == '[';
    }
    return false;
}

bool CParser::IsSectionHeader(std::string_view line, std::string_view name)
{
    name = name.substr(0, kKeywordLimit);
    size_t pos = 0;
    const auto skip = [&] {
        while (pos < line.size() && static_cast<unsigned char>(line[pos]) < 33)
            ++pos;
    };
    const auto expect = [&](char c) {
        skip();
        if (pos < line.size() && line[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    };
    if (!expect('['))
        return false;
    skip();
    size_t taken = 0;
    while (taken < name.size() && pos + taken < line.size() &&
           IsKeywordChar(static_cast<unsigned char>(line[pos + taken])))
        ++taken;
    if (line.substr(pos, taken) != name)
        return false;
    pos += taken;
    return expect(']');
}

bool CParser::RewindFile()
{
    if (m_file.Rewind())
        return true;
    SetError(m_openError);
    return false;
}

bool CParser::RestartFile()
{
    if (!RewindFile())
        return false;
    m_lineNo = 0;
    m_column = 0;
    m_markColumn = 0;
    m_pos = 0;
    m_markPos = 0;
    m_line.clear();
    m_lineCut = false;
    return true;
}

bool CParser::SeekSection(std::string_view name)
{
    if (!RewindFile())
        return false;
    do {
        ReadLine();
        if (IsSectionHeader(m_line, name))
            return true;
    } while (!IsEof());
    return false;
}

} // namespace orv
