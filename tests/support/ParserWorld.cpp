// Presets the parser's project and adds the firmware's state variables.
#include "support/ParserWorld.h"

#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"

#include <string>
#include <utility>

namespace orv {

namespace {

// Internal variables may stand in every text but history rows and message
// printer texts.
constexpr uint32_t kIntFlags = 0x33FB;

SpsParBuilder DefaultSps()
{
    SpsParBuilder sps;
    for (uint16_t w = 10; w <= 19; ++w)
        sps.Var(w);
    sps.Sys(20);
    sps.Var(21, 1);
    sps.Var(22, 2);
    sps.Msg(30, 0);
    return sps;
}

// A name the root already made itself (the softkey rows of the 118
// family) is left as the root made it.
void AddStateVar(CPrjData& prj, std::string_view name, uint8_t type, bool fwList)
{
    if (prj.GetVarList()->FindByName(name) || prj.GetFwVarList()->FindByName(name))
        return;
    auto var = std::make_unique<CPrjIntVarStr>(name, kIntFlags, 0, type, 0, 0, prj.GetTextPool());
    var->SetTxtCount(6);
    if (fwList)
        prj.InsFwVar(var.release());
    else
        prj.InsVar(var.release());
}

} // namespace

WorldRecipe ParserWorld(uint16_t devType)
{
    WorldRecipe wanted = devType == 755 ? World(47).Variant() : World(devType);
    return wanted.ZeroFonts().Sps(DefaultSps()).Drv().Cleared().Src(devType).OwnUi();
}

void AddFirmwareStateVars(CPrjData& prj)
{
    const uint16_t type = prj.GetDevType();
    const bool f706 = type == 473 || type == 477 || type == 706;
    if (f706) {
        AddStateVar(prj, "[Z018]", 142, false);
        AddStateVar(prj, "[Z019]", 142, false);
        AddStateVar(prj, "[Z098]", 142, false);
        AddStateVar(prj, "[Z099]", 142, false);
        AddStateVar(prj, "[Z080]", 144, true);
        prj.InsFwVar(new CPrjIntVarHex("[Z078]", kIntFlags, 0, 249, 0, 0, "1B45"));
    }
    AddStateVar(prj, "[Z084]", 142, false);
    AddStateVar(prj, "[Z085]", 142, false);
    AddStateVar(prj, "[Z21]", 154, false);
    AddStateVar(prj, "[Z22]", 154, false);
}

} // namespace orv
