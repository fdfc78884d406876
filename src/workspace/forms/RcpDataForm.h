// The recipe-data dialog without its window: the values a recipe text holds
// for its PLC variables, stored while the user edits them, but only values
// that the project source takes back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv {

class CPrjData;
class CPrjVarValList;
class CVarValPair;

class CDlgRcpDataForm {
public:
    static constexpr int kIdVar = 1927;
    static constexpr int kIdStates = 1928;
    static constexpr int kIdEdit = 2156;

    // What the value controls show for an entry: the edit (numbers and
    // texts), the state combo, or neither for a kind with no recipe value.
    enum class Shown { None, Edit, States };

    // Null project: nothing is marked modified.
    CDlgRcpDataForm(CPrjVarValList& values, CPrjData* prj);
    // Marks the project modified once when anything was stored.
    ~CDlgRcpDataForm();
    CDlgRcpDataForm(const CDlgRcpDataForm&) = delete;
    CDlgRcpDataForm& operator=(const CDlgRcpDataForm&) = delete;

    std::vector<std::string> VarNames() const;
    // The entry shown; -1 for an empty list.
    int Current() const { return m_cur; }
    // Shows the entry; an index outside the list changes nothing.
    void Select(int index);

    Shown GetShown() const { return m_shown; }
    const std::string& EditText() const { return m_edit; }
    // Longest text the edit takes; 0 for no limit of its own.
    size_t EditMaxLength() const;
    const std::vector<std::string>& States() const { return m_states; }
    int StateIndex() const { return m_stateIdx; }

    // The edit changed: a value that passes is stored at once.
    void EditChanged(std::string text);
    // The edit loses the focus. False, after the range message, when its
    // text does not pass; the edit shows the stored value again.
    bool LeaveEdit();
    // A state was chosen: its index, for a Timer its time base.
    void ChooseState(int index);

    // Whether anything has been stored so far.
    bool Changed() const { return m_changed; }

private:
    CVarValPair* CurrentPair() const;
    void ShowStored();
    void Store(uint32_t value);

    CPrjVarValList& m_values;
    CPrjData* m_prj;
    int m_cur = -1;
    Shown m_shown = Shown::None;
    std::string m_edit;
    std::vector<std::string> m_states;
    int m_stateIdx = -1;
    bool m_changed = false;
};

} // namespace orv
