#include "model/core/Catalogues.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace orv;

namespace {

using Lookup = const char* (*)(std::uint16_t);

// Numbers 1..last whose lookup gives the out-of-range text itself.
std::set<unsigned> NumbersWithoutText(Lookup lookup, unsigned last)
{
    std::set<unsigned> missing;
    const char* outOfRange = lookup(0);
    for (unsigned n = 1; n <= last; ++n)
        if (lookup(static_cast<std::uint16_t>(n)) == outOfRange) missing.insert(n);
    return missing;
}

std::set<unsigned> Ranges(std::initializer_list<std::pair<unsigned, unsigned>> ranges)
{
    std::set<unsigned> s;
    for (auto [from, to] : ranges)
        for (unsigned n = from; n <= to; ++n) s.insert(n);
    return s;
}

TEST(Catalogues, OwnTextsAndNumbersWithoutText)
{
    struct {
        const char* name;
        Lookup lookup;
        unsigned last;
        std::set<unsigned> missing;
        const char* outOfRange;
        unsigned ownTexts;
    } catalogues[] = {
        {"ResourceTXT", ResourceTXT, 1668, {}, "ResourceTXT String index out of bounds", 1668},
        {"resErrorText", resErrorText, 718,
         Ranges({{25, 27}, {29, 31}, {34, 36}, {75, 75}, {84, 100}, {102, 103}, {349, 349}, {430, 430},
                 {647, 650}, {661, 661}, {674, 675}, {679, 688}, {713, 713}}),
         "INTERNAL ERROR (should not occur): resErrorText( uErrorTextNumber) out of bounds", 669},
        {"resError2", resError2, 303,
         Ranges({{32, 32}, {43, 43}, {80, 80}, {168, 186}, {276, 276}, {292, 293}, {295, 298}}),
         "INTERNAL ERROR (should not occur): resError2 out of bounds", 274},
        {"ResKonstText", ResKonstText, 393, {232}, "ResKonstText String not yet implemented", 392},
    };
    for (const auto& c : catalogues) {
        SCOPED_TRACE(c.name);
        EXPECT_STREQ(c.lookup(0), c.outOfRange);
        EXPECT_EQ(c.lookup(static_cast<std::uint16_t>(c.last + 1)), c.lookup(0));
        EXPECT_EQ(c.lookup(0xFFFF), c.lookup(0));
        std::set<unsigned> missing = NumbersWithoutText(c.lookup, c.last);
        EXPECT_EQ(missing, c.missing);
        EXPECT_EQ(c.last - missing.size(), c.ownTexts);
    }
}

TEST(Catalogues, EdgeCases)
{
    EXPECT_EQ(resErrorText(0), resErrorText(719));
    EXPECT_EQ(resErrorText(25), resErrorText(0));
    EXPECT_STREQ(ResourceTXT(1668), "DEFAULT-Rezepttext");
    EXPECT_STREQ(ResourceTXT(1669), "ResourceTXT String index out of bounds");
    EXPECT_STREQ(resError2(303), "wird bei Folgeadressierung \xFC" "berschritten");
    EXPECT_STREQ(resError2(300), "F\xFCr Folgeadressierung stehen nur");
}

TEST(Catalogues, Bytes)
{
    EXPECT_STREQ(ResourceTXT(624), "Men\xFC");
    EXPECT_EQ(std::strlen(ResourceTXT(624)), 4u);
    EXPECT_NE(std::strchr(ResourceTXT(533), '\x10'), nullptr);
    EXPECT_NE(std::strstr(ResourceTXT(533), "1-\x10" "0"), nullptr);
    std::string t558 = ResourceTXT(558);
    ASSERT_FALSE(t558.empty());
    EXPECT_EQ(t558.back(), ';');
    EXPECT_STREQ(ResourceTXT(557), "");
    EXPECT_STREQ(ResourceTXT(248), " ORV 014 ");
    EXPECT_STREQ(ResourceTXT(7), "~L~\xF6schen");
    EXPECT_STREQ(resErrorText(16), "Soll sie \xFC" "berschrieben werden?");
}

TEST(Catalogues, NumbersTheModelUses)
{
    const std::map<unsigned, const char*> resource = {
        {12, "Firma:"}, {17, "Bemerkungen:"}, {639, "[HINWEISE]"}, {740, "[REZEPTNR_SOLL]"},
        {741, "MO"}, {748, "Zeitschaltuhr"}, {1128, "SPS"}, {1164, " 15    ...     8  7     ...     0"},
        {1170, "Belegung"}, {1174, "Datum"}, {1210, "H"}, {1211, "W"}, {1212, "S"},
    };
    for (const auto& [n, text] : resource) EXPECT_STREQ(ResourceTXT(static_cast<std::uint16_t>(n)), text) << n;
    EXPECT_STREQ(resErrorText(525), "Rezepttextnummer (1..%d) erwartet!");
    EXPECT_STREQ(resErrorText(627), "Wertebereich %d..%d erwartet");
    EXPECT_STREQ(resErrorText(633), "Zeichen");
    EXPECT_STREQ(resErrorText(634), "Schl\xFCsselwort");
    EXPECT_STREQ(resErrorText(635), "erwartet!");
    EXPECT_STREQ(resError2(150), "Wortnummer");
    EXPECT_STREQ(resError2(159), "Steuerung mit Nummer");
    EXPECT_STREQ(resError2(160), "existiert bereits");
}

// A printout line: `length` times `fill`, with the given bytes at columns.
std::string Line(std::size_t length, char fill, std::map<std::size_t, char> at = {})
{
    std::string s(length, fill);
    for (auto [col, c] : at) s[col] = c;
    return s;
}

TEST(KonstText, EdgeCases)
{
    EXPECT_STREQ(ResKonstText(232), "ResKonstText String not yet implemented");
    EXPECT_EQ(ResKonstText(232), ResKonstText(394));
    EXPECT_STREQ(ResKonstText(141), "473MPIMD.DRV");
    EXPECT_STREQ(ResKonstText(145), "473MPIMD.DRV");
    EXPECT_STREQ(ResKonstText(1), "CS31_DIR");
    EXPECT_STREQ(ResKonstText(79), "UNKNOWN");
    EXPECT_STREQ(ResKonstText(80), "ABBCS3CS.DRV");
    EXPECT_STREQ(ResKonstText(157), "PROMPIME.DRV");
    EXPECT_STREQ(ResKonstText(158), "ABB_CS31_ARCNET_MW");
    EXPECT_STREQ(ResKonstText(207), "ABBDF1_DIR");
    EXPECT_STREQ(ResKonstText(225), "ORV014_PARAMETER");
    EXPECT_STREQ(ResKonstText(240), "ORV167_PARAMETER");
    EXPECT_STREQ(ResKonstText(320), "RECIPESIZE");
    EXPECT_STREQ(ResKonstText(347), "RACK");
    EXPECT_STREQ(ResKonstText(348), "[Z001]");
    EXPECT_STREQ(ResKonstText(381), "[Z034]");
    EXPECT_STREQ(ResKonstText(382), "[Z076]");
    EXPECT_STREQ(ResKonstText(391), "[Z085]");
    EXPECT_STREQ(ResKonstText(392), "[Z098]");
    EXPECT_STREQ(ResKonstText(393), "[Z099]");
}

TEST(KonstText, KeywordsThatServeTwoRoles)
{
    EXPECT_STREQ(ResKonstText(288), ResKonstText(301));
    EXPECT_STREQ(ResKonstText(288), "MENU");
    EXPECT_STREQ(ResKonstText(278), ResKonstText(334));
    EXPECT_STREQ(ResKonstText(278), "WORD");
}

TEST(KonstText, RulersAndPrintoutLines)
{
    const std::string boxCols = Line(80, '\xC4', {{0, '\xBA'}, {12, '\xC5'}, {18, '\xC5'}, {55, '\xC5'}, {79, '\xBA'}});
    std::string dotted;  // 332: 0xDC at even columns 0..14 and odd columns 17..31
    for (std::size_t col = 0; col < 32; ++col)
        dotted += (col <= 14 && col % 2 == 0) || (col >= 17 && col % 2 == 1) ? '\xDC' : ' ';
    std::string printable;
    for (char c = 0x20; c <= 0x3F; ++c) printable += c;

    const std::map<unsigned, std::string> expected = {
        {208, "F1   F2   F3   F4   "},
        {209, "F5   F6   F7   F8   "},
        {210, "F1   F2   F3   F4   F5   F6   F7   F8   "},
        {211, "F9   F10  F11  F12  F13  F14  F15  F16  "},
        {212, "F1  F2  F3  F4  F5  F6  F7  F8  F9  F10 "},
        {213, "F11 F12 F13 F14 F15 F16 F17 F18 F19 F20 "},
        {214, "[F1] [F2]  [F3] [F4]"},
        {215, "[F5] [F6]  [F7] [F8]"},
        {216, "[F1] [F2] [F3] [F4]  [F5] [F6] [F7] [F8]"},
        {217, "[F9] [F10][F11][F12][F13][F14][F15][F16]"},
        {218, "[F1][F2][F3][F4][F5][F6][F7][F8][F9][F10]"},
        {219, "[F11[F12[F13[F14[F15[F16[F17[F18[F19[F20]"},
        {220, "12345678901234567890"},
        {221, "1234567890123456789012345678901234567890"},
        {222, Line(40, ' ', {{0, '0'}, {10, '1'}, {20, '2'}, {30, '3'}, {39, '4'}})},
        {321, Line(76, '_')},
        {322, Line(80, '\xCD', {{0, '\xC9'}, {79, '\xBB'}})},
        {323, boxCols},
        {324, Line(80, ' ', {{0, '\xBA'}, {12, '\xB3'}, {18, '\xB3'}, {55, '\xB3'}, {79, '\xBA'}})},
        {325, Line(80, '\xCD', {{0, '\xC8'}, {79, '\xBC'}})},
        {326, Line(80, '\xDF')},
        {327, Line(80, ' ')},
        {328, Line(80, ' ', {{12, '\xB3'}, {18, '\xB3'}, {55, '\xB3'}})},
        {329, Line(80, '\xC4', {{12, '\xC5'}, {18, '\xC5'}, {55, '\xC5'}})},
        {330, Line(80, '\xC4', {{12, '\xC1'}, {18, '\xC1'}, {55, '\xC1'}})},
        {331, "_ _ _ _ _ _ _ _  _ _ _ _ _ _ _ _"},
        {332, dotted},
        {333, printable + "lmnopq"},
    };
    for (const auto& [n, text] : expected) EXPECT_EQ(ResKonstText(static_cast<std::uint16_t>(n)), text) << n;
    EXPECT_EQ(expected.at(333).size(), 38u);
    EXPECT_EQ(expected.at(218).size(), 41u);
}

}  // namespace
