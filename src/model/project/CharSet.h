// The panel character set: the bridge between the project's texts and the
// panel's font codes, used by the editors, the source files and the compilers.
#pragma once

#include "model/project/PanelTable.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>

namespace orv {

struct PrjBundle;

CharGroup CharGroupOf(uint16_t devType);

// The panel character set: maps text characters (DOS code page 437) to the
// panel codes of the current panel type's font, escapes them for the project
// source file and reaches the user-definable glyphs in the font buffers.
class CCharSet {
public:
    static constexpr size_t kFontBufSize = 2048;  // 256 codes of 8 row bytes
    using Rows = std::array<uint8_t, 8>;
    using FontBuf = std::array<uint8_t, kFontBufSize>;

    // Mode bits of IsValidChar and ToPanelChar, as the callers pass them.
    enum : uint16_t {
        ModeUpperHalf = 0x01,  // 706: codes from 128
        ModeAltSigns = 0x08,   // ALT: arrows and the sign 0xA5
        ModeSignMap = 0x0E,    // INT and 706: sign mapping
        ModeGerman7 = 0x30,    // 706: German 7-bit letters
    };

    explicit CCharSet(PrjBundle* bundle);

    // Takes the panel type; type 47 becomes 755 for the project's .2 variant.
    // Sets the reload flag when the font group changes.
    void SetDevType(uint16_t type);
    uint16_t GetDevType() const { return m_devType; }
    CharGroup GetGroup() const { return CharGroupOf(m_devType); }

    // Set when the font group changed; the owner loads the new font and
    // clears it.
    bool GetReloadFlag() const { return m_reload != 0; }
    void ClearReloadFlag() { m_reload = 0; }

    // The font buffer of a group, created zeroed when missing, for the font
    // loader to fill.
    std::span<uint8_t, kFontBufSize> FillFontBuffer(CharGroup group);
    // The buffer of a group, or null while it was never filled.
    const uint8_t* GetFontBuffer(CharGroup group) const;

    // User-definable characters of the current group: ALT and INT n = 0..7,
    // 706 n = 128..255.
    void SetUserChar(int n, const Rows& rows);
    int GetUserChar(int n, Rows& rows) const;
    void ClearUserChars();

    uint8_t GetFrameChar(int kind) const;
    // The frame characters that draw a variable's field of the width: kind 1
    // alone for width 1, else kind 2, kinds 3 and kind 4 at the end.
    std::string FieldText(int width) const;

    bool IsValidChar(uint8_t ch, uint16_t mode) const;
    uint8_t ToPanelChar(uint8_t ch, uint16_t mode) const;
    uint8_t CtrlCharSign(uint8_t ch) const;
    uint8_t FilterTextChar(uint8_t ch) const;
    // Writes one text character to the project source file; 1, or -1 on a
    // write error or without a file.
    int WriteSrcChar(uint8_t ch, std::FILE* file) const;

private:
    // Byte offset of user character n in the current group's buffer, or -1.
    int UserCharOffset(int n) const;
    FontBuf* CurrentBuffer() const;

    PrjBundle* m_bundle;
    uint16_t m_devType = 0;
    uint8_t m_reload = 1;
    std::array<std::unique_ptr<FontBuf>, 4> m_fontBufs;  // indexed by CharGroup
};

// Printer texts: every byte is a valid printer character and passes unchanged.
int WriteSrcByte(uint8_t ch, std::FILE* file);
inline uint8_t PassChar(uint8_t ch) { return ch; }
inline bool ByteToBool(unsigned value) { return (value & 0xFFu) != 0; }

} // namespace orv
