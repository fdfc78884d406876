// Builds the 706 family's files with the support builders, patched where
// the link reads fields the builders leave free.
#include "LinkKit.h"

#include "model/project/DrvTable.h"
#include "model/project/SpsPar.h"
#include "support/FktBuilders.h"
#include "tools/cfggen/FwBuilders.h"
#include "support/Image706Builder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orv {

uint16_t DrvNoOf(const std::string& name)
{
    for (uint16_t n = 0; n < 78; ++n)
        if (name == DrvStdFileName(n))
            return n;
    return 0;
}

std::vector<int> BoxIds(const ScriptedUi& ui)
{
    std::vector<int> ids;
    for (const UiCall& call : ui.CallsOf(UiCall::Kind::Box))
        ids.push_back(call.id);
    return ids;
}

Span SpanOf(const std::vector<std::string>& log, const std::string& prefix, const std::string& fileLine)
{
    Span span;
    bool in = false;
    for (const std::string& e : log) {
        const bool display = e.size() > 1 && e[0] == 'D' && e[1] >= '1' && e[1] <= '4';
        if (display && e.find(">> ") == std::string::npos && e.find("<< ") == std::string::npos)
            continue;
        if (display) {
            if (span.within > 0)
                break;
            in = e.find(fileLine) != std::string::npos;
        }
        if (e.rfind(prefix, 0) == 0)
            ++(in ? span.within : span.before);
    }
    return span;
}

std::string Fault(const std::string& prefix, const std::string& action, int count, int skip)
{
    return prefix + "," + std::to_string(count) + "," + action + "," + std::to_string(skip);
}

void Patch(std::string& bytes, size_t at, const std::string& with)
{
    if (bytes.size() < at + with.size())
        bytes.resize(at + with.size(), '\0');
    bytes.replace(at, with.size(), with);
}

Link706Rig::Link706Rig(uint16_t type, bool withFunction, const std::string& drvFile)
    : prj(LoadedWorld(type).Drv(&f.workspace)), drv(*prj.drvCfg), panelType(type)
{
    drv.SetDrvNo(DrvNoOf(drvFile));
    // A driver without a number of its own is named by the override.
    if (drv.GetDrvFileName() != drvFile) {
        f.workspace.SetDrvOverride(drvFile, true);
        drv.SetDrvNo(kDrvByFileName);
    }
    prj.fkt->SetUsed(withFunction ? 1 : 0);
    prjPath = f.dir.File("ANLAGE1.ORV");
    f.workspace.SetFormFile(f.dir.File("ORV706.FRM"));
    f.workspace.SetPrjDir(f.dir.Path());
    emu.Reset(EmuScenario(type));

    Fw706Image fw;
    firmware = fw.Build();
    drvEntry.base = type == 706 ? Drv706Entry::kBase706 : Drv706Entry::kBase473;
    drvEntry.drvFile = drvFile;
    drvEntry.kind = "100";
    const CSpsPar& sps = *prj.sps;
    drvEntry.params = {DrvParamSpec::Number("XY", 1, 0, 9), DrvParamSpec::Number("AK", sps.GetDataBlock(), 0, 255),
                       DrvParamSpec::Number("AL", sps.GetSpsAdr(0), 0, 9999),
                       DrvParamSpec::Number("AM", sps.GetSpsAdr(static_cast<uint16_t>(sps.GetLength() - 1)), 0, 9999)};
    driver = drvEntry.Build().bytes;

    Fkt706File fkt;
    fkt.body = std::string(300, '\x5A');
    function = fkt.Build();
    function.resize(function.size() + function.size() % 2);
    Patch(function, 0, std::string{static_cast<char>(function.size() / 2 >> 8), static_cast<char>(function.size() / 2 & 0xFF)});
    Patch(function, 46, "FK706100 ");

    Image706Builder builder(type);
    builder.AddSystem(0);
    builder.AddDescription("LINK TEST");
    image = builder.Finish();
    Patch(image, 6, "ANLAGE1.ORV ");
    Patch(image, 64, "FW7060105");
}

void Link706Rig::Write()
{
    f.dir.Write("ORV706.FRM", firmware);
    f.dir.Write("ANLAGE1.DRV", driver);
    f.dir.Write("ANLAGE1.BIN", image);
    if (prj.fkt->IsUsed())
        f.dir.Write("ANLAGE1.FKT", function);
}

std::unique_ptr<CTransmit706> Link706Rig::Transmit()
{
    return std::make_unique<CTransmit706>(emu.Context(), f.workspace, panelType, 0, 0, prjPath, prj.prj.get());
}

std::unique_ptr<CReceive706> Link706Rig::Receive(bool withProject)
{
    if (!withProject)
        return std::make_unique<CReceive706>(emu.Context(), f.workspace, nullptr, nullptr, nullptr, panelType, 0, 0);
    return std::make_unique<CReceive706>(emu.Context(), f.workspace, prj.prj.get(), &drv, prj.sps.get(), panelType,
                                         0, 0);
}

bool Link706Rig::Exists(const std::string& name) const { return std::filesystem::exists(f.dir.File(name)); }

} // namespace orv
