// A driver entry inside a driver file or library in memory, the bounded view
// every driver reader and walker works through.
#pragma once

#include "image/codec/BeReader.h"
#include "image/drv/DrvRange.h"
#include "model/core/StepResult.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// One driver entry of a driver file or library held in memory: where it
// starts, how long it is, and the panel address its pointers count from.
// Every access is checked against the entry's bounds, so that no pointer
// read from the file reaches outside it. Offsets are relative to the
// entry's start. The file's bytes are borrowed.
class DrvEntry {
public:
    // An entry that is only read: every put fails.
    DrvEntry(std::string_view file, DrvFamily family, int32_t start, int32_t length, uint16_t devType);
    // An entry whose puts change the file's bytes in memory.
    DrvEntry(std::string& file, DrvFamily family, int32_t start, int32_t length, uint16_t devType);

    DrvFamily Family() const { return m_family; }

    // Whether size bytes at offset lie inside the entry.
    bool Contains(int64_t offset, int64_t size) const;
    // A panel address of a 706 entry as an offset; -1 when it does not
    // point into the entry.
    int32_t OffsetOfAddress(uint32_t address) const;

    // Each gives 1, or -1 with the destination untouched.
    StepResult Byte(int32_t offset, uint8_t& value) const;
    StepResult Word(int32_t offset, uint16_t& value) const;
    StepResult DWord(int32_t offset, uint32_t& value) const;
    StepResult Text(int32_t offset, uint16_t length, std::string& text) const;
    StepResult PutByte(int32_t offset, uint8_t value) const;
    StepResult PutWord(int32_t offset, uint16_t value) const;
    StepResult PutDWord(int32_t offset, uint32_t value) const;
    StepResult PutBlock(int32_t offset, const std::string& bytes) const;

private:
    BeReader View() const { return BeReader(m_bytes.substr(static_cast<size_t>(m_start), static_cast<size_t>(m_length))); }
    StepResult PutNumber(int32_t offset, size_t width, uint32_t value) const;

    std::string_view m_bytes;
    char* m_writable = nullptr;
    DrvFamily m_family;
    int32_t m_start;
    int32_t m_length;
    uint32_t m_base;
};

} // namespace orv
