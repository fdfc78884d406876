// Recipe value pairs in insertion order, found by variable name; texts are
// owned copies.
#include "model/project/VarValList.h"

#include "model/project/PrjVar.h"

#include <algorithm>

namespace orv {

namespace {

bool IsBcdOrBin(uint8_t type)
{
    return type == 0 || type == 16 || type == 28 || type == 30 || (type >= 2 && type <= 9);
}

bool IsVbin(uint8_t type)
{
    return type >= 18 && type <= 25;
}

bool IsStateSelection(uint8_t type)
{
    return type == 14 || type == 26 || type == 42 || type == 142 || type == 144 || type == 154;
}

template <class T>
T Clamp(T value, T lower, T upper)
{
    if (value < lower)
        return lower;
    if (value > upper)
        return upper;
    return value;
}

}  // namespace

const void* CPrjVarValList::KeyOf(const CObj* item) const
{
    return static_cast<const CVarValPair*>(item)->GetVar();
}

int CPrjVarValList::Compare(const void*, const void*) const
{
    return -1;
}

int CPrjVarValList::IndexOfVar(const CPrjVar* var) const
{
    if (!var)
        return -1;
    for (int i = 0; i < GetCount(); ++i) {
        const CPrjVar* held = ItemAt(i)->GetVar();
        if (held && held->GetName() == var->GetName())
            return i;
    }
    return -1;
}

CVarValPair* CPrjVarValList::GetAt(int i) const
{
    return i >= 0 && i < GetCount() ? ItemAt(i) : nullptr;
}

void CPrjVarValList::RemoveVar(const CPrjVar* var)
{
    for (int i = IndexOfVar(var); i >= 0; i = IndexOfVar(var)) {
        CVarValPair* pair = ItemAt(i);
        AtRemove(i);
        FreeItem(pair);
    }
    ClampCurIdx();
}

int CPrjVarValList::InsertPair(CPrjVar* var, int index)
{
    if (!var)
        return 0;
    auto pair = std::make_unique<CVarValPair>(var);
    SetInitialValue(*pair);
    if (!AtInsert(std::clamp(index, 0, GetCount()), pair.get()))
        return 0;
    pair.release();
    return 1;
}

void CPrjVarValList::MovePair(int from, int to)
{
    if (from < 0 || from >= GetCount() || to < 0 || to >= GetCount() || from == to)
        return;
    CVarValPair* pair = ItemAt(from);
    AtRemove(from);
    AtInsert(to, pair);
}

void CPrjVarValList::SetInitialValue(CVarValPair& pair)
{
    pair.SetValue(0);
    pair.FreeText();
    const CPrjVar* var = pair.GetVar();
    if (!var)
        return;
    const uint8_t type = var->GetType();
    if (IsBcdOrBin(type) || IsVbin(type))
        pair.SetValue(static_cast<uint32_t>(var->GetExtWord1()));
}

void CPrjVarValList::ClampValue(CVarValPair& pair)
{
    const CPrjVar* var = pair.GetVar();
    if (!var)
        return;
    const uint8_t type = var->GetType();
    if (IsBcdOrBin(type)) {
        pair.SetValue(Clamp(pair.GetValue(), static_cast<uint32_t>(var->GetExtWord1()),
                            static_cast<uint32_t>(var->GetExtWord2())));
    } else if (IsVbin(type)) {
        const auto value = static_cast<int32_t>(pair.GetValue());
        pair.SetValue(static_cast<uint32_t>(Clamp(value, var->GetExtWord1(), var->GetExtWord2())));
    } else if (IsStateSelection(type)) {
        const int maxIdx = var->MaxStateIdx();
        if (static_cast<int>(pair.GetValue() & 0xFFFFu) > maxIdx)
            pair.SetValue(static_cast<uint32_t>(maxIdx) & 0xFFFFu);
    }
}

} // namespace orv
