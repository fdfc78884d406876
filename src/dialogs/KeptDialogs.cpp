// Builds, registers and deletes the kept dialogs in their fixed order.
#include "dialogs/KeptDialogs.h"

#include "dialogs/DlgAdrRef.h"
#include "dialogs/DlgCharEdit.h"
#include "dialogs/DlgCharSel.h"
#include "dialogs/DlgRecordSel.h"
#include "dialogs/DlgSearch.h"
#include "dialogs/DlgSpsDef.h"
#include "dialogs/DlgStartSel.h"
#include "dialogs/DlgVar.h"
#include "dialogs/ProjectDialogs.h"
#include "dialogs/SkActionDialog.h"
#include "dialogs/SmallDialogs.h"
#include "image/codec/DosStamp.h"
#include "model/core/FrameState.h"
#include "model/project/DrvParItem.h"
#include "model/project/Mnu.h"
#include "model/project/PrjData.h"
#include "model/project/RcpTxt.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "workspace/FrameCore.h"
#include "workspace/PrjMgr.h"
#include "workspace/StartSel.h"

#include <QApplication>

namespace orv {

namespace {

// The driver configuration of the project the frame holds at the moment.
std::function<CDrvCfg*()> FrameDriver(CFrameCore& core)
{
    return [&core]() -> CDrvCfg* { return core.GetPrjMgr() != nullptr ? core.GetPrjMgr()->GetDrvCfg() : nullptr; };
}

CPrjData* CoreProject(CFrameCore& core)
{
    return core.GetPrjMgr() != nullptr ? core.GetPrjMgr()->GetPrjData() : nullptr;
}

KeptDialogSource SourceOf(CFrameCore& core)
{
    return {[&core] { return CoreProject(core); }, [&core] { return core.GetStartSel().Dev().devTyp; }};
}

// The editor reads the family, the font and the project when it is used,
// since a new selection or a new project replaces them.
CharEditSource CharEditSourceOf(CFrameCore& core)
{
    CharEditSource source;
    source.project = [&core] { return CoreProject(core); };
    source.family = [&core] { return core.GetStartSel().IsValid() ? core.GetStartSel().GetFontFamily() : 1; };
    source.font = [&core](int family) { return core.Frame().GetFon(family); };
    source.writeFont = [&core] { return core.GetPrjMgr() != nullptr && core.GetPrjMgr()->WriteFontFile(); };
    return source;
}

} // namespace

std::unique_ptr<QDialog> MakeKeptDialog(DlgId slot, CFrameCore& core)
{
    switch (slot) {
    case DlgId::RecordSel:
        return std::make_unique<CDlgRecordSel>();
    case DlgId::PrjOpt:
        return std::make_unique<CDlgPrjOpt>(SourceOf(core));
    case DlgId::DrvPar:
        return std::make_unique<CDlgDrvPar>();
    case DlgId::Descr:
        return std::make_unique<CDlgDescr>(SourceOf(core));
    case DlgId::PrgOpt:
        return std::make_unique<CDlgPrgOpt>();
    case DlgId::Rename:
        return std::make_unique<CDlgRename>();
    case DlgId::AdrRef:
        return std::make_unique<CDlgAdrRef>(core.GetDlgRunner(), FrameDriver(core));
    case DlgId::SpsDef:
        return std::make_unique<CDlgSpsDef>(FrameDriver(core));
    case DlgId::CharSel:
        return std::make_unique<CDlgCharSel>(core.GetDlgRunner(), [&core] { return core.Frame().GetScreenFon(); });
    case DlgId::CharEdit:
        return std::make_unique<CDlgCharEdit>(CharEditSourceOf(core));
    case DlgId::MemPartition:
        return std::make_unique<CDlgMemPartition>(SourceOf(core));
    case DlgId::PrnPar:
        return std::make_unique<CDlgPrnPar>(SourceOf(core));
    case DlgId::Times:
        return std::make_unique<CDlgTimes>(SourceOf(core), SystemLocalClock(),
                                           [&core] { return core.GetStartSel().Dw().dwCpt; });
    case DlgId::TimeSw:
        return std::make_unique<CDlgTimeSw>();
    default:
        return nullptr;
    }
}

CKeptDialogs::CKeptDialogs(const KeptDialogFactory& factory, CFrameCore& core) : m_core(core)
{
    for (size_t i = 0; i < m_dialogs.size(); ++i)
        m_dialogs[i] = factory(static_cast<DlgId>(i), core);
    if (auto* chooser = dynamic_cast<IRecordChooser*>(Get(DlgId::RecordSel)))
        m_chooser.emplace(*chooser);
}

CKeptDialogs::~CKeptDialogs()
{
    // The link must not reach the record dialog while it goes.
    m_chooser.reset();
    for (auto& dialog : m_dialogs)
        dialog.reset();
}

QDialog* CKeptDialogs::Get(DlgId slot) const
{
    const size_t i = DlgIndex(slot);
    return i < m_dialogs.size() ? m_dialogs[i].get() : nullptr;
}

bool CQtDlgRunner::IsAvailable(DlgId id) const
{
    // The start selection, language and port dialogs are made per run, once
    // the core is there.
    if (id == DlgId::StartSel || id == DlgId::Lang || id == DlgId::Ports)
        return Core() != nullptr;
    if (id == DlgId::Search)
        return m_search != nullptr;
    return m_kept != nullptr && m_kept->Get(id) != nullptr;
}

bool CQtDlgRunner::Run(DlgId id)
{
    CFrameCore* core = Core();
    // The selection the start-selection dialog edits lives in the core.
    if (core != nullptr && id == DlgId::StartSel) {
        DlgStartSel dialog(core->GetStartSel(), QApplication::activeWindow());
        return dialog.Run();
    }
    if (core != nullptr && id == DlgId::Lang) {
        CDlgLang dialog(core->Frame(), &core->Window(), core->GetViewTree());
        return dialog.exec() == QDialog::Accepted;
    }
    if (core != nullptr && id == DlgId::Ports) {
        std::optional<CPrjMgrPorts> ports;
        if (core->GetPrjMgr() != nullptr)
            ports.emplace(*core->GetPrjMgr());
        CDlgComPorts dialog(ports ? &*ports : nullptr);
        return dialog.exec() == QDialog::Accepted;
    }
    QDialog* dialog = m_kept != nullptr ? m_kept->Get(id) : nullptr;
    return dialog != nullptr && dialog->exec() == QDialog::Accepted;
}

CPrjData* CQtDlgRunner::Project() const
{
    return Core() != nullptr ? CoreProject(*Core()) : nullptr;
}

std::optional<CDlgRunner::RenumberNums> CQtDlgRunner::RunRenumber(int mode, std::optional<RenumberNums> start)
{
    if (Core() == nullptr)
        return std::nullopt;
    CDlgRenumber dialog(mode, start);
    return dialog.exec() == QDialog::Accepted ? dialog.Result() : std::nullopt;
}

bool CQtDlgRunner::RunMsgOptions(CMsgTxt& text)
{
    if (Core() == nullptr)
        return false;
    CDlgMsgOpt dialog(text, Project(), Core()->GetStartSel().Dev().devTyp);
    return dialog.exec() == QDialog::Accepted;
}

bool CQtDlgRunner::RunHlpOptions(CPrjNumEntry&)
{
    if (Core() == nullptr)
        return false;
    CDlgHlpOpt dialog;
    return dialog.exec() == QDialog::Accepted;
}

bool CQtDlgRunner::RunRcpData(CPrjRcpTxt& text)
{
    if (Core() == nullptr)
        return false;
    CDlgRcpData dialog(text.GetValList(), Project());
    return dialog.exec() == QDialog::Accepted;
}

bool CQtDlgRunner::RunSkAction(int index)
{
    CPrjData* prj = Project();
    const CPrjSkActList* acts = prj != nullptr ? prj->GetSkActList() : nullptr;
    CPrjSkAct* act = acts != nullptr && index >= 0 && index < acts->GetCount() ? acts->ItemAt(index) : nullptr;
    if (act == nullptr)
        return false;
    CDlgSkAction dialog(*act, prj);
    return dialog.exec() == QDialog::Accepted;
}

bool CQtDlgRunner::RunSoftkeys(int index)
{
    CPrjData* prj = Project();
    const CPrjSkTxtList* texts = prj != nullptr ? prj->GetSkTxtList() : nullptr;
    CPrjSkTxt* text = texts != nullptr && index >= 0 && index < texts->GetCount() ? texts->SkTxtAt(index) : nullptr;
    if (text == nullptr)
        return false;
    CDlgSoftkeys dialog(*text, *prj->GetSkActList(), Core()->GetStartSel().Dev().numSK, prj);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<uint16_t> CQtDlgRunner::RunValue(const CDrvParItem& item)
{
    if (Core() == nullptr)
        return std::nullopt;
    CDlgValue dialog(item.GetValue(), item.GetSimFmt());
    return dialog.exec() == QDialog::Accepted ? dialog.Value() : std::nullopt;
}

bool CQtDlgRunner::HasEditDlg(EditDlg dlg) const
{
    // The character editor is kept; the others are made per run.
    switch (dlg) {
    case EditDlg::Value:
    case EditDlg::DrvVar:
    case EditDlg::MnuOpt:
    case EditDlg::MsgTxtOpt:
        return Core() != nullptr;
    case EditDlg::RcpAdr:
        return Project() != nullptr;
    case EditDlg::Var:
        return Core() != nullptr && Core()->GetPrjMgr() != nullptr;
    case EditDlg::CharEdit:
        return IsAvailable(DlgId::CharEdit);
    default:
        return false;
    }
}

std::optional<CDlgRunner::RenameResult> CQtDlgRunner::RunRename(uint16_t number, std::string_view name)
{
    auto* dialog = dynamic_cast<CDlgRename*>(m_kept != nullptr ? m_kept->Get(DlgId::Rename) : nullptr);
    if (dialog == nullptr)
        return std::nullopt;
    dialog->SetObject(number, std::string(name));
    return dialog->exec() == QDialog::Accepted ? dialog->Result() : std::nullopt;
}

bool CQtDlgRunner::RunSearch(int mode)
{
    if (m_search == nullptr)
        return false;
    m_search->SetMode(mode);
    return m_search->exec() == QDialog::Accepted;
}

bool CQtDlgRunner::RunSpsDef(const CDrvTabEntry5* entry)
{
    auto* dialog = dynamic_cast<CDlgSpsDef*>(m_kept != nullptr ? m_kept->Get(DlgId::SpsDef) : nullptr);
    if (dialog == nullptr)
        return false;
    dialog->SetCurEntry(entry);
    return dialog->exec() == QDialog::Accepted;
}

bool CQtDlgRunner::RunVar(const CPrjVar& var, int mode)
{
    CFrameCore* core = Core();
    if (core == nullptr || core->GetPrjMgr() == nullptr)
        return false;
    CDlgVar dialog;
    dialog.SetVar(&var, mode);
    dialog.Open(&core->GetPrjMgr()->Bundle(), core->GetStartSel().Dw().dwCpt, core->GetViewDc(), this);
    return dialog.exec() == QDialog::Accepted;
}

bool CQtDlgRunner::RunCharEdit(uint16_t code)
{
    auto* dialog = dynamic_cast<CDlgCharEdit*>(m_kept != nullptr ? m_kept->Get(DlgId::CharEdit) : nullptr);
    if (dialog == nullptr)
        return false;
    dialog->SetChar(code);
    return dialog->exec() == QDialog::Accepted;
}

bool CQtDlgRunner::RunCharSel(std::function<void(uint16_t code)> receiver)
{
    auto* dialog = dynamic_cast<CDlgCharSel*>(m_kept != nullptr ? m_kept->Get(DlgId::CharSel) : nullptr);
    if (dialog == nullptr)
        return false;
    dialog->SetRanges(Core()->GetStartSel().Ranges());
    dialog->SetReceiver(std::move(receiver));
    dialog->exec();
    // The receiver may belong to a dialog that closes after this run.
    dialog->SetReceiver({});
    return true;
}

bool CQtDlgRunner::RunMnuNode(CPrjMnu& menu, CPrjMnuNode& node)
{
    if (Core() == nullptr)
        return false;
    CDlgMnuNode dialog(Project(), menu, node);
    // The dialog marks the project itself; the caller only shows a change.
    return dialog.exec() == QDialog::Accepted && dialog.Changed();
}

bool CQtDlgRunner::RunMnuOpt(CPrjMnu& menu)
{
    if (Core() == nullptr)
        return false;
    CDlgMnuOpt dialog(Project(), &menu);
    return dialog.exec() == QDialog::Accepted && dialog.Changed();
}

bool CQtDlgRunner::RunMsgTxtOpt()
{
    if (Core() == nullptr)
        return false;
    CDlgMsgTxtOpt dialog;
    return dialog.exec() == QDialog::Accepted;
}

bool CQtDlgRunner::RunRcpAdr()
{
    if (Project() == nullptr)
        return false;
    CDlgRcpAdr dialog(Project());
    return dialog.exec() == QDialog::Accepted;
}

bool CQtDlgRunner::RunDrvVar(int index)
{
    CDrvCfg* cfg = Core() != nullptr ? FrameDriver(*Core())() : nullptr;
    if (cfg == nullptr)
        return false;
    CDlgDrvVar dialog(*cfg, index);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace orv
