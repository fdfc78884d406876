#pragma once

// One panel font file held in memory: the bitmap font whose glyphs the screen
// draws and whose 8-row glyphs fill the character set's 2048-byte buffers.

#include "model/project/CharSet.h"
#include "model/project/FonFormat.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// One glyph: its character-table entry and its rows, leftmost pixel in bit 7.
struct TSZeichenInfo {
    uint16_t width = 0;
    uint16_t offset = 0;   // from the start of the font resource
    std::array<uint8_t, kMaxGlyphRows> rows{};    // first byte column, top first
    std::array<uint8_t, kMaxGlyphRows> rows2{};   // second byte column
};

class CFon {
public:
    // The family flag picks the module-name slot: 0 the first, else the second.
    explicit CFon(uint8_t familyFlag);
    ~CFon();
    CFon(const CFon&) = delete;
    CFon& operator=(const CFon&) = delete;

    // 1: the file holds a complete font in the accepted layout, now held.
    // 0: the file was opened but refused (logged). 255: it cannot be opened.
    // A failed load keeps the font held before.
    int Load(const std::string& path);
    // Writes the held pieces back, then 1..16 zero bytes. The old file stays
    // untouched unless the new one was written completely.
    bool Save(const std::string& path) const;

    // Glyphs 0 .. dfLastChar as 8 bytes each (rows 0..7 as 5-pixel values);
    // zeroes the rest of the buffer. Without a font the buffer is untouched.
    void GetBitmaps(std::span<uint8_t, CCharSet::kFontBufSize> buffer) const;

    // Puts the default glyphs of the start selection's character set back
    // from the character set's buffers, rows shifted left by 3: "alt" glyphs
    // 8..15 from ALT bytes 1792.., "706" glyphs 127..255 from 706 bytes
    // 1016.., "int" glyphs 8..15 from INT bytes 64... Any other name, a
    // missing buffer or no font: nothing.
    void RestoreDefChars(const CCharSet& charSet, std::string_view fontName);

    // Null above 255, past the font's last glyph, or without a font.
    TSZeichenInfo* GetCharInfo(unsigned code);
    const TSZeichenInfo* GetCharInfo(unsigned code) const;
    // The width entry of a code; 0 where GetCharInfo gives null.
    uint16_t GetCharWidth(unsigned code) const;

    void Free();

    bool HasFont() const { return m_font != nullptr; }
    const std::string& GetPath() const;
    // slot 0 or 1; the other slot stays empty.
    const std::string& GetModuleName(int slot) const;
    const FonHeader* GetHeader() const;
    const std::string& GetFaceName() const;
    const std::string& GetDeviceName() const;

    struct Font;

private:
    uint8_t m_family;
    std::unique_ptr<Font> m_font;
};

} // namespace orv
