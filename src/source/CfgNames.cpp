#include "source/CfgNames.h"

namespace {

struct PanelNames {
    uint16_t devType;
    const char* id;
    std::string_view simSection;
};

constexpr std::array<PanelNames, 11> kPanels = {{
    {14, "ORV014", "SIMULATION_ORV014"},
    {36, "ORVlight", "SIMULATION_ORVlight"},
    {43, "ORV043", "SIMULATION_ORV043"},
    {47, "ORV047", "SIMULATION_ORV047"},
    {755, "ORV0755", "SIMULATION_ORV047"},
    {706, "ORV706", "SIMULATION_ORV706"},
    {473, "ORV473", "SIMULATION_ORV473"},
    {477, "ORV477", "SIMULATION_ORV477"},
    {118, "ORV118", "SIMULATION_ORV118"},
    {163, "ORV163", "SIMULATION_ORV163"},
    {167, "ORV167", "SIMULATION_ORV167"},
}};

const PanelNames* Find(uint16_t devType)
{
    for (const auto& p : kPanels) {
        if (p.devType == devType)
            return &p;
    }
    return nullptr;
}

} // namespace

const char* PanelIdText(uint16_t devType)
{
    const PanelNames* p = Find(devType);
    return p ? p->id : "";
}

std::string_view SimSectionName(uint16_t devType)
{
    const PanelNames* p = Find(devType);
    return p ? p->simSection : "SIMULATION_ORV043";
}
