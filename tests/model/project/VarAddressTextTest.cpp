#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/SpsPar.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace orv;

namespace {

std::unique_ptr<CPrjVar> Bin1(int16_t word) { return std::make_unique<CPrjVarBin>("v", word, 1, 2, 4, 0, 0, 0, 0, 0); }
std::unique_ptr<CPrjVar> Bin2(int16_t word) { return std::make_unique<CPrjVarBin>("v", word, 1, 6, 4, 0, 0, 0, 0, 0); }
std::unique_ptr<CPrjVar> Bit(int16_t word, uint32_t bit)
{
    return std::make_unique<CPrjVarBit>("v", word, 1, 12, bit, nullptr);
}
std::unique_ptr<CPrjVar> Ascii(int16_t word, uint8_t words)
{
    return std::make_unique<CPrjVarAscii>("v", word, 1, 34, words);
}

// The PLC address text of a variable, one row per notation; the expected
// texts are worked out from the PLC type's area caption, its address
// scaling (byte-addressed types double the word) and its digits.
TEST(VarAddressText, FmtVarAdr)
{
    struct Case {
        const char* what;
        uint16_t spsType;
        uint16_t offset;
        std::function<std::unique_ptr<CPrjVar>()> var;
        bool useDigits;
        const char* text;
    };
    const std::vector<Case> cases = {
        // one word
        {"3 digits", 33, 0, [] { return Bin1(5); }, true, "DW   5"},
        {"without digits", 33, 0, [] { return Bin1(5); }, false, "DW 5"},
        {"offset", 33, 10, [] { return Bin1(5); }, false, "DW 15"},
        {"4 digits", 7, 0, [] { return Bin1(12); }, true, "MW   12"},
        {"5 digits", 44, 0, [] { return Bin1(12); }, true, "Wort    12"},
        {"byte address as word.byte", 0, 0, [] { return Bin1(5); }, true, "MW 0.10"},
        {"word.byte type 3", 3, 0, [] { return Bin1(37); }, true, "MW 2.05"},
        {"hex", 20, 0, [] { return Bin1(255); }, true, "WM 00FF"},
        {"doubled, 5 places", 24, 0, [] { return Bin1(7); }, false, "MW    14"},
        {"array", 32, 0, [] { return Bin1(9); }, true, "Array [9]"},
        {"doubled, 4 places", 35, 0, [] { return Bin1(7); }, true, "VW   14"},
        {"P below word 48", 38, 0, [] { return Bin1(3); }, true, "P   48"},
        {"P at word 47", 38, 0, [] { return Bin1(47); }, true, "P  752"},
        {"area from word 48", 38, 0, [] { return Bin1(48); }, true, "PW   48"},
        {"two bytes", 45, 0, [] { return Bin1(200); }, true, "DW 001.144"},
        {"ASCII of one word", 33, 0, [] { return Ascii(5, 1); }, true, "DW   5"},
        // bits
        {"bit below 8 in the second byte", 34, 0, [] { return Bit(5, 3); }, true, "MB  11.3"},
        {"bit from 8 in the first byte", 34, 0, [] { return Bit(5, 10); }, true, "MB  10.2"},
        {"bit on type 0", 0, 0, [] { return Bit(5, 3); }, true, "MW 0.11.3"},
        {"bit 15 on type 1", 1, 0, [] { return Bit(5, 15); }, true, "MW 0.10.7"},
        {"bit 0 on type 10", 10, 0, [] { return Bit(2, 0); }, true, "Counter    5.0"},
        {"bit 8 on type 15", 15, 0, [] { return Bit(2, 8); }, true, "MW    4.0"},
        {"bit 9 on type 18", 18, 0, [] { return Bit(2, 9); }, true, "MB   4.1"},
        {"bit 3 on type 5", 5, 0, [] { return Bit(5, 3); }, true, "AB x.  11.4"},
        {"bit 12 on type 5", 5, 0, [] { return Bit(5, 12); }, true, "AB x.  10.5"},
        {"bit counted from 1, type 6", 6, 0, [] { return Bit(5, 3); }, true, "MW     5.4"},
        {"bit counted from 1, type 7", 7, 0, [] { return Bit(5, 15); }, true, "MW    5.16"},
        {"bit counted from 1, type 8", 8, 0, [] { return Bit(5, 0); }, true, "R     5.1"},
        {"bit counted from 1, type 19", 19, 0, [] { return Bit(5, 9); }, true, "Wort    5.10"},
        {"bytes swapped, low bit", 26, 0, [] { return Bit(5, 3); }, true, "DW    5.11"},
        {"bytes swapped, high bit", 31, 0, [] { return Bit(5, 10); }, true, "DW    5.2"},
        {"bits reversed", 29, 0, [] { return Bit(5, 3); }, true, "MW    5.12"},
        {"P bit below word 48", 38, 100, [] { return Bit(3, 5); }, true, "P  153"},
        {"bit from word 48 on type 38", 38, 0, [] { return Bit(50, 5); }, true, "PW   50.5"},
        {"plain bit", 33, 0, [] { return Bit(7, 5); }, false, "DW 7.5"},
        // several words
        {"two words", 33, 0, [] { return Bin2(5); }, true, "DW   5,  6"},
        {"two words without digits", 33, 0, [] { return Bin2(5); }, false, "DW 5,6"},
        {"ten words", 33, 0, [] { return Ascii(5, 10); }, true, "DW   5.. 14"},
        {"word.byte pair", 0, 0, [] { return Bin2(5); }, true, "MW 0.10,0.12"},
        {"hex pair", 20, 0, [] { return Bin2(255); }, true, "WM 00FF,0100"},
        {"doubled pair, 5 places", 24, 0, [] { return Bin2(7); }, true, "MW    14,   16"},
        {"array pair", 32, 0, [] { return Bin2(9); }, true, "Array [9],[10]"},
        {"doubled pair, 4 places", 35, 0, [] { return Bin2(7); }, true, "VW   14,  16"},
        {"P pair below word 48", 38, 0, [] { return Bin2(3); }, true, "P   48,  64"},
        {"P pair at word 47", 38, 0, [] { return Bin2(47); }, true, "P  752, 768"},
        {"area pair from word 48", 38, 0, [] { return Bin2(48); }, true, "PW   48,  49"},
        {"two-byte pair", 45, 0, [] { return Bin2(200); }, true, "DW 001.144,001.146"},
        {"5-digit pair", 44, 0, [] { return Bin2(12); }, true, "Wort    12,   13"},
        {"4-digit range", 7, 0, [] { return Ascii(12, 3); }, true, "MW   12..  14"},
        // none
        {"internal", 33, 0, [] { return std::make_unique<CPrjIntVarW17>("ZW", 0x33FB, 1, 252, 0, 0); }, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CSpsPar sps(nullptr);
        sps.SetSpsType(c.spsType);
        sps.SetOffset(c.offset);
        sps.SetCaptions();
        EXPECT_EQ(sps.FmtVarAdr(*c.var(), c.useDigits), c.text);
    }
}

TEST(VarAddressText, WithoutCaptionsTheAreaIsEmpty)
{
    CSpsPar sps(nullptr);
    sps.SetSpsType(33);
    EXPECT_EQ(sps.FmtVarAdr(*Bin1(5), true), "   5");
    EXPECT_EQ(sps.FmtVarAdr(*Bin2(5), false), " 5,6");
}

} // namespace
