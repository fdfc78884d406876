// Runs the frame's dialogs modally, so that the command logic needs no window
// system; the Qt frame supplies the real one, tests a recording fake.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

class CDrvParItem;
class CMsgTxt;
class CPrjNumEntry;
class CPrjRcpTxt;
class CPrjMnu;
class CPrjMnuNode;
class CPrjVar;
class CDrvTabEntry5;

// The dialogs the frame's commands run without handing values. The kept ones
// come first, in the order they are created and deleted.
enum class DlgId : int {
    CharSel,
    CharEdit,
    MemPartition,
    PrjOpt,
    RecordSel,
    PrnPar,
    DrvPar,
    Times,
    Descr,
    AdrRef,
    SpsDef,
    TimeSw,
    PrgOpt,
    Rename,
    Search,
    StartSel,
    Lang,
    Ports,
};
inline constexpr size_t kKeptDlgCount = 14;
inline constexpr size_t kDlgIdCount = 18;

constexpr size_t DlgIndex(DlgId id) { return static_cast<size_t>(id); }

class CDlgRunner {
public:
    // The search dialog's modes.
    static constexpr int kSearchFind = 0;
    static constexpr int kSearchReplace = 1;

    virtual ~CDlgRunner() = default;
    // False while the dialog does not exist; its command is then greyed.
    virtual bool IsAvailable(DlgId id) const = 0;
    // Runs the dialog modally; true when the user confirmed it with OK.
    virtual bool Run(DlgId id) = 0;
    // Runs the search dialog in the given mode.
    virtual bool RunSearch(int mode) = 0;

    // The operations below run the dialogs that edit one thing handed in.
    // Each answers "not run" (false or nothing) while its dialog does not
    // exist, so that its caller changes nothing and stays greyed.

    // The renumber dialog's numbers: the range from..to and the first number
    // it moves to (or the row number a copied row takes, in mode 2).
    struct RenumberNums {
        int32_t from = 0;
        int32_t to = 0;
        int32_t target = 0;
    };
    // The renumber dialog's modes: the navigator's texts, and the display
    // editor's "Zeile kopieren", captioned "Kopieren".
    static constexpr int kRenumberTexts = 1;
    static constexpr int kRenumberCopyRow = 2;
    // Runs the renumber dialog in a mode; mode 1 starts at `start` (the
    // navigator's current number twice and a free number), the others empty.
    // The three numbers after OK; nothing after Cancel. It changes nothing
    // itself.
    virtual std::optional<RenumberNums> RunRenumber(int mode, std::optional<RenumberNums> start) {
        (void)mode;
        (void)start;
        return std::nullopt;
    }

    // The options of a message text and of a help text; the dialog edits the
    // element and marks the project modified when it changed it. True on OK.
    virtual bool RunMsgOptions(CMsgTxt& text) {
        (void)text;
        return false;
    }
    virtual bool RunHlpOptions(CPrjNumEntry& entry) {
        (void)entry;
        return false;
    }
    // The recipe values of a recipe text, stored while the user edits them.
    virtual bool RunRcpData(CPrjRcpTxt& text) {
        (void)text;
        return false;
    }
    // The softkey action, and the softkey text, at a list index of the
    // project's lists; an index outside the list runs nothing.
    virtual bool RunSkAction(int index) {
        (void)index;
        return false;
    }
    virtual bool RunSoftkeys(int index) {
        (void)index;
        return false;
    }

    // The simulated value of a driver parameter item, read in the item's
    // display format; nothing after Cancel. The item is not changed.
    virtual std::optional<uint16_t> RunValue(const CDrvParItem& item) {
        (void)item;
        return std::nullopt;
    }
    // A menu's number and name as the user entered them; nothing after
    // Cancel. The dialog changes nothing itself.
    struct RenameResult {
        uint16_t number = 0;
        std::string name;
    };
    virtual std::optional<RenameResult> RunRename(uint16_t number, std::string_view name) {
        (void)number;
        (void)name;
        return std::nullopt;
    }

    // The menu-node dialog on a node of a menu; true on OK. The dialog edits
    // the node; marking the project modified is the caller's.
    virtual bool RunMnuNode(CPrjMnu& menu, CPrjMnuNode& node) {
        (void)menu;
        (void)node;
        return false;
    }
    // Runs the PLC definitions dialog on the cross-reference entry (may be
    // null); false while the dialog does not exist.
    virtual bool RunSpsDef(const CDrvTabEntry5* entry)
    {
        (void)entry;
        return false;
    }
    // The variable dialog on a variable and a mode word (kept, not read); it
    // edits the project's variable of that name or inserts a new one. True
    // when it ended with OK. The handed variable stays the caller's.
    virtual bool RunVar(const CPrjVar& var, int mode)
    {
        (void)var;
        (void)mode;
        return false;
    }
    // The character editor on a code of the panel's character set; true on
    // OK, which stores the character.
    virtual bool RunCharEdit(uint16_t code)
    {
        (void)code;
        return false;
    }
    // The character table, prepared from the start selection; each code the
    // user picks goes to the receiver while the table stays open.
    virtual bool RunCharSel(std::function<void(uint16_t code)> receiver)
    {
        (void)receiver;
        return false;
    }

    // The dialogs below edit one thing handed in by the list view and the
    // project tree; the variable dialog and the character editor above are
    // among them. Each is greyed while the runner lacks it.
    enum class EditDlg : int { Var, DrvVar, Value, MnuOpt, MsgTxtOpt, RcpAdr, CharEdit };
    virtual bool HasEditDlg(EditDlg dlg) const
    {
        (void)dlg;
        return false;
    }
    // The mode words the list view hands the variable dialog: an existing
    // variable, and a new one built from the template handed in.
    static constexpr int kVarExisting = 0;
    static constexpr int kVarNew = 1;
    // The setpoint options of a menu; true when the dialog changed the
    // menu's word, which it marks as a change of the project.
    virtual bool RunMnuOpt(CPrjMnu& menu)
    {
        (void)menu;
        return false;
    }
    // The message-text options' template, which stores nothing.
    virtual bool RunMsgTxtOpt() { return false; }
    // The recipe block address of the open project; true on OK. The dialog
    // marks the project when it moved the block.
    virtual bool RunRcpAdr() { return false; }
    // The driver variable at an index of the driver variables; true on OK.
    // The dialog marks the driver configuration when it changed the value.
    virtual bool RunDrvVar(int index)
    {
        (void)index;
        return false;
    }
};

} // namespace orv
