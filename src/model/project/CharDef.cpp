// Character definitions of the project model; keys are full 16-bit codes so a
// code above 255 never aliases a definition.
#include "model/project/CharDef.h"

namespace orv {

void CCharDef::SetRow(int row, uint8_t bits)
{
    if (row >= 0 && row < kRows)
        m_rows[static_cast<size_t>(row)] = bits;
}

uint8_t CCharDef::GetRow(int row) const
{
    if (row < 0 || row >= kRows)
        return 0;
    return m_rows[static_cast<size_t>(row)];
}

int CCharDefColl::Compare(const void* key1, const void* key2) const
{
    const uint8_t a = static_cast<const CCharDef*>(key1)->GetCode();
    const uint8_t b = static_cast<const CCharDef*>(key2)->GetCode();
    return (a > b) - (a < b);
}

CCharDef* CCharDefColl::FindByCode(uint16_t code) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (ItemAt(i)->GetCode() == code)
            return ItemAt(i);
    return nullptr;
}

} // namespace orv
