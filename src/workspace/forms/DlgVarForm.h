// What the variable dialog shows, checks and writes, without a window: one PLC
// variable's format, class, address and its kind's own settings, on eight
// pages of which one is shown.
#pragma once

#include "workspace/forms/VarAddress.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace orv {

class CPrjData;
class CPrjVar;
class CPrjVarString;
class CSpsPar;
class IViewDc;
struct PrjBundle;

class CDlgVarForm {
public:
    // Control ids, which the dialog's widgets are named after.
    enum : int {
        kOk = 1, kCancel = 2,
        kGrpAdr = 1032, kBlock = 1007, kWord = 1006,
        kFmtBit = 1016, kFmtString = 1017, kFmtBin = 1018, kFmtTimer = 1019,
        kFmtBcd = 1020, kFmtAscii = 1021, kFmtWord = 1022, kFmtMc5 = 1023,
        kIst = 1040, kSoll = 1041, kSollP = 1042,
        kChar = 1044, kCopy = 1045, kInsert = 1046, kRemove = 1047,
        kBitNo = 1402, kBitList = 1403,
        kStrList = 1101, kStrCount = 1103, kStrCstring = 1106,
        kBinOrvMin = 1300, kBinOrvMax = 1301, kBinDec = 1302, kBinPlcMin = 1303, kBinPlcMax = 1304,
        kBinCalc = 1305, kBinInt = 1308, kBinDouble = 1315, kBinZeros = 1316, kBinSign = 1317,
        kTimerList = 1800,
        kBcdDigits = 1500, kBcdMin = 1501, kBcdMax = 1502, kBcdDouble = 1505, kBcdZeros = 1506, kBcdHidden = 1507,
        kAsciiLen = 1200,
        kWordKm = 1600, kWordKh = 1601, kWordKy = 1602,
        kMc5First = 1700,
    };
    // Format class of the types 249..255: no page.
    static constexpr int kNoPage = -1;

    // What a control shows; the window mirrors it.
    struct Ctl {
        std::string text;
        bool checked = false;
        bool enabled = true;
        bool shown = true;
        int limit = 0;          // most characters an edit takes; 0: any
        bool signedNum = false; // number edits 1300, 1301, 1303, 1304
    };

    CDlgVarForm();
    ~CDlgVarForm();
    CDlgVarForm(const CDlgVarForm&) = delete;
    CDlgVarForm& operator=(const CDlgVarForm&) = delete;

    // The variable whose name and type the form opens with, and a mode
    // word that is kept but not read.
    void SetVar(const CPrjVar* var, int mode);
    int Mode() const { return m_mode; }

    // Fills the form from the project; dwCaption is the selected PLC type's
    // data-word caption for group 1032. Without a project or PLC parameters
    // the form stays empty and OK refuses.
    void Open(PrjBundle* bundle, const std::string& dwCaption);
    // The display editor that redraws after a change; null skips it.
    void SetView(IViewDc* view) { m_view = view; }

    // The page of a type code; kNoPage for the types 249..255.
    static int PageOfType(uint8_t type);
    // The type code of the current inputs.
    int TypeCode() const;

    const Ctl& Control(int id) const;
    const std::string& Text(int id) const { return Control(id).text; }
    bool Checked(int id) const { return Control(id).checked; }
    bool Enabled(int id) const { return Control(id).enabled; }
    bool Shown(int id) const { return Control(id).shown; }
    const std::string& Title() const { return m_name; }
    int Page() const { return m_page; }
    int Class() const { return m_cls; }
    int MaxWidth() const { return m_maxWidth; }
    // The lines of a line list box (1403, 1101, 1800).
    const std::vector<std::string>& Lines(int listId) const;
    // How many lines a line list box shows: 2 states, 6 enumeration texts,
    // 4 time bases; the box is (MaxWidth() + 5) characters wide.
    static int ListLines(int listId) { return listId == kBitList ? 2 : listId == kStrList ? 6 : 4; }
    // The line list box of the current page that takes a chosen
    // character; 0 on pages without one.
    int CharTarget() const;
    // The control the last step gives the focus (its text selected); 0 none.
    int Focus() const { return m_focus; }
    // The existing variable the form edits; null for a new one.
    CPrjVar* Edited() const { return m_var; }

    // User input.
    void SetText(int id, std::string text);
    void SetLines(int listId, std::vector<std::string> lines);
    // The selected line of a line list box; -1 for none.
    void SelectLine(int listId, int line) { m_selLine[listId] = line; }
    void OnFormat(int radioId);
    void OnClass(int radioId);
    void OnCheck(int id, bool checked);
    void OnWordForm(int radioId);
    // An edit was left: the advisory checks of 1500, 1308, 1402, 1302 and
    // the count edit 1103.
    void OnLeave(int id);
    void OnInsertLine();
    void OnRemoveLine();

    // Checks every input and applies it; false leaves the form open with
    // the failing field in Focus(). Changed() tells what apply did.
    bool OnOk();
    bool Changed() const { return m_changed; }

private:
    struct Inputs;
    Ctl& Ref(int id);
    void ShowPage(int page);
    void SetUpPage(int page);
    void ArrangeLineButtons();
    void FillFromVar(const CPrjVar& var);
    void SetSigned(bool on);
    void ResizeStrList(int last);
    bool CountLeft();
    bool Fail(uint32_t msg, int focus);
    template <class... Args>
    bool FailWith(uint32_t msg, int focus, const Args&... args);
    bool CheckAdvised();
    bool CheckPage(Inputs& in);
    bool CheckBin(Inputs& in);
    bool Apply(const Inputs& in);
    bool ApplyInPlace(const Inputs& in, CPrjVar& var);
    std::unique_ptr<CPrjVar> Build(const Inputs& in);
    bool InPlaceFits(const Inputs& in, const CPrjVar& var) const;
    int LongestText(int listId) const;
    // The type code apply gives the variable: an internal one keeps its own.
    int NewType() const;

    PrjBundle* m_bundle = nullptr;
    CPrjData* m_prj = nullptr;
    CSpsPar* m_sps = nullptr;
    IViewDc* m_view = nullptr;
    const CPrjVar* m_handed = nullptr;
    int m_mode = 0;
    CPrjVar* m_var = nullptr;
    struct PendingFree {
        void operator()(CPrjVarString* var) const;
    };
    std::unique_ptr<CPrjVarString, PendingFree> m_pending;
    bool m_internal = false;
    bool m_intAdr = true; // the variable's address takes part
    std::string m_name;
    int m_page = 0;
    int m_cls = 0;
    int m_maxWidth = 40;
    int m_strLast = 2;
    int64_t m_bit = 0;
    std::map<int, Ctl> m_ctls;
    std::map<int, std::vector<std::string>> m_lists;
    std::map<int, int> m_selLine;
    int m_focus = 0;
    bool m_changed = false;
};

} // namespace orv
