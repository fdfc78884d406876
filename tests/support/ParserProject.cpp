#include "support/ParserProject.h"

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

CPrjVar* ParserProject::Var(std::string_view name) const
{
    if (CPrjVar* var = prj->GetVarList()->FindByName(name))
        return var;
    return prj->GetFwVarList()->FindByName(name);
}

ParserProjectBuilder::ParserProjectBuilder(uint16_t devType)
    : m_devType(devType == 755 ? 47 : devType), m_variant(devType == 755), m_srcType(devType), m_sps(DefaultSps())
{
}

ParserProjectBuilder& ParserProjectBuilder::Src(uint16_t srcType)
{
    m_srcType = srcType;
    return *this;
}

ParserProjectBuilder& ParserProjectBuilder::Sps(SpsParBuilder sps)
{
    m_sps = std::move(sps);
    return *this;
}

ParserProjectBuilder& ParserProjectBuilder::NoCharSet()
{
    m_withCharSet = false;
    return *this;
}

std::unique_ptr<ParserProject> ParserProjectBuilder::Build() const
{
    auto p = std::make_unique<ParserProject>();
    if (m_withCharSet) {
        p->charSet = std::make_unique<CCharSet>(&p->bundle);
        p->bundle.charSet = p->charSet.get();
    }
    p->prj = std::make_unique<CPrjData>(&p->bundle);
    p->bundle.prjData = p->prj.get();
    p->prj->SetDevType(m_devType);
    p->prj->SetVariant(m_variant ? 1 : 0);
    p->prj->SetDsType(m_variant ? 755 : m_devType);
    if (p->charSet) {
        p->charSet->SetDevType(m_devType);
        p->charSet->FillFontBuffer(p->charSet->GetGroup());
    }
    p->sps = m_sps.Build(&p->bundle);
    p->bundle.spsPar = p->sps.get();
    p->drvCfg = std::make_unique<CDrvCfg>(nullptr, &p->bundle);
    p->bundle.drvCfg = p->drvCfg.get();
    p->prj->Clear();
    p->prj->SetSrcDevType(m_srcType);
    return p;
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
