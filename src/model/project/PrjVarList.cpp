// The variable list of the project model; names are unique and ordered, so
// lookups search rather than scan.
#include "model/project/PrjVarList.h"

#include "model/project/PrjIntVar.h"

namespace orv {


namespace {

constexpr uint8_t kTypeNum = 134;
constexpr uint8_t kTypeStr = 142;
constexpr uint8_t kTypeStrRow = 144;
constexpr uint8_t kTypeStrWide = 154;
constexpr uint8_t kTypeDate = 251;

} // namespace

CPrjVarList::CPrjVarList(int limit, int step)
{
    SetLimit(limit);
    SetDelta(step);
}

CPrjVarList::~CPrjVarList()
{
    FreeAll();
}

const void* CPrjVarList::KeyOf(const CObj* item) const
{
    return &static_cast<const CPrjVar*>(item)->GetName();
}

int CPrjVarList::Compare(const void* key1, const void* key2) const
{
    const std::string& a = *static_cast<const std::string*>(key1);
    const std::string& b = *static_cast<const std::string*>(key2);
    const bool aBracket = !a.empty() && a[0] == '[';
    const bool bBracket = !b.empty() && b[0] == '[';
    if (aBracket != bBracket)
        return aBracket ? 1 : -1;
    // std::string compares its bytes as unsigned characters.
    const int r = a.compare(b);
    return (r > 0) - (r < 0);
}

void CPrjVarList::FreeItem(CObj* item)
{
    if (auto* var = static_cast<CPrjVar*>(item))
        var->FreeKindData();
    delete item;
}

bool CPrjVarList::Rename(CPrjVar* var, std::string_view name)
{
    if (!var)
        return false;
    const int index = IndexOf(var);
    if (index < 0 || VarAt(index) != var)
        return false;
    const std::string_view newName = name.substr(0, CPrjVar::kNameMax);
    const CPrjVar* holder = FindByName(newName);
    if (holder && holder != var && !AllowsDuplicates())
        return false;
    AtRemove(index);
    var->SetName(newName);
    Insert(var);
    return true;
}

void CPrjVarList::SetCurByName(std::string_view name)
{
    CPrjVar* var = FindByName(name);
    if (!var)
        var = FindIntByStdName(std::string(name).c_str());
    if (!var)
        return;
    const int index = IndexOf(var);
    if (index >= 0)
        m_cur = index;
}

void CPrjVarList::Delete(CPrjVar* var)
{
    if (!var)
        return;
    const int index = IndexOf(var);
    if (index < 0 || VarAt(index) != var)
        return;
    AtRemove(index);
    FreeItem(var);
    if (m_cur >= GetCount())
        m_cur = GetCount() > 0 ? GetCount() - 1 : 0;
}

void CPrjVarList::FreeAll()
{
    CColl::FreeAll();
    m_cur = 0;
}

CPrjVar* CPrjVarList::FindByName(const char* name) const
{
    if (!name)
        return nullptr;
    // Names are unique and kept in order, so the binary search finds what
    // a scan in list order would.
    const std::string key(name);
    int index = 0;
    return Search(&key, index) ? VarAt(index) : nullptr;
}

CPrjVar* CPrjVarList::FindByName(std::string_view name) const
{
    return FindByName(std::string(name).c_str());
}

CPrjVar* CPrjVarList::ScanByName(std::string_view name) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (VarAt(i)->GetName() == name)
            return VarAt(i);
    return nullptr;
}

CPrjIntVar* CPrjVarList::FindIntByStdName(const char* name) const
{
    if (!name)
        return nullptr;
    for (int i = 0; i < GetCount(); ++i) {
        CPrjVar* var = VarAt(i);
        if (!var->IsInternal())
            continue;
        auto* intVar = dynamic_cast<CPrjIntVar*>(var);
        if (intVar && intVar->GetOrigName() == name)
            return intVar;
    }
    return nullptr;
}

CPrjVar* CPrjVarList::FindByAdr(int16_t adr) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (VarAt(i)->GetAdr() == adr)
            return VarAt(i);
    return nullptr;
}

CPrjVar* CPrjVarList::FindByRef(uint32_t ref) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (VarAt(i)->GetAttr32() == ref)
            return VarAt(i);
    return nullptr;
}

bool CPrjVarList::HasExtVar() const
{
    for (int i = 0; i < GetCount(); ++i)
        if (!VarAt(i)->IsInternal())
            return true;
    return false;
}

bool CPrjVarList::HasIntStrVar() const
{
    for (int i = 0; i < GetCount(); ++i) {
        const uint8_t type = VarAt(i)->GetType();
        if (type == kTypeStr || type == kTypeStrRow || type == kTypeStrWide)
            return true;
    }
    return false;
}

void CPrjVarList::MarkPlcBits(CDrvParColl* items) const
{
    for (int i = 0; i < GetCount(); ++i)
        VarAt(i)->MarkPlcBits(items);
}

void CPrjVarList::SetMaxWidths(uint8_t width)
{
    for (int i = 0; i < GetCount(); ++i)
        VarAt(i)->SetMaxWidth(width);
}

void CPrjVarList::SetSettingOf(std::string_view name, uint8_t type, int v)
{
    CPrjVar* var = FindByName(name);
    if (var && var->GetType() == type)
        var->SetExtWord1(v);
}

void CPrjVarList::SetCycleVars(int v)
{
    SetSettingOf("[Z005]", kTypeNum, v);
    SetSettingOf("[Z006]", kTypeNum, v);
}

void CPrjVarList::SetPrnStatusVar(int v)
{
    SetSettingOf("[Z100]", kTypeNum, v);
}

void CPrjVarList::SetDateModeVars(int v)
{
    for (int i = 0; i < GetCount(); ++i)
        if (VarAt(i)->GetType() == kTypeDate)
            if (auto* date = dynamic_cast<CPrjIntVarByte*>(VarAt(i)))
                date->SetValue(static_cast<uint8_t>(v));
}

void CPrjVarList::SetPrnIfcVar(int v)
{
    if (v >= 0 && v <= 1)
        SetSettingOf("[Z031]", kTypeStr, v);
}

void CPrjVarList::SetPrnBaudVar(int v)
{
    if (v >= 0 && v <= 4)
        SetSettingOf("[Z027]", kTypeStr, v);
}

void CPrjVarList::SetPrnParityVar(int v)
{
    if (v >= 0 && v <= 2)
        SetSettingOf("[Z028]", kTypeStr, v);
}

void CPrjVarList::SetPrnDataBitsVar(int v)
{
    if (v >= 0 && v <= 1)
        SetSettingOf("[Z029]", kTypeStr, v);
}

void CPrjVarList::SetPrnStopBitsVar(int v)
{
    if (v >= 0 && v <= 1)
        SetSettingOf("[Z030]", kTypeStr, v);
}

CPrjKomVarList::CPrjKomVarList(int limit, int step) : CPrjVarList(limit, step)
{
    SetDuplicates(true);
}

int CPrjKomVarList::Compare(const void*, const void*) const
{
    return -1;
}

CPrjVar* CPrjKomVarList::FindByName(const char* name) const
{
    return name ? ScanByName(name) : nullptr;
}

void CPrjKomVarList::Renumber(CPrjVar* var, uint16_t first)
{
    m_counter = first;
    if (!var)
        return;
    m_nameBuf = var->GetName();
    for (int i = 0; i < GetCount(); ++i)
        if (VarAt(i)->GetName() == m_nameBuf)
            VarAt(i)->SetAdr(static_cast<int16_t>(m_counter++));
}

} // namespace orv
