// Recipe texts keep their value list in step with the variables in their rows;
// a replaced variable carries its value over where the kinds allow.
#include "model/project/RcpTxt.h"

#include "model/project/PrjVar.h"

#include <optional>
#include <string>

namespace orv {

namespace {

bool IsExternal(const CPrjVar* var)
{
    return var && var->GetType() < CPrjVar::kFirstIntType;
}

bool IsAscii(const CPrjVar* var)
{
    return var && var->GetType() == CPrjVarValList::kTypeAscii;
}

// Gives the old variable's pair at index i to the new variable. Numbers are
// carried and clamped, texts copied; between a text and a number the new
// variable starts from its initial value.
void CarryPair(CPrjVarValList& values, int i, CPrjVar* newVar)
{
    CVarValPair* old = values.GetAt(i);
    const bool oldText = IsAscii(old->GetVar());
    const uint32_t value = old->GetValue();
    std::optional<std::string> text;
    if (old->GetText())
        text.emplace(old->GetText());
    values.AtRemove(i);
    values.FreeItem(old);

    if (!values.InsertPair(newVar, i))
        return;
    CVarValPair& pair = *values.GetAt(i);
    const bool newText = IsAscii(newVar);
    if (oldText && newText) {
        if (text)
            pair.SetText(*text);
    } else if (!oldText && !newText) {
        pair.SetValue(value);
        CPrjVarValList::ClampValue(pair);
    }
}

}  // namespace

int CPrjRcpTxt::CountExtVars() const
{
    int count = 0;
    for (int r = 1; r <= GetRowCount(); ++r)
        if (const CPrjTxtRow* row = GetRow(r))
            for (int s = 0; s < row->GetVarCount(); ++s)
                if (IsExternal(row->GetVarSlot(s).var))
                    ++count;
    return count;
}

bool CPrjRcpTxt::ShowsVar(const CPrjVar* var) const
{
    if (!var)
        return false;
    for (int r = 1; r <= GetRowCount(); ++r)
        if (const CPrjTxtRow* row = GetRow(r))
            for (int s = 0; s < row->GetVarCount(); ++s)
                if (const CPrjVar* held = row->GetVarSlot(s).var; held && held->GetName() == var->GetName())
                    return true;
    return false;
}

CPrjRcpTxtRange::CPrjRcpTxtRange(int32_t lowest, int32_t highest) : CPrjRcpTxt(-1), CNumRange(lowest, highest) {}

CPrjRcpTxt* CPrjRcpTxtList::CopyRcpTxt(const CPrjRcpTxt* source, int32_t num)
{
    auto* copy = AddCopyOf<CPrjRcpTxt, CPrjRcpTxtRange>(source, num, 127);
    if (!copy)
        return nullptr;
    const CPrjVarValList& from = source->GetValList();
    CPrjVarValList& to = copy->GetValList();
    const int k = source->CountExtVars();
    for (int i = 0; i < k; ++i) {
        const CVarValPair* pair = from.GetAt(i);
        if (!pair || !to.InsertPair(pair->GetVar(), to.GetCount()))
            continue;
        CVarValPair& added = *to.GetAt(to.GetCount() - 1);
        added.SetValue(pair->GetValue());
        if (pair->GetText())
            added.SetText(pair->GetText());
    }
    return copy;
}

bool CPrjRcpTxtList::UsesVar(const CPrjVar* var) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (RcpAt(i)->IndexOfVar(var) >= 0)
            return true;
    return false;
}

void CPrjRcpTxtList::ReplaceVar(const VarReplaceReq& req)
{
    if (!req.oldVar || !req.newVar || !req.charSet)
        return;
    CPrjNumList::ReplaceVar(req);
    for (int i = 0; i < GetCount(); ++i) {
        CPrjVarValList& values = RcpAt(i)->GetValList();
        const int index = values.IndexOfVar(req.oldVar);
        if (index >= 0)
            CarryPair(values, index, req.newVar);
    }
}

} // namespace orv
