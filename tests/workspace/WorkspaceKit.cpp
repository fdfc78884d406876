// The shared workspace fixture of the load, save and compile tests.
#include "WorkspaceKit.h"

#include "source/writer/RestOrv.h"
#include "support/TempDir.h"
#include "workspace/SelQueries.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace orv {

namespace fs = std::filesystem;

WorkspaceKit::WorkspaceKit()
{
    frame.SetLogLevel(3);
    EXPECT_TRUE(sel.OpenDb(kit.Home()));
    frame.SetStartSel(&sel);
    fs::create_directories(kit.Home() + "DATA");
}

bool WorkspaceKit::Start(int devType, int spsType, int drvNo, bool intl)
{
    if (!mgr.IsBuilt() && mgr.Init() != CPrjMgr::kInitDone)
        return false;
    sel.SetOrvVals("ORVPRO", intl ? 755 : devType, spsType, drvNo, 0, 0, 10);
    mgr.SetPanelType(devType);
    mgr.SetPlcType(spsType);
    mgr.SetDrvNum(drvNo);
    mgr.SetIntlDisplay(intl);
    mgr.SetSimDrvBound(false);
    return mgr.Startselection();
}

bool WorkspaceKit::SelectFirst(int devId)
{
    CSelQueries q(&sel.Db());
    q.RunApp("ORVPRO");
    q.RunDev(devId);
    q.RunSps(-1);
    q.RunSps(q.sps.IdAt(0));
    q.RunDrv(-1);
    const int drvId = q.drv.IdAt(0);
    return Start(devId == 755 ? 47 : devId, q.spsId, drvId >= 1000 ? drvId / 100 : drvId, devId == 755);
}

std::string WorkspaceKit::ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WorkspaceKit::WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string WorkspaceKit::SourceOfMemory()
{
    const TempDir dir;
    const std::string path = dir.File("MEMORY.ORV");
    {
        CRestOrv writer(path, &mgr.Bundle(), &mgr.Workspace());
        writer.WriteDescription();
        writer.WriteAll();
        EXPECT_TRUE(writer.Finish());
    }
    return ReadFile(path);
}

std::vector<std::string> WorkspaceKit::LogsStarting(const std::vector<std::string>& prefixes) const
{
    std::vector<std::string> lines;
    for (const std::string& text : ui.TextsOf(UiCall::Kind::LogAppend))
        if (std::any_of(prefixes.begin(), prefixes.end(),
                        [&](const std::string& prefix) { return text.rfind(prefix, 0) == 0; }))
            lines.push_back(text);
    return lines;
}

bool WorkspaceKit::Logged(const std::string& line) const
{
    const auto logs = ui.TextsOf(UiCall::Kind::LogAppend);
    return std::find(logs.begin(), logs.end(), line) != logs.end();
}

std::vector<int> WorkspaceKit::BoxIds() const
{
    std::vector<int> ids;
    for (const UiCall& call : ui.CallsOf(UiCall::Kind::Box))
        ids.push_back(call.id);
    return ids;
}

std::vector<int> WorkspaceKit::QuestionIds() const
{
    std::vector<int> ids;
    for (const UiCall& call : ui.CallsOf(UiCall::Kind::Question))
        ids.push_back(call.id);
    return ids;
}

} // namespace orv
