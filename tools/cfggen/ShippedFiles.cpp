// Builds the shipped stand-ins with the file builders, reading which panel is
// offered which driver from the database, so that the files cannot drift
// from the start selection.
#include "tools/cfggen/ShippedFiles.h"

#include "image/drv/Placeholder.h"
#include "model/project/DrvCfg.h"
#include "model/project/DrvTable.h"
#include "model/project/PanelTable.h"
#include "model/project/PrjBundle.h"
#include "model/project/SpsPar.h"
#include "model/core/WorkspaceState.h"
#include "source/config/CfgNames.h"
#include "source/config/CfgWriter.h"
#include "tools/cfggen/DrvBuilders.h"
#include "tools/cfggen/FwBuilders.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace orv {

namespace {

constexpr const char* kCfgDir = "CFG/ORV/";
// Version digits that no panel accepts in a real driver's place.
constexpr const char* kVersion = "9990";
// 1 January 2026 as a DOS date, for files that stay the same on every run.
constexpr uint16_t kDosDate = ((2026 - 1980) << 9) | (1 << 5) | 1;

// The simulation driver a bound project takes, by panel; 477 and 706 have
// none.
struct SimDriver {
    uint16_t panel;
    const char* file;
};
constexpr SimDriver kSimDrivers[] = {
    {14, "SIMMINI.DRV"}, {36, "SIMMINI.DRV"}, {43, "SIMMINI.DRV"},   {47, "SIMMINI.DRV"},  {118, "SIMMINI.DRV"},
    {163, "SIMMINI.DRV"}, {167, "SIMMINI.DRV"}, {473, "SIM473pe.DRV"}, {755, "SIMMIDI.DRV"},
};

bool WriteFile(const std::string& path, const std::string& bytes, std::string& error)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

// Every panel with every PLC type and driver its type offers.
const std::string kOfferedSql =
    "SELECT Devices.DevId, SPSDrvOfDevTyps.spsID, SPSDrvOfDevTyps.DrvId FROM Devices INNER JOIN SPSDrvOfDevTyps"
    " ON Devices.Typ = SPSDrvOfDevTyps.DevTyp WHERE Devices.App = 'ORVPRO'"
    " ORDER BY Devices.ZeroBasedId, SPSDrvOfDevTyps.spsID, SPSDrvOfDevTyps.DrvId";

// The drivers each panel is offered, from the database.
std::map<int, std::set<int>> OfferedDrivers(const CSelDb& db)
{
    std::map<int, std::set<int>> offered;
    CSelRecordset rs = db.Query(kOfferedSql, {});
    for (rs.MoveFirst(); !rs.IsEof(); rs.MoveNext())
        offered[rs.GetFieldLong("DevId")].insert(rs.GetFieldLong("DrvId"));
    return offered;
}

std::string CfgText(const CSelDb& db)
{
    std::string text;
    CSelRecordset rs = db.Query(kOfferedSql, {});
    // A real driver's reserved system and message words are the panel
    // maker's; every section reserves the neutral variable words only.
    auto section = [&text](const std::string& name) {
        text += "[" + name + "]\r\nADR=VAR,0,255,<->\r\n\r\n";
    };
    for (rs.MoveFirst(); !rs.IsEof(); rs.MoveNext()) {
        const auto dev = static_cast<uint16_t>(rs.GetFieldLong("DevId"));
        const auto sps = static_cast<uint16_t>(rs.GetFieldLong("spsID"));
        const auto drv = static_cast<uint16_t>(rs.GetFieldLong("DrvId"));
        section(std::string(PanelIdText(dev)) + "-" + GetSpsTypeKey(sps) + "-" + DrvIniKey(drv));
    }
    // Binding the simulation driver selects PLC type 49 and driver 78.
    for (const SimDriver& sim : kSimDrivers)
        section(std::string(PanelIdText(sim.panel)) + "-" + GetSpsTypeKey(49) + "-" + DrvIniKey(kDrvByFileName));
    return text;
}

std::string Entry043(const std::string& drvFile)
{
    Drv043Entry e;
    e.copyName = "ORVTOOL";
    e.dosDate = kDosDate;
    e.dosDate2 = kDosDate;
    e.kind = "000";
    e.drvFile = drvFile;
    e.version = kVersion;
    e.tail = PlaceholderBody(256);
    return e.Build().bytes;
}

std::string Entry706(const std::string& drvFile, uint32_t base)
{
    Drv706Entry e;
    e.base = base;
    e.drvFile = drvFile;
    e.dateStamp = {0x01, 0x01, 0x26};
    e.nameStamp = {0x01, 0x01, 0x26};
    e.copyName = "ORVTOOL";
    e.kind = "000";
    e.version = kVersion;
    e.tail = PlaceholderBody(256);
    return e.Build().bytes;
}

// One library per library name, holding every driver offered on its panels.
bool WriteDriverLibs(const CSelDb& db, const std::string& cfg, std::string& error)
{
    const CDrvCfg names(nullptr, nullptr);
    std::map<std::string, std::pair<const PanelRow*, std::set<int>>> libs;
    for (const auto& [dev, drivers] : OfferedDrivers(db)) {
        const PanelRow* row = FindPanel(static_cast<uint16_t>(dev));
        if (!row)
            continue;
        auto& lib = libs[names.DrvLibName(row->code)];
        lib.first = row;
        lib.second.insert(drivers.begin(), drivers.end());
    }
    for (const auto& [name, lib] : libs) {
        const bool is706 = DrvFamilyOf(lib.first->family) == DrvFamily::F706;
        DrvLibBuilder b;
        for (int drv : lib.second) {
            const std::string file = DrvStdFileName(static_cast<uint16_t>(drv));
            if (!file.empty())
                b.Add(is706 ? Entry706(file, lib.first->drvBase) : Entry043(file));
        }
        if (!WriteFile(cfg + name, b.Str(), error))
            return false;
    }
    // Each simulation library holds one entry named after its own file.
    std::set<std::string> done;
    for (const SimDriver& sim : kSimDrivers) {
        const PanelRow* row = FindPanel(sim.panel);
        if (!row || !done.insert(sim.file).second)
            continue;
        const bool is706 = DrvFamilyOf(row->family) == DrvFamily::F706;
        if (!WriteFile(cfg + sim.file, is706 ? Entry706(sim.file, row->drvBase) : Entry043(sim.file), error))
            return false;
    }
    return true;
}

// The firmware id and version text: the model's five characters and the
// version digits.
std::string FirmwareId(uint16_t model)
{
    return "OG" + std::to_string(model) + kVersion;
}

bool WriteFirmware(const std::string& cfg, std::string& error)
{
    std::set<std::string> done;
    for (const PanelRow& row : PanelRows()) {
        if (!row.frmFile || !done.insert(row.frmFile).second)
            continue;
        std::string bytes;
        if (row.family == Family::F118) {
            Fw118Image img;
            img.Id(FirmwareId(row.code)).Date("010126").FirstEntry(0);
            for (int bit = 0; bit < 64; ++bit)
                img.Feature(bit);
            img.Bytes().Bytes(0, PlaceholderBody(0x6000));
            bytes = img.Build();
        } else {
            Fw706Image img;
            const std::string id = FirmwareId(row.code);
            img.Name(row.frmFile).Date(0x01, 0x01, 0x26).Version(id).Id(id).FirstEntry(0);
            for (int bit = 0; bit < 64; ++bit)
                img.Feature(bit);
            img.Bytes().Bytes(0x100, PlaceholderBody(Fw706Image::kEntryArea - 0x100));
            bytes = img.Build();
        }
        if (!WriteFile(cfg + row.frmFile, bytes, error))
            return false;
    }
    return true;
}

// The build tree's program directory is also the state directory, so the
// settings file may be the user's by now: it is written only where none is,
// and an existing one is only marked as made.
bool WriteIni(const std::string& dir, std::string& error)
{
    const CWorkspaceState workspace(dir, dir);
    std::error_code ec;
    if (std::filesystem::exists(workspace.GetIniFile(), ec)) {
        std::filesystem::last_write_time(workspace.GetIniFile(), std::filesystem::file_time_type::clock::now(), ec);
        return true;
    }
    const PrjBundle bundle;
    CCfgWriter writer(workspace, bundle);
    writer.SaveAll(CfgChoice{});
    if (writer.GetError() != 0) {
        error = "cannot write ORVPRO.INI";
        return false;
    }
    return true;
}

} // namespace

std::string PlaceholderBody(size_t size)
{
    std::string body(std::max(size, kPlaceholderMark.size() + 32), '\xFF');
    body.replace(16, kPlaceholderMark.size(), kPlaceholderMark);
    return body;
}

bool WriteShippedFiles(const CSelDb& db, const std::string& dir, std::string& error)
{
    const std::string cfg = dir + kCfgDir;
    std::error_code ec;
    std::filesystem::create_directories(cfg, ec);
    if (ec) {
        error = "cannot create " + cfg;
        return false;
    }
    if (!WriteFile(cfg + "ORVPRO.CFG", CfgText(db), error))
        return false;
    return WriteDriverLibs(db, cfg, error) && WriteFirmware(cfg, error) && WriteIni(dir, error);
}

} // namespace orv
