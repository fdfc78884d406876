// The operations of the driver parameter items that take variables: a
// variable on an item's word uses it and lends it its name.

#include "model/project/DrvParColl.h"
#include "model/project/PrjVar.h"
#include "model/project/PrjVarList.h"

namespace orv {

namespace {

bool TakesVariables(const CDrvParItem* item)
{
    return item->GetKind() == CDrvParItem::KindVar || item->GetKind() == CDrvParItem::KindMsg;
}

// The VAR or MSG item on the variable's data word; internal variables
// without a word have none.
CDrvParVarItem* VarItemOf(const CDrvParColl& items, const CPrjVar& var)
{
    if (var.GetAdr() < 0)
        return nullptr;
    CDrvParItem* item = items.FindItem(static_cast<uint16_t>(var.GetAdr()));
    if (!item || !TakesVariables(item))
        return nullptr;
    return dynamic_cast<CDrvParVarItem*>(item);
}

} // namespace

bool CDrvParVarItem::ReleaseToVariables(const CPrjVarList* vars, const CPrjVarList* ifcVars)
{
    FreeText();
    SubUse();
    if (!vars || !ifcVars)
        return true;
    const auto word = static_cast<int16_t>(GetNumber());
    if (const CPrjVar* var = vars->FindByAdr(word); var && !var->IsInternal()) {
        SetText(var->GetName());
        return true;
    }
    if (GetUseCount() > 0)
        if (const CPrjVar* ifcVar = ifcVars->FindByAdr(word)) {
            SetText(ifcVar->GetName());
            return true;
        }
    ClearUse();
    return false;
}

void CDrvParVarItem::Release(const CPrjVarList* vars, const CPrjVarList* ifcVars)
{
    ReleaseToVariables(vars, ifcVars);
}

void CDrvParMsgItem::Release(const CPrjVarList* vars, const CPrjVarList* ifcVars)
{
    if (ReleaseToVariables(vars, ifcVars))
        return;
    // No variable left on the word: the item shows its message range again.
    if (!vars->FindByAdr(static_cast<int16_t>(GetNumber())))
        SetText(RangeText());
}

void CDrvParColl::UseItem(const CPrjVar& var)
{
    if (CDrvParVarItem* item = VarItemOf(*this, var))
        item->UseBy(var.GetName());
}

void CDrvParColl::SetItemName(const CPrjVar& var)
{
    if (CDrvParVarItem* item = VarItemOf(*this, var))
        item->SetName(var.GetName());
}

void CDrvParColl::ReleaseItem(uint16_t number, const CPrjVarList* vars, const CPrjVarList* ifcVars)
{
    CDrvParItem* item = FindItem(number);
    if (!item)
        return;
    if (TakesVariables(item))
        if (auto* varItem = dynamic_cast<CDrvParVarItem*>(item))
            varItem->Release(vars, ifcVars);
    if (!ifcVars || item->GetFlag() == 0 || item->GetUseCount() > 1)
        return;
    const CPrjVar* ifcVar = ifcVars->FindByAdr(static_cast<int16_t>(number));
    if (!ifcVar)
        return;
    // The interface variable on the word decides which way the word goes.
    switch (ifcVar->GetSetpKind()) {
    case 1: item->SetDirection(CDrvParItem::DirToPanel); break;
    case 2:
    case 3: item->SetDirection(CDrvParItem::DirToPlc); break;
    case 4: item->SetDirection(CDrvParItem::DirToPanel | CDrvParItem::DirToPlc); break;
    default: break;
    }
}

void CDrvParColl::MoveItemUse(uint16_t oldNumber, const CPrjVar& var, const CPrjVarList* vars,
                              const CPrjVarList* ifcVars)
{
    ReleaseItem(oldNumber, vars, ifcVars);
    UseItem(var);
}

} // namespace orv
