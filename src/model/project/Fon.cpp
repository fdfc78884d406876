// Loads and saves a panel font file; every offset is checked against the file
// before a read, so a damaged font is refused, not followed.
#include "model/project/Fon.h"

#include "model/core/Log.h"
#include "platform/FileReplace.h"

#include <algorithm>

namespace orv {

struct CFon::Font {
    std::string path;
    std::array<std::string, 2> moduleName;
    uint32_t fontOffset = 0;
    uint16_t alignShift = 0;
    std::string mzHeader;
    std::string stub;       // from the MZ header to the NE header
    std::string neHeader;
    std::string afterNe;    // from the NE header to the font resource
    FonHeader header;
    std::vector<TSZeichenInfo> glyphs;   // dfLastChar + 2
    std::string faceName;
    std::string deviceName;
};

namespace {

constexpr size_t kModuleNameMax = 9;

// Finds the first font resource; the walk must end at type id 0 inside the file.
const char* FindFontResource(std::string_view file, size_t resTable, CFon::Font& font)
{
    LeReader in(file, resTable);
    font.alignShift = in.U16();
    if (!in.Ok())
        return "resource table outside the file";
    if (font.alignShift > kMaxAlignShift)
        return "resource alignment shift above 15";
    bool found = false;
    for (;;) {
        const uint16_t type = in.U16();
        if (!in.Ok())
            return "resource table runs past the end of the file";
        if (type == 0)
            break;
        const uint16_t count = in.U16();
        in.Skip(4);
        if (!found && type == kRtFont && count > 0 && in.Has(2)) {
            LeReader entry = in;
            font.fontOffset = static_cast<uint32_t>(entry.U16()) << font.alignShift;
            found = true;
        }
        in.Skip(size_t{count} * kResEntrySize);
    }
    return found ? nullptr : "no font resource";
}

// Reads a zero-terminated name inside the file.
bool ReadName(std::string_view file, size_t at, std::string& name)
{
    if (at >= file.size())
        return false;
    const size_t end = file.find('\0', at);
    if (end == std::string_view::npos)
        return false;
    name.assign(file.substr(at, end - at));
    return true;
}

const char* ReadGlyphs(std::string_view file, CFon::Font& font)
{
    const FonHeader& h = font.header;
    const size_t count = size_t{h.dfLastChar} + 2;
    LeReader in(file, font.fontOffset + kFonHeaderSize);
    font.glyphs.resize(count);
    for (TSZeichenInfo& g : font.glyphs) {
        g.width = in.U16();
        g.offset = in.U16();
    }
    if (!in.Ok())
        return "character table outside the file";
    const uint16_t width0 = font.glyphs[0].width;
    const int columns = FonColumns(width0);
    for (const TSZeichenInfo& g : font.glyphs) {
        if (g.width > kMaxGlyphWidth)
            return "glyph wider than 16 pixels";
        if (columns == 1 && g.width > 8)
            return "glyph wider than the byte column of glyph 0";
    }
    const size_t rowsPerGlyph = size_t{h.dfPixHeight} * columns;
    size_t expected = kFonHeaderSize + count * kCharEntrySize;
    for (TSZeichenInfo& g : font.glyphs) {
        if (g.offset != expected)
            return "glyph rows not in sequence after the character table";
        in.Seek(font.fontOffset + expected);
        in.Bytes(g.rows.data(), h.dfPixHeight);
        if (columns == 2)
            in.Bytes(g.rows2.data(), h.dfPixHeight);
        if (!in.Ok())
            return "glyph rows outside the file";
        expected += rowsPerGlyph;
    }
    if (h.dfFace != expected)
        return "face name does not follow the glyph rows";
    if (!ReadName(file, font.fontOffset + expected, font.faceName))
        return "face name not terminated inside the file";
    if (h.dfDevice != 0) {
        if (h.dfDevice != expected + font.faceName.size() + 1)
            return "device name does not follow the face name";
        if (!ReadName(file, font.fontOffset + h.dfDevice, font.deviceName))
            return "device name not terminated inside the file";
    }
    return nullptr;
}

// Fills font from a whole file, or gives the reason for refusing it.
const char* ParseFon(std::string_view file, uint8_t family, CFon::Font& font)
{
    LeReader in(file);
    if (!in.Has(kMzHeaderSize) || file.substr(0, 2) != "MZ")
        return "no MZ header";
    in.Seek(kMzRelocOffset);
    if (in.U16() < kMzHeaderSize)
        return "relocation-table offset below 64";
    in.Seek(kMzNeOffset);
    const uint32_t ne = in.U32();
    if (ne < kMzHeaderSize || ne > file.size() || file.size() - ne < kNeHeaderSize)
        return "NE header outside the file";
    if (file.substr(ne, 2) != "NE")
        return "no NE header";
    in.Seek(ne + kNeResTableOffset);
    const uint16_t resTable = in.U16();
    const uint16_t resNames = in.U16();
    if (resTable == resNames)
        return "no resource table";
    if (const char* why = FindFontResource(file, size_t{ne} + resTable, font))
        return why;
    const size_t neEnd = size_t{ne} + kNeHeaderSize;
    if (font.fontOffset < neEnd)
        return "font resource inside the NE header";

    LeReader names(file, size_t{ne} + resNames);
    const uint8_t nameLength = names.U8();
    if (!names.Has(nameLength))
        return "resident-name table outside the file";
    std::string module(std::min<size_t>(nameLength, kModuleNameMax), '\0');
    names.Bytes(module.data(), module.size());
    font.moduleName[family == 0 ? 0 : 1] = module;

    LeReader resource(file, font.fontOffset);
    if (!ReadFonHeader(resource, font.header))
        return "font header outside the file";
    const FonHeader& h = font.header;
    if (h.dfVersion != kFonVersion2)
        return "font version is not 2.0";
    if (h.dfType & 1)
        return "not a raster font";
    if (h.dfFirstChar != 0)
        return "first character is not 0";
    if (h.dfPixHeight < 1 || h.dfPixHeight > kMaxGlyphRows)
        return "pixel height outside 1..20";
    if (const char* why = ReadGlyphs(file, font))
        return why;

    font.mzHeader.assign(file.substr(0, kMzHeaderSize));
    font.stub.assign(file.substr(kMzHeaderSize, ne - kMzHeaderSize));
    font.neHeader.assign(file.substr(ne, kNeHeaderSize));
    font.afterNe.assign(file.substr(neEnd, font.fontOffset - neEnd));
    return nullptr;
}

const std::string kEmpty;

} // namespace

CFon::CFon(uint8_t familyFlag) : m_family(familyFlag) {}

CFon::~CFon() = default;

int CFon::Load(const std::string& path)
{
    std::string bytes;
    if (!orv::ReadWholeFile(path, bytes))
        return 255;
    LogLine(kLogDebug, "sizeof (TSZeichenInfo):%d\n", static_cast<int>(sizeof(TSZeichenInfo)));
    auto font = std::make_unique<Font>();
    if (const char* reason = ParseFon(bytes, m_family, *font)) {
        LogLine(kLogErrors, "Font file %s refused: %s", path.c_str(), reason);
        return 0;
    }
    font->path = path;
    m_font = std::move(font);
    return 1;
}

bool CFon::Save(const std::string& path) const
{
    if (!m_font) {
        LogLine(kLogErrors, "Font file %s not written: no font loaded", path.c_str());
        return false;
    }
    const Font& f = *m_font;
    std::string out = f.mzHeader + f.stub + f.neHeader + f.afterNe;
    WriteFonHeader(out, f.header);
    for (const TSZeichenInfo& g : f.glyphs) {
        PutLe16(out, g.width);
        PutLe16(out, g.offset);
    }
    const bool twoColumns = FonColumns(f.glyphs[0].width) == 2;
    for (const TSZeichenInfo& g : f.glyphs) {
        out.append(reinterpret_cast<const char*>(g.rows.data()), f.header.dfPixHeight);
        if (twoColumns)
            out.append(reinterpret_cast<const char*>(g.rows2.data()), f.header.dfPixHeight);
    }
    out += f.faceName;
    out.push_back('\0');
    out += f.deviceName;
    out.push_back('\0');
    out.append(FonPadding(out.size()), '\0');
    if (!orv::WriteFileReplacing(path, out)) {
        LogLine(kLogErrors, "Font file %s not written", path.c_str());
        return false;
    }
    return true;
}

void CFon::GetBitmaps(std::span<uint8_t, CCharSet::kFontBufSize> buffer) const
{
    if (!m_font)
        return;
    const size_t glyphs = std::min<size_t>(size_t{m_font->header.dfLastChar} + 1, CCharSet::kFontBufSize / 8);
    for (size_t c = 0; c < glyphs; ++c)
        for (size_t r = 0; r < 8; ++r)
            buffer[c * 8 + r] = static_cast<uint8_t>(m_font->glyphs[c].rows[r] >> 3 & 0x1F);
    std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(glyphs * 8), buffer.end(), uint8_t{0});
}

