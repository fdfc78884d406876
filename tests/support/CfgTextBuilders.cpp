#include "support/CfgTextBuilders.h"

#include "model/core/WorkspaceState.h"

#include <filesystem>
#include <fstream>

namespace orv {

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

StartSelCfgText& StartSelCfgText::Adr(std::string_view kind, int first, int last, std::string_view direction,
                                      std::string_view tail)
{
    std::string line = "ADR=" + std::string(kind) + "," + std::to_string(first) + "," + std::to_string(last) +
                       "," + std::string(direction);
    if (!tail.empty())
        line += "," + std::string(tail);
    return Line(line);
}

StartSelCfgText& StartSelCfgText::Kelmir043()
{
    Section(std::string(kKelmir043Section) + "X");
    Adr("VAR", 0, 255, "<->");
    Section(kKelmir043Section);
    Adr("SYS", 0, 14, "<->", "TEXT 1");
    for (int word = 15; word <= 22; ++word)
        Adr("MSG", word, word, "<-", std::to_string((word - 15) * 16) + ",TEXT 1");
    Adr("SYS", 23, 29, "<->", "TEXT 2");
    Adr("VAR", 30, 255, "<->");
    return *this;
}

void StartSelCfgText::WriteFor(const CWorkspaceState& workspace) const
{
    WriteFileBytes(workspace.GetCfgFile(), m_text);
}

ToolCfgText& ToolCfgText::Key(std::string_view key, std::string_view value)
{
    return Line(std::string(key) + "=" + std::string(value));
}

ToolCfgText& ToolCfgText::Configuration()
{
    Section("CONFIGURATION");
    Key("ORV", "ORV043").Key("SPS", "SIEMENS_DW").Key("DRIVER", "KELMIR");
    Key("OFFSET", "0").Key("LENGTH", "256").Key("DB", "1");
    return Line("");
}

void ToolCfgText::WriteFor(const CWorkspaceState& workspace) const
{
    WriteFileBytes(workspace.GetIniFile(), m_text);
}

} // namespace orv
