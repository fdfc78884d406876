// Builds, registers and deletes the kept dialogs in their fixed order.
#include "dialogs/KeptDialogs.h"

#include "dialogs/DlgSearch.h"

namespace orv {

std::unique_ptr<QDialog> MakeKeptDialog(DlgId, CFrameCore&)
{
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
    if (id == DlgId::Search)
        return m_search != nullptr;
    return m_kept != nullptr && m_kept->Get(id) != nullptr;
}

bool CQtDlgRunner::Run(DlgId id)
{
    QDialog* dialog = m_kept != nullptr ? m_kept->Get(id) : nullptr;
    return dialog != nullptr && dialog->exec() == QDialog::Accepted;
}

bool CQtDlgRunner::RunSearch(int mode)
{
    if (m_search == nullptr)
        return false;
    m_search->SetMode(mode);
    return m_search->exec() == QDialog::Accepted;
}

} // namespace orv
