// Builds, registers and deletes the kept dialogs in their fixed order.
#include "dialogs/KeptDialogs.h"

#include "dialogs/DlgAdrRef.h"
#include "dialogs/DlgSpsDef.h"
#include "workspace/FrameCore.h"
#include "workspace/PrjMgr.h"

namespace orv {

namespace {

// The driver configuration of the project the frame holds at the moment.
std::function<CDrvCfg*()> FrameDriver(CFrameCore& core)
{
    return [&core]() -> CDrvCfg* { return core.GetPrjMgr() != nullptr ? core.GetPrjMgr()->GetDrvCfg() : nullptr; };
}

} // namespace

std::unique_ptr<QDialog> MakeKeptDialog(DlgId slot, CFrameCore& core)
{
    if (slot == DlgId::AdrRef)
        return std::make_unique<CDlgAdrRef>(core.GetDlgRunner(), FrameDriver(core));
    if (slot == DlgId::SpsDef)
        return std::make_unique<CDlgSpsDef>(FrameDriver(core));
    return nullptr;
}

CKeptDialogs::CKeptDialogs(const KeptDialogFactory& factory, CFrameCore& core)
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
    return m_kept != nullptr && m_kept->Get(id) != nullptr;
}

bool CQtDlgRunner::Run(DlgId id)
{
    QDialog* dialog = m_kept != nullptr ? m_kept->Get(id) : nullptr;
    return dialog != nullptr && dialog->exec() == QDialog::Accepted;
}

bool CQtDlgRunner::RunSearch(int)
{
    // The search dialog does not exist yet; its commands stay greyed.
    return false;
}

bool CQtDlgRunner::RunSpsDef(const CDrvTabEntry5* entry)
{
    auto* dialog = dynamic_cast<CDlgSpsDef*>(m_kept != nullptr ? m_kept->Get(DlgId::SpsDef) : nullptr);
    if (dialog == nullptr)
        return false;
    dialog->SetCurEntry(entry);
    return dialog->exec() == QDialog::Accepted;
}

} // namespace orv
