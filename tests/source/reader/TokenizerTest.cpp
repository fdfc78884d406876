#include "source/reader/Parser.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

using namespace orv;

namespace {

// One delivered line: its text, the line number after the read, the result.
struct Piece {
    std::string text;
    int lineNo;
    bool got;
    bool operator==(const Piece&) const = default;
};

void PrintTo(const Piece& p, std::ostream* os)
{
    *os << "{" << p.text.size() << " bytes, line " << p.lineNo << ", " << p.got << "}";
}

class TokenizerTest : public ::testing::Test {
protected:
    // A tokenizer standing on the first line of a file that holds line.
    std::unique_ptr<CParser> OnLine(const std::string& line)
    {
        dir.Write("line.txt", line + "\r\n");
        auto parser = std::make_unique<CParser>(dir.File("line.txt"), 4);
        EXPECT_TRUE(parser->ReadLine());
        return parser;
    }

    std::vector<Piece> Pieces(const std::string& bytes, size_t reads, size_t limit = CParser::kLineLimit)
    {
        dir.Write("file.txt", bytes);
        CParser parser(dir.File("file.txt"), 4, limit);
        EXPECT_TRUE(parser.CheckError());
        std::vector<Piece> pieces;
        for (size_t i = 0; i < reads; ++i) {
            const bool got = parser.ReadLine();
            pieces.push_back({parser.GetLine(), parser.GetLineNo(), got});
        }
        return pieces;
    }

    TempDir dir;
};

// ---- character and keyword tests ----

// A rewind without a mark on the current line goes to its start; nothing
// reads past the line.
TEST_F(TokenizerTest, RewindWithoutMarkOnTheLineGoesToItsStart)
{
    dir.Write("two.txt", "a long first line, marked near its end\r\nshort\r\n");
    CParser parser(dir.File("two.txt"), 4);
    ASSERT_TRUE(parser.ReadLine());
    for (int i = 0; i < 25; ++i)
        parser.NextChar();
    ASSERT_GT(parser.GetLine().size() - parser.Rest().size(), std::string("short").size());
    parser.Mark();
    ASSERT_TRUE(parser.ReadLine());
    parser.Rewind();
    EXPECT_EQ(parser.Rest(), "short");
    EXPECT_EQ(parser.GetColumn(), 1);
}

TEST_F(TokenizerTest, NextChar)
{
    struct Case {
        std::string line;
        unsigned char expected;
        int column;
    };
    const std::vector<Case> cases = {
        {"  A,", 'A', 4},
        {"\t\x81x", 0x81, 3},  // code-page bytes are characters, not skipped
        {"", 0, 1},
        {"   ", 0, 4},  // the end is not consumed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto p = OnLine(c.line);
        EXPECT_EQ(p->NextChar(), c.expected);
        EXPECT_EQ(p->GetColumn(), c.column);
    }
}

TEST_F(TokenizerTest, ExpectChar)
{
    struct Case {
        std::string line;
        unsigned char c;
        bool result;
        int column;
    };
    const std::vector<Case> cases = {
        {" ,5", ',', true, 3},
        {" ;5", ',', false, 2},
        {"\x81", 0x81, true, 2},
        {"", ',', false, 1},
        {"  ", 0, true, 3},  // the end of the line reads as 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto p = OnLine(c.line);
        EXPECT_EQ(p->ExpectChar(c.c), c.result);
        EXPECT_EQ(p->GetColumn(), c.column);
    }
}

TEST_F(TokenizerTest, ExpectKeyword)
{
    struct Case {
        std::string line;
        std::string keyword;
        bool result;
        int column;
    };
    const std::vector<Case> cases = {
        {"END,12", "END", true, 4},
        {"  VARX", "VAR", true, 6},              // a prefix of keyword characters matches
        {"MSG_PRNTEXT", "MSG_TEXT", false, 1},   // the keyword's full length counts
        {"EN", "END", false, 1},
        {"end", "END", false, 1},
        {"A#-_9", "A#-_9", true, 6},
        {"\x81" "ABC", "ABC", false, 1},
        {std::string(254, 'K'), std::string(300, 'K'), true, 255},  // only 254 compared
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.substr(0, 20));
        auto p = OnLine(c.line);
        EXPECT_EQ(p->ExpectKeyword(c.keyword), c.result);
        EXPECT_EQ(p->GetColumn(), c.column);
    }
}

