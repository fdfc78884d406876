#include "model/core/CheckedFormat.h"

#include <gtest/gtest.h>

#include <functional>

using namespace orv;

namespace {


struct FormatCase {
    const char* what;
    std::function<std::string()> run;
    std::string expected;
};

TEST(CheckedFormat, FormatsLikePrintfAndMarksWhatItCannotFill)
{
    const char* nullText = nullptr;
    const FormatCase cases[] = {
        {"%5u", [] { return CheckedFormat("[%5u]", 42u); }, "[   42]"},
        {"%02u", [] { return CheckedFormat("%02u:%02u", 7, 5); }, "07:05"},
        {"%-20s", [] { return CheckedFormat("[%-20s]", "Datei"); }, "[Datei               ]"},
        {"%03d", [] { return CheckedFormat("%03d", -7); }, "-07"},
        {"%6ld", [] { return CheckedFormat("%6ld", 123456789L); }, "123456789"},
        {"%6ld short", [] { return CheckedFormat("%6ld", 12); }, "    12"},
        {"%c", [] { return CheckedFormat("Laufwerk %c:", 'A'); }, "Laufwerk A:"},
        {"%X", [] { return CheckedFormat("%X/%x", 0xBEEF, 255); }, "BEEF/ff"},
        {"%%", [] { return CheckedFormat("100%% von %d", 3); }, "100% von 3"},
        {"%u of a negative int wraps at its width", [] { return CheckedFormat("%u", -1); }, "4294967295"},
        {"%d of an unsigned short", [] { return CheckedFormat("%d", static_cast<unsigned short>(65535)); }, "65535"},
        {"%hd narrows", [] { return CheckedFormat("%hd", 65535); }, "-1"},
        {"%s of std::string", [] { return CheckedFormat("<%s>", std::string("abc")); }, "<abc>"},
        {"%.2s precision", [] { return CheckedFormat("%.2s|%5.1s", "abc", "xyz"); }, "ab|    x"},
        {"%.1f", [] { return CheckedFormat("%.1f", 2.25); }, "2.2"},
        {"number for %s", [] { return CheckedFormat("Datei %s fehlt", 12); }, "Datei <?> fehlt"},
        {"text for %d", [] { return CheckedFormat("Zeile %d", "zwei"); }, "Zeile <?>"},
        {"double for %d", [] { return CheckedFormat("%d", 1.5); }, "<?>"},
        {"int for %f", [] { return CheckedFormat("%f", 1); }, "<?>"},
        {"missing argument", [] { return CheckedFormat("%d..%d", 1); }, "1..<?>"},
        {"extra argument ignored", [] { return CheckedFormat("%d", 1, 2, "drei"); }, "1"},
        {"%n", [] { return CheckedFormat("ab%ncd%d", 5, 6); }, "ab<?>cd6"},
        {"* width keeps later arguments in place", [] { return CheckedFormat("%*d|%s", 5, 3, "x"); }, "<?>|x"},
        {"* precision", [] { return CheckedFormat("%.*s", 2, "abc"); }, "<?>"},
        {"null text", [=] { return CheckedFormat("[%s]", nullText); }, "[<?>]"},
        {"unknown conversion", [] { return CheckedFormat("%y%d", 4); }, "<?>4"},
        {"cut conversion at the end", [] { return CheckedFormat("50 %", 4); }, "50 <?>"},
        {"no conversions", [] { return CheckedFormat("Bereit"); }, "Bereit"},
        {"null format", [] { return CheckedFormat(nullptr); }, "<?>"},
    };
    for (const FormatCase& c : cases) EXPECT_EQ(c.run(), c.expected) << c.what;
}

TEST(CheckedFormat, CutsAt511Characters)
{
    const std::string long600(600, 'x');
    std::string text = CheckedFormat("%s", long600);
    EXPECT_EQ(text, std::string(511, 'x'));
    EXPECT_EQ(CheckedFormat("ab%-600d", 1).size(), 511u);
    EXPECT_EQ(CheckedFormat(long600.c_str()).size(), 511u);
}

TEST(CheckedFormat, LiteralFormatsAreCutToo)
{
    const std::string long600(600, 'y');
    EXPECT_EQ(FormatText("%s!", long600.c_str()), std::string(511, 'y'));
    EXPECT_EQ(FormatText("%d-%s", 4, "x"), "4-x");
}

}  // namespace
