// The program's own integer settings in its INI file, read and written by the
// main window and the model alike.
#pragma once

#include <string>
#include <string_view>

namespace orv {

// The program's own settings: integer keys of section "GUI" of "ORVtool.ini"
// in the state directory.

inline constexpr const char* kProgramIniName = "ORVtool.ini";
inline constexpr const char* kProgramIniSection = "GUI";

// The file in the state directory, found by exact name first and then
// regardless of case; seeded from the program directory when the state
// directory lacks it; otherwise the path where the first write creates it.
std::string GetProgramIniPath();

// The key's integer, or def when the key or the file is missing.
int ReadIniInt(std::string_view key, int def);
// Writes the value as "%d". The first failed write to a file logs once where
// it tried and why; the setting then lasts only until the program ends.
void WriteIniInt(std::string_view key, int value);

// The keys the program itself reads, with their defaults.
enum class GuiKey {
    MainLeft,
    MainTop,
    MainWidth,
    MainHeight,
    TextListHeight,
    TextWidth,
    TextHeight,
    ListHeight,
    LogLevel,
    LangId,
    FifoWarn,
};

struct GuiKeyInfo {
    GuiKey key;
    const char* name;
    int def;
};

const GuiKeyInfo& GuiKeyInfoOf(GuiKey key);
int ReadGuiKey(GuiKey key);
void WriteGuiKey(GuiKey key, int value);

// Callers that tell operating-system families apart take the NT branch.
inline bool IsWinNT() { return true; }

} // namespace orv
