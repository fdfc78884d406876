// Configuration names of a panel, taken from the panel table rather than spelt
// again here.
#include "source/config/CfgNames.h"

#include "model/project/PanelTable.h"

namespace orv {

const char* PanelIdText(uint16_t devType)
{
    const PanelRow* row = FindPanel(devType);
    return row ? row->configId : "";
}

std::string_view SimSectionName(uint16_t devType)
{
    const PanelRow* row = FindPanel(devType);
    return row ? row->simSection : "SIMULATION_ORV043";
}

} // namespace orv
