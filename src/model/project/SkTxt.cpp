// Softkey texts; every key assignment counts in its action so a used action is
// never deleted.
#include "model/project/SkTxt.h"

#include "model/project/SkAct.h"

#include <memory>

namespace orv {

CPrjSkTxt::~CPrjSkTxt()
{
    ReleaseActs();
}

int32_t CPrjSkTxt::Assign(Table& table, int key, CPrjSkAct* act)
{
    if (!IsKey(key))
        return 0;
    CPrjSkAct*& place = table[static_cast<size_t>(key)];
    const int32_t oldCount = place ? place->ReleaseUse() : 0;
    place = act;
    if (act)
        act->AddUse();
    return oldCount;
}

int32_t CPrjSkTxt::SetPressAct(int key, CPrjSkAct* act)
{
    return Assign(m_press, key, act);
}

int32_t CPrjSkTxt::SetReleaseAct(int key, CPrjSkAct* act)
{
    return Assign(m_release, key, act);
}

void CPrjSkTxt::SetActs(int key, CPrjSkAct* press, CPrjSkAct* release)
{
    SetPressAct(key, press);
    SetReleaseAct(key, release);
}

CPrjSkAct* CPrjSkTxt::GetPressAct(int key) const
{
    return IsKey(key) ? m_press[static_cast<size_t>(key)] : nullptr;
}

CPrjSkAct* CPrjSkTxt::GetReleaseAct(int key) const
{
    return IsKey(key) ? m_release[static_cast<size_t>(key)] : nullptr;
}

int CPrjSkTxt::HasAct(int key) const
{
    return GetPressAct(key) || GetReleaseAct(key) ? 1 : 0;
}

void CPrjSkTxt::ReleaseActs()
{
    for (int key = 1; key <= kKeys; ++key)
        SetActs(key, nullptr, nullptr);
}

CPrjSkTxt* CPrjSkTxtList::CopySkTxt(const CPrjSkTxt* source, int32_t num)
{
    auto* copy = AddCopyOf<CPrjSkTxt, CPrjSkTxtRange>(source, num, 255);
    if (!copy)
        return nullptr;
    for (int key = 1; key <= CPrjSkTxt::kKeys; ++key)
        copy->SetActs(key, source->GetPressAct(key), source->GetReleaseAct(key));
    return copy;
}

void CPrjSkTxtList::Renumber(CPrjSkTxt* entry, int32_t num)
{
    CPrjNumList::Renumber(entry, num & 0xFFFF);
}

} // namespace orv
