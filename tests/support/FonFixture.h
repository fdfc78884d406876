#pragma once

// Panel font files built in code for the font tests: a valid font with a
// distinct row pattern per code, and one file per way of being malformed.

#include "tools/fontgen/FonBuilder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

struct FonFixtureOptions {
    int glyphs = 256;          // codes 0 .. glyphs - 1, then the entry after them
    bool twoColumns = false;   // every glyph ten pixels wide
    bool pad = true;
    std::string face = "fixture";
    std::string device;
    std::string module = "FIXTURE";
};

// The first-column row of a code: rows 0 and 1 together tell every code apart.
uint8_t FixtureRow(int code, int row);
// The second-column row of a two-column font.
uint8_t FixtureRow2(int code, int row);

FonDesc MakeFixtureDesc(const FonFixtureOptions& options = {});
std::string BuildFixtureFon(const FonFixtureOptions& options = {}, FonFileLayout* layout = nullptr);

enum class FonFault {
    Empty, NoMz, RelocOffset63, NeOffsetPastEnd, NoNe, ResTableIsResNames,
    ResTableRunsOff, NoRtFont, FontOffsetBeyondFile, FontInsideNeHeader,
    Version3, VectorFont, FirstChar32, PixHeight0, PixHeight21,
    GlyphWidth17, NarrowGlyph0WideOther, GlyphOffsetOutside, GlyphOffsetMisplaced,
    FaceUnterminated,
};
std::vector<FonFault> AllFonFaults();
const char* FonFaultName(FonFault fault);
std::string BuildMalformedFon(FonFault fault);

} // namespace orv
