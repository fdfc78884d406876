// The command set as pure text: builders, centred display lines, answer
// decoding, the digit-by-digit version compare and the 706 memory set-up.
#include "link/LinkCommands.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(link_commands, BuildersWriteTheExactForms)
{
    EXPECT_EQ(ReadMemoryCommand(0x0174, 4), "R017404");
    EXPECT_EQ(ReadMemoryCommand(0xFFFE, 0x20), "RFFFE20");
    EXPECT_EQ(BankCommand(2), "B02");
    EXPECT_EQ(BankCommand(0x1A), "B1A");
    EXPECT_EQ(WriteCommandHead(0xE000), "WE000");
    EXPECT_EQ(AckCommand(0x81), "A81");
    EXPECT_EQ(StatusWriteCommand({}), "SW0000" + std::string(32, '0'));
    std::array<uint8_t, 16> block{};
    block[0] = 0xAB;
    block[15] = 0x01;
    EXPECT_EQ(StatusWriteCommand(block), "SW0000AB" + std::string(28, '0') + "01");
    EXPECT_EQ(ClearLineCommand(3), "D3" + std::string(40, ' '));
    EXPECT_EQ(ClearLineCommand(3).size(), 42u);
    EXPECT_EQ(ExtraClearLines(473), (std::vector<int>{1, 2}));
    EXPECT_EQ(ExtraClearLines(477), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_TRUE(ExtraClearLines(706).empty());
}

TEST(link_commands, CentredLinesPerPanelType)
{
    struct Case {
        uint16_t type;
        std::string text;
        std::string title;
        std::string file;
    };
    const std::string forty(40, 'X');
    const Case cases[] = {
        {118, "ABCD", "D2" + std::string(8, ' ') + "ABCD" + std::string(8, ' '),
         "D3" + std::string(8, ' ') + "ABCD" + std::string(8, ' ')},
        {706, "ABC", "D1" + std::string(18, ' ') + "ABC" + std::string(19, ' '),
         "D2" + std::string(18, ' ') + "ABC" + std::string(19, ' ')},
        {477, "ABC", "D2" + std::string(18, ' ') + "ABC" + std::string(19, ' '),
         "D3" + std::string(18, ' ') + "ABC" + std::string(19, ' ')},
        {473, forty, "D1" + forty, "D2" + forty},
        {706, forty + "YZ", "D1" + forty, "D2" + forty},
        {14, std::string(25, 'Q'), "D2" + std::string(20, 'Q'), "D3" + std::string(20, 'Q')},
        {999, "ABC", "D1", "D2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + c.text);
        EXPECT_EQ(TitleLineCommand(c.type, c.text), c.title);
        EXPECT_EQ(FileLineCommand(c.type, c.text), c.file);
    }
    EXPECT_EQ(FileLineCommand(706, ">> FW.FRM"), "D2" + std::string(15, ' ') + ">> FW.FRM" + std::string(16, ' '));
    EXPECT_EQ(FileLineCommand(706, "<< A.BIN"), "D2" + std::string(16, ' ') + "<< A.BIN" + std::string(16, ' '));
}

TEST(link_commands, AnswersAndVersionDigits)
{
    EXPECT_EQ(HexPairToByte('0', 'A'), 0x0A);
    EXPECT_EQ(HexPairToByte('F', 'F'), 0xFF);
    EXPECT_EQ(HexPairToByte('G', '1'), 0x01);
    EXPECT_EQ(HexPairToByte('f', 'f'), 0x00);
    EXPECT_EQ(DecodeHexBytes("0A0B0C", 3), (std::vector<uint8_t>{0x0A, 0x0B, 0x0C}));
    EXPECT_FALSE(DecodeHexBytes("0A0B0", 3));
    EXPECT_EQ(PanelText({'A', 'N', '.', 'O', ' ', 'X'}), "AN.O");

    EXPECT_TRUE(AnyDigitLower("210", "199"));
    EXPECT_TRUE(AnyDigitLower("200", "199"));
    EXPECT_FALSE(AnyDigitLower("199", "199"));
    EXPECT_FALSE(AnyDigitLower("999", "010"));
}

TEST(link_commands, MemorySetupFromTheXAnswer)
{
    const std::string x = "0123456789ABCDEF0123456789ABCDEFxxxxxxxxxxxxAB";
    const std::string fifty = x + "CDEF";
    ASSERT_EQ(fifty.size(), 50u);
    const auto m = MemorySetupCommand(fifty, "11223344");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->size(), 51u);
    EXPECT_EQ(m->substr(0, 33), "M0123456789ABCDEF0123456789ABCDEF");
    EXPECT_EQ(m->substr(33, 4), "3344");
    EXPECT_EQ(m->substr(37, 4), "0700");
    EXPECT_EQ(m->substr(41, 4), "1122");
    EXPECT_EQ(m->substr(45), "ABCDEF");

    EXPECT_FALSE(MemorySetupCommand(std::string(43, '0'), "11223344"));
    EXPECT_TRUE(MemorySetupCommand(std::string(44, '0'), "11223344"));
    EXPECT_TRUE(MemorySetupCommand(std::string(123, '0'), "11223344"));
    EXPECT_FALSE(MemorySetupCommand(std::string(124, '0'), "11223344"));
    EXPECT_FALSE(MemorySetupCommand(fifty, "1122334"));
}

// The 043 and 118 families' set-up: the command's sixth character made
// 'F', cut to 25 characters, and the four digits of the 0xFFFE read; an
// "X" answer shorter than 24 characters gives none.
TEST(link_commands, MemorySetupOf043And118)
{
    const std::string x = "0123456789ABCDEF0123456789ABCDEF";
    EXPECT_EQ(MemorySetupCommand043(x, "0100"), "M0123F56789ABCDEF01234567" "0100");
    EXPECT_EQ(MemorySetupCommand043(x.substr(0, 24), "ABCD")->size(), 29u);
    EXPECT_FALSE(MemorySetupCommand043(x.substr(0, 23), "0100"));
}

} // namespace
} // namespace orv
