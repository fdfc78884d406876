// What the address cross-reference dialog shows and checks, without a window:
// one line per cross-reference entry, the area radios and their edits, the
// sequential-addressing runs and the PLC-number runs that "übernehmen"
// writes into the driver configuration.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace orv {

class CDlgRunner;
class CDrvCfg;
class CDrvTabEntry5;
class CDrvTab5List;

class CDlgAdrRefForm {
public:
    // Control ids, which the dialog's widgets are named after.
    static constexpr int kList = 2128;
    static constexpr int kHeadLeft = 2148;
    static constexpr int kHeadRight = 2149;
    static constexpr int kRadioDb = 2129;
    static constexpr int kRadioMw = 2131;
    static constexpr int kRadioEw = 2130;
    static constexpr int kRadioAw = 2132;
    static constexpr int kRadioTw = 2133;
    static constexpr int kEditDb = 2138;
    static constexpr int kLabelDb = 2137;
    static constexpr int kEditDbw = 1906;
    static constexpr int kEditMw = 1903;
    static constexpr int kEditEw = 1902;
    static constexpr int kEditAw = 1904;
    static constexpr int kEditTw = 1905;
    static constexpr int kGroupRun = 2151;
    static constexpr int kCheckWords = 2135;
    static constexpr int kEditWords = 1907;
    static constexpr int kCheckPlc = 2136;
    static constexpr int kEditPlc = 1908;
    static constexpr int kEditPlcCount = 1909;
    static constexpr int kTake = 2162;
    static constexpr int kSpsDef = 2134;

    // Area codes of an entry.
    static constexpr int kAreaDb = 1;
    static constexpr int kAreaNone = 2;
    static constexpr int kAreaMw = 3;
    static constexpr int kAreaEw = 4;
    static constexpr int kAreaAw = 5;
    static constexpr int kAreaTw = 6;

    static constexpr long kMaxBlock = 4095;

    // What the form knows of an address area; one row per area.
    struct AreaRow;

    // The edits whose texts the form keeps, in a fixed order.
    static constexpr std::array<int, 9> kEdits{kEditDb, kEditDbw, kEditMw, kEditEw, kEditAw,
                                               kEditTw, kEditWords, kEditPlc, kEditPlcCount};

    // The list line of entry index; a DB line written by "übernehmen"
    // without multi-access has narrower separators than one read at opening.
    static std::string LineOf(int index, const CDrvTabEntry5& entry, bool multi, bool taken);
    // The radio of an area code; 0 for a code without one.
    static int RadioOf(int area);

    // The PLC definitions dialog runs through the frame's runner.
    explicit CDlgAdrRefForm(CDlgRunner& dialogs) : m_dialogs(dialogs) {}

    // Fills the form from the configuration; null leaves it empty and every
    // handler without effect.
    void Open(CDrvCfg* cfg);

    const std::vector<std::string>& Lines() const { return m_lines; }
    // -1 while there is no entry.
    int Selected() const { return m_sel; }
    // The entry the controls show; null while there is none.
    const CDrvTabEntry5* CurEntry() const;

    // The checked area; 0 while no radio is checked.
    int Area() const { return m_area; }
    const std::string& EditText(int id) const;
    void SetEditText(int id, std::string text);
    bool EditShown(int id) const;
    const std::string& DbLabel() const { return m_dbLabel; }
    const std::string& HeadLeft() const { return m_headLeft; }
    const std::string& HeadRight() const { return m_headRight; }
    bool WordsChecked() const { return m_wordsChecked; }
    bool PlcChecked() const { return m_plcChecked; }
    bool PlcCheckEnabled() const { return m_multi; }
    bool SpsDefShown() const { return m_multi; }
    // The control the last step gives the focus; 0 for none.
    int Focus() const { return m_focus; }

    void OnSelect(int line);
    void OnArea(int area);
    void OnWordsCheck(bool on);
    void OnPlcCheck(bool on);
    void OnTake();
    void OnSpsDef();

private:
    struct EditState {
        std::string text;
        bool shown = false;
    };
    static const AreaRow* RowOf(int area);

    CDrvTab5List* Entries() const;
    void ResetControls();
    void ShowArea(int area);
    void ShowEntry(const CDrvTabEntry5& entry);
    EditState& Edit(int id);
    // Shows the message, focuses the field; always false.
    bool Refuse(int field);
    // The run length typed into a count edit; 0 for no number.
    long RunCount(int id) const;
    // The checks of the area, the PLC number and both runs; false after the
    // first failure.
    bool CheckTake(long& block, long& word, int& count, int& plcCount, uint8_t& plc);

    CDlgRunner& m_dialogs;
    CDrvCfg* m_cfg = nullptr;
    bool m_multi = false;
    std::vector<std::string> m_lines;
    int m_sel = -1;
    int m_area = 0;
    std::map<int, EditState> m_edits;
    std::string m_dbLabel;
    std::string m_headLeft;
    std::string m_headRight;
    bool m_wordsChecked = false;
    bool m_plcChecked = false;
    int m_focus = 0;
    // What the area edits show when their radio is clicked.
    long m_rememberedBlock = 0;
    std::array<long, 7> m_rememberedWord{};
    long m_rememberedPlc = 1;
};

} // namespace orv
