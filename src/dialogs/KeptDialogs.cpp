// Builds, registers and deletes the kept dialogs in their fixed order.
#include "dialogs/KeptDialogs.h"

#include "dialogs/DlgRecordSel.h"
#include "dialogs/DlgStartSel.h"
#include "workspace/FrameCore.h"

#include <QApplication>

namespace orv {

std::unique_ptr<QDialog> MakeKeptDialog(DlgId slot, CFrameCore&)
{
    switch (slot) {
    case DlgId::RecordSel:
        return std::make_unique<CDlgRecordSel>();
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
    if (m_kept != nullptr && id == DlgId::StartSel)
        return true;
    return m_kept != nullptr && m_kept->Get(id) != nullptr;
}

bool CQtDlgRunner::Run(DlgId id)
{
    // The start selection is built for each run; the selection it edits
    // lives in the core.
    if (m_kept != nullptr && id == DlgId::StartSel) {
        DlgStartSel dialog(m_kept->Core().GetStartSel(), QApplication::activeWindow());
        return dialog.Run();
    }
    QDialog* dialog = m_kept != nullptr ? m_kept->Get(id) : nullptr;
    return dialog != nullptr && dialog->exec() == QDialog::Accepted;
}

bool CQtDlgRunner::RunSearch(int)
{
    // The search dialog does not exist yet; its commands stay greyed.
    return false;
}

} // namespace orv
