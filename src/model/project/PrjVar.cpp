// Variable base of the project model: its use counts and its link to the driver
// parameter item holding its word.
#include "model/project/PrjVar.h"

#include "model/project/DrvParColl.h"
#include "model/project/PrjData.h"

namespace orv {

CPrjVar::CPrjVar(std::string_view name, int16_t adr, uint32_t flags, uint8_t setpKind, uint8_t type)
    : m_name(name.substr(0, kNameMax)),
      m_adr(adr),
      m_flags(flags),
      m_setpKind(setpKind),
      m_type(type),
      m_maxWidth(DefaultVarMaxWidth())
{
}

void CPrjVar::MarkPlcBits(CDrvParColl*) const {}

void CPrjVar::SetStateTxt(int, const char*) {}

std::unique_ptr<CPrjVar> CPrjVar::Clone(std::string_view name) const
{
    return std::make_unique<CPrjVar>(name, m_adr, m_flags, m_setpKind, m_type);
}

const char* CPrjVar::GetStateTxt(int) const
{
    return nullptr;
}

void CPrjVar::MarkWords(CDrvParColl* items, int words) const
{
    if (!items)
        return;
    for (int k = 0; k < words; ++k)
        if (auto* item = dynamic_cast<CDrvParVarItem*>(items->FindItem(static_cast<uint16_t>(m_adr + k))))
            if (item->GetKind() == CDrvParItem::KindVar || item->GetKind() == CDrvParItem::KindMsg)
                item->SetMask(0xFFFF);
}

int CPrjVar::SetName(std::string_view name)
{
    m_name = name.substr(0, kNameMax);
    return static_cast<int>(m_name.size()) + 1;
}

uint8_t DefaultVarMaxWidth()
{
    const CPrjData* prj = CPrjData::GetCurrent();
    return prj ? static_cast<uint8_t>(prj->GetDspWidth()) : 40;
}

} // namespace orv
