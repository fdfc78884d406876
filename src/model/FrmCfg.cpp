#include "model/FrmCfg.h"

#include "model/FixedText.h"
#include "model/PrjBundle.h"
#include "model/PrjData.h"

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
    const int devType = m_bundle && m_bundle->prjData ? m_bundle->prjData->GetDevType() : 0;
    switch (devType) {
    case 118:
        return "ORV118.FRM";
    case 163:
        return "ORV163.FRM";
    case 167:
        return "ORV167.FRM";
    case 473:
    case 477:
        return "ORV473.FRM";
    default:
        return "ORV706.FRM";
    }
}

void CFrmCfg::Clear()
{
    m_id.clear();
    m_version.clear();
    m_name.clear();
}