TEST_F(TokenizerTest, ExpectWordNeedsTheWordToEnd)
{
    struct Case {
        std::string line;
        bool result;
        int column;
    };
    const std::vector<Case> cases = {
        {"DF1_DIR", false, 1},
        {"DF1-X", false, 1},
        {"DF1", true, 4},
        {"DF1 ,", true, 4},
        {"DF1\x81", true, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto p = OnLine(c.line);
        EXPECT_EQ(p->ExpectWord("DF1"), c.result);
        EXPECT_EQ(p->GetColumn(), c.column);
    }
}

// ---- digit readers ----

TEST_F(TokenizerTest, DigitReaders)
{
    enum Reader { Dec, Signed, Hex };
    struct Case {
        Reader reader;
        std::string line;
        size_t count;
        int result;
        std::string digits;
        int column;
    };
    const std::vector<Case> cases = {
        {Dec, " 123,", 5, 1, "123", 5},
        {Dec, "123456", 5, 1, "12345", 6},
        {Dec, "  ,", 5, 0, "", 3},
        {Dec, "", 5, 0, "", 1},
        {Dec, "x1", 5, -1, "", 1},
        {Signed, "-12,", 11, 1, "-12", 4},
        {Signed, "+1234567890123", 11, 1, "+1234567890", 12},
        {Signed, "1234567890123", 11, 1, "1234567890", 11},
        {Signed, "-,", 11, 0, "-", 2},
        {Signed, "x", 11, -1, "", 1},
        {Hex, "aF09x", 4, 1, "aF09", 5},
        {Hex, "aF,", 4, 0, "aF", 3},
        {Hex, "12345", 4, 1, "1234", 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto p = OnLine(c.line);
        std::string digits;
        const int result = c.reader == Dec      ? p->ReadDigits(digits, c.count)
                           : c.reader == Signed ? p->ReadSignedDigits(digits, c.count)
                                                : p->ReadHexDigits(digits, c.count);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(digits, c.digits);
        EXPECT_EQ(p->GetColumn(), c.column);
    }
}

template <class T>
struct NumCase {
    std::string line;
    T lo;
    T hi;
    int result;
    T value;  // the sentinel when nothing is stored
    int column;
};

TEST_F(TokenizerTest, GetNum16)
{
    constexpr uint16_t kNone = 7777;
    const std::vector<NumCase<uint16_t>> cases = {
        {"12", 0, 50, 1, 12, 3},
        {" 12,", 0, 10, -1, 12, 2},  // range failed: back before the digits, value kept
        {"123456", 0, 65535, 1, 12345, 6},
        {"65535", 0, 65535, 1, 65535, 6},
        {"65536", 0, 65535, -1, kNone, 1},
        {"0", 1, 9, -1, 0, 1},
        {"", 0, 65535, -1, kNone, 1},
        {"   ,", 0, 65535, -1, kNone, 4},
        {"-5", 0, 65535, -1, kNone, 1},
        {"x", 0, 65535, -1, kNone, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto p = OnLine(c.line);
        uint16_t value = kNone;
        EXPECT_EQ(p->GetNum16(value, c.lo, c.hi), c.result);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(p->GetColumn(), c.column);
    }
}

TEST_F(TokenizerTest, GetNum32)
{
    constexpr uint32_t kNone = 7777;
    const std::vector<NumCase<uint32_t>> cases = {
        {"4294967295", 0, UINT32_MAX, 1, UINT32_MAX, 11},
        {"4294967296", 0, UINT32_MAX, -1, kNone, 1},
        {"12345678901", 0, UINT32_MAX, 1, 1234567890, 11},
        {"70000", 0, 65535, -1, 70000, 1},
        {"", 0, UINT32_MAX, -1, kNone, 1},
        {" ,", 0, UINT32_MAX, -1, kNone, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto p = OnLine(c.line);
        uint32_t value = kNone;
        EXPECT_EQ(p->GetNum32(value, c.lo, c.hi), c.result);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(p->GetColumn(), c.column);
    }
}

TEST_F(TokenizerTest, GetLong)
{
    constexpr int32_t kNone = 7777;
    const std::vector<NumCase<int32_t>> cases = {
        {"-2147483648", INT32_MIN, INT32_MAX, 1, INT32_MIN, 12},
        {"+2147483648", INT32_MIN, INT32_MAX, -1, kNone, 1},
        {"2147483648", INT32_MIN, INT32_MAX, -1, kNone, 1},
        {"2147483647", INT32_MIN, INT32_MAX, 1, INT32_MAX, 11},
        {"-2147483649", INT32_MIN, INT32_MAX, -1, kNone, 1},
        {"+12", 0, 100, 1, 12, 4},
        {" -12", 0, 100, -1, -12, 2},
        {"-", INT32_MIN, INT32_MAX, -1, kNone, 1},
        {"", INT32_MIN, INT32_MAX, -1, kNone, 1},
        {"  ,", INT32_MIN, INT32_MAX, -1, kNone, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto p = OnLine(c.line);
        int32_t value = kNone;
        EXPECT_EQ(p->GetLong(value, c.lo, c.hi), c.result);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(p->GetColumn(), c.column);
    }
}

TEST_F(TokenizerTest, GetHexByte)
{
    constexpr uint8_t kNone = 77;
    const std::vector<NumCase<uint8_t>> cases = {
        {"7F", 0, 255, 1, 0x7F, 3},
        {" 7FF", 0, 255, 1, 0x7F, 4},
        {"ff", 0, 0x10, -1, 0xFF, 1},
        {"7,", 0, 255, -1, kNone, 1},
        {"G1", 0, 255, -1, kNone, 1},
        {"", 0, 255, -1, kNone, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto p = OnLine(c.line);
        uint8_t value = kNone;
        EXPECT_EQ(p->GetHexByte(value, c.lo, c.hi), c.result);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(p->GetColumn(), c.column);
    }
}

TEST_F(TokenizerTest, GetHex16)
{
    constexpr uint16_t kNone = 7777;
    const std::vector<NumCase<uint16_t>> cases = {
        {"aBcD", 0, 0xFFFF, 1, 0xABCD, 5},
        {"12345", 0, 0xFFFF, 1, 0x1234, 5},
        {" 12,", 0, 0xFFFF, -1, kNone, 2},  // fewer than four digits
        {"FFFF", 0, 0x00FF, -1, 0xFFFF, 1},
        {"", 0, 0xFFFF, -1, kNone, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto p = OnLine(c.line);
        uint16_t value = kNone;
        EXPECT_EQ(p->GetHex16(value, c.lo, c.hi), c.result);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(p->GetColumn(), c.column);
    }
}

TEST_F(TokenizerTest, KeywordCommaNumberInARow)
{
    auto p = OnLine("END, 12");
    uint16_t value = 0;
    EXPECT_TRUE(p->ExpectKeyword("END"));
    EXPECT_TRUE(p->ExpectChar(','));
    EXPECT_EQ(p->GetNum16(value, 0, 10), -1);
    EXPECT_EQ(value, 12);
    EXPECT_EQ(p->GetColumn(), 6);
    EXPECT_EQ(p->GetNum16(value, 0, 50), 1);
    EXPECT_EQ(p->GetColumn(), 8);
    EXPECT_EQ(p->NextChar(), 0);
}

TEST_F(TokenizerTest, AtSeparator)
{
    struct Case {
        std::string line;
        bool result;
        int column;
    };
    const std::vector<Case> cases = {
        {"", true, 1}, {" x", true, 1}, {"_x", true, 1}, {"\tx", false, 2}, {"\t x", true, 2}, {"x", false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto p = OnLine(c.line);
        EXPECT_EQ(p->AtSeparator(), c.result);
        EXPECT_EQ(p->GetColumn(), c.column);
    }
}

TEST_F(TokenizerTest, HexToInt)
{
    struct Case {
        std::string text;
        int length;
        int value;
    };
    const std::vector<Case> cases = {
        {"1F", 2, 0x1F}, {"aF", 2, 0xAF}, {"zz", 2, 0}, {"1z", 2, 0x10}, {"FFFF", 2, 0xFF}, {"1", 3, 0x100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CParser::HexToInt(c.text, c.length), c.value);
    }
}

TEST_F(TokenizerTest, SectionLines)
{
    EXPECT_TRUE(CParser::IsSectionHeader("[ABC]", "ABC"));
    EXPECT_TRUE(CParser::IsSectionHeader("  [ ABC ] x", "ABC"));
    EXPECT_FALSE(CParser::IsSectionHeader("[ABCD]", "ABC"));
    EXPECT_FALSE(CParser::IsSectionHeader("[AB]", "ABC"));
    EXPECT_FALSE(CParser::IsSectionHeader("ABC]", "ABC"));
    EXPECT_TRUE(CParser::OpensSection(" \t[X"));
    EXPECT_FALSE(CParser::OpensSection("X["));
    EXPECT_FALSE(CParser::OpensSection(""));
}

// ---- line reading ----

TEST_F(TokenizerTest, LineReadingFollowsStreamEndRules)
{
    const std::string l253(253, 'a');
    const std::string l254(254, 'b');
    const std::string l300(300, 'c');
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<Piece> pieces;
    };
    const std::vector<Case> cases = {
        {"last line with CR LF: one more empty line, counted",
         "A\r\nB\r\n",
         {{"A", 1, true}, {"B", 2, true}, {"", 3, false}, {"", 3, false}}},
        {"last line without line end: the empty line keeps its number",
         "A\r\nB",
         {{"A", 1, true}, {"B", 2, true}, {"", 2, false}}},
        {"LF only", "A\nB\n", {{"A", 1, true}, {"B", 2, true}, {"", 3, false}}},
        {"empty file", "", {{"", 1, false}, {"", 1, false}}},
        {"253 characters: the CR is cut, the LF is a counted empty line",
         l253 + "\r\n",
         {{l253, 1, true}, {"", 2, true}, {"", 3, false}}},
        {"254 characters", l254 + "\r\n", {{l254, 1, true}, {"", 2, true}, {"", 3, false}}},
        {"300 characters arrive as 254 and 46",
         l300 + "\r\nX",
         {{l300.substr(0, 254), 1, true}, {l300.substr(254), 2, true}, {"X", 3, true}, {"", 3, false}}},
        {"NUL ends the line", std::string("AB\0CD\r\n", 7), {{"AB", 1, true}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Pieces(c.bytes, c.pieces.size()), c.pieces);
    }
}

TEST_F(TokenizerTest, LineLimitIsAConstructorArgument)
{
    const std::string l300(300, 'c');
    EXPECT_EQ(Pieces(l300 + "\r\n", 2, 4096), (std::vector<Piece>{{l300, 1, true}, {"", 2, false}}));
}

TEST_F(TokenizerTest, ReadOnlyFileIsRead)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "file modes do not bind the superuser";
    dir.Write("ro.txt", "ONLY\r\n");
    ASSERT_EQ(::chmod(dir.File("ro.txt").c_str(), 0444), 0);
    CParser parser(dir.File("ro.txt"), 9);
    EXPECT_TRUE(parser.CheckError());
    EXPECT_TRUE(parser.ReadLine());
    EXPECT_EQ(parser.GetLine(), "ONLY");
}

TEST_F(TokenizerTest, MissingFileSetsTheOpenErrorOnce)
{
    CParser parser(dir.File("missing.txt"), 9);
    EXPECT_EQ(parser.GetError(), 9);
    parser.SetError(17);
    EXPECT_EQ(parser.GetError(), 9);  // the first error wins
    EXPECT_FALSE(parser.CheckError());
    EXPECT_TRUE(parser.CheckError());
    EXPECT_FALSE(parser.ReadLine());
    EXPECT_EQ(parser.GetLine(), "");
}

} // namespace
