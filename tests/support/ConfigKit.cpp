// The shipped program directory copied into a temporary ORVTOOL_HOME.
#include "support/ConfigKit.h"

#include "workspace/SelQueries.h"

#include <filesystem>
#include <fstream>
#include <iterator>

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

} // namespace orv
