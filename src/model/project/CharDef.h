// The user-defined display characters of a project, part of the project model
// that the compilers write into the panel's character set.
#pragma once

#include "model/core/PrjList.h"

#include <array>
#include <cstdint>

namespace orv {

// A character the project defines for the panel's display: its code and
// eight pixel rows, row 0 first.
class CCharDef : public CObj {
public:
    static constexpr int kRows = 8;
    using Rows = std::array<uint8_t, kRows>;

    CCharDef(uint8_t code, const Rows& rows) : m_code(code), m_rows(rows) {}

    uint8_t GetCode() const { return m_code; }
    // A row outside 0..7 is ignored, and read as 0.
    void SetRow(int row, uint8_t bits);
    uint8_t GetRow(int row) const;
    const Rows& GetRows() const { return m_rows; }

private:
    uint8_t m_code;
    Rows m_rows;
};

// The project's character definitions, one per code, in code order.
class CCharDefColl : public CPrjList<CCharDef> {
public:
    using CPrjList::CPrjList;

    int Compare(const void* key1, const void* key2) const override;

    // The code is taken as a 16-bit value, so that no code above 255 matches
    // a definition by its low byte.
    CCharDef* FindByCode(uint16_t code) const;
    // FreeAll keeps the current index; whoever reads it checks it against
    // the count.
};

} // namespace orv
