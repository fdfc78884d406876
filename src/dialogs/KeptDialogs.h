// The dialogs the main frame builds once and keeps for the program's life, and
// the runner that opens them for the frame's commands.
#pragma once

#include "link/RecordChooser.h"
#include "workspace/DlgRunner.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace orv {

class CDlgSearch;
class CFrameCore;
class CPrjData;

// Makes the kept dialog of a slot, or null for one that does not exist. The
// dialog reaches the project, the selection and the views through the frame's
// core, which outlives it.
using KeptDialogFactory = std::function<std::unique_ptr<QDialog>(DlgId slot, CFrameCore& core)>;

// The program's factory: null for every dialog not built yet.
std::unique_ptr<QDialog> MakeKeptDialog(DlgId slot, CFrameCore& core);

class CKeptDialogs {
public:
    // Creates the fourteen dialogs in their table order. A record dialog in
    // its slot that can choose records becomes the program's chooser.
    CKeptDialogs(const KeptDialogFactory& factory, CFrameCore& core);
    // Drops the chooser registration, then deletes the dialogs in the table's
    // order.
    ~CKeptDialogs();
    CKeptDialogs(const CKeptDialogs&) = delete;
    CKeptDialogs& operator=(const CKeptDialogs&) = delete;

    // The dialog of a kept slot; null for a missing one and for the others.
    QDialog* Get(DlgId slot) const;
    // The core the dialogs were made with; the dialogs run per call reach
    // the project through it too.
    CFrameCore& Core() const { return m_core; }

private:
    CFrameCore& m_core;
    std::array<std::unique_ptr<QDialog>, kKeptDlgCount> m_dialogs;
    std::optional<ScopedRecordChooser> m_chooser;
};

// Runs the kept dialogs modally; the dialogs not built yet are unavailable.
class CQtDlgRunner final : public CDlgRunner {
public:
    // Null until the frame created its kept dialogs.
    void SetKept(const CKeptDialogs* kept) { m_kept = kept; }

    bool IsAvailable(DlgId id) const override;
    bool Run(DlgId id) override;
    bool RunSearch(int mode) override;
    std::optional<RenumberNums> RunRenumber(int mode, std::optional<RenumberNums> start) override;
    bool RunMsgOptions(CMsgTxt& text) override;
    bool RunHlpOptions(CPrjNumEntry& entry) override;
    bool RunRcpData(CPrjRcpTxt& text) override;
    bool RunSkAction(int index) override;
    bool RunSoftkeys(int index) override;
    std::optional<uint16_t> RunValue(const CDrvParItem& item) override;
    std::optional<RenameResult> RunRename(uint16_t number, std::string_view name) override;
    bool RunSpsDef(const CDrvTabEntry5* entry) override;
    bool RunVar(const CPrjVar& var, int mode) override;
    bool RunCharEdit(uint16_t code) override;
    // True once the table ran; it has no OK of its own.
    bool RunCharSel(std::function<void(uint16_t code)> receiver) override;
    bool RunMnuNode(CPrjMnu& menu, CPrjMnuNode& node) override;
    bool RunMnuOpt(CPrjMnu& menu) override;
    bool RunMsgTxtOpt() override;
    bool RunRcpAdr() override;
    bool RunDrvVar(int index) override;
    bool HasEditDlg(EditDlg dlg) const override;
    // The frame's search dialog, null while there is none.
    void SetSearch(CDlgSearch* search) { m_search = search; }

private:
    // Null until the kept dialogs exist.
    CFrameCore* Core() const { return m_kept != nullptr ? &m_kept->Core() : nullptr; }
    // The open project; null without one.
    CPrjData* Project() const;

    const CKeptDialogs* m_kept = nullptr;
    CDlgSearch* m_search = nullptr;
};

} // namespace orv
