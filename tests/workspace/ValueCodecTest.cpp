#include "workspace/forms/ValueCodec.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace orv {

namespace {

TEST(workspace_value_codec, ReadsOnlyCompleteTextsInEachFormat)
{
    struct Case {
        ValueFmt fmt;
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {ValueFmt::Dec, "255", 255},
        {ValueFmt::Dec, "-1", -1},
        {ValueFmt::Dec, "+7", 7},
        {ValueFmt::Dec, "65536", 65536},
        {ValueFmt::Dec, "12x", std::nullopt},
        {ValueFmt::Dec, "", std::nullopt},
        {ValueFmt::Dec, " 5", std::nullopt},
        {ValueFmt::Dec, "99999999999", std::nullopt},
        {ValueFmt::Hex, "FFFF", 65535},
        {ValueFmt::Hex, "ffff", 65535},
        {ValueFmt::Hex, "00fF", 255},
        {ValueFmt::Hex, "A", 10},
        {ValueFmt::Hex, "10000", std::nullopt},
        {ValueFmt::Hex, "12x", std::nullopt},
        {ValueFmt::Hex, "", std::nullopt},
        {ValueFmt::Hex, "-1", std::nullopt},
        {ValueFmt::Bin, "00000000 11111111", 255},
        {ValueFmt::Bin, "11111111 11111111", 65535},
        {ValueFmt::Bin, "0000000011111111", std::nullopt},
        {ValueFmt::Bin, "00000000 1111111", std::nullopt},
        {ValueFmt::Bin, "00000000 111111111", std::nullopt},
        {ValueFmt::Bin, "00000000x11111111", std::nullopt},
        {ValueFmt::Bin, "00000002 11111111", std::nullopt},
        {ValueFmt::Bin, "", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " in format " + std::to_string(static_cast<int>(c.fmt)));
        EXPECT_EQ(ReadValue(c.fmt, c.text), c.value);
    }
}

TEST(workspace_value_codec, FormatsAndSwitchesKeepTheValue)
{
    EXPECT_EQ(FormatValue(ValueFmt::Dec, 255), "255");
    EXPECT_EQ(FormatValue(ValueFmt::Hex, 255), "00FF");
    EXPECT_EQ(FormatValue(ValueFmt::Hex, 5), "0005");
    EXPECT_EQ(FormatValue(ValueFmt::Bin, 5), "00000000 00000101");

    std::string text = "255";
    text = ConvertValueText(ValueFmt::Dec, ValueFmt::Hex, text);
    EXPECT_EQ(text, "00FF");
    text = ConvertValueText(ValueFmt::Hex, ValueFmt::Bin, text);
    EXPECT_EQ(text, "00000000 11111111");
    text = ConvertValueText(ValueFmt::Bin, ValueFmt::Dec, text);
    EXPECT_EQ(text, "255");

    // A text that does not read, and a value wider than the word, stay as
    // typed: BIN would show 65536 as 0.
    EXPECT_EQ(ConvertValueText(ValueFmt::Dec, ValueFmt::Hex, "12x"), "12x");
    EXPECT_EQ(ConvertValueText(ValueFmt::Dec, ValueFmt::Bin, "65536"), "65536");
    EXPECT_EQ(ConvertValueText(ValueFmt::Dec, ValueFmt::Hex, "-1"), "-1");
}

} // namespace

} // namespace orv
