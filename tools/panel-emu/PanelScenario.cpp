// The emulated panel's identification text, built from its model when the
// scenario gives none.
#include "PanelScenario.h"

#include "HexText.h"

#include <algorithm>

namespace panelemu {

namespace {

constexpr size_t kFieldbusColumn = 28;

}  // namespace

bool KnownModel(uint16_t model) {
    switch (model) {
    case 14: case 36: case 43: case 47: case 755:
    case 118: case 163: case 167:
    case 473: case 477: case 706: return true;
    default: return false;
    }
}

std::string DefaultIdentification(uint16_t model, char variant, uint8_t fieldbus) {
    std::string id = "OG";
    const std::string number = std::to_string(model);
    id += std::string(3 - std::min<size_t>(3, number.size()), '0') + number;
    if (model == 47) id += std::string("4") + variant + "9" + variant;
    else id += "9990";
    id += " EMULATED PANEL";
    id.resize(kFieldbusColumn, ' ');
    return id + ToHex(fieldbus, 2);
}

std::string PanelScenario::Identification() const {
    return identification.empty() ? DefaultIdentification(model, variant, fieldbus) : identification;
}

}  // namespace panelemu
