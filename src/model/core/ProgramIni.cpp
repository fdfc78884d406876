// Program settings in the state directory's INI file, seeded from the program
// directory so a first run starts from the shipped defaults.
#include "model/core/ProgramIni.h"

#include "model/core/Log.h"
#include "platform/FileLookup.h"
#include "platform/IniFile.h"
#include "platform/ProgramDirs.h"

#include <cerrno>
#include <cstring>
#include <iterator>
#include <mutex>
#include <set>
#include <string>

namespace orv {

namespace {

// Window placement and pane sizes are thousandths of the screen or of the
// frame; a notice shown under a key (FifoWarn) is shown while the key is 1.
constexpr GuiKeyInfo kGuiKeys[] = {
    {GuiKey::MainLeft, "MainLeft", 20},
    {GuiKey::MainTop, "MainTop", 20},
    {GuiKey::MainWidth, "MainWidth", 960},
    {GuiKey::MainHeight, "MainHeight", 960},
    {GuiKey::TextListHeight, "TextListHeight", 700},
    {GuiKey::TextWidth, "TextWidth", 150},
    {GuiKey::TextHeight, "TextHeight", 300},
    {GuiKey::ListHeight, "ListHeight", 300},
    {GuiKey::LogLevel, "LogLevel", 1},
    {GuiKey::LangId, "LangId", 0},
    {GuiKey::FifoWarn, "FifoWarn", 1},
};

constexpr bool TableFollowsEnum()
{
    for (std::size_t i = 0; i < std::size(kGuiKeys); ++i)
        if (static_cast<std::size_t>(kGuiKeys[i].key) != i) return false;
    return std::size(kGuiKeys) == static_cast<std::size_t>(GuiKey::FifoWarn) + 1;
}
static_assert(TableFollowsEnum());

}  // namespace

std::string GetProgramIniPath()
{
    const std::string stateDir = orv::GetStateDir();
    if (auto found = orv::FindPathNoCase(stateDir, kProgramIniName)) return *found;
    orv::SeedStateFile(kProgramIniName);
    if (auto found = orv::FindPathNoCase(stateDir, kProgramIniName)) return *found;
    return stateDir + kProgramIniName;
}

int ReadIniInt(std::string_view key, int def)
{
    return orv::IniGetInt(GetProgramIniPath(), kProgramIniSection, key, def);
}

void WriteIniInt(std::string_view key, int value)
{
    const std::string path = GetProgramIniPath();
    errno = 0;
    if (orv::IniWriteString(path, kProgramIniSection, key, std::to_string(value)))
        return;
    const int reason = errno;
    // Said once per file: a setting changed again fails for the same reason.
    static std::mutex reportedLock;
    static std::set<std::string> reported;
    {
        const std::lock_guard<std::mutex> lock(reportedLock);
        if (!reported.insert(path).second)
            return;
    }
    LogLine(kLogErrors, "Einstellungen werden nicht gespeichert: %s: %s", path.c_str(),
            reason != 0 ? std::strerror(reason) : "write refused");
}

const GuiKeyInfo& GuiKeyInfoOf(GuiKey key)
{
    return kGuiKeys[static_cast<std::size_t>(key)];
}

int ReadGuiKey(GuiKey key)
{
    const GuiKeyInfo& info = GuiKeyInfoOf(key);
    return ReadIniInt(info.name, info.def);
}

void WriteGuiKey(GuiKey key, int value)
{
    WriteIniInt(GuiKeyInfoOf(key).name, value);
}

} // namespace orv
