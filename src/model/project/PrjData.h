// The project root of the data model: settings, the typed lists and the text
// pool of one project in memory.
#pragma once

#include "model/project/PanelType.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace orv {

struct PrjBundle;
class CFwVarSource;
class CPrjVar;
class CPrjVarList;
class CPrjKomVarList;
class CTextPool;
class CPrjOpTxt;
class CPrjOpTxtList;
class CPrjMnu;
class CPrjMnuList;
class CMsgTxt;
class CMsgTxtList;
class CPrjRcpTxtList;
class CHistTxt;
class CHistTxtList;
class CKindTxt;
class CKindTxtList;
class COpPrnTxt;
class COpPrnTxtList;
class CMsgPrnTxt;
class CMsgPrnTxtList;
class CPrjTimer;
class CTimerList;
class CCharDef;
class CCharDefColl;
class CPrjSkAct;
class CPrjSkActList;
class CPrjSkTxt;
class CPrjSkTxtList;
class CPrjTxtRow;

// The root of one project in memory: its settings, the typed lists it owns
// and the pool of the variables' state texts. It answers the constants of
// the current panel type and copies some settings into the built-in
// internal variables, so that they reach the panel like other variables.
//
// While it lives the root is the current project, the one whose display
// width new variables and text rows take; the root built before it becomes
// current again when it goes.
class CPrjData {
public:
    static constexpr int kHlpKinds = 7;
    static constexpr int kPrnSubsts = 8;
    static constexpr size_t kPrnInitMax = 16;

    explicit CPrjData(PrjBundle* owner);
    // Only frees: the built-in content, the owner and the firmware source
    // are left alone, since the owner's members may already be gone.
    virtual ~CPrjData();
    CPrjData(const CPrjData&) = delete;
    CPrjData& operator=(const CPrjData&) = delete;

    // The youngest root still alive, or null.
    static CPrjData* GetCurrent();

    PrjBundle* GetOwner() const { return m_owner; }

    // The firmware's built-in variables of the 118 and 706 families come through
    // this source; without one they are left out silently.
    void SetFwVarSource(CFwVarSource* source) { m_fwSource = source; }
    CFwVarSource* GetFwVarSource() const { return m_fwSource; }

    // A new, empty project of the current panel type with its built-in
    // content and the default settings. Keeps the panel type, the variant,
    // the data-set type, the message mode and the default description.
    void Clear();

    // --- Settings -------------------------------------------------------

    void SetDevType(uint16_t type) { m_devType = type; }
    uint16_t GetDevType() const { return m_devType; }
    // The panel type named by the source file being read (0: none).
    void SetSrcDevType(uint16_t type) { m_srcDevType = type; }
    uint16_t GetSrcDevType() const { return m_srcDevType; }
    // The panel type the data set is built for.
    void SetDsType(uint16_t type) { m_dsType = type; }
    uint16_t GetDsType() const { return m_dsType; }
    // 1: the ".2" variant of panel 47.
    void SetVariant(uint16_t variant) { m_variant = variant; }
    uint16_t GetVariant() const { return m_variant; }

    // Returns the length plus 1.
    int SetPath(std::string_view path);
    const std::string& GetPath() const { return m_path; }

    // One-shot presets of the variable dialog: a data word (0: none) and a
    // bit number (-1: none).
    void SetVarDlgPreset(int16_t word) { m_varDlgPreset = word; }
    int16_t GetVarDlgPreset() const { return m_varDlgPreset; }
    void SetVarDlgPreset2(int16_t bit) { m_varDlgPreset2 = bit; }
    int16_t GetVarDlgPreset2() const { return m_varDlgPreset2; }

