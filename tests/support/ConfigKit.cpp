// The shipped program directory copied into a temporary ORVTOOL_HOME.
#include "support/ConfigKit.h"

#include "image/drv/Placeholder.h"
#include "model/project/PanelTable.h"
#include "support/FktBuilders.h"
#include "support/RoundTripFirmware.h"
#include "tools/cfggen/FwBuilders.h"
#include "workspace/SelQueries.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace orv {

namespace fs = std::filesystem;

ConfigKit::ConfigKit() : m_home("ORVTOOL_HOME", m_dir.Path().c_str())
{
    CopyShipped(m_dir.Path());
}

void ConfigKit::CopyShipped(const std::string& dir)
{
    const fs::path shipped(ORV_SHIPPED_DIR);
    fs::copy_file(shipped / "startsel.db", dir + "startsel.db");
    fs::copy(shipped / "CFG", dir + "CFG", fs::copy_options::recursive);
}

std::string ConfigKit::CfgPath(const std::string& name) const
{
    return m_dir.File("CFG/ORV/" + name);
}

void ConfigKit::Remove(const std::string& name) const
{
    fs::remove(CfgPath(name));
}

void ConfigKit::Damage(const std::string& name) const
{
    const std::string old = Read(name);
    Write(name, std::string(old.size(), '\xEE'));
}

void ConfigKit::Write(const std::string& name, const std::string& bytes) const
{
    std::ofstream out(CfgPath(name), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ConfigKit::Read(const std::string& name) const
{
    std::ifstream in(CfgPath(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

OfferedChoice FirstOffered(const CSelDb& db, int devId)
{
    CSelQueries q(&db);
    q.RunApp("ORVPRO");
    q.RunDev(devId);
    q.RunSps(-1);
    if (q.sps.Names().empty())
        return {};
    q.RunSps(q.sps.IdAt(0));
    q.RunDrv(-1);
    if (q.drv.Names().empty())
        return {};
    return {q.spsId, q.drv.IdAt(0)};
}

bool ConfigKit::Exists(const std::string& name) const
{
    return fs::exists(CfgPath(name));
}

void ConfigKit::ReplacePlaceholders() const
{
    ReplacePlaceholdersIn(Home());
}

void ConfigKit::ReplacePlaceholdersIn(const std::string& dir)
{
    const std::string code(kPlaceholderMark.size(), '\x4E');
    for (const auto& entry : fs::directory_iterator(fs::path(dir) / "CFG" / "ORV")) {
        const fs::path path = entry.path();
        std::string bytes;
        {
            std::ifstream in(path, std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        bool changed = false;
        for (size_t at = bytes.find(kPlaceholderMark); at != std::string::npos; at = bytes.find(kPlaceholderMark, at)) {
            bytes.replace(at, code.size(), code);
            changed = true;
        }
        if (changed)
            std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
}

void ConfigKit::WriteRoundTripFirmware() const
{
    std::set<std::string> done;
    for (const PanelRow& row : PanelRows()) {
        if (!row.frmFile || !done.insert(row.frmFile).second)
            continue;
        // The shipped images' identity: the model and version digits the
        // emulated panel does not fall below.
        const std::string id = "OG" + std::to_string(row.code) + "9990";
        if (row.family == Family::F118) {
            Fw118Image img;
            // No features, as the goldens' own firmware: they change
            // which softkey rows a project keeps.
            img.Id(id).Date("010126");
            Write(row.frmFile, AddRoundTripVars(img).Build());
        } else {
            Fw706Image img;
            img.Name(row.frmFile).Date(0x01, 0x01, 0x26).Version(id).Id(id);
            for (int bit = 0; bit < 64; ++bit)
                img.Feature(bit);
            Write(row.frmFile, AddRoundTripVars(img, true).Build());
        }
    }
}

void ConfigKit::UseStdFktFiles() const
{
    FktDosFile f043;
    f043.copyName = "ORVTOOL";
    f043.version = "9990";
    f043.body = std::string(64, '\x4E');
    Write("STD043.FKT", f043.Build());
    Fkt706File f706;
    f706.copyName = "ORVTOOL";
    f706.version = "9990";
    f706.body = std::string(64, '\x4E');
    Write("STD706.FKT", f706.Build());
    std::string ini = Read("ORVPRO.INI");
    const size_t at = ini.find("[CONFIGURATION]\r\n");
    if (at != std::string::npos)
        ini.insert(at + 17, "FUNCTION_ORV043=STD043\r\nFUNCTION_ORV706=STD706\r\n");
    Write("ORVPRO.INI", ini);
}

} // namespace orv
