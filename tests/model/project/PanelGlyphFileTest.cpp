#include "platform/CodePage.h"
#include "platform/FileReplace.h"
#include "support/TempDir.h"
#include "tools/fontgen/GlyphFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <sys/wait.h>

using namespace orv;

namespace {

// The graphic symbols the OEM page shows for the control codes; the platform
// table keeps those codes as controls because texts never show them.
const std::map<int, char32_t> kControlSymbols = {
    {0x01, 0x263A}, {0x02, 0x263B}, {0x03, 0x2665}, {0x04, 0x2666}, {0x05, 0x2663},
    {0x06, 0x2660}, {0x07, 0x2022}, {0x08, 0x25D8}, {0x09, 0x25CB}, {0x0A, 0x25D9},
    {0x0B, 0x2642}, {0x0C, 0x2640}, {0x0D, 0x266A}, {0x0E, 0x266B}, {0x0F, 0x263C},
    {0x10, 0x25BA}, {0x11, 0x25C4}, {0x12, 0x2195}, {0x13, 0x203C}, {0x14, 0x00B6},
    {0x15, 0x00A7}, {0x16, 0x25AC}, {0x17, 0x21A8}, {0x18, 0x2191}, {0x19, 0x2193},
    {0x1A, 0x2192}, {0x1B, 0x2190}, {0x1C, 0x221F}, {0x1D, 0x2194}, {0x1E, 0x25B2},
    {0x1F, 0x25BC}, {0x7F, 0x2302},
};

struct RunResult {
    int exitCode = -1;
    std::string output;
};

RunResult RunFontgen(const std::string& glyphFile, const std::string& outDir)
{
    const std::string command = std::string("'") + ORV_FONTGEN + "' '" + glyphFile + "' '" + outDir + "' 2>&1";
    RunResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return result;
    char chunk[512];
    while (size_t n = fread(chunk, 1, sizeof chunk, pipe))
        result.output.append(chunk, n);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// A small complete glyph file: one set and one font. Glyph c's header is on
// line 3 + 9c, its rows on the eight lines after it.
std::vector<std::string> SmallGlyphFile()
{
    std::vector<std::string> lines = {"notice test glyphs", "set s ascent 7"};
    for (int code = 0; code < 256; ++code) {
        char header[32];
        std::snprintf(header, sizeof header, "glyph 0x%02X U+%04X", code, code);
        lines.push_back(header);
        for (int r = 0; r < 8; ++r)
            lines.push_back(r == code % 8 ? "#.#.#" : ".....");
    }
    for (const char* line : {"font A.FON", "face a", "module A", "base s", "blank 0x08 0x0F"})
        lines.push_back(line);
    return lines;
}

int HeaderLine(int code) { return 3 + 9 * code; }

std::string PanelGlyphFileJoin(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& l : lines)
        text += l + "\n";
    return text;
}

} // namespace

TEST(PanelGlyphFile, ShippedFileDescribesTheThreeFontsOverCodePage437)
{
    std::string text;
    ASSERT_TRUE(orv::ReadWholeFile(ORV_GLYPH_FILE, text));
    GlyphFile file;
    GlyphFileError error;
    ASSERT_TRUE(ParseGlyphFile(text, file, error)) << error.line << ": " << error.message;

    EXPECT_NE(std::string::npos, file.notice.find("Public domain font."));
    ASSERT_EQ(2u, file.sets.size());
    EXPECT_EQ("5x8", file.sets[0].name);
    EXPECT_EQ("5x7", file.sets[1].name);
    for (const GlyphSet& set : file.sets) {
        for (int code = 1; code < 256; ++code) {
            const auto symbol = kControlSymbols.find(code);
            const char32_t want = symbol != kControlSymbols.end()
                                      ? symbol->second
                                      : orv::CodePointOf(static_cast<unsigned char>(code), orv::CodePage::Cp437);
            EXPECT_EQ(static_cast<uint32_t>(want), static_cast<uint32_t>(set.codePoints[code]))
                << set.name << " code " << code;
        }
    }
    ASSERT_EQ(3u, file.fonts.size());
    struct Want { const char* file; const char* face; const char* module; const char* base; };
    const Want wants[] = {{"ALT.FON", "alt", "ALT", "5x8"}, {"INT.FON", "int", "INT", "5x8"},
                          {"706.FON", "706", "706", "5x7"}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(wants[i].file, file.fonts[i].fileName);
        EXPECT_EQ(wants[i].face, file.fonts[i].face);
        EXPECT_EQ(wants[i].module, file.fonts[i].module);
        EXPECT_EQ(wants[i].base, file.fonts[i].base);
    }
}

