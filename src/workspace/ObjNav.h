// The object navigator of a list type: the cursor over one numbered text list
// of the project. The frame holds one, chosen by the list the user opened; the
// display editor edits its current text, the list view shows its rows.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace orv {

class CFrameCore;
class CPrjData;
class CPrjNumEntry;
class CPrjNumList;
class CPrjVar;

// What one list type's navigator is made of. The navigators differ only in
// these facts and in the few operations that the derived classes add.
struct NavRow {
    int listType;
    // The served list of the project, or null.
    CPrjNumList* (*list)(const CPrjData& prj);
    // A new element of the list's kind numbered num.
    std::unique_ptr<CPrjNumEntry> (*make)(int32_t num);
    // Numbers a new element may take.
    int32_t newLow;
    int32_t newHigh;
    // Numbers a copy may take, and the list's own copy, which inserts the
    // copy and gives null for a number in use.
    int32_t copyLow;
    int32_t copyHigh;
    CPrjNumEntry* (*copy)(CPrjNumList& list, const CPrjNumEntry& source, int32_t num);
    // 0: as many rows as the panel has display rows.
    int rowsPerEntry;
    int maxCount;
    bool renumbers;
};

// The row of a list type, or null for a type without a navigator.
const NavRow* FindNavRow(int listType);

class CObjNav {
public:
    // Hands every element of the list with its index to the texts provider.
    using RowAdder = std::function<void(const CPrjNumEntry& entry, int index)>;

    // Starts without an element; the frame then activates the start index.
    CObjNav(CFrameCore& core, const NavRow& row);
    virtual ~CObjNav() = default;
    CObjNav(const CObjNav&) = delete;
    CObjNav& operator=(const CObjNav&) = delete;

    // Makes the element at the index active and loads it into the display
    // editor, which first writes its rows back unless rowsSaved; a negative
    // index (or one past the list) leaves no element active.
    virtual void SetActive(int index, bool rowsSaved);
    void Prev();
    void Next();
    // A new, empty element under the lowest free number of the list's range.
    void New();
    // A copy of the active element under the lowest free number of the copy
    // range; the active element stays active.
    void CopyEntry();
    // Moves the numbers of a range to a target through the renumber dialog.
    void Renumber();
    // Gives one element a new number. False, with a message, when the number
    // is taken or outside the list's range; false without a word for the
    // same number or a list that does not renumber.
    bool RenumberEntry(CPrjNumEntry* entry, int32_t num);
    // Deletes the active element after a question.
    void Delete();
    // Edits the active element's options or form, where the list has them.
    virtual void EditOptions() {}
    virtual void EditForm() {}
    // The log line about a variable the display editor rests on; nothing
    // for null.
    static void ShowVarInfo(const CPrjVar* var);
    void FillList(const RowAdder& add) const;

    int GetListType() const { return m_row ? m_row->listType : 0; }
    CPrjNumList* GetList() const;
    int Count() const;
    // The element at i, or null outside the list.
    CPrjNumEntry* At(int i) const;
    CPrjNumEntry* First() const { return At(0); }
    // The element at the active index.
    CPrjNumEntry* Current() const { return At(m_activeIdx); }
    // The active element as it was made active; null when none is.
    CPrjNumEntry* GetCurrent() const { return m_current; }
    int GetActiveIdx() const { return m_activeIdx; }
    int RowsPerEntry() const;
    int MaxCount() const { return m_row ? m_row->maxCount : 0; }
    bool HasOptions() const { return m_hasOptions; }
    bool HasForm() const { return m_hasForm; }

protected:
    // A stand-in of the frame's tests: it serves no list and every operation
    // does nothing.
    CObjNav() = default;

    CFrameCore* Core() const { return m_core; }
    // Whether the active element may go; tells the user why not.
    virtual bool MayDelete(const CPrjNumEntry& entry) const;
    void MarkModified() const;
    void SetHas(bool options, bool form)
    {
        m_hasOptions = options;
        m_hasForm = form;
    }

private:
    // The list view shows the texts again with the active row selected.
    void RefillTexts() const;
    // The texts again, and the active element loaded.
    void ShowList();
    // After a new element or a copy: the project is changed, and the
    // active element is found again and shown.
    void ShowChange();
    // After a change of the list the active element is found again.
    void Reindex();
    void SaveRows() const;
    // The number a new element or a copy takes; kNoFreeNum when the list
    // is full, and, logged, when the range is.
    int32_t FreeNum(int32_t low, int32_t high) const;
    // The target lies in the list's range; tells the user otherwise.
    bool TargetInRange(int32_t num) const;

    CFrameCore* m_core = nullptr;
    const NavRow* m_row = nullptr;
    CPrjNumEntry* m_current = nullptr;
    int m_activeIdx = 0;
    bool m_hasOptions = false;
    bool m_hasForm = false;
};

// Operator texts: one that menu nodes show stays.
class CObjNavOpTxt final : public CObjNav {
public:
    using CObjNav::CObjNav;

protected:
    bool MayDelete(const CPrjNumEntry& entry) const override;
};

// Message texts: their options dialog.
class CObjNavMsgTxt final : public CObjNav {
public:
    CObjNavMsgTxt(CFrameCore& core, const NavRow& row);
    void EditOptions() override;
};

// The menu help texts: their options dialog.
class CObjNavHlpMenu final : public CObjNav {
public:
    CObjNavHlpMenu(CFrameCore& core, const NavRow& row);
    void EditOptions() override;
};

// Recipe texts: the recipe data of their PLC variables.
class CObjNavRcpTxt final : public CObjNav {
public:
    CObjNavRcpTxt(CFrameCore& core, const NavRow& row);
    void EditForm() override;
};

// The navigator of a list type; null for a type without one. The frame's
// navigator factory.
std::unique_ptr<CObjNav> MakeObjNav(int listType, CFrameCore& core);

} // namespace orv
