// Names the configuration files share between reader and writer, so both spell
// a panel id or a section alike.
#pragma once

#include <cstdint>
#include <string_view>

namespace orv {

// The names that the configuration files share between their readers and
// writers.

// The panel id text of a panel type ("ORV014", "ORVlight", ... "ORV0755");
// "" for a type without one.
const char* PanelIdText(uint16_t devType);

// The simulation interface value of the ARCNET card (0xFFFF in 16 bits),
// written "SIM_COM=ARC".
inline constexpr int16_t kSimComArcnet = -1;

// The edition word: the DESIGN value that switches the design flag on.
inline constexpr std::string_view kEditionWord = "OEM";

// The tool configuration's section of default simulation words of a panel
// type; 755 shares the one of 47, a type without its own reads ORV043's.
std::string_view SimSectionName(uint16_t devType);

} // namespace orv
