// Softkey texts: display texts that also assign actions to the function keys on
// press and on release.
#pragma once

#include "model/project/NumList.h"

#include <array>
#include <cstdint>

namespace orv {

class CPrjSkAct;

// A softkey text: a numbered display text that also says, for each function
// key F1..F20, which action runs when the key is pressed and which when it
// is released. Every assignment counts in its action's use count.
class CPrjSkTxt : public CPrjNumEntry {
public:
    static constexpr int kKeys = 20;

    explicit CPrjSkTxt(int32_t num) : CPrjNumEntry(num) {}
    // Releases every assignment.
    ~CPrjSkTxt() override;

    // Counts the new action and releases the old one; gives the old action's
    // count after the release (0 without one). A key outside 1..20 changes
    // nothing and gives 0.
    int32_t SetPressAct(int key, CPrjSkAct* act);
    int32_t SetReleaseAct(int key, CPrjSkAct* act);
    void SetActs(int key, CPrjSkAct* press, CPrjSkAct* release);
    // Null outside 1..20 or when unset.
    CPrjSkAct* GetPressAct(int key) const;
    CPrjSkAct* GetReleaseAct(int key) const;
    // 1 when the key has a press or a release action.
    int HasAct(int key) const;

    // Releases every assignment and forgets the actions.
    void ReleaseActs();

private:
    using Table = std::array<CPrjSkAct*, kKeys + 1>;  // place 0 unused

    static bool IsKey(int key) { return key >= 1 && key <= kKeys; }
    static int32_t Assign(Table& table, int key, CPrjSkAct* act);

    Table m_press{};
    Table m_release{};
};

// The template of the list: the range of valid numbers.
class CPrjSkTxtRange : public CPrjSkTxt, public CNumRange {
public:
    CPrjSkTxtRange(int32_t lowest, int32_t highest) : CPrjSkTxt(-1), CNumRange(lowest, highest) {}

    int32_t GetLo() const { return GetLowest(); }
    int32_t GetHi() const { return GetHighest(); }
};

class CPrjSkTxtList : public CPrjNumList {
public:
    using CPrjNumList::CPrjNumList;

    CPrjSkTxt* SkTxtAt(int index) const { return static_cast<CPrjSkTxt*>(ItemAt(index)); }

    // A copy of the source's rows and key assignments under the number (-1:
    // a template with the range 0..255), made current. Null for a null
    // source or a number in use.
    CPrjSkTxt* CopySkTxt(const CPrjSkTxt* source, int32_t num);
    // Takes the number's low 16 bits; a number in use changes nothing.
    void Renumber(CPrjSkTxt* entry, int32_t num);
    // Deleting a softkey text releases its assignments.
    void DelSkTxt(CPrjSkTxt* entry) { DelEntry(entry); }
    void FreeAllSkTxt() { FreeAllEntries(); }
};

} // namespace orv
