#pragma once

// The reviewable text source of the shipped panel fonts: glyph sets drawn as
// rows of '#' and '.', and one section per font file naming its base set and
// its changes to it.

#include "tools/fontgen/FonBuilder.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

inline constexpr int kPanelGlyphs = 256;
inline constexpr int kPanelRows = 8;
inline constexpr int kPanelWidth = 5;

using PanelGlyph = std::array<uint8_t, kPanelRows>;   // pixels in bits 7..3

struct GlyphSet {
    std::string name;
    int ascent = 0;
    std::array<PanelGlyph, kPanelGlyphs> glyphs{};
    std::array<char32_t, kPanelGlyphs> codePoints{};   // the U+ annotations
};

struct GlyphChange {
    enum class Kind { Blank, Copy } kind = Kind::Blank;
    int first = 0;   // Blank: first..last; Copy: code `first` from `last`
    int last = 0;
};

struct FontSection {
    std::string fileName;
    std::string face;
    std::string module;
    std::string base;
    std::vector<GlyphChange> changes;
};

struct GlyphFile {
    std::string notice;
    std::vector<GlyphSet> sets;
    std::vector<FontSection> fonts;

    const GlyphSet* FindSet(std::string_view name) const;
    // The base set's glyphs with the section's changes applied in order.
    std::array<PanelGlyph, kPanelGlyphs> FontGlyphs(const FontSection& font) const;
    // The complete font file description of a section.
    FonDesc MakeDesc(const FontSection& font) const;
};

struct GlyphFileError {
    int line = 0;
    std::string message;
};

// False with the first error's line (1-based) and a message.
bool ParseGlyphFile(std::string_view text, GlyphFile& out, GlyphFileError& error);

} // namespace orv
