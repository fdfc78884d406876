// The list view without a window: the provider slots, the list mode, the
// selected row and the table the window draws; what its context menus offer,
// and what a double click, a label edit, a drag and a menu choice do to the
// project. The Qt view forwards its events here and draws the table.
#pragma once

#include "workspace/FrameViews.h"
#include "workspace/LstProv.h"
#include "workspace/LstTable.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class CFrameCore;
class CPrjMnu;
class CPrjVar;

// The texts of the context menus, by their string ids.
namespace lstcmd {
inline constexpr uint32_t kNew = 9100;
inline constexpr uint32_t kEdit = 9101;
inline constexpr uint32_t kCopy = 9102;
inline constexpr uint32_t kDelete = 9103;
inline constexpr uint32_t kRename = 9104;
inline constexpr uint32_t kRenumber = 9105;
inline constexpr uint32_t kUsage = 9106;
inline constexpr uint32_t kAssignTexts = 9118;
inline constexpr uint32_t kNewNode = 9119;
inline constexpr uint32_t kMakeStart = 9120;
inline constexpr uint32_t kChangeValue = 9121;
inline constexpr uint32_t kAddBits = 9122;
inline constexpr uint32_t kRemoveBits = 9123;
inline constexpr uint32_t kHelp = 9124;
inline constexpr uint32_t kOptions = 9237;
inline constexpr uint32_t kDefault = 9240;
inline constexpr uint32_t kInsert = 9300;
} // namespace lstcmd

// One entry of a context menu; id 0 is a separator.
struct LstMenuItem {
    uint32_t id = 0;
    bool enabled = false;

    bool operator==(const LstMenuItem&) const = default;
};

// What the list view's context menu depends on.
struct LstMenuFacts {
    int mode = 0;
    // The variables slot's kind (mode 0).
    int kind = 0;
    bool rowSelected = false;
    // The selected internal variable has bit 31 of its flags set.
    bool intVarEditable = false;
    // The frame's list type (mode 1).
    int listType = 0;
    // The current operator text is shown by a menu node.
    bool opTxtInMenu = false;
    // The navigator's current element has a number of 0 or above.
    bool curNumValid = false;
    bool simRunning = false;
    // The selected character code is user-definable, and showable.
    bool defChar = false;
    bool validChar = false;
    // The dialogs the items run exist.
    bool varDlg = false;
    bool drvVarDlg = false;
    bool valueDlg = false;
    bool charEditDlg = false;
};

std::vector<LstMenuItem> LstContextMenu(const LstMenuFacts& facts);

// What a drag from a row carries.
struct LstDrag {
    enum class Kind : uint8_t { None, Var, Chr };
    Kind kind = Kind::None;
    // The variable's list index, or the character code.
    int value = -1;

    bool operator==(const LstDrag&) const = default;
};

class CViewLstCore : public IViewLst {
public:
    static constexpr int kModeCount = 7;

    explicit CViewLstCore(CFrameCore& core);
    ~CViewLstCore() override;
    CViewLstCore(const CViewLstCore&) = delete;
    CViewLstCore& operator=(const CViewLstCore&) = delete;

    // IViewLst
    void SetListMode(int mode) override;
    int GetListMode() const override { return m_mode; }
    void SetVarProvider(int kind) override;
    void ActivateProvider(int mode) override;
    void DeactivateProvider(int mode) override;
    void RefreshRow(int mode, int row) override;
    int GetStyle() const override { return m_style; }
    void SetStyle(int style) override;

    CLstTable& Table() { return m_table; }
    const CLstTable& Table() const { return m_table; }
    // The provider of a mode; null outside 0..6.
    CLstProv* Provider(int mode) const;
    int GetVarKind() const;

    int GetSelRow() const { return m_selRow; }
    // The list index the selected row shows; -1 without one.
    int GetSelIndex() const;
    void AddRowIndex(int index) { m_table.AppendRowIndex(index); }

    // The menu of the current mode, kind and selection.
    LstMenuFacts MenuFacts() const;
    std::vector<LstMenuItem> ContextMenu() const { return LstContextMenu(MenuFacts()); }
    // Runs a menu choice on the selected row; a disabled one does nothing.
    void RunCommand(uint32_t id);

    // The user selected a row (click, keyboard, hit test); -1 for none.
    void SelectRow(int row);
    // The selection moved to a row: the navigator's text, or the code.
    void ItemChanged(int row);
    // A double click on a row (-1: none hit).
    void DoubleClick(int row);
    // Whether the row's label may be edited in place.
    bool MayEditLabel(int row) const;
    // The user confirmed the text typed into the selected row's label.
    void EndLabelEdit(std::u32string_view typed);
    // What a drag from the row carries; None where no drag starts.
    LstDrag DragOf(int row) const;
    // The help page of the current mode.
    int HelpPage() const { return m_mode == kModePlcArea ? 1 : 0; }
    // The view got the focus: the display editor's rows are written back
    // and loaded again.
    void Activated();

    // The nodes of a menu in list mode 2; ForgetMenu before the menu goes.
    void ShowMenuNodes(CPrjMnu* menu);
    void ForgetMenu(const CPrjMnu* menu);

    void NewVar();
    void CopyVar();
    void DeleteVar();
    void EditVar();
    void ChangeValue();

protected:
    // The window draws the table anew; called once per change.
    virtual void TableChanged() {}
    // The window starts editing the row's label.
    virtual void BeginLabelEdit(int row) { (void)row; }
    virtual void StyleChanged() {}
    // The simulation, through the project manager.
    virtual bool SimRunning() const;
    virtual void WriteSimWord(uint16_t wordNo, uint16_t value);

private:
    // Tells the window when the table changed since the last call.
    void Sync();
    CPrjVar* SelVar() const;
    void RenameVar(const std::string& name);

    CFrameCore& m_core;
    CLstTable m_table;
    std::unique_ptr<CLstProvVar> m_var;
    std::unique_ptr<CLstProvMnuNode> m_mnuNode;
    std::unique_ptr<CLstProvTxt> m_txt;
    std::unique_ptr<CLstProvSkTxt> m_skTxt;
    std::unique_ptr<CLstProvSkAct> m_skAct;
    std::unique_ptr<CLstProvWordBits> m_wordBits;
    std::unique_ptr<CLstProvChr> m_chr;
    int m_mode = kModeVars;
    int m_selRow = -1;
    int m_style = kStyleReport;
    uint32_t m_seenRevision = 0;
};

} // namespace orv
