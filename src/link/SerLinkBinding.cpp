// Finds the serial link library beside the executable (or where the environment
// names it) and binds it once for the whole program.
#include "link/SerLinkBinding.h"

#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "platform/ProgramDirs.h"

#include <filesystem>
#include <system_error>

namespace orv {

namespace {

constexpr const char* kDefaultName = "libserlink.so";

CSerLinkBinding& ProgramBinding()
{
    static CSerLinkBinding binding;
    return binding;
}

std::string ExecutableDir()
{
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("/") : exe.parent_path().string() + "/";
}

} // namespace

bool CSerLinkBinding::Bind(const std::string& absPath)
{
    Unbind();
    if (!m_lib.Open(absPath)) {
        const std::string name = std::filesystem::path(absPath).filename().string();
        ShowMessageText("int Error: %s not found", name.c_str());
        LogLine(0, "%s", m_lib.Error().c_str());
        return false;
    }
    m_api.start = reinterpret_cast<orvlink_start_fn>(m_lib.Symbol("orvlink_start"));
    m_api.end = reinterpret_cast<orvlink_end_fn>(m_lib.Symbol("orvlink_end"));
    m_api.rec = reinterpret_cast<orvlink_rec_fn>(m_lib.Symbol("orvlink_rec"));
    if (m_api.start == nullptr)
        ShowMessageText("orvlink_start not found in DLL\n");
    if (m_api.end == nullptr)
        ShowMessageText("orvlink_end not found in DLL\n");
    if (m_api.rec == nullptr)
        ShowMessageText("orvlink_rec not found in DLL\n");
    m_complete = m_api.start != nullptr && m_api.end != nullptr && m_api.rec != nullptr;
    return m_complete;
}

void CSerLinkBinding::Unbind()
{
    m_complete = false;
    m_api = SerLinkApi{};
    m_lib.Close();
}

std::string SerLinkPath()
{
    return PathFromEnv("ORVTOOL_SERLINK", ExecutableDir() + kDefaultName);
}

bool BindSerLink()
{
    return ProgramBinding().Bind(SerLinkPath());
}

void UnbindSerLink()
{
    ProgramBinding().Unbind();
}

const SerLinkApi* GetSerLink()
{
    return ProgramBinding().Api();
}

} // namespace orv
