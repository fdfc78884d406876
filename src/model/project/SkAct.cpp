// Softkey actions and their list; a copy whose key collides is refused and
// destroyed rather than left unowned.
#include "model/project/SkAct.h"

#include <memory>

namespace orv {

CPrjSkAct::CPrjSkAct(int32_t num, const char* name) : m_num(num)
{
    SetName(name);
}

void CPrjSkAct::SetName(const char* name)
{
    m_hasName = name != nullptr;
    m_name = name ? name : "";
}

void CPrjSkAct::SetOp(int i, uint16_t code)
{
    if (!InRange(i))
        return;
    m_ops[i].code = code;
    m_ops[i].used = code != kOpNone ? 1 : 0;
}

void CPrjSkAct::SetAdr(int i, uint16_t adr)
{
    if (InRange(i))
        m_ops[i].adr = adr;
}

void CPrjSkAct::SetValue(int i, uint16_t value)
{
    if (InRange(i))
        m_ops[i].value = value;
}

void CPrjSkAct::SetFormat(int i, uint16_t format)
{
    if (InRange(i))
        m_ops[i].format = format;
}

void CPrjSkAct::SetOperation(int i, uint16_t code, uint16_t adr, uint16_t value, uint16_t format)
{
    if (!InRange(i))
        return;
    if (code == kOpNone)
        m_ops[i] = Operation{};
    else
        m_ops[i] = Operation{code, adr, value, format, 1};
}

uint16_t CPrjSkAct::GetOp(int i) const
{
    return InRange(i) ? m_ops[i].code : 0;
}

uint16_t CPrjSkAct::GetAdr(int i) const
{
    return InRange(i) ? m_ops[i].adr : 0;
}

uint16_t CPrjSkAct::GetValue(int i) const
{
    return InRange(i) ? m_ops[i].value : 0;
}

uint16_t CPrjSkAct::GetFormat(int i) const
{
    return InRange(i) ? m_ops[i].format : 0;
}

uint8_t CPrjSkAct::IsOpUsed(int i) const
{
    return InRange(i) ? m_ops[i].used : 0;
}

int32_t CPrjSkAct::ReleaseUse()
{
    if (m_useCount > 0)
        --m_useCount;
    return m_useCount;
}

int CPrjSkActList::Compare(const void* key1, const void* key2) const
{
    const auto a = static_cast<uint8_t>(static_cast<const CPrjSkAct*>(key1)->GetNum());
    const auto b = static_cast<uint8_t>(static_cast<const CPrjSkAct*>(key2)->GetNum());
    return (a > b) - (a < b);
}

CPrjSkAct* CPrjSkActList::FindByKey(int32_t num) const
{
    const CPrjSkAct probe(num, nullptr);
    int index = 0;
    return Search(&probe, index) ? ItemAt(index) : nullptr;
}

CPrjSkAct* CPrjSkActList::CopyAct(const CPrjSkAct* source, int32_t num)
{
    if (!source)
        return nullptr;
    auto copy = std::make_unique<CPrjSkAct>(num, source->GetName());
    for (int i = 0; i < CPrjSkAct::kOps; ++i) {
        copy->SetOp(i, source->GetOp(i));
        copy->SetAdr(i, source->GetAdr(i));
        copy->SetValue(i, source->GetValue(i));
        copy->SetFormat(i, source->GetFormat(i));
    }
    // Numbers 256 apart share a key, so a copy to "highest + 1" can collide;
    // a refused copy is destroyed.
    return Adopt(std::move(copy));
}

bool CPrjSkActList::Renumber(CPrjSkAct* act, int32_t num)
{
    const CPrjSkAct* holder = FindByKey(num);
    if ((holder && holder != act) || !TakeOut(act))
        return false;
    act->SetNum(num);
    Insert(act);
    return true;
}

CPrjSkAct* CPrjSkActList::FindByNum(int32_t num) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (ItemAt(i)->GetNum() == num)
            return ItemAt(i);
    return nullptr;
}

CPrjSkAct* CPrjSkActList::FindHighest() const
{
    for (int i = GetCount() - 1; i >= 0; --i)
        if (ItemAt(i)->GetNum() > 0)
            return ItemAt(i);
    return nullptr;
}

bool CPrjSkActList::DelAct(CPrjSkAct* act)
{
    if (!act || act->GetUseCount() > 0)
        return false;
    Delete(act);
    return true;
}

} // namespace orv