void CFon::RestoreDefChars(const CCharSet& charSet, std::string_view fontName)
{
    struct Defaults {
        std::string_view name;
        CharGroup group;
        unsigned first, last;   // glyphs
        size_t at;              // buffer offset of the first
    };
    static constexpr Defaults kDefaults[] = {
        {"alt", CharGroup::Alt, 8, 15, 1792},
        {"706", CharGroup::F706, 127, 255, 1016},
        {"int", CharGroup::Int, 8, 15, 64},
    };
    for (const Defaults& d : kDefaults) {
        if (d.name != fontName)
            continue;
        const uint8_t* buffer = charSet.GetFontBuffer(d.group);
        if (!buffer)
            return;
        for (unsigned code = d.first; code <= d.last; ++code) {
            TSZeichenInfo* glyph = GetCharInfo(code);
            if (!glyph)
                return;
            const uint8_t* rows = buffer + d.at + (code - d.first) * 8;
            for (size_t r = 0; r < 8; ++r)
                glyph->rows[r] = static_cast<uint8_t>(rows[r] << 3);
        }
    }
}

TSZeichenInfo* CFon::GetCharInfo(unsigned code)
{
    if (!m_font || code > 255 || code >= m_font->glyphs.size())
        return nullptr;
    return &m_font->glyphs[code];
}

const TSZeichenInfo* CFon::GetCharInfo(unsigned code) const
{
    return const_cast<CFon*>(this)->GetCharInfo(code);
}

uint16_t CFon::GetCharWidth(unsigned code) const
{
    const TSZeichenInfo* g = GetCharInfo(code);
    return g ? g->width : 0;
}

void CFon::Free()
{
    m_font.reset();
}

const std::string& CFon::GetPath() const
{
    return m_font ? m_font->path : kEmpty;
}

const std::string& CFon::GetModuleName(int slot) const
{
    return m_font && (slot == 0 || slot == 1) ? m_font->moduleName[slot] : kEmpty;
}

const FonHeader* CFon::GetHeader() const
{
    return m_font ? &m_font->header : nullptr;
}

const std::string& CFon::GetFaceName() const
{
    return m_font ? m_font->faceName : kEmpty;
}

const std::string& CFon::GetDeviceName() const
{
    return m_font ? m_font->deviceName : kEmpty;
}

} // namespace orv
