// Firmware configuration of a project; the firmware file name comes from the
// panel table, not from a switch of its own.
#include "model/project/FrmCfg.h"

#include "model/project/PanelTable.h"

#include "model/core/FixedText.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"

namespace orv {

void CFrmCfg::SetFrmId(std::string_view text)
{
    m_id = FixedText(text, kIdWidth);
    m_version.clear();
    if (m_id.size() == kIdWidth)
        m_version = m_id.substr(5, 3) + "." + m_id.substr(8, 1);
}

void CFrmCfg::SetName(std::string_view text)
{
    m_name = FixedText(text, kNameWidth);
}

std::string CFrmCfg::FrmFileName() const
{
    const PanelRow* row = m_bundle && m_bundle->prjData ? FindPanel(m_bundle->prjData->GetDevType()) : nullptr;
    return row && row->frmFile ? row->frmFile : "ORV706.FRM";
}

void CFrmCfg::Clear()
{
    m_id.clear();
    m_version.clear();
    m_name.clear();
}

} // namespace orv
