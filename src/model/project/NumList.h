// The shared base of the project's lists of numbered texts: ordered by number,
// the template first, each number once.
#pragma once

#include "model/project/NumEntry.h"
#include "model/core/PrjList.h"

#include <cstdint>
#include <memory>

namespace orv {

// What every list of numbered texts shares: entries ordered by their signed
// number, so that the template (-1) comes first, each number once.
template <class Entry>
class CNumListBase : public CPrjList<Entry> {
public:
    using CPrjList<Entry>::CPrjList;

    const void* KeyOf(const CObj* item) const override { return &static_cast<const Entry*>(item)->NumKey(); }
    int Compare(const void* key1, const void* key2) const override
    {
        const int32_t a = *static_cast<const int32_t*>(key1);
        const int32_t b = *static_cast<const int32_t*>(key2);
        return a < b ? -1 : (a > b ? 1 : 0);
    }

    Entry* FindByNum(int32_t num) const
    {
        int index = 0;
        return this->Search(&num, index) ? this->ItemAt(index) : nullptr;
    }
    Entry* GetTemplate() const { return FindByNum(-1); }
    // The highest-numbered entry that is not the template, or null.
    Entry* GetHighest() const
    {
        const int count = this->GetCount();
        if (count == 0)
            return nullptr;
        Entry* last = this->ItemAt(count - 1);
        return last->GetNum() >= 0 ? last : nullptr;
    }

    // The row operations over every entry in number order, template included.
    virtual void ReplaceVar(const VarReplaceReq& req)
    {
        for (int i = 0; i < this->GetCount(); ++i)
            this->ItemAt(i)->ReplaceVar(req);
    }
    void FitVarWidths()
    {
        for (int i = 0; i < this->GetCount(); ++i)
            this->ItemAt(i)->FitVarWidths();
    }
    bool HasVarWithOthers(const CPrjVar* var) const
    {
        for (int i = 0; i < this->GetCount(); ++i)
            if (this->ItemAt(i)->HasVarWithOthers(var))
                return true;
        return false;
    }

    // Deletes every entry with its rows; the current index becomes 0.
    void FreeAllEntries() { this->DeleteAll(); }
};

// The base of the lists of numbered display texts, which the views number,
// renumber and delete in.
class CPrjNumList : public CNumListBase<CPrjNumEntry> {
public:
    static constexpr int32_t kNoFreeNum = -32768;

    using CNumListBase::CNumListBase;

    // The entry with that number becomes current; an unknown number changes
    // nothing.
    void SetCurByNum(int32_t num);
    // The lowest number in low..high above every entry from low on that has
    // no entry, taking the first gap; kNoFreeNum when there is none.
    int32_t FirstFreeNum(int32_t low, int32_t high) const;
    // Gives the entry the number and moves it to its sorted place. Nothing
    // happens for null, the template, the number -1, an entry of another
    // list or a number that another entry has.
    void Renumber(CPrjNumEntry* entry, int32_t num);
    // Deletes the entry with its rows and keeps the current index inside
    // the list. Null and entries of other lists are ignored.
    void DelEntry(CPrjNumEntry* entry) { Delete(entry); }

protected:
    // Gives the new entry copies of the source's rows, inserts it and makes
    // it current. A number already in use destroys the new entry (releasing
    // the variables of its copied rows) and gives null.
    CPrjNumEntry* AddCopy(std::unique_ptr<CPrjNumEntry> entry, const CPrjNumEntry& source);
    // AddCopy of a new Entry numbered num, or for num -1 of the template,
    // a Range over 0..highest; null for a null source.
    template <class Entry, class Range>
    Entry* AddCopyOf(const CPrjNumEntry* source, int32_t num, int32_t highest)
    {
        if (!source)
            return nullptr;
        std::unique_ptr<CPrjNumEntry> entry;
        if (num == -1)
            entry = std::make_unique<Range>(0, highest);
        else
            entry = std::make_unique<Entry>(num);
        return static_cast<Entry*>(AddCopy(std::move(entry), *source));
    }
};

} // namespace orv
