#pragma once

#include <string>
#include <string_view>

namespace orv {

class CWorkspaceState;

// Writes bytes exactly, creating the directories on the way.
void WriteFileBytes(const std::string& path, const std::string& bytes);

// Text of a configuration file of sections and lines, each line ending in
// CR LF.
template <class Self>
class SectionText {
public:
    Self& Section(std::string_view name) { return Line("[" + std::string(name) + "]"); }
    Self& Line(std::string_view line)
    {
        m_text.append(line);
        m_text.append("\r\n");
        return static_cast<Self&>(*this);
    }

    const std::string& Text() const { return m_text; }

protected:
    std::string m_text;
};

// The start-selection configuration file "ORVPRO.CFG".
class StartSelCfgText : public SectionText<StartSelCfgText> {
public:
    // "ADR=kind,first,last,direction" and, when given, ",tail".
    StartSelCfgText& Adr(std::string_view kind, int first, int last, std::string_view direction,
                         std::string_view tail = {});
    // Panel 43 with PLC SIEMENS_DW and driver KELMIR: SYS words 0..14 (text
    // 1), MSG words 15..22 (messages 0, 16, .. 112, text 1), SYS words
    // 23..29 (text 2) and VAR words 30..255, all "<->" but the MSG words
    // ("<-"). A decoy section whose name extends this one comes first and
    // makes every word a VAR word.
    StartSelCfgText& Kelmir043();
    // Where the workspace looks for the file.
    void WriteFor(const CWorkspaceState& workspace) const;
};

inline constexpr const char* kKelmir043Section = "ORV043-SIEMENS_DW-KELMIR";

// The tool configuration file "ORVPRO.INI".
class ToolCfgText : public SectionText<ToolCfgText> {
public:
    ToolCfgText& Key(std::string_view key, std::string_view value);
    // A complete CONFIGURATION section: panel 43, SIEMENS_DW, KELMIR,
    // OFFSET 0, LENGTH 256, DB 1.
    ToolCfgText& Configuration();
    void WriteFor(const CWorkspaceState& workspace) const;
};

} // namespace orv
