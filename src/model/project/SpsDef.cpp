// PLC station definitions of the project model, keyed by the number's low byte.
#include "model/project/SpsDef.h"

namespace orv {

CSpsDef::CSpsDef(uint8_t num, uint16_t adr, uint16_t slot, uint16_t rack, const char* name)
    : m_num(num), m_adr(adr), m_slot(slot), m_rack(rack)
{
    if (name) {
        m_hasName = true;
        m_name = name;
    }
}

void CSpsDef::FreeName()
{
    m_hasName = false;
    m_name.clear();
}

void CSpsDef::Assign(const CSpsDef& other)
{
    if (&other == this)
        return;
    m_num = other.m_num;
    m_adr = other.m_adr;
    m_slot = other.m_slot;
    m_rack = other.m_rack;
    m_hasName = other.m_hasName;
    m_name = other.m_name;
}

int CSpsDefList::Compare(const void* key1, const void* key2) const
{
    const uint8_t a = static_cast<const CSpsDef*>(key1)->GetNum();
    const uint8_t b = static_cast<const CSpsDef*>(key2)->GetNum();
    return (a > b) - (a < b);
}

CSpsDef* CSpsDefList::FindByAdr(uint16_t adr) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (ItemAt(i)->GetAdr() == adr)
            return ItemAt(i);
    return nullptr;
}

CSpsDef* CSpsDefList::FindByNum(int num) const
{
    const auto low = static_cast<uint8_t>(num & 0xFF);
    for (int i = 0; i < GetCount(); ++i)
        if (ItemAt(i)->GetNum() == low)
            return ItemAt(i);
    return nullptr;
}

int CSpsDefList::FirstFreeNum() const
{
    if (GetCount() >= kMaxPlcs)
        return 0;
    for (int num = 1; num <= kMaxPlcs; ++num)
        if (!FindByNum(num))
            return num;
    return 0;
}

} // namespace orv
