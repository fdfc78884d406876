// What the PLC definitions dialog shows and checks, without a window: the
// definitions' lines, the three edits, and the take-over, new and delete
// buttons that write into the driver configuration at once.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv {

class CDrvCfg;
class CDrvTabEntry5;
class CSpsDef;
class CSpsDefList;

class CDlgSpsDefForm {
public:
    // Control ids, which the dialog's widgets are named after.
    static constexpr int kList = 2139;
    static constexpr int kTake = 2142;
    static constexpr int kAdr = 2146;
    static constexpr int kSlot = 1903;
    static constexpr int kRack = 1902;
    static constexpr int kNew = 2140;
    static constexpr int kDelete = 2147;
    static constexpr int kHelp = 2141;

    static constexpr long kMaxAdr = 255;
    static constexpr long kMaxSlot = 18;

    // The list line of a definition, from its own number and values.
    static std::string LineOf(const CSpsDef& def);

    // The cross-reference entry the opener works on; its PLC number picks
    // the definition shown at opening. Null forgets it.
    void SetCurEntry(const CDrvTabEntry5* entry);

    // Fills the form from the configuration; null leaves it empty and every
    // handler without effect.
    void Open(CDrvCfg* cfg);

    const std::vector<std::string>& Lines() const { return m_lines; }
    // -1 while the list is empty.
    int Selected() const { return m_sel; }
    // The edits' texts by control id (address, slot, rack).
    const std::string& EditText(int id) const;
    void SetEditText(int id, std::string text);
    // The control the last step gives the focus; 0 for none.
    int Focus() const { return m_focus; }
    bool NewShown() const { return m_newShown; }
    bool DeleteShown() const { return m_deleteShown; }

    void OnSelect(int line);
    void OnTake();
    void OnNew();
    void OnDelete();

private:
    CSpsDefList* Defs() const;
    CSpsDef* SelectedDef() const;
    void ShowDef(const CSpsDef& def);
    void FillLines();
    // Reads one edit within 0..max; shows 15031 and focuses it otherwise.
    std::optional<uint16_t> ReadEdit(int id, long max);
    std::string& EditRef(int id);

    CDrvCfg* m_cfg = nullptr;
    std::optional<uint8_t> m_entryPlc;
    std::vector<std::string> m_lines;
    int m_sel = -1;
    std::array<std::string, 3> m_edits;
    int m_focus = 0;
    bool m_newShown = true;
    bool m_deleteShown = true;
};

} // namespace orv
