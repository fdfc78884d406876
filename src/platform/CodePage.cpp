// Code page tables for the panel's OEM page and the catalogue page; every byte
// round-trips, so no stored text is changed by a view.
#include "platform/CodePage.h"

#include <array>
#include <cstdint>

namespace orv {

namespace {

using UpperHalf = std::array<char16_t, 128>;  // bytes 0x80..0xFF

// Bytes 0x00..0x7F are ASCII in both pages (the OEM page's control-code
// glyphs are not used for text).
constexpr UpperHalf kCp437 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  // 80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  // 88
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  // 90
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,  // 98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  // A0
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  // B0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  // C8
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  // D0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  // D8
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,  // E0
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,  // E8
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,  // F0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,  // F8
};

// The five bytes the page leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// map to the C1 controls of the same value, so they too round-trip.
constexpr UpperHalf MakeCp1252()
{
    UpperHalf t{};
    constexpr char16_t k80To9F[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
    };
    for (size_t i = 0; i < 32; ++i)
        t[i] = k80To9F[i];
    for (size_t i = 32; i < 128; ++i)  // 0xA0..0xFF are Latin-1
        t[i] = static_cast<char16_t>(0x80 + i);
    return t;
}

constexpr UpperHalf kCp1252 = MakeCp1252();

const UpperHalf& TableOf(CodePage cp)
{
    return cp == CodePage::Cp437 ? kCp437 : kCp1252;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        // Both tables stay inside the Basic Multilingual Plane.
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence starting at s[i] and advances i past it. A
// malformed sequence yields nothing and advances past its maximal valid
// prefix (at least one byte), so each bad spot becomes one replacement.
bool DecodeOne(std::string_view s, size_t& i, char32_t& out)
{
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(s[k]); };
    const uint8_t b0 = byte(i++);
    if (b0 < 0x80) {
        out = b0;
        return true;
    }
    size_t need = 0;
    uint8_t lo = 0x80;
    uint8_t hi = 0xBF;
    char32_t c = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        need = 1;
        c = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        need = 2;
        c = b0 & 0x0F;
        if (b0 == 0xE0)
            lo = 0xA0;  // shorter forms are overlong
        if (b0 == 0xED)
            hi = 0x9F;  // above would be a surrogate
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        need = 3;
        c = b0 & 0x07;
        if (b0 == 0xF0)
            lo = 0x90;
        if (b0 == 0xF4)
            hi = 0x8F;  // above would pass U+10FFFF
    } else {
        return false;  // stray continuation byte, or a lead byte never valid
    }
    for (size_t k = 0; k < need; ++k) {
        if (i >= s.size())
            return false;
        const uint8_t b = byte(i);
        if (b < lo || b > hi)
            return false;
        lo = 0x80;
        hi = 0xBF;
        c = (c << 6) | (b & 0x3F);
        ++i;
    }
    out = c;
    return true;
}

bool EncodeByte(char32_t c, CodePage cp, char& out)
{
    if (c < 0x80) {
        out = static_cast<char>(c);
        return true;
    }
    const UpperHalf& table = TableOf(cp);
    for (size_t k = 0; k < table.size(); ++k) {
        if (table[k] == c) {
            out = static_cast<char>(0x80 + k);
            return true;
        }
    }
    return false;
}

}  // namespace

char32_t CodePointOf(unsigned char byte, CodePage cp)
{
    return byte < 0x80 ? char32_t{byte} : char32_t{TableOf(cp)[byte - 0x80]};
}

std::string ToUtf8(std::string_view bytes, CodePage cp)
{
    std::string out;
    out.reserve(bytes.size());
    for (const char b : bytes)
        AppendUtf8(out, CodePointOf(static_cast<unsigned char>(b), cp));
    return out;
}

std::string FromUtf8(std::string_view utf8, CodePage cp, bool* lossy)
{
    std::string out;
    out.reserve(utf8.size());
    bool lost = false;
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t c = 0;
        char b = 0;
        if (DecodeOne(utf8, i, c) && EncodeByte(c, cp, b)) {
            out += b;
        } else {
            out += '?';
            lost = true;
        }
    }
    if (lossy)
        *lossy = lost;
    return out;
}

std::optional<unsigned char> ByteOf(char32_t c, CodePage cp)
{
    char b = 0;
    if (!EncodeByte(c, cp, b))
        return std::nullopt;
    return static_cast<unsigned char>(b);
}

}  // namespace orv
