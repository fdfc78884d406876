// The driver parameter items of a project, one per PLC data word, as the PLC
// parameters hold them.
#pragma once

#include <cstdint>

#include "model/core/Coll.h"
#include "model/project/DrvParItem.h"

namespace orv {

class CPrjVar;
class CPrjVarList;

// The driver parameter items of a project, kept in unsigned order of their
// word numbers, at most one item per word. Owns its items.
class CDrvParColl : public CSortedColl {
public:
    CDrvParColl(int limit, int delta);

    const void* KeyOf(const CObj* item) const override;
    int Compare(const void* key1, const void* key2) const override;

    // Sorted insert. An item whose word already has one is refused and stays
    // the caller's; the result is then the index of the item holding the word.
    int Add(CDrvParItem* item) { return Insert(item); }

    CDrvParItem* ItemAt(int index) const { return static_cast<CDrvParItem*>(At(index)); }
    CDrvParItem* FindItem(uint16_t number) const;
    // The first VAR item that nothing uses, or null.
    CDrvParVarItem* FirstFreeVar() const;

    // The VAR or MSG item of the variable's data word takes the variable
    // (one user more) or only its name.
    void UseItem(const CPrjVar& var);
    void SetItemName(const CPrjVar& var);
    // Releases the item of the word against the project's variables and
    // interface variables; a flagged item left with at most one user then
    // goes the way of the interface variable on its word.
    void ReleaseItem(uint16_t number, const CPrjVarList* vars, const CPrjVarList* ifcVars);
    void MoveItemUse(uint16_t oldNumber, const CPrjVar& var, const CPrjVarList* vars, const CPrjVarList* ifcVars);

    void ResetAll();
    void ClearMaskAll();
    void ClearBitsAll();
    void RefreshAll();
};

} // namespace orv
