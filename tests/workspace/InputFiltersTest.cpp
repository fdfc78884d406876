// The hexadecimal and decimal field rules, typed and pasted.
#include "workspace/forms/InputFilters.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {

enum class FilterField { Hex, Num };

CharFilter FilterOf(FilterField field)
{
    return field == FilterField::Hex ? &FilterHexChar : &FilterNumChar;
}

} // namespace

TEST(workspace_input_filters, TypedCharacters)
{
    struct Case {
        FilterField field;
        bool isSigned;
        char32_t ch;
        CharVerdict verdict;
        char32_t taken;
    };
    const Case cases[] = {
        // Lower-case letters would read as 0, so they are taken upper-cased.
        {FilterField::Hex, false, U'b', CharVerdict::TakeChanged, U'B'},
        {FilterField::Hex, false, U'f', CharVerdict::TakeChanged, U'F'},
        {FilterField::Hex, false, U'F', CharVerdict::Take, U'F'},
        {FilterField::Hex, false, U'0', CharVerdict::Take, U'0'},
        {FilterField::Hex, false, U'9', CharVerdict::Take, U'9'},
        {FilterField::Hex, false, U'G', CharVerdict::Drop, 0},
        {FilterField::Hex, false, U'g', CharVerdict::Drop, 0},
        {FilterField::Hex, true, U'-', CharVerdict::Drop, 0},
        {FilterField::Hex, false, U' ', CharVerdict::Drop, 0},
        {FilterField::Hex, false, U'\u00e4', CharVerdict::Drop, 0},
        {FilterField::Hex, false, kBackspaceChar, CharVerdict::Take, kBackspaceChar},
        {FilterField::Num, false, U'-', CharVerdict::Drop, 0},
        {FilterField::Num, true, U'-', CharVerdict::Take, U'-'},
        {FilterField::Num, true, U'+', CharVerdict::Drop, 0},
        {FilterField::Num, false, U'0', CharVerdict::Take, U'0'},
        {FilterField::Num, true, U'7', CharVerdict::Take, U'7'},
        {FilterField::Num, false, U'9', CharVerdict::Take, U'9'},
        {FilterField::Num, false, U'a', CharVerdict::Drop, 0},
        {FilterField::Num, true, U'.', CharVerdict::Drop, 0},
        {FilterField::Num, false, kBackspaceChar, CharVerdict::Take, kBackspaceChar},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.field == FilterField::Hex ? "hex " : "num ") << c.isSigned << " U+"
                                        << std::hex << static_cast<unsigned>(c.ch));
        const CharFilterResult r = FilterOf(c.field)(c.ch, c.isSigned);
        EXPECT_EQ(r.verdict, c.verdict);
        if (c.verdict != CharVerdict::Drop) {
            EXPECT_EQ(r.ch, c.taken);
        }
    }
}

TEST(workspace_input_filters, PastedText)
{
    struct Case {
        FilterField field;
        bool isSigned;
        std::u32string pasted;
        std::u32string kept;
    };
    const Case cases[] = {
        {FilterField::Hex, false, U"1b G", U"1B"},
        {FilterField::Hex, false, U"ff\t\b", U"FF"},
        {FilterField::Hex, false, U"0x1A", U"01A"},
        // The minus sign is taken anywhere in a signed field, as typing takes it.
        {FilterField::Num, true, U"12a-3", U"12-3"},
        {FilterField::Num, false, U"12a-3", U"123"},
        {FilterField::Num, true, U"-1 000\n", U"-1000"},
        {FilterField::Num, false, U"", U""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.field == FilterField::Hex ? "hex " : "num ") << c.isSigned << " #"
                                        << (&c - cases));
        EXPECT_EQ(FilterPasted(c.pasted, FilterOf(c.field), c.isSigned), c.kept);
    }
}
