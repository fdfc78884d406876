// The softkeys dialog without its window: which softkey action each function
// key of a softkey text runs on press and on release.
#pragma once

#include <string>
#include <vector>

namespace orv {

class CPrjData;
class CPrjSkActList;
class CPrjSkTxt;

class CDlgSoftkeysForm {
public:
    static constexpr int kMaxKeys = 20;
    // Key k's label is 1983 + k, its press combo 2002 + 2k and its release
    // combo 2003 + 2k; the column labels of F11-F20 are 2044 and 2045.
    static constexpr int kIdKeyLabel0 = 1983;
    static constexpr int kIdCombo0 = 2002;
    static constexpr int kIdUpperPress = 2044;
    static constexpr int kIdUpperRelease = 2045;

    // The panel's number of softkeys, cut into 0..20. Null project: nothing
    // is marked modified.
    CDlgSoftkeysForm(CPrjSkTxt& text, const CPrjSkActList& acts, int numSK, CPrjData* prj);

    // "<>" for none, then the number of every action in list order.
    const std::vector<std::string>& Entries() const { return m_entries; }
    int NumKeys() const { return m_numKeys; }
    bool KeyShown(int key) const { return key >= 1 && key <= m_numKeys; }
    bool UpperLabelsShown() const { return m_numKeys > 10; }

    // The entry selected for a shown key; 0 for none and for other keys.
    int PressSel(int key) const;
    int ReleaseSel(int key) const;
    void SetPressSel(int key, int entry);
    void SetReleaseSel(int key, int entry);

    // Stores the shown keys' choices; keys above the panel's count keep
    // theirs.
    void Ok();

private:
    CPrjSkTxt& m_text;
    const CPrjSkActList& m_acts;
    CPrjData* m_prj;
    int m_numKeys;
    std::vector<std::string> m_entries;
    std::vector<int> m_press;
    std::vector<int> m_release;
};

} // namespace orv
