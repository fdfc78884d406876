// Workspace settings and file names; a file below a directory is taken as it
// exists on disk, whatever its case.
#include "model/core/WorkspaceState.h"

#include "platform/FileLookup.h"
#include "platform/ProgramDirs.h"

#include <utility>

namespace orv {

namespace {

constexpr const char* kCfgSubdir = "CFG/ORV";

// The file below the directory as it exists on disk, else as named.
std::string Locate(const std::string& dir, const std::string& relativePath)
{
    if (auto found = orv::FindPathNoCase(dir, relativePath))
        return *found;
    return dir + relativePath;
}

std::string CfgFileIn(const std::string& dir, const char* name)
{
    return Locate(dir, std::string(kCfgSubdir) + "/" + name);
}

} // namespace

CWorkspaceState::CWorkspaceState(std::string programDir, std::string stateDir)
    : m_programDir(std::move(programDir)), m_stateDir(std::move(stateDir))
{
}

CWorkspaceState::CWorkspaceState() : CWorkspaceState(orv::GetProgramDir(), orv::GetStateDir()) {}

std::string CWorkspaceState::GetCfgDir() const
{
    return Locate(m_programDir, kCfgSubdir) + "/";
}

std::string CWorkspaceState::GetCfgFile() const
{
    return CfgFileIn(m_programDir, "ORVPRO.CFG");
}

std::string CWorkspaceState::GetIniFile() const
{
    return CfgFileIn(m_stateDir, "ORVPRO.INI");
}

std::string CWorkspaceState::GetTmpFile() const
{
    return CfgFileIn(m_stateDir, "ORVPRO.TMP");
}

const std::string& CWorkspaceState::SetPrjFile(const std::string& path)
{
    m_prjFile = path;
    return m_prjFile;
}

void CWorkspaceState::SetDrvOverride(const std::string& name, bool on)
{
    m_drvOverrideName = name;
    m_drvOverride = on;
}

const std::string& CWorkspaceState::GetStdFktPath(int group) const
{
    static const std::string none;
    if (group < 0 || group >= kStdFktGroups)
        return none;
    return m_stdFktPaths[static_cast<size_t>(group)];
}

void CWorkspaceState::SetStdFktPath(int group, const std::string& path)
{
    if (group >= 0 && group < kStdFktGroups)
        m_stdFktPaths[static_cast<size_t>(group)] = path;
}

void CWorkspaceState::SetRcvFile(int index, const std::string& path)
{
    if (index >= 0 && index < kRcvFiles)
        m_rcvFiles[static_cast<size_t>(index)] = path;
}

const std::string& CWorkspaceState::GetRcvFile(int index) const
{
    static const std::string none;
    return index >= 0 && index < kRcvFiles ? m_rcvFiles[static_cast<size_t>(index)] : none;
}

} // namespace orv