    // These setters also write the value into the internal variables that
    // carry it to the panel.
    void SetCycleTime(uint16_t v);
    void SetPrnStatusPos(uint16_t v);
    void SetDateMode(uint16_t v);
    void SetPrnIfc(uint8_t v);
    void SetPrnBaud(uint8_t v);
    void SetPrnParity(uint8_t v);
    void SetPrnDataBits(uint8_t v);
    void SetPrnStopBits(uint8_t v);
    uint16_t GetCycleTime() const { return m_cycleTime; }
    uint16_t GetPrnStatusPos() const { return m_prnStatusPos; }
    uint16_t GetDateMode() const { return m_dateMode; }
    uint8_t GetPrnIfc() const { return m_prnIfc; }
    uint8_t GetPrnBaud() const { return m_prnBaud; }
    uint8_t GetPrnParity() const { return m_prnParity; }
    uint8_t GetPrnDataBits() const { return m_prnDataBits; }
    uint8_t GetPrnStopBits() const { return m_prnStopBits; }

    void SetMsgMode(uint16_t v) { m_msgMode = v; }
    uint16_t GetMsgMode() const { return m_msgMode; }
    void SetPrnHandshake(uint8_t v) { m_prnHandshake = v; }
    uint8_t GetPrnHandshake() const { return m_prnHandshake; }
    void SetPrnDirection(uint8_t v) { m_prnDirection = v; }
    uint8_t GetPrnDirection() const { return m_prnDirection; }
    void SetPrnTimeout(uint16_t v) { m_prnTimeout = v; }
    uint16_t GetPrnTimeout() const { return m_prnTimeout; }
    void SetRcpSize(uint16_t v) { m_rcpSize = v; }
    uint16_t GetRcpSize() const { return m_rcpSize; }
    void SetDataSize(uint16_t v) { m_dataSize = v; }
    uint16_t GetDataSize() const { return m_dataSize; }
    void SetDWordVars(uint8_t v) { m_dwordVars = v; }
    uint8_t GetDWordVars() const { return m_dwordVars; }

    // Keeps at most 16 characters.
    void SetPrnInit(std::string_view text);
    const std::string& GetPrnInit() const { return m_prnInit; }
    // The printer character for user character i (0..7); other i are
    // ignored and read as a blank.
    void SetPrnSubst(int i, uint8_t c);
    uint8_t GetPrnSubst(int i) const;

    void SetDefDescr(std::string_view text) { m_defDescr = text; }
    const std::string& GetDefDescr() const { return m_defDescr; }
    void SetDescr(std::string_view text) { m_descr = text; }
    const std::string& GetDescr() const { return m_descr; }
    // The description becomes a copy of the default description.
    void ResetDescr() { m_descr = m_defDescr; }

    // True counts the root and the owner's bundle up by one; false clears
    // both, but only when the root counted a change. Both stop at 0xFFFF,
    // since 0 means unchanged.
    int SetModified(bool modified);
    // The root's change counter alone; the bundle keeps its own.
    void SetModCount(uint16_t count) { m_modCount = count; }
    uint16_t GetModCount() const { return m_modCount; }

    // --- Constants of the current panel type ----------------------------

    PanelType GetPanel() const { return PanelType(m_devType, m_variant != 0); }

    // Rows a new operator text gets.
    int GetTxtRows() const;
    // Display width in characters.
    int GetDspWidth() const;
    // Pixel rows of a user character.
    int GetCharRows() const;
    int GetMaxVarsPerRow() const;
    int GetMaxRcpTxtNr() const { return 127; }
    // Highest number of the default history text (0: there is none).
    int GetSysHistTxtNr() const;
    uint16_t GetMnuOptMask() const;
    int GetMaxSkTxtNr() const;

    // The id text of a panel type; "" for an unknown one.
    static const char* DevIdOf(uint16_t type);

    // --- Lists ----------------------------------------------------------
    //
    // Each insert hands the entry to its list and returns the list's answer,
    // the entry's position; an entry the list refuses stays the caller's.
    // Null gives 0.

