// Reaches the navigator through the frame at each call: the frame replaces
// its navigator often, and the editor must never hold one.
#include "workspace/DspFrameHost.h"

#include "workspace/DlgRunner.h"
#include "workspace/FrameCore.h"
#include "workspace/FrameViews.h"
#include "workspace/ObjNav.h"

namespace orv {

namespace {

// The variables list the frame's "externe Variable" shows.
constexpr int kDspExternalVars = 0;

} // namespace

CPrjNumEntry* CDspFrameHost::ActiveText() const
{
    const CObjNav* nav = m_core.GetCurNav();
    return nav != nullptr ? nav->GetCurrent() : nullptr;
}

int CDspFrameHost::ListType() const
{
    return m_core.GetListType();
}

int CDspFrameHost::RowsPerText() const
{
    const CObjNav* nav = m_core.GetCurNav();
    return nav != nullptr ? nav->RowsPerEntry() : CDspEdit::kRows;
}

const DevRecord* CDspFrameHost::Device() const
{
    const CStartSel& sel = m_core.GetStartSel();
    return sel.IsValid() ? &sel.Dev() : nullptr;
}

bool CDspFrameHost::IsValidChar(int code) const
{
    return m_core.GetStartSel().IsValidChar(code);
}

void CDspFrameHost::CopyActiveText()
{
    if (CObjNav* nav = m_core.GetCurNav())
        nav->CopyEntry();
}

std::optional<int> CDspFrameHost::AskCopyRowNumber()
{
    const auto nums = m_core.GetDlgRunner().RunRenumber(CDlgRunner::kRenumberCopyRow, std::nullopt);
    if (!nums)
        return std::nullopt;
    return nums->target;
}

void CDspFrameHost::RunNavCommand(int id)
{
    if (id == CDspEdit::kCmdInsVar) {
        m_core.OnVarList(kDspExternalVars);
        return;
    }
    if (id == CDspEdit::kCmdInsChr) {
        m_core.OnListMode(IViewLst::kModeChars);
        return;
    }
    CObjNav* nav = m_core.GetCurNav();
    if (nav == nullptr)
        return;
    switch (id) {
    case CDspEdit::kCmdNewText: nav->New(); break;
    case CDspEdit::kCmdDelText: nav->Delete(); break;
    case CDspEdit::kCmdRenumber: nav->Renumber(); break;
    case CDspEdit::kCmdNextText: nav->Next(); break;
    case CDspEdit::kCmdPrevText: nav->Prev(); break;
    case CDspEdit::kCmdForm: nav->EditForm(); break;
    default: break;
    }
}

void CDspFrameHost::ReportVar(const CPrjVar* var)
{
    CObjNav::ShowVarInfo(var);
}

} // namespace orv
