// Keeps driver parameter items sorted by word so each word has one owner; a
// refused item stays with its caller.
#include "model/project/DrvParColl.h"

namespace orv {

CDrvParColl::CDrvParColl(int limit, int delta) {
    SetDelta(delta);
    SetLimit(limit);
}

const void* CDrvParColl::KeyOf(const CObj* item) const {
    return &static_cast<const CDrvParItem*>(item)->GetNumberRef();
}

int CDrvParColl::Compare(const void* key1, const void* key2) const {
    const uint16_t a = *static_cast<const uint16_t*>(key1);
    const uint16_t b = *static_cast<const uint16_t*>(key2);
    return a < b ? -1 : (a > b ? 1 : 0);
}

CDrvParItem* CDrvParColl::FindItem(uint16_t number) const {
    for (int i = 0; i < GetCount(); ++i) {
        CDrvParItem* item = ItemAt(i);
        if (item->GetNumber() == number) return item;
    }
    return nullptr;
}

CDrvParVarItem* CDrvParColl::FirstFreeVar() const {
    for (int i = 0; i < GetCount(); ++i) {
        auto* item = dynamic_cast<CDrvParVarItem*>(ItemAt(i));
        if (item && item->GetKind() == CDrvParItem::KindVar && !item->IsUsed()) return item;
    }
    return nullptr;
}

void CDrvParColl::ResetAll() {
    for (int i = 0; i < GetCount(); ++i) ItemAt(i)->Reset();
}

void CDrvParColl::ClearMaskAll() {
    for (int i = 0; i < GetCount(); ++i) ItemAt(i)->ClearMask();
}

void CDrvParColl::ClearBitsAll() {
    for (int i = 0; i < GetCount(); ++i) ItemAt(i)->ClearBits();
}

void CDrvParColl::RefreshAll() {
    for (int i = 0; i < GetCount(); ++i) ItemAt(i)->Refresh();
}

} // namespace orv
