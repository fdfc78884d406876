#include "dialogs/QtText.h"

#include <gtest/gtest.h>

namespace orv {

namespace {

// Every panel byte comes back from its own Unicode character: a typed
// character lands on the byte the panel shows as that glyph.
TEST(QtText, EveryCp437ByteRoundTripsThroughUnicode)
{
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const QString text = FromCp437(byte);
        ASSERT_EQ(text.size(), 1) << b;
        const auto back = ToCp437(text.at(0).unicode());
        ASSERT_TRUE(back.has_value()) << b;
        EXPECT_EQ(*back, b);
    }
}

TEST(QtText, Cp437RefusesWhatItCannotHold)
{
    struct Case {
        char32_t cp;
        std::optional<unsigned char> byte;
    };
    const Case cases[] = {
        {U'A', 0x41},  {U'\u00C4', 0x8E}, {U'\u00DF', 0xE1}, {U'\u2591', 0xB0},
        {U'\u20AC', std::nullopt},         {U'\u00C0', std::nullopt},
        {U'\U0001F600', std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToCp437(c.cp), c.byte) << static_cast<unsigned>(c.cp);
    }
}

TEST(QtText, Cp1252RoundTripsAndMarksTheUnknown)
{
    EXPECT_EQ(FromCp1252("\x80 \xE4"), QString::fromUtf8("\u20AC \u00E4"));
    EXPECT_EQ(ToCp1252(QString::fromUtf8("\u20AC \u00E4")), "\x80 \xE4");
    EXPECT_EQ(ToCp1252(QString::fromUtf8("\u2591")), "?");
}

} // namespace

} // namespace orv