TEST(PanelGlyphFile, MalformedFilesStopTheToolNamingTheLine)
{
    TempDir dir;
    struct Case {
        const char* name;
        std::function<int(std::vector<std::string>&)> spoil;   // gives the line at fault
        const char* message;
    };
    const std::vector<Case> cases = {
        {"row of six", [](auto& l) { l[HeaderLine(0x41) + 2 - 1] = "#.#.#."; return HeaderLine(0x41) + 2; },
         "row of 6 pixels"},
        {"seven rows", [](auto& l) { l.erase(l.begin() + HeaderLine(0x41)); return HeaderLine(0x42) - 1; },
         "glyph 0x41 has 7 rows"},
        {"duplicate", [](auto& l) { l[HeaderLine(0x42) - 1] = "glyph 0x41 U+0041"; return HeaderLine(0x42); },
         "duplicate glyph 0x41"},
        {"missing", [](auto& l) { l[HeaderLine(0x42) - 1] = "glyph 0x43 U+0043"; return HeaderLine(0x42); },
         "glyph 0x42 missing"},
        {"missing at the end", [](auto& l) {
             l.erase(l.begin() + HeaderLine(0xFF) - 1, l.begin() + HeaderLine(0xFF) + 8);
             return HeaderLine(0xFF); },
         "lacks glyphs 0xFF"},
        {"unknown directive", [](auto& l) { l.push_back("bold 0x41"); return static_cast<int>(l.size()); },
         "unknown directive 'bold'"},
        {"copy from outside", [](auto& l) { l.push_back("copy 0x41 from 0x100"); return static_cast<int>(l.size()); },
         "0x100 outside"},
    };

    const RunResult good = RunFontgen((dir.Write("good.txt", PanelGlyphFileJoin(SmallGlyphFile())), dir.File("good.txt")), dir.File("out"));
    ASSERT_EQ(0, good.exitCode) << good.output;
    ASSERT_FALSE(dir.Read("out/A.FON").empty());

    // A line of only a form feed or vertical tab is blank, not a directive.
    std::vector<std::string> spaced = SmallGlyphFile();
    spaced.insert(spaced.begin() + 1, "\f");
    spaced.insert(spaced.begin() + 1, "\v");
    dir.Write("spaced.txt", PanelGlyphFileJoin(spaced));
    const RunResult blank = RunFontgen(dir.File("spaced.txt"), dir.File("spacedout"));
    EXPECT_EQ(0, blank.exitCode) << blank.output;

    for (const Case& c : cases) {
        std::vector<std::string> lines = SmallGlyphFile();
        const int line = c.spoil(lines);
        dir.Write("bad.txt", PanelGlyphFileJoin(lines));
        const RunResult r = RunFontgen(dir.File("bad.txt"), dir.File("badout"));
        EXPECT_NE(0, r.exitCode) << c.name;
        const std::string where = dir.File("bad.txt") + ":" + std::to_string(line) + ":";
        EXPECT_NE(std::string::npos, r.output.find(where)) << c.name << ": " << r.output;
        EXPECT_NE(std::string::npos, r.output.find(c.message)) << c.name << ": " << r.output;
        EXPECT_TRUE(dir.Read("badout/A.FON").empty()) << c.name;
    }
}
