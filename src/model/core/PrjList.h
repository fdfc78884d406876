// The typed, sorted and owning list template every keyed project list derives
// from, with the position the views show.
#pragma once

#include "model/core/Coll.h"

#include <memory>

namespace orv {

// A typed list of the project: kept in the order of the key the derived list
// compares, refusing a key already present, owning its items, with the
// position of the entry the views show. Every operation that shrinks the list keeps that position
// within 0..count-1 (0 when the list is empty).
template <class Item>
class CPrjList : public CSortedColl {
public:
    CPrjList(int limit, int delta)
    {
        SetLimit(limit);
        SetDelta(delta);
    }

    Item* ItemAt(int index) const { return static_cast<Item*>(At(index)); }

    int GetCurIdx() const { return m_cur; }
    void SetCurIdx(int index) { m_cur = index; }

    // Puts the item at its sorted place and returns it. An item whose key is
    // taken, or that a full list cannot take, is destroyed: the result is
    // then null and nothing is left outside the list.
    Item* Adopt(std::unique_ptr<Item> item)
    {
        if (!item)
            return nullptr;
        const int index = Insert(item.get());
        if (index < 0 || At(index) != item.get())
            return nullptr;
        return item.release();
    }

    // Removes the item and deletes it. Null and items of other lists are
    // ignored.
    void Delete(Item* item)
    {
        if (!item || CColl::IndexOf(item) < 0)
            return;
        Free(item);
        ClampCurIdx();
    }

    // Deletes every item; the position becomes 0.
    void DeleteAll()
    {
        FreeAll();
        m_cur = 0;
    }

protected:
    // Takes the item out of the list without deleting it; false when the
    // list does not hold it.
    bool TakeOut(Item* item)
    {
        const int index = item ? CColl::IndexOf(item) : -1;
        if (index < 0)
            return false;
        AtRemove(index);
        return true;
    }

    void ClampCurIdx()
    {
        if (m_cur >= GetCount())
            m_cur = GetCount() - 1;
        if (m_cur < 0)
            m_cur = 0;
    }

private:
    int m_cur = 0;
};

} // namespace orv
