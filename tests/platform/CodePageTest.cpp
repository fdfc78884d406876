#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

using namespace orv;

TEST(CodePages, EveryByteRoundTrips)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    for (const CodePage cp : {CodePage::Cp437, CodePage::Cp1252}) {
        SCOPED_TRACE(cp == CodePage::Cp437 ? "437" : "1252");
        std::set<char32_t> seen;
        for (int b = 0; b < 256; ++b) {
            const char32_t c = CodePointOf(static_cast<unsigned char>(b), cp);
            if (b < 0x80) {
                EXPECT_EQ(c, static_cast<char32_t>(b));
            }
            seen.insert(c);
        }
        EXPECT_EQ(seen.size(), 256u);
        bool lossy = true;
        EXPECT_EQ(FromUtf8(ToUtf8(all, cp), cp, &lossy), all);
        EXPECT_FALSE(lossy);
    }
}

TEST(CodePages, SpotTable)
{
    struct Case {
        CodePage cp;
        unsigned char byte;
        char32_t codePoint;
        const char* utf8;
    };
    const Case cases[] = {
        {CodePage::Cp437, 0x81, U'\u00FC', "\xC3\xBC"},      // u umlaut
        {CodePage::Cp437, 0xE1, U'\u00DF', "\xC3\x9F"},      // sharp s
        {CodePage::Cp437, 0xC9, U'\u2554', "\xE2\x95\x94"},  // double box corner
        {CodePage::Cp1252, 0x80, U'\u20AC', "\xE2\x82\xAC"}, // euro sign
        {CodePage::Cp1252, 0xFC, U'\u00FC', "\xC3\xBC"},
        {CodePage::Cp1252, 0x81, U'\u0081', "\xC2\x81"},     // unassigned byte
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.byte));
        const std::string byte(1, static_cast<char>(c.byte));
        EXPECT_EQ(CodePointOf(c.byte, c.cp), c.codePoint);
        EXPECT_EQ(ToUtf8(byte, c.cp), c.utf8);
        EXPECT_EQ(FromUtf8(c.utf8, c.cp), byte);
    }
}

TEST(CodePages, UnmappableOrMalformedInputBecomesQuestionMark)
{
    struct Case {
        const char* name;
        CodePage cp;
        std::string utf8;
        std::string bytes;
        bool lossy;
    };
    const Case cases[] = {
        {"plain question mark", CodePage::Cp437, "a?b", "a?b", false},
        {"euro missing from 437", CodePage::Cp437, "a\xE2\x82\xAC" "b", "a?b", true},
        {"box corner missing from 1252", CodePage::Cp1252, "\xE2\x95\x94", "?", true},
        {"truncated at the end", CodePage::Cp1252, "ab\xE2\x82", "ab?", true},
        {"overlong two-byte", CodePage::Cp1252, "\xC0\xAF", "??", true},
        {"overlong three-byte", CodePage::Cp1252, "\xE0\x80\xAF", "???", true},
        {"surrogate", CodePage::Cp1252, "\xED\xA0\x80", "???", true},
        {"stray continuation", CodePage::Cp437, "x\x80y", "x?y", true},
        {"beyond U+10FFFF", CodePage::Cp437, "\xF4\x90\x80\x80", "????", true},
        {"interrupted sequence", CodePage::Cp1252, "\xE2\x82" "A", "?A", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool lossy = !c.lossy;
        EXPECT_EQ(FromUtf8(c.utf8, c.cp, &lossy), c.bytes);
        EXPECT_EQ(lossy, c.lossy);
    }
}

TEST(CodePages, NeverReadsPastTheInput)
{
    // A heap buffer of exactly the view's size, so reading on is caught, and
    // a view that ends inside a sequence its buffer completes.
    const std::string full = "x\xE2\x82\xAC";
    auto exact = std::make_unique<char[]>(3);
    std::copy(full.begin(), full.begin() + 3, exact.get());
    bool lossy = false;
    EXPECT_EQ(FromUtf8(std::string_view(exact.get(), 3), CodePage::Cp1252, &lossy), "x?");
    EXPECT_TRUE(lossy);
    EXPECT_EQ(FromUtf8(std::string_view(full).substr(0, 3), CodePage::Cp1252), "x?");
}