    CPrjVarList* GetVarList() const { return m_vars.get(); }
    CPrjKomVarList* GetKomVarList() const { return m_komVars.get(); }
    // Internal variables only the firmware defines; searched after the
    // variables.
    CPrjVarList* GetFwVarList() const { return m_fwVars.get(); }
    CTextPool* GetTextPool() const { return m_textPool.get(); }
    CPrjOpTxtList* GetOpTxtList() const { return m_opTxts.get(); }
    CPrjMnuList* GetMnuList() const { return m_mnus.get(); }
    CMsgTxtList* GetMsgTxtList() const { return m_msgTxts.get(); }
    CPrjRcpTxtList* GetRcpTxtList() const { return m_rcpTxts.get(); }
    CHistTxtList* GetHistTxtList() const { return m_histTxts.get(); }
    // Kinds 0 DEFAULT, 1 MENU, 2 INFO, 3 WARNING, 4 FAULT, 5 HISTORY,
    // 6 RECIPE; null for any other.
    CKindTxtList* GetHlpTxtList(int kind) const;
    COpPrnTxtList* GetOpPrnTxtList() const { return m_opPrnTxts.get(); }
    CMsgPrnTxtList* GetMsgPrnTxtList() const { return m_msgPrnTxts.get(); }
    CTimerList* GetTimerList() const { return m_timers.get(); }
    CCharDefColl* GetCharDefColl() const { return m_charDefs.get(); }
    CPrjSkActList* GetSkActList() const { return m_skActs.get(); }
    CPrjSkTxtList* GetSkTxtList() const { return m_skTxts.get(); }

    int InsVar(CPrjVar* var);
    int InsFwVar(CPrjVar* var);
    int InsOpTxt(CPrjOpTxt* entry);
    int InsMnu(CPrjMnu* menu);
    int InsMsgTxt(CMsgTxt* entry);
    int InsHistTxt(CHistTxt* entry);
    // Nothing for a kind outside 0..6.
    int InsHlpTxt(int kind, CKindTxt* entry);
    int InsOpPrnTxt(COpPrnTxt* entry);
    int InsMsgPrnTxt(CMsgPrnTxt* entry);
    // When the variable list has the time-switch variable "[Z022]", its
    // state text of the time switch's number becomes the switch's name.
    int InsTimer(CPrjTimer* timer);
    int InsCharDef(CCharDef* def);
    int InsSkAct(CPrjSkAct* act);
    int InsSkTxt(CPrjSkTxt* entry);
    // Both act only on an entry of their list and free it.
    void DelHistTxt(CHistTxt* entry);
    void DelCharDef(CCharDef* def);

    // (Re)place the interface variables of date and time, of the recipe
    // numbers and of the printer texts at the data words from first on; the
    // items of the group's old words (from oldFirst) are released first.
    void MakeDateTimeVars(uint16_t first, uint16_t oldFirst);
    void MakeRcpNumVars(uint16_t first, uint16_t oldFirst);
    void MakePrnTxtVars(uint16_t first, uint16_t oldFirst);

    // --- Variable services over the whole project -----------------------

    // Puts newVar in the place of oldVar in every text row, then lets it
    // take oldVar's place in the variable list (oldVar is freed) and
    // recomputes the maximum widths. Needs the owner's character set, which
    // draws the new fields: without it nothing changes.
    void ReplaceVar(CPrjVar* oldVar, CPrjVar* newVar);
    // Some text row shows the variable beside another variable.
    bool IsVarUsed(const CPrjVar* var) const;
    // Every variable may take the display width, less what the rows that
    // show it leave.
    void CalcVarMaxWidths();
    void SetCurVar(std::string_view name);
    // Marks the driver items of the variables' data words afresh.
    void BindVarItems();
    // Marks the message bits of the message texts afresh.
    void BindMsgItems();

