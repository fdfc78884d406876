#include "image/DrvEntry.h"

#include "image/BinIo.h"
#include "model/PanelTable.h"

namespace {

// A driver read for no panel of its own base is taken as the 706's.
uint32_t DriverBaseOf(uint16_t devType)
{
    const PanelRow* row = FindPanel(devType);
    return row && row->drvBase != 0 ? row->drvBase : FindPanel(706)->drvBase;
}

}  // namespace

DrvEntry::DrvEntry(std::FILE* stream, DrvFamily family, int32_t start, int32_t length, uint16_t devType)
    : m_stream(stream),
      m_family(family),
      m_start(start),
      m_length(length),
      m_base(DriverBaseOf(devType))
{
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

int DrvEntry::Byte(int32_t offset, uint8_t& value) const
{
    return Contains(offset, 1) ? ReadByteAt(m_stream, m_start + offset, value) : -1;
}

int DrvEntry::Word(int32_t offset, uint16_t& value) const
{
    return Contains(offset, 2) ? ReadWordAt(m_stream, m_start + offset, value) : -1;
}

int DrvEntry::DWord(int32_t offset, uint32_t& value) const
{
    return Contains(offset, 4) ? ReadDWordAt(m_stream, m_start + offset, value) : -1;
}

int DrvEntry::Text(int32_t offset, uint16_t length, std::string& text) const
{
    if (!Contains(offset, length))
        return -1;
    std::string bytes(length, '\0');
    if (ReadBlockAt(m_stream, m_start + offset, bytes.data(), length) != 1)
        return -1;
    text = std::move(bytes);
    return 1;
}

int DrvEntry::PutByte(int32_t offset, uint8_t value) const
{
    return Contains(offset, 1) ? WriteByteAt(m_stream, m_start + offset, value) : -1;
}

int DrvEntry::PutWord(int32_t offset, uint16_t value) const
{
    return Contains(offset, 2) ? WriteWordAt(m_stream, m_start + offset, value) : -1;
}

int DrvEntry::PutDWord(int32_t offset, uint32_t value) const
{
    return Contains(offset, 4) ? WriteDWordAt(m_stream, m_start + offset, value) : -1;
}

int DrvEntry::PutBlock(int32_t offset, const std::string& bytes) const
{
    if (bytes.size() > UINT16_MAX || !Contains(offset, static_cast<int64_t>(bytes.size())))
        return -1;
    return WriteBlockAt(m_stream, m_start + offset, bytes.data(), static_cast<uint16_t>(bytes.size()));
}
