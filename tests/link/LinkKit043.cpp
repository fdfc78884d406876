// Builds the 043 and 118 families' files with the support builders, patched
// where the link reads fields the builders leave free.
#include "LinkKit043.h"

#include "LinkKit.h"
#include "model/project/SpsPar.h"
#include "support/Image043_118Builder.h"
#include "tools/cfggen/FwBuilders.h"

#include <filesystem>

namespace orv {

Link043Rig::Link043Rig(uint16_t type, const std::string& drvFile)
    : prj(LoadedWorld(type).Drv(&f.workspace)), drv(*prj.drvCfg), panelType(type)
{
    f.workspace.SetBundle(&prj.bundle);
    drv.SetDrvNo(DrvNoOf(drvFile));
    prjPath = f.dir.File("ANLAGE1.ORV");
    if (Is118())
        f.workspace.SetFormFile(f.dir.File("ORV118.FRM"));
    f.workspace.SetPrjDir(f.dir.Path());
    emu.Reset(EmuScenario(type));

    const CSpsPar& sps = *prj.sps;
    drvEntry.drvFile = drvFile;
    drvEntry.kind = "100";
    drvEntry.params = {DrvParamSpec::Number("XY", 1, 0, 9), DrvParamSpec::Number("AK", sps.GetDataBlock(), 0, 255),
                       DrvParamSpec::Number("AL", sps.GetSpsAdr(0), 0, 9999),
                       DrvParamSpec::Number("AM", sps.GetSpsAdr(static_cast<uint16_t>(sps.GetLength() - 1)), 0, 9999)};
    Rebuild();
}

void Link043Rig::Rebuild()
{
    driver = drvEntry.Build().bytes;
    const uint16_t type = panelType;
    const std::string id = type == 755 ? "OG047" : "OG" + std::string(type < 100 ? "0" : "") + std::to_string(type);
    if (Is118()) {
        Image118Builder builder;
        builder.SourceName("ANLAGE1.ORV");
        builder.AddDescription("LINK TEST");
        image = builder.Finish();
        Patch(image, 22, id + "100");
        Patch(image, 228, "\x12\x34");
        RecipeImageBuilder recipes;
        recipes.AddRecipes(0x1234, {{1, 2, "\x01\x02\x03\x04"}});
        recipe = recipes.Finish();
        firmware = Fw118Image().Build();
    } else {
        Image043Builder builder;
        builder.SourceName("ANLAGE1.ORV");
        builder.AddDescription("LINK TEST");
        image = builder.Finish(driver);
        Patch(image, 22, id + "100");
    }
}

void Link043Rig::Write()
{
    f.dir.Write("ANLAGE1.BIN", image);
    if (Is118()) {
        f.dir.Write("ANLAGE1.DRV", driver);
        f.dir.Write("ANLAGE1.REC", recipe);
        f.dir.Write("ORV118.FRM", firmware);
    }
}

std::unique_ptr<CTransmit043> Link043Rig::Transmit()
{
    return std::make_unique<CTransmit043>(emu.Context(), f.workspace, panelType, 0, 0, prjPath, prj.prj.get());
}

std::unique_ptr<CReceive043> Link043Rig::Receive(bool withProject)
{
    if (!withProject)
        return std::make_unique<CReceive043>(emu.Context(), f.workspace, nullptr, nullptr, nullptr, panelType, 0, 0);
    return std::make_unique<CReceive043>(emu.Context(), f.workspace, prj.prj.get(), &drv, prj.sps.get(), panelType,
                                         0, 0);
}

bool Link043Rig::Exists(const std::string& name) const { return std::filesystem::exists(f.dir.File(name)); }

std::string Link043Rig::UseBackDir()
{
    const std::string dir = f.dir.File("back/");
    std::filesystem::create_directories(dir);
    f.workspace.SetPrjDir(dir);
    return dir;
}

std::string Link043Rig::ReadBack(const std::string& name) const { return f.dir.Read("back/" + name); }

bool Link043Rig::ExistsBack(const std::string& name) const { return Exists("back/" + name); }

std::vector<std::string> Link043WithoutWrites(const std::vector<std::string>& log)
{
    std::vector<std::string> out;
    for (const std::string& e : log)
        if (e.empty() || e[0] != 'W')
            out.push_back(e);
    return out;
}

std::vector<uint8_t> Link043Bytes(const std::string& bytes) { return {bytes.begin(), bytes.end()}; }

// The panel's check word is the sum of the bytes at 2 to 0x7FFF, the erased
// rest of the bank included.
panelemu::PanelScenario Link043Holding(const Link043Rig& rig, uint8_t bank, bool validChecksum,
                                       panelemu::PanelScenario s)
{
    std::vector<uint8_t> bytes = Link043Bytes(rig.image);
    uint32_t sum = 0;
    for (size_t i = 2; i < bytes.size(); ++i)
        sum += bytes[i];
    sum += 0xFFu * (0x8000u - bytes.size());
    sum &= 0xFFFF;
    if (!validChecksum)
        sum ^= 1;
    bytes[0] = static_cast<uint8_t>(sum >> 8);
    bytes[1] = static_cast<uint8_t>(sum);
    s.preloads.push_back({bank, 0, bytes});
    return s;
}

panelemu::PanelScenario Link118Holding(const Link043Rig& rig, panelemu::PanelScenario s)
{
    s.status[4] = 0x01;
    s.status[5] = 0x01;
    s.preloads.push_back({0, 0, Link043Bytes(rig.image)});
    s.preloads.push_back({0x30, 0, Link043Bytes(rig.recipe)});
    s.preloads.push_back({0x20, 4, Link043Bytes(rig.driver)});
    return s;
}

std::string Link043Ident(const std::string& idAndDigits, char sub)
{
    std::string id = idAndDigits + sub;
    id.resize(30, ' ');
    return id;
}

} // namespace orv
