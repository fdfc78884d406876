// A driver entry inside a driver file or library in memory; its reads go
// through the bounded reader, its puts change the bytes in memory only.
#include "image/drv/DrvEntry.h"

#include "image/codec/BinIo.h"
#include "model/project/PanelTable.h"

#include <algorithm>
#include <cstring>

namespace orv {

namespace {

// A driver read for no panel of its own base is taken as the 706's.
uint32_t DriverBaseOf(uint16_t devType)
{
    const PanelRow* row = FindPanel(devType);
    return row && row->drvBase != 0 ? row->drvBase : FindPanel(706)->drvBase;
}

}  // namespace

namespace {

// The entry's bounds cut at the file's end, so that a length read from the
// file cannot reach past it.
int32_t StartIn(std::string_view file, int32_t start)
{
    const auto size = static_cast<int64_t>(file.size());
    return static_cast<int32_t>(start < 0 || start > size ? size : start);
}

int32_t LengthIn(std::string_view file, int32_t start, int32_t length)
{
    return static_cast<int32_t>(std::clamp<int64_t>(length, 0, static_cast<int64_t>(file.size()) - start));
}

} // namespace

DrvEntry::DrvEntry(std::string_view file, DrvFamily family, int32_t start, int32_t length, uint16_t devType)
    : m_bytes(file),
      m_family(family),
      m_start(StartIn(file, start)),
      m_length(LengthIn(file, m_start, length)),
      m_base(DriverBaseOf(devType))
{
}

DrvEntry::DrvEntry(std::string& file, DrvFamily family, int32_t start, int32_t length, uint16_t devType)
    : DrvEntry(std::string_view(file), family, start, length, devType)
{
    m_writable = file.data();
}

bool DrvEntry::Contains(int64_t offset, int64_t size) const
{
    return offset >= 0 && size >= 0 && offset + size <= m_length;
}

int32_t DrvEntry::OffsetOfAddress(uint32_t address) const
{
    if (address < m_base)
        return -1;
    const uint32_t offset = address - m_base;
    return offset < static_cast<uint32_t>(m_length) ? static_cast<int32_t>(offset) : -1;
}

StepResult DrvEntry::Byte(int32_t offset, uint8_t& value) const
{
    if (!Contains(offset, 1))
        return -1;
    value = View().U8(static_cast<uint64_t>(offset));
    return 1;
}

StepResult DrvEntry::Word(int32_t offset, uint16_t& value) const
{
    if (!Contains(offset, 2))
        return -1;
    value = View().U16(static_cast<uint64_t>(offset));
    return 1;
}

StepResult DrvEntry::DWord(int32_t offset, uint32_t& value) const
{
    if (!Contains(offset, 4))
        return -1;
    value = View().U32(static_cast<uint64_t>(offset));
    return 1;
}

StepResult DrvEntry::Text(int32_t offset, uint16_t length, std::string& text) const
{
    if (!Contains(offset, length))
        return -1;
    text.assign(m_bytes.substr(static_cast<size_t>(m_start + offset), length));
    return 1;
}

StepResult DrvEntry::PutNumber(int32_t offset, size_t width, uint32_t value) const
{
    if (m_writable == nullptr || !Contains(offset, static_cast<int64_t>(width)))
        return -1;
    PutBigEndian(reinterpret_cast<uint8_t*>(m_writable + m_start + offset), width, value);
    return 1;
}

StepResult DrvEntry::PutByte(int32_t offset, uint8_t value) const
{
    return PutNumber(offset, 1, value);
}

StepResult DrvEntry::PutWord(int32_t offset, uint16_t value) const
{
    return PutNumber(offset, 2, value);
}

StepResult DrvEntry::PutDWord(int32_t offset, uint32_t value) const
{
    return PutNumber(offset, 4, value);
}

StepResult DrvEntry::PutBlock(int32_t offset, const std::string& bytes) const
{
    if (m_writable == nullptr || !Contains(offset, static_cast<int64_t>(bytes.size())))
        return -1;
    std::memcpy(m_writable + m_start + offset, bytes.data(), bytes.size());
    return 1;
}

} // namespace orv
