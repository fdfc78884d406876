// Wires a test project's parts in the order the workspace loads them.
#include "support/ProjectWorld.h"

#include "model/project/PrjVarList.h"

#include <utility>

namespace orv {

WorldRecipe::WorldRecipe(uint16_t devType) : m_devType(devType) {}

WorldRecipe& WorldRecipe::Variant()
{
    m_variant = true;
    return *this;
}

WorldRecipe& WorldRecipe::Sps(SpsParBuilder sps)
{
    m_sps = std::move(sps);
    m_withSps = true;
    return *this;
}

WorldRecipe& WorldRecipe::NoSps()
{
    m_withSps = false;
    return *this;
}

WorldRecipe& WorldRecipe::CharSet()
{
    m_charSet = true;
    return *this;
}

WorldRecipe& WorldRecipe::NoCharSet()
{
    m_charSet = false;
    m_zeroFonts = false;
    return *this;
}

WorldRecipe& WorldRecipe::ZeroFonts()
{
    m_charSet = true;
    m_zeroFonts = true;
    return *this;
}

WorldRecipe& WorldRecipe::Drv(CWorkspaceState* workspace)
{
    m_drv = true;
    m_workspace = workspace;
    return *this;
}

WorldRecipe& WorldRecipe::Workspace(CWorkspaceState* workspace)
{
    m_workspace = workspace;
    return *this;
}

WorldRecipe& WorldRecipe::Fkt()
{
    m_fkt = true;
    return *this;
}

WorldRecipe& WorldRecipe::Frm()
{
    m_frm = true;
    return *this;
}

WorldRecipe& WorldRecipe::Cleared()
{
    m_cleared = true;
    return *this;
}

WorldRecipe& WorldRecipe::Src(uint16_t srcType)
{
    m_srcType = srcType;
    return *this;
}

WorldRecipe& WorldRecipe::OwnUi()
{
    m_ownUi = true;
    return *this;
}

std::unique_ptr<ProjectWorld> WorldRecipe::Build() const { return std::make_unique<ProjectWorld>(*this); }

ProjectWorld::ProjectWorld(const WorldRecipe& wanted) : bundle(m_ownBundle) { Wire(wanted); }

ProjectWorld::ProjectWorld(const WorldRecipe& wanted, PrjBundle& into) : bundle(into) { Wire(wanted); }

void ProjectWorld::Wire(const WorldRecipe& wanted)
{
    if (wanted.m_ownUi)
        m_uiScope.emplace(ui);
    charSet = std::make_unique<CCharSet>(&bundle);
    if (wanted.m_charSet)
        bundle.charSet = charSet.get();
    prj = std::make_unique<CPrjData>(&bundle);
    bundle.prjData = prj.get();
    prj->SetDevType(wanted.m_devType);
    prj->SetVariant(wanted.m_variant ? 1 : 0);
    prj->SetDsType(wanted.m_variant ? 755 : wanted.m_devType);
    if (wanted.m_charSet) {
        charSet->SetDevType(wanted.m_devType);
        if (wanted.m_zeroFonts)
            charSet->FillFontBuffer(charSet->GetGroup());
    }
    sps = wanted.m_sps ? wanted.m_sps->Build(&bundle) : std::make_unique<CSpsPar>(&bundle);
    if (wanted.m_withSps)
        bundle.spsPar = sps.get();
    drvCfg = std::make_unique<CDrvCfg>(wanted.m_workspace, &bundle);
    if (wanted.m_drv)
        bundle.drvCfg = drvCfg.get();
    fkt = std::make_unique<CFktCfg>(&bundle);
    if (wanted.m_fkt)
        bundle.fktCfg = fkt.get();
    frm = std::make_unique<CFrmCfg>(&bundle);
    if (wanted.m_frm)
        bundle.frmCfg = frm.get();
    if (wanted.m_cleared)
        prj->Clear();
    if (wanted.m_srcType)
        prj->SetSrcDevType(*wanted.m_srcType);
}

CPrjVar* ProjectWorld::Var(std::string_view name) const
{
    if (CPrjVar* var = prj->GetVarList()->FindByName(name))
        return var;
    return prj->GetFwVarList()->FindByName(name);
}

void ProjectWorld::Unwire(WorldPart part)
{
    switch (part) {
    case WorldPart::CharSet: bundle.charSet = nullptr; break;
    case WorldPart::Root: bundle.prjData = nullptr; break;
    case WorldPart::Sps: bundle.spsPar = nullptr; break;
    case WorldPart::Drv: bundle.drvCfg = nullptr; break;
    case WorldPart::Fkt: bundle.fktCfg = nullptr; break;
    case WorldPart::Frm: bundle.frmCfg = nullptr; break;
    }
}

void ProjectWorld::Rewire(WorldPart part)
{
    switch (part) {
    case WorldPart::CharSet: bundle.charSet = charSet.get(); break;
    case WorldPart::Root: bundle.prjData = prj.get(); break;
    case WorldPart::Sps: bundle.spsPar = sps.get(); break;
    case WorldPart::Drv: bundle.drvCfg = drvCfg.get(); break;
    case WorldPart::Fkt: bundle.fktCfg = fkt.get(); break;
    case WorldPart::Frm: bundle.frmCfg = frm.get(); break;
    }
}

} // namespace orv
