// Assigns softkey actions to the function keys of a softkey text; every
// assignment that changes moves the actions' use counts with it.
#include "workspace/forms/SoftkeysForm.h"

#include "model/core/CheckedFormat.h"
#include "model/project/PrjData.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"

#include <algorithm>

namespace orv {

namespace {

// The entry of an action: 0 for none, else its list index + 1.
int SkEntryOf(const CPrjSkActList& acts, const CPrjSkAct* act)
{
    if (act == nullptr)
        return 0;
    for (int i = 0; i < acts.GetCount(); ++i) {
        if (acts.ItemAt(i) == act)
            return i + 1;
    }
    return 0;
}

CPrjSkAct* SkActOfEntry(const CPrjSkActList& acts, int entry)
{
    return entry > 0 ? acts.ItemAt(entry - 1) : nullptr;
}

} // namespace

CDlgSoftkeysForm::CDlgSoftkeysForm(CPrjSkTxt& text, const CPrjSkActList& acts, int numSK, CPrjData* prj)
    : m_text(text), m_acts(acts), m_prj(prj), m_numKeys(std::clamp(numSK, 0, kMaxKeys)),
      m_press(kMaxKeys + 1, 0), m_release(kMaxKeys + 1, 0)
{
    m_entries.emplace_back("<>");
    for (int i = 0; i < acts.GetCount(); ++i)
        m_entries.push_back(FormatText("%d", acts.ItemAt(i)->GetNum()));
    for (int key = 1; key <= m_numKeys; ++key) {
        m_press[static_cast<size_t>(key)] = SkEntryOf(acts, text.GetPressAct(key));
        m_release[static_cast<size_t>(key)] = SkEntryOf(acts, text.GetReleaseAct(key));
    }
}

int CDlgSoftkeysForm::PressSel(int key) const
{
    return KeyShown(key) ? m_press[static_cast<size_t>(key)] : 0;
}

int CDlgSoftkeysForm::ReleaseSel(int key) const
{
    return KeyShown(key) ? m_release[static_cast<size_t>(key)] : 0;
}

void CDlgSoftkeysForm::SetPressSel(int key, int entry)
{
    if (KeyShown(key) && entry >= 0 && entry < static_cast<int>(m_entries.size()))
        m_press[static_cast<size_t>(key)] = entry;
}

void CDlgSoftkeysForm::SetReleaseSel(int key, int entry)
{
    if (KeyShown(key) && entry >= 0 && entry < static_cast<int>(m_entries.size()))
        m_release[static_cast<size_t>(key)] = entry;
}

void CDlgSoftkeysForm::Ok()
{
    bool changed = false;
    for (int key = 1; key <= m_numKeys; ++key) {
        CPrjSkAct* press = SkActOfEntry(m_acts, m_press[static_cast<size_t>(key)]);
        CPrjSkAct* release = SkActOfEntry(m_acts, m_release[static_cast<size_t>(key)]);
        if (press != m_text.GetPressAct(key)) {
            m_text.SetPressAct(key, press);
            changed = true;
        }
        if (release != m_text.GetReleaseAct(key)) {
            m_text.SetReleaseAct(key, release);
            changed = true;
        }
    }
    if (changed && m_prj != nullptr)
        m_prj->SetModified(true);
}

} // namespace orv
