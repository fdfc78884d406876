// Reads and writes the font file's header fields through byte helpers, with
// every length checked against the buffer.
#include "model/project/FonFormat.h"

#include <cstring>

namespace orv {

void PutLe8(std::string& out, uint8_t v)
{
    out.push_back(static_cast<char>(v));
}

void PutLe16(std::string& out, uint16_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void PutLe32(std::string& out, uint32_t v)
{
    PutLe16(out, static_cast<uint16_t>(v & 0xFFFF));
    PutLe16(out, static_cast<uint16_t>(v >> 16));
}

void SetLe16(std::string& bytes, size_t at, uint16_t v)
{
    bytes[at] = static_cast<char>(v & 0xFF);
    bytes[at + 1] = static_cast<char>(v >> 8);
}

void SetLe32(std::string& bytes, size_t at, uint32_t v)
{
    SetLe16(bytes, at, static_cast<uint16_t>(v & 0xFFFF));
    SetLe16(bytes, at + 2, static_cast<uint16_t>(v >> 16));
}

const unsigned char* LeReader::Take(size_t n)
{
    if (!Has(n)) {
        m_ok = false;
        return nullptr;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(m_bytes.data()) + m_pos;
    m_pos += n;
    return p;
}

uint8_t LeReader::U8()
{
    const unsigned char* p = Take(1);
    return p ? p[0] : 0;
}

uint16_t LeReader::U16()
{
    const unsigned char* p = Take(2);
    return p ? static_cast<uint16_t>(p[0] | p[1] << 8) : 0;
}

uint32_t LeReader::U32()
{
    const unsigned char* p = Take(4);
    return p ? static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                   static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24
             : 0;
}

void LeReader::Bytes(void* dest, size_t n)
{
    const unsigned char* p = Take(n);
    if (p)
        std::memcpy(dest, p, n);
    else
        std::memset(dest, 0, n);
}

void LeReader::Skip(size_t n)
{
    Take(n);
}

void LeReader::Seek(size_t pos)
{
    if (pos > m_bytes.size())
        m_ok = false;
    else
        m_pos = pos;
}

bool ReadFonHeader(LeReader& in, FonHeader& h)
{
    if (!in.Has(kFonHeaderSize))
        return false;
    h.dfVersion = in.U16();
    h.dfSize = in.U32();
    in.Bytes(h.dfCopyright.data(), h.dfCopyright.size());
    h.dfType = in.U16();
    h.dfPoints = in.U16();
    h.dfVertRes = in.U16();
    h.dfHorizRes = in.U16();
    h.dfAscent = in.U16();
    h.dfInternalLeading = in.U16();
    h.dfExternalLeading = in.U16();
    h.dfItalic = in.U8();
    h.dfUnderline = in.U8();
    h.dfStrikeOut = in.U8();
    h.dfWeight = in.U16();
    h.dfCharSet = in.U8();
    h.dfPixWidth = in.U16();
    h.dfPixHeight = in.U16();
    h.dfPitchAndFamily = in.U8();
    h.dfAvgWidth = in.U16();
    h.dfMaxWidth = in.U16();
    h.dfFirstChar = in.U8();
    h.dfLastChar = in.U8();
    h.dfDefaultChar = in.U8();
    h.dfBreakChar = in.U8();
    h.dfWidthBytes = in.U16();
    h.dfDevice = in.U32();
    h.dfFace = in.U32();
    h.dfBitsPointer = in.U32();
    h.dfBitsOffset = in.U32();
    h.dfReserved = in.U8();
    return in.Ok();
}

void WriteFonHeader(std::string& out, const FonHeader& h)
{
    PutLe16(out, h.dfVersion);
    PutLe32(out, h.dfSize);
    out.append(h.dfCopyright.data(), h.dfCopyright.size());
    PutLe16(out, h.dfType);
    PutLe16(out, h.dfPoints);
    PutLe16(out, h.dfVertRes);
    PutLe16(out, h.dfHorizRes);
    PutLe16(out, h.dfAscent);
    PutLe16(out, h.dfInternalLeading);
    PutLe16(out, h.dfExternalLeading);
    PutLe8(out, h.dfItalic);
    PutLe8(out, h.dfUnderline);
    PutLe8(out, h.dfStrikeOut);
    PutLe16(out, h.dfWeight);
    PutLe8(out, h.dfCharSet);
    PutLe16(out, h.dfPixWidth);
    PutLe16(out, h.dfPixHeight);
    PutLe8(out, h.dfPitchAndFamily);
    PutLe16(out, h.dfAvgWidth);
    PutLe16(out, h.dfMaxWidth);
    PutLe8(out, h.dfFirstChar);
    PutLe8(out, h.dfLastChar);
    PutLe8(out, h.dfDefaultChar);
    PutLe8(out, h.dfBreakChar);
    PutLe16(out, h.dfWidthBytes);
    PutLe32(out, h.dfDevice);
    PutLe32(out, h.dfFace);
    PutLe32(out, h.dfBitsPointer);
    PutLe32(out, h.dfBitsOffset);
    PutLe8(out, h.dfReserved);
}

} // namespace orv
