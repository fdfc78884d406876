// The model's base collections of object pointers; every list of the project
// model is built on them.
#pragma once

#include "model/core/Obj.h"

#include <memory>

namespace orv {

// Callbacks of ForEach, FirstThat and LastThat. A test counts as true only
// when it returns exactly 1.
using CollAction = void (*)(CObj* item, void* arg);
using CollTest = int (*)(CObj* item, void* arg);

// Growable array of item pointers. A violated index or capacity
// precondition changes nothing, yields null or -1 and is shown as one
// internal error, so that a faulty caller cannot write past the array.
class CColl : public CObj {
public:
    static constexpr int kMaxCount = 16380;

    CColl() = default;
    // Frees the items an owning collection still holds, with the plain
    // delete of FreeItem: a derived list whose FreeItem does more calls
    // ShutDown in its own destructor.
    ~CColl() override;

    CObj* At(int index) const;
    bool AtInsert(int index, CObj* item);
    void AtRemove(int index);
    virtual int IndexOf(const CObj* item) const;
    virtual int Insert(CObj* item);
    void Remove(CObj* item);
    void RemoveAll() { m_count = 0; }
    void Free(CObj* item);
    void FreeAll();
    virtual void FreeItem(CObj* item);
    void ShutDown() override;
    virtual void SetLimit(int limit);

    int ForEach(CollAction action, void* arg);
    CObj* FirstThat(CollTest test, void* arg) const;
    CObj* LastThat(CollTest test, void* arg) const;
    void Pack();

    int GetCount() const { return m_count; }
    int GetLimit() const { return m_limit; }
    int GetDelta() const { return m_delta; }
    void SetDelta(int delta) { m_delta = delta; }
    bool OwnsItems() const { return m_owns; }
    void SetOwnsItems(bool owns) { m_owns = owns; }

private:
    std::unique_ptr<CObj*[]> m_items;
    int m_count = 0;
    int m_limit = 0;
    int m_delta = 0;
    bool m_owns = true;
};

// A collection kept in the order of a key taken from each item; binary
// search finds the first item whose key is not less than the one sought.
class CSortedColl : public virtual CColl {
public:
    using CColl::IndexOf;

    // Index of the key's item, of the first of equal items, or where the key
    // would be inserted.
    virtual bool Search(const void* key, int& index) const;
    virtual const void* KeyOf(const CObj* item) const { return item; }
    virtual int Compare(const void* key1, const void* key2) const = 0;

    int IndexOf(const CObj* item) const override;
    // Without duplicates an item whose key is present is refused and stays
    // the caller's; the result is then the index of the item holding the key.
    int Insert(CObj* item) override;

    bool AllowsDuplicates() const { return m_duplicates; }
    void SetDuplicates(bool duplicates) { m_duplicates = duplicates; }

private:
    bool m_duplicates = false;
};

} // namespace orv
