// The record choice's opening rules and the results it hands back.
#include "link/RecordSelForm.h"

#include "model/core/FrameState.h"
#include "model/project/PanelType.h"
#include "model/project/PrjData.h"

#include <algorithm>

namespace orv {

void CRecordSelForm::SetRecords(uint8_t mode, const std::vector<std::string>* entries)
{
    m_mode = mode;
    m_recipeOption = 0;
    for (size_t i = 0; i < m_lines.size(); ++i)
        m_lines[i] = entries && i < entries->size() ? (*entries)[i] : std::string(14, ' ');
}

void CRecordSelForm::SetMode(uint32_t count) { m_count = std::clamp<uint32_t>(count, 1, kMaxRecords); }

void CRecordSelForm::Open()
{
    m_selected = 1;
    for (size_t i = 0; i < m_items.size(); ++i) {
        Item& item = m_items[i];
        item.visible = i < m_count;
        item.text = item.visible ? m_lines[i] : std::string();
        item.label = (m_mode == kReadBack ? "von Datensatz " : "nach Datensatz ") + std::to_string(i);
    }
    if (m_mode == kReadBack) {
        m_boxVisible = true;
    } else {
        const CPrjData* project = GetPrjData();
        m_boxVisible = project && PanelType(project->GetDevType(), false).InFamily(Family::F118);
    }
}

// Every offered record can be chosen, the first as well: without this a
// click back on record 1 would keep the record picked before.
bool CRecordSelForm::Choose(int record)
{
    if (record < 1 || record > static_cast<int>(m_count))
        return false;
    m_selected = record;
    return true;
}

} // namespace orv
