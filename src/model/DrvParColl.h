#pragma once

#include <cstdint>

#include "model/Coll.h"
#include "model/DrvParItem.h"

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

    void ResetAll();
    void ClearMaskAll();
    void ClearBitsAll();
    void RefreshAll();
};