    // The built-in internal variables of the current panel type.
    void MakeIntVars();
    // Panels 473, 477, 706: the built-in variables "[Z001]".."[Z100]" of
    // either variable list take their descriptive names from the catalogue.
    // Panels 118, 163, 167: the softkey rows, the printer variables, the
    // servo variables (167 with the servo functions) and the firmware's
    // clock, date and recipe numbers of the variable list take fixed names.
    // Nothing without both lists.
    void NameIntVars();
    // The user characters 128..255 drawn as the 706 font draws them: the
    // first character rows of each code's entry in the character set's 706
    // font buffer, all rows 0 without that buffer.
    void MakeDefChars();
    // The history list's template, numbers 0..GetSysHistTxtNr(), showing
    // the number, the times and the texts of a history entry. Needs the
    // owner's character set.
    void MakeSysHistTxt();
    // A display row of the text (at most 40 characters) with, behind it,
    // the field of the variable of that name in slot 0. A variable missing,
    // without width or whose field would pass column 40 is left out.
    std::unique_ptr<CPrjTxtRow> MakeHistRow(uint8_t row, std::string_view text, const char* varName) const;

private:
    // Frees every entry of every list, in the order in which the entries
    // let go of each other.
    void FreeContent();
    void RestoreSettings();
    void RestorePrnSettings();
    template <class Fn>
    void ForEachTextList(Fn fn) const;
    // The row of the panel the root keeps. A root keeps a variant as its
    // base with the flag, never by the variant's own code, so that code
    // answers as a code of no panel does.
    const PanelRow* HeldRow() const;

    // The built-in content of the panel families.
    void AddSoftkeyRows();
    void Make043FamilyVars();
    void MakeServoVars();
    void Make118FamilyVars();
    void Name118FamilyVars();
    bool UsesServoFkt() const;
    void ReadFwVars();

    PrjBundle* m_owner;
    CFwVarSource* m_fwSource = nullptr;

    uint16_t m_devType = 14;
    uint16_t m_srcDevType = 0;
    uint16_t m_dsType = 14;
    uint16_t m_modCount = 0;
    std::string m_path;
    int16_t m_varDlgPreset = 0;
    int16_t m_varDlgPreset2 = -1;
    uint16_t m_cycleTime = 10;
    uint16_t m_prnStatusPos = 0;
    uint16_t m_dateMode = 0;
    uint16_t m_msgMode = 0;
    uint8_t m_prnIfc = 0;
    uint8_t m_prnBaud = 3;
    uint8_t m_prnParity = 1;
    uint8_t m_prnDataBits = 0;
    uint8_t m_prnStopBits = 1;
    uint8_t m_prnHandshake = 2;
    uint8_t m_prnDirection = 0;
    uint16_t m_prnTimeout = 1;
    std::string m_prnInit;
    std::array<uint8_t, kPrnSubsts> m_prnSubst{};
    uint16_t m_variant = 0;
    uint16_t m_dataSize = 0;
    uint16_t m_rcpSize = 0;
    std::string m_defDescr;
    std::string m_descr;
    uint8_t m_dwordVars = 0;

    // The pool is declared first so that it outlives every state text of
    // the variables.
    std::unique_ptr<CTextPool> m_textPool;
    std::unique_ptr<CPrjVarList> m_vars;
    std::unique_ptr<CPrjKomVarList> m_komVars;
    std::unique_ptr<CPrjVarList> m_fwVars;
    std::unique_ptr<CPrjOpTxtList> m_opTxts;
    std::unique_ptr<CPrjMnuList> m_mnus;
    std::unique_ptr<CMsgTxtList> m_msgTxts;
    std::unique_ptr<CPrjRcpTxtList> m_rcpTxts;
    std::unique_ptr<CHistTxtList> m_histTxts;
    std::array<std::unique_ptr<CKindTxtList>, kHlpKinds> m_hlpTxts;
    std::unique_ptr<COpPrnTxtList> m_opPrnTxts;
    std::unique_ptr<CMsgPrnTxtList> m_msgPrnTxts;
    std::unique_ptr<CTimerList> m_timers;
    std::unique_ptr<CCharDefColl> m_charDefs;
    std::unique_ptr<CPrjSkActList> m_skActs;
    std::unique_ptr<CPrjSkTxtList> m_skTxts;
};

} // namespace orv
