// The PLC stations a panel talks to, one definition per PLC number.
#pragma once

#include "model/core/PrjList.h"

#include <cstdint>
#include <string>

namespace orv {

// One PLC station that the panel talks to.
class CSpsDef : public CObj {
public:
    // The name is copied; null leaves the definition without one.
    CSpsDef(uint8_t num, uint16_t adr, uint16_t slot, uint16_t rack, const char* name);

    // Takes every field and a copy of the name.
    void Assign(const CSpsDef& other);
    void FreeName();

    uint8_t GetNum() const { return m_num; }
    uint16_t GetAdr() const { return m_adr; }
    uint16_t GetSlot() const { return m_slot; }
    uint16_t GetRack() const { return m_rack; }
    // Null when the definition has no name.
    const char* GetName() const { return m_hasName ? m_name.c_str() : nullptr; }

private:
    uint8_t m_num;
    uint16_t m_adr;
    uint16_t m_slot;
    uint16_t m_rack;
    bool m_hasName = false;
    std::string m_name;
};

// The PLC definitions, one per PLC number.
class CSpsDefList : public CPrjList<CSpsDef> {
public:
    static constexpr int kMaxPlcs = 5;

    using CPrjList::CPrjList;

    int Compare(const void* key1, const void* key2) const override;

    CSpsDef* FindByAdr(uint16_t adr) const;
    // Compares the number's low byte.
    CSpsDef* FindByNum(int num) const;
    // The lowest number 1..5 in no use; 0 when the list is full.
    int FirstFreeNum() const;
};

} // namespace orv
