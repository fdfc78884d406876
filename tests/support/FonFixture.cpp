#include "support/FonFixture.h"

#include <algorithm>

namespace orv {

uint8_t FixtureRow(int code, int row)
{
    int bits;
    if (row == 0)
        bits = code & 0x1F;
    else if (row == 1)
        bits = code >> 5 | 0x18;
    else
        bits = (code * 7 + row * 11) & 0x1F;
    return static_cast<uint8_t>(bits << 3);
}

uint8_t FixtureRow2(int code, int row)
{
    return static_cast<uint8_t>(((code + row) & 0x03) << 6);
}

FonDesc MakeFixtureDesc(const FonFixtureOptions& o)
{
    FonDesc desc;
    FonHeader& h = desc.header;
    h.dfVersion = kFonVersion2;
    const std::string copyright = "fixture";
    std::copy(copyright.begin(), copyright.end(), h.dfCopyright.begin());
    h.dfPoints = 6;
    h.dfVertRes = 96;
    h.dfHorizRes = 96;
    h.dfAscent = 7;
    h.dfWeight = 400;
    h.dfCharSet = 255;
    const uint16_t width = o.twoColumns ? 10 : 5;
    h.dfPixWidth = width;
    h.dfPixHeight = 8;
    h.dfPitchAndFamily = 0x30;
    h.dfAvgWidth = width;
    h.dfMaxWidth = width;
    h.dfDefaultChar = ' ';
    h.dfBreakChar = ' ';
    h.dfWidthBytes = 258;
    desc.glyphs.resize(static_cast<size_t>(o.glyphs) + 1);
    for (int code = 0; code <= o.glyphs; ++code) {
        FonGlyph& g = desc.glyphs[static_cast<size_t>(code)];
        g.width = width;
        for (int r = 0; r < 8; ++r) {
            g.rows[r] = FixtureRow(code, r);
            if (o.twoColumns)
                g.rows2[r] = FixtureRow2(code, r);
        }
    }
    desc.face = o.face;
    desc.device = o.device;
    desc.module = o.module;
    desc.pad = o.pad;
    return desc;
}

std::string BuildFixtureFon(const FonFixtureOptions& options, FonFileLayout* layout)
{
    return BuildFonFile(MakeFixtureDesc(options), layout);
}

namespace {

// The same font laid out in the 3.0 format: a 148-byte header and 6-byte
// character-table entries.
std::string Version3Font()
{
    FonFileLayout at;
    std::string v2 = BuildFixtureFon({}, &at);
    const std::string head = v2.substr(0, at.fontResource);
    std::string header = v2.substr(at.fontResource, kFonHeaderSize);
    const size_t glyphs = (at.glyphRows - at.charTable) / kCharEntrySize;
    const size_t rows = 8;
    const size_t charTable = 148;
    const size_t glyphRows = charTable + glyphs * 6;
    const size_t face = glyphRows + glyphs * rows;
    const std::string names = v2.substr(at.faceName, at.end - at.faceName);

    SetLe16(header, kFonVersionAt, 0x0300);
    SetLe32(header, 2, static_cast<uint32_t>(face + names.size()));
    SetLe32(header, kFonFaceAt, static_cast<uint32_t>(face));
    SetLe32(header, 113, static_cast<uint32_t>(glyphRows));
    std::string resource = header;
    PutLe32(resource, 1);                // fixed pitch
    PutLe16(resource, 0);                // A, B and C spaces
    PutLe16(resource, 0);
    PutLe16(resource, 0);
    PutLe32(resource, 0);                // colour table
    resource.append(16, '\0');
    for (size_t g = 0; g < glyphs; ++g) {
        PutLe16(resource, 5);
        PutLe32(resource, static_cast<uint32_t>(glyphRows + g * rows));
    }
    resource += v2.substr(at.glyphRows, glyphs * rows);
    resource += names;
    std::string file = head + resource;
    return file + std::string(FonPadding(file.size()), '\0');
}

std::string WithGlyphWidths(uint16_t width0, int code, uint16_t width)
{
    FonDesc desc = MakeFixtureDesc({});
    desc.glyphs[0].width = width0;
    desc.glyphs[static_cast<size_t>(code)].width = width;
    return BuildFonFile(desc);
}

} // namespace

std::vector<FonFault> AllFonFaults()
{
    std::vector<FonFault> all;
    for (int f = 0; f <= static_cast<int>(FonFault::FaceUnterminated); ++f)
        all.push_back(static_cast<FonFault>(f));
    return all;
}

const char* FonFaultName(FonFault fault)
{
    switch (fault) {
    case FonFault::Empty: return "Empty";
    case FonFault::NoMz: return "NoMz";
    case FonFault::RelocOffset63: return "RelocOffset63";
    case FonFault::NeOffsetPastEnd: return "NeOffsetPastEnd";
    case FonFault::NoNe: return "NoNe";
    case FonFault::ResTableIsResNames: return "ResTableIsResNames";
    case FonFault::ResTableRunsOff: return "ResTableRunsOff";
    case FonFault::NoRtFont: return "NoRtFont";
    case FonFault::FontOffsetBeyondFile: return "FontOffsetBeyondFile";
    case FonFault::FontInsideNeHeader: return "FontInsideNeHeader";
    case FonFault::Version3: return "Version3";
    case FonFault::VectorFont: return "VectorFont";
    case FonFault::FirstChar32: return "FirstChar32";
    case FonFault::PixHeight0: return "PixHeight0";
    case FonFault::PixHeight21: return "PixHeight21";
    case FonFault::GlyphWidth17: return "GlyphWidth17";
    case FonFault::NarrowGlyph0WideOther: return "NarrowGlyph0WideOther";
    case FonFault::GlyphOffsetOutside: return "GlyphOffsetOutside";
    case FonFault::GlyphOffsetMisplaced: return "GlyphOffsetMisplaced";
    case FonFault::FaceUnterminated: return "FaceUnterminated";
    }
    return "?";
}

std::string BuildMalformedFon(FonFault fault)
{
    FonFileLayout at;
    std::string f = BuildFixtureFon({}, &at);
    const size_t fontEntry = at.resTable + 2 + kResTypeSize;   // offset of the first font resource
    const size_t font = at.fontResource;
    switch (fault) {
    case FonFault::Empty:
        return {};
    case FonFault::NoMz:
        f[0] = 'Z';
        f[1] = 'M';
        break;
    case FonFault::RelocOffset63:
        SetLe16(f, kMzRelocOffset, 63);
        break;
    case FonFault::NeOffsetPastEnd:
        SetLe32(f, kMzNeOffset, static_cast<uint32_t>(f.size() - kNeHeaderSize / 2));
        break;
    case FonFault::NoNe:
        f[at.neHeader + 1] = 'X';
        break;
    case FonFault::ResTableIsResNames:
        SetLe16(f, at.neHeader + kNeResTableOffset, static_cast<uint16_t>(at.resNames - at.neHeader));
        break;
    case FonFault::ResTableRunsOff:
        SetLe16(f, at.resTable + 4, 5000);   // count of font resources
        break;
    case FonFault::NoRtFont:
        SetLe16(f, at.resTable + 2, 0x8007);
        break;
    case FonFault::FontOffsetBeyondFile:
        SetLe16(f, at.resTable, 15);         // alignment shift
        break;
    case FonFault::FontInsideNeHeader:
        SetLe16(f, fontEntry, static_cast<uint16_t>((at.neHeader + 16) >> 4));
        break;
    case FonFault::Version3:
        return Version3Font();
    case FonFault::VectorFont:
        SetLe16(f, font + kFonTypeAt, 1);
        break;
    case FonFault::FirstChar32:
        f[font + kFonFirstCharAt] = 32;
        break;
    case FonFault::PixHeight0:
        SetLe16(f, font + kFonPixHeightAt, 0);
        break;
    case FonFault::PixHeight21:
        SetLe16(f, font + kFonPixHeightAt, 21);
        break;
    case FonFault::GlyphWidth17:
        return WithGlyphWidths(10, 100, 17);
    case FonFault::NarrowGlyph0WideOther:
        return WithGlyphWidths(8, 100, 9);
    case FonFault::GlyphOffsetOutside:
        SetLe16(f, at.charTable + 200 * kCharEntrySize + 2, 0xFFF0);
        break;
    case FonFault::GlyphOffsetMisplaced:
        SetLe16(f, at.charTable + 100 * kCharEntrySize + 2,
                static_cast<uint16_t>(at.glyphRows - font + 100 * 8 + 1));
        break;
    case FonFault::FaceUnterminated: {
        FonFixtureOptions unpadded;
        unpadded.pad = false;
        f = BuildFixtureFon(unpadded, &at);
        f.resize(at.end - 2);   // without the face's and the device name's zero
        break;
    }
    }
    return f;
}

} // namespace orv
