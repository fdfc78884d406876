// Containers for the two cross-reference tables of a driver; the driver-file
// codecs in the image layer give their fields meaning.
#pragma once

#include "model/core/PrjList.h"

#include <cstdint>

namespace orv {

// Records of the two tables that a driver's cross-reference block fills.
// They are plain containers; the driver-file reader and writer give the
// fields their meaning.
class CDrvTabEntry5 : public CObj {
public:
    CDrvTabEntry5(uint8_t byte, uint16_t key, uint16_t val1, uint16_t val2, uint16_t val3)
        : m_byte(byte), m_key(key), m_val{val1, val2, val3}
    {
    }

    uint8_t GetByte() const { return m_byte; }
    uint16_t GetKey() const { return m_key; }
    uint16_t GetVal1() const { return m_val[0]; }
    uint16_t GetVal2() const { return m_val[1]; }
    uint16_t GetVal3() const { return m_val[2]; }

    // The key stays: the table is sorted by it.
    void SetByte(uint8_t byte) { m_byte = byte; }
    void SetVal1(uint16_t value) { m_val[0] = value; }
    void SetVal2(uint16_t value) { m_val[1] = value; }
    void SetVal3(uint16_t value) { m_val[2] = value; }

private:
    uint8_t m_byte;
    uint16_t m_key;
    uint16_t m_val[3];
};

class CDrvTabEntry6 : public CObj {
public:
    CDrvTabEntry6(uint16_t key, uint8_t byte1, uint16_t word1, uint8_t byte2, uint16_t val1, uint16_t val2)
        : m_key(key), m_byte1(byte1), m_word1(word1), m_byte2(byte2), m_val{val1, val2}
    {
    }

    uint16_t GetKey() const { return m_key; }
    uint8_t GetByte1() const { return m_byte1; }
    uint16_t GetWord1() const { return m_word1; }
    uint8_t GetByte2() const { return m_byte2; }
    uint16_t GetVal1() const { return m_val[0]; }
    uint16_t GetVal2() const { return m_val[1]; }

private:
    uint16_t m_key;
    uint8_t m_byte1;
    uint16_t m_word1;
    uint8_t m_byte2;
    uint16_t m_val[2];
};

// Both tables keep their records sorted by the unsigned 16-bit key, one
// record per key.
class CDrvTab5List : public CPrjList<CDrvTabEntry5> {
public:
    using CPrjList::CPrjList;

    int Compare(const void* key1, const void* key2) const override;
};

class CDrvTab6List : public CPrjList<CDrvTabEntry6> {
public:
    using CPrjList::CPrjList;

    int Compare(const void* key1, const void* key2) const override;
};

} // namespace orv
