#pragma once

#include "model/Coll.h"

// A sorted list that remembers the position of the views' current item.
class CCurIdxColl : public CSortedColl {
public:
    // True when the item itself, not only its key, is in the list.
    bool Holds(const CObj* item) const
    {
        const int index = item ? IndexOf(item) : -1;
        return index >= 0 && At(index) == item;
    }

    void SetCurIdx(int index) { m_curIdx = index; }
    int GetCurIdx() const { return m_curIdx; }

protected:
    CCurIdxColl(int limit, int delta)
    {
        SetDelta(delta);
        SetLimit(limit);
    }

    // Inserts the item; false when the list refused it, which leaves it the
    // caller's.
    bool InsertHeld(CObj* item)
    {
        const int index = Insert(item);
        return index >= 0 && At(index) == item;
    }

    // After an item went: the last item when the index ran past the end, 0
    // in an empty list.
    void KeepCurIdxInside()
    {
        if (m_curIdx >= GetCount())
            m_curIdx = GetCount() > 0 ? GetCount() - 1 : 0;
    }

private:
    int m_curIdx = 0;
};
