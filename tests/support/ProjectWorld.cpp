// Wires a test project's parts in the order the workspace loads them.
#include "support/ProjectWorld.h"

#include "model/project/PrjVarList.h"

#include <utility>

namespace orv {

WorldSpec::WorldSpec(uint16_t devType) : m_devType(devType) {}

WorldSpec& WorldSpec::Variant()
{
    m_variant = true;
    return *this;
}

WorldSpec& WorldSpec::Sps(SpsParBuilder sps)
{
    m_sps = std::move(sps);
    m_withSps = true;
    return *this;
}

WorldSpec& WorldSpec::NoSps()
{
    m_withSps = false;
    return *this;
}

WorldSpec& WorldSpec::CharSet()
{
    m_charSet = true;
    return *this;
}

WorldSpec& WorldSpec::NoCharSet()
{
    m_charSet = false;
    m_zeroFonts = false;
    return *this;
}

WorldSpec& WorldSpec::ZeroFonts()
{
    m_charSet = true;
    m_zeroFonts = true;
    return *this;
}

WorldSpec& WorldSpec::Drv(CWorkspaceState* workspace)
{
    m_drv = true;
    m_workspace = workspace;
    return *this;
}

WorldSpec& WorldSpec::Workspace(CWorkspaceState* workspace)
{
    m_workspace = workspace;
    return *this;
}

WorldSpec& WorldSpec::Fkt()
{
    m_fkt = true;
    return *this;
}

WorldSpec& WorldSpec::Cleared()
{
    m_cleared = true;
    return *this;
}

WorldSpec& WorldSpec::Src(uint16_t srcType)
{
    m_srcType = srcType;
    return *this;
}

WorldSpec& WorldSpec::OwnUi()
{
    m_ownUi = true;
    return *this;
}

std::unique_ptr<ProjectWorld> WorldSpec::Build() const { return std::make_unique<ProjectWorld>(*this); }

ProjectWorld::ProjectWorld(const WorldSpec& spec) : bundle(m_ownBundle) { Wire(spec); }

ProjectWorld::ProjectWorld(const WorldSpec& spec, PrjBundle& into) : bundle(into) { Wire(spec); }

void ProjectWorld::Wire(const WorldSpec& spec)
{
    if (spec.m_ownUi)
        m_uiScope.emplace(ui);
    charSet = std::make_unique<CCharSet>(&bundle);
    if (spec.m_charSet)
        bundle.charSet = charSet.get();
    prj = std::make_unique<CPrjData>(&bundle);
    bundle.prjData = prj.get();
    prj->SetDevType(spec.m_devType);
    prj->SetVariant(spec.m_variant ? 1 : 0);
    prj->SetDsType(spec.m_variant ? 755 : spec.m_devType);
    if (spec.m_charSet) {
        charSet->SetDevType(spec.m_devType);
        if (spec.m_zeroFonts)
            charSet->FillFontBuffer(charSet->GetGroup());
    }
    sps = spec.m_sps ? spec.m_sps->Build(&bundle) : std::make_unique<CSpsPar>(&bundle);
    if (spec.m_withSps)
        bundle.spsPar = sps.get();
    drvCfg = std::make_unique<CDrvCfg>(spec.m_workspace, &bundle);
    if (spec.m_drv)
        bundle.drvCfg = drvCfg.get();
    fkt = std::make_unique<CFktCfg>(&bundle);
    if (spec.m_fkt)
        bundle.fktCfg = fkt.get();
    if (spec.m_cleared)
        prj->Clear();
    if (spec.m_srcType)
        prj->SetSrcDevType(*spec.m_srcType);
}

CPrjVar* ProjectWorld::Var(std::string_view name) const
{
    if (CPrjVar* var = prj->GetVarList()->FindByName(name))
        return var;
    return prj->GetFwVarList()->FindByName(name);
}

} // namespace orv
