#pragma once

// Lays out a complete panel font file exactly as CFon::Save writes it back,
// so that loading a built file and saving it unchanged gives the same bytes.

#include "model/project/FonFormat.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orv {

struct FonGlyph {
    uint16_t width = 0;
    std::array<uint8_t, kMaxGlyphRows> rows{};   // first byte column, top row first
    std::array<uint8_t, kMaxGlyphRows> rows2{};  // second byte column
};

struct FonDesc {
    // dfLastChar, dfSize, dfFace, dfDevice and dfBitsOffset are set by the
    // builder; every other field is written as given.
    FonHeader header;
    std::vector<FonGlyph> glyphs;  // dfFirstChar .. dfLastChar + 1: at least two
    std::string face;
    std::string device;            // empty: dfDevice 0
    std::string module;            // first entry of the resident-name table
    bool pad = true;               // end with 1..16 zero bytes as Save does
};

// File offsets of the pieces of a built file.
struct FonFileLayout {
    size_t neHeader = 0;
    size_t resTable = 0;
    size_t resNames = 0;
    size_t fontResource = 0;
    size_t charTable = 0;
    size_t glyphRows = 0;
    size_t faceName = 0;
    size_t deviceName = 0;
    size_t end = 0;   // before the padding
};

std::string BuildFonFile(const FonDesc& desc, FonFileLayout* layout = nullptr);

} // namespace orv
