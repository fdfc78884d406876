// Builds a panel font file in the byte layout the program saves, so that a built
// font loads and saves back unchanged.
#include "tools/fontgen/FonBuilder.h"

#include <algorithm>
#include <string_view>

namespace orv {

namespace {

constexpr uint16_t kAlignShift = 4;
constexpr size_t kAlign = size_t{1} << kAlignShift;
constexpr uint16_t kResourceFlags = 0x1C30;   // movable, pure, discardable
constexpr uint16_t kFontResourceId = 0x8001;

// A DOS program that says so and ends; the code addresses its text at 14.
using namespace std::string_view_literals;
constexpr std::string_view kDosStub =
    "\x0E\x1F\xBA\x0E\x00\xB4\x09\xCD\x21\xB8\x01\x4C\xCD\x21"
    "This is not a Windows program.\r\n$"sv;

void PadTo(std::string& out, size_t alignment)
{
    out.append((alignment - out.size() % alignment) % alignment, '\0');
}

std::string MzHeader(size_t neOffset)
{
    std::string mz;
    mz += "MZ";
    PutLe16(mz, static_cast<uint16_t>(neOffset % 512));       // bytes in the last page
    PutLe16(mz, static_cast<uint16_t>((neOffset + 511) / 512)); // pages
    PutLe16(mz, 0);                                          // relocations
    PutLe16(mz, kMzHeaderSize / 16);                         // header paragraphs
    PutLe16(mz, 0);                                          // minimum extra paragraphs
    PutLe16(mz, 0xFFFF);                                     // maximum extra paragraphs
    PutLe16(mz, 0);                                          // SS
    PutLe16(mz, 0xB8);                                       // SP
    PutLe16(mz, 0);                                          // checksum
    PutLe16(mz, 0);                                          // IP
    PutLe16(mz, 0);                                          // CS
    PutLe16(mz, kMzHeaderSize);                              // relocation table
    mz.resize(kMzNeOffset, '\0');
    PutLe32(mz, static_cast<uint32_t>(neOffset));
    return mz;
}

} // namespace

std::string BuildFonFile(const FonDesc& desc, FonFileLayout* layoutOut)
{
    FonFileLayout layout;
    FonHeader header = desc.header;
    const size_t glyphCount = std::max<size_t>(desc.glyphs.size(), 2);
    header.dfLastChar = static_cast<uint8_t>(header.dfFirstChar + glyphCount - 2);
    const int columns = FonColumns(desc.glyphs.empty() ? 0 : desc.glyphs[0].width);
    const size_t rowsPerGlyph = size_t{header.dfPixHeight} * columns;

    // The font resource, with its offsets relative to its own start.
    const size_t charTable = kFonHeaderSize;
    const size_t glyphRows = charTable + glyphCount * kCharEntrySize;
    const size_t faceName = glyphRows + glyphCount * rowsPerGlyph;
    const size_t deviceName = faceName + desc.face.size() + 1;
    const size_t resourceSize = deviceName + desc.device.size() + 1;
    header.dfSize = static_cast<uint32_t>(resourceSize);
    header.dfFace = static_cast<uint32_t>(faceName);
    header.dfDevice = desc.device.empty() ? 0 : static_cast<uint32_t>(deviceName);
    header.dfBitsOffset = static_cast<uint32_t>(glyphRows);

    std::string resource;
    WriteFonHeader(resource, header);
    for (size_t g = 0; g < glyphCount; ++g) {
        const uint16_t width = g < desc.glyphs.size() ? desc.glyphs[g].width : 0;
        PutLe16(resource, width);
        PutLe16(resource, static_cast<uint16_t>(glyphRows + g * rowsPerGlyph));
    }
    for (size_t g = 0; g < glyphCount; ++g) {
        const FonGlyph glyph = g < desc.glyphs.size() ? desc.glyphs[g] : FonGlyph{};
        for (uint16_t r = 0; r < header.dfPixHeight; ++r)
            resource.push_back(static_cast<char>(r < kMaxGlyphRows ? glyph.rows[r] : 0));
        if (columns == 2)
            for (uint16_t r = 0; r < header.dfPixHeight; ++r)
                resource.push_back(static_cast<char>(r < kMaxGlyphRows ? glyph.rows2[r] : 0));
    }
    resource += desc.face;
    resource.push_back('\0');
    resource += desc.device;
    resource.push_back('\0');

    // The executable headers in front of it.
    layout.neHeader = (kMzHeaderSize + kDosStub.size() + 15) / 16 * 16;
    std::string file = MzHeader(layout.neHeader);
    file += kDosStub;
    PadTo(file, 16);

    std::string tables;   // everything after the NE header, offsets from the NE header
    const size_t resTableRel = kNeHeaderSize;
    PutLe16(tables, kAlignShift);
    PutLe16(tables, kRtFont);
    PutLe16(tables, 1);
    PutLe32(tables, 0);
    const size_t fontEntryAt = tables.size();
    PutLe16(tables, 0);   // offset and length, set below
    PutLe16(tables, 0);
    PutLe16(tables, kResourceFlags);
    PutLe16(tables, kFontResourceId);
    PutLe32(tables, 0);
    PutLe16(tables, 0);   // end of the types
    PutLe8(tables, 0);    // no resource names
    const size_t resNamesRel = kNeHeaderSize + tables.size();
    PutLe8(tables, static_cast<uint8_t>(desc.module.size()));
    tables += desc.module;
    PutLe16(tables, 0);   // ordinal
    PutLe8(tables, 0);    // end of the resident names
    const size_t entryRel = kNeHeaderSize + tables.size();
    PutLe8(tables, 0);    // empty entry table, also the empty imported-name table

    std::string ne;
    ne += "NE";
    PutLe8(ne, 5);        // linker version
    PutLe8(ne, 10);
    PutLe16(ne, static_cast<uint16_t>(entryRel));
    PutLe16(ne, 1);       // entry table length
    PutLe32(ne, 0);       // checksum
    PutLe16(ne, 0x8000);  // library module
    ne.resize(34, '\0');  // no data segment, heap, stack, entry point or segments
    PutLe16(ne, static_cast<uint16_t>(kNeHeaderSize));   // segment table (empty)
    PutLe16(ne, static_cast<uint16_t>(resTableRel));
    PutLe16(ne, static_cast<uint16_t>(resNamesRel));
    PutLe16(ne, static_cast<uint16_t>(entryRel));        // module references (none)
    PutLe16(ne, static_cast<uint16_t>(entryRel));        // imported names (none)
    PutLe32(ne, 0);                                      // no non-resident names
    PutLe16(ne, 0);                                      // movable entries
    PutLe16(ne, kAlignShift);                            // segment alignment
    PutLe16(ne, 0);                                      // resource segments
    PutLe8(ne, 2);                                       // target: Windows
    ne.resize(62, '\0');
    PutLe16(ne, 0x0300);                                 // expected Windows version

    layout.resTable = layout.neHeader + resTableRel;
    layout.resNames = layout.neHeader + resNamesRel;
    file += ne;
    file += tables;
    PadTo(file, kAlign);
    layout.fontResource = file.size();
    const size_t resourceUnits = (resourceSize + FonPadding(resourceSize)) >> kAlignShift;
    SetLe16(file, layout.resTable + fontEntryAt, static_cast<uint16_t>(layout.fontResource >> kAlignShift));
    SetLe16(file, layout.resTable + fontEntryAt + 2, static_cast<uint16_t>(resourceUnits));

    file += resource;
    layout.charTable = layout.fontResource + charTable;
    layout.glyphRows = layout.fontResource + glyphRows;
    layout.faceName = layout.fontResource + faceName;
    layout.deviceName = layout.fontResource + deviceName;
    layout.end = file.size();
    if (desc.pad)
        file.append(FonPadding(file.size()), '\0');
    if (layoutOut)
        *layoutOut = layout;
    return file;
}

} // namespace orv
