// Rewrites one section of the tool configuration file in place or writes a new
// file, keeping the keys of other sections untouched.
#include "source/config/CfgWriter.h"

#include "model/core/CatalogueIds.h"
#include "model/core/Catalogues.h"
#include "model/core/CheckedFormat.h"
#include "model/project/DrvTable.h"
#include "model/core/FrameState.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/PanelTable.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "model/core/WorkspaceState.h"
#include "platform/FileReplace.h"
#include "source/config/CfgNames.h"
#include "source/reader/Parser.h"
#include "source/writer/ReplaceFile.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <iterator>
#include <system_error>
#include <utility>

namespace orv {

namespace {

constexpr std::string_view kEol = "\r\n";
constexpr size_t kSectionNameLimit = 32;

constexpr std::array<const char*, 7> kCountries = {"GR", "IT", "UK", "FR", "NL", "DK", "SP"};

// The keys each rewritten section owns, bare flags included.
const std::vector<std::string_view> kEnvKeys = {
    "COUNTRY", "DISPLAY", "BATCHMODE", "PALETTE", "MOUSE_REVERSE", "ORV_LIGHT", "REQUEST_INTERVAL",
    "LINK_COM", "SIM_COM", "LPT", "TELESERVICE", "ARC_IO_BASE", "ARC_MEMORY_BASE", "ARC_ORV_ID",
    "PAPERLEN", "LEFT_MARGIN", "PRINT_HEAD", "PRINTER_HEADLINE", "PRINTER_INIT", "PRINTER_END",
    "FORMFEED", "ASCII_PRINT", "EXT_SOURCE", "EXT_BACKUP", "EXT_OLDSYNTAX", "EXT_COMPILE", "EXT_DRIVER",
    "EXT_FUNCTION", "EXT_PRINTER", "ORV_FILE", "DESIGN",
};
const std::vector<std::string_view> kCfgKeys = {
    "ORV", "SPS", "DRIVER", "FUNCTION_ORV014", "FUNCTION_ORVlight", "FUNCTION_ORV043",
    "FUNCTION_ORV047", "FUNCTION_ORV706", "OFFSET", "LENGTH", "DB",
};

// The standard special-function file of each key, by workspace group.
constexpr std::array<std::pair<const char*, int>, 5> kFunctionKeys = {{
    {"FUNCTION_ORV014", 0},
    {"FUNCTION_ORVlight", 1},
    {"FUNCTION_ORV043", 1},
    {"FUNCTION_ORV047", 2},
    {"FUNCTION_ORV706", 3},
}};

// Default simulation words of a new file.
struct SimDefaults {
    const char* section;
    uint16_t first;
    uint16_t last;
    // Words shown in hexadecimal: hexFirst..hexLast.
    uint16_t hexFirst;
    uint16_t hexLast;
    std::array<std::pair<uint16_t, uint16_t>, 3> values;  // word 0: unused slot
};

constexpr std::array<SimDefaults, 10> kSimDefaults = {{
    {"SIMULATION_ORV014", 3, 26, 1, 0, {{{13, 4040}}}},
    {"SIMULATION_ORVlight", 3, 26, 1, 0, {{{13, 4040}}}},
    {"SIMULATION_ORV043", 3, 26, 1, 0, {{{13, 4040}}}},
    {"SIMULATION_ORV047", 3, 26, 1, 0, {{{13, 4040}}}},
    {"SIMULATION_ORV706", 3, 104, 9, 12, {{{36, 7936}, {37, 255}, {38, 128}}}},
    {"SIMULATION_ORV473", 4, 85, 1, 0, {{{13, 4056}, {27, 65024}}}},
    {"SIMULATION_ORV477", 4, 85, 1, 0, {{{13, 4056}, {27, 65024}}}},
    {"SIMULATION_ORV118", 3, 85, 1, 0, {{{13, 4040}}}},
    {"SIMULATION_ORV163", 3, 85, 1, 0, {{{13, 4040}}}},
    {"SIMULATION_ORV167", 3, 85, 1, 0, {{{13, 4040}}}},
}};

std::string Num(std::string_view key, unsigned value)
{
    return std::string(key) + "=" + std::to_string(value);
}

std::string Hex4(const char* key, unsigned value)
{
    return FormatText("%s=%04X", key, value);
}

std::string Text(std::string_view key, std::string_view value)
{
    return std::string(key) + "=" + std::string(value);
}

std::string Quoted(std::string_view key, std::string_view value)
{
    return std::string(key) + "=\"" + std::string(value) + "\"";
}

std::string Header(std::string_view name)
{
    return "[" + std::string(name.substr(0, kSectionNameLimit)) + "]";
}

// The file name of a path without directory and extension.
std::string BaseName(std::string_view path)
{
    const size_t slash = path.find_last_of("/\\");
    if (slash != std::string_view::npos)
        path.remove_prefix(slash + 1);
    const size_t dot = path.rfind('.');
    return std::string(path.substr(0, dot));
}

// The lines of a file, each with its line end where it has one.
std::vector<std::string_view> SplitLines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const size_t lf = bytes.find('\n');
        const size_t len = lf == std::string_view::npos ? bytes.size() : lf + 1;
        lines.push_back(bytes.substr(0, len));
        bytes.remove_prefix(len);
    }
    return lines;
}

std::string WithEol(std::string_view line)
{
    std::string s(line);
    if (s.empty() || s.back() != '\n')
        s += kEol;
    return s;
}

std::string_view WithoutEol(std::string_view line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    return line;
}

bool IsBlank(std::string_view line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 33; });
}

// The key a line starts with: its keyword characters after blanks.
std::string_view KeyOf(std::string_view line)
{
    size_t pos = 0;
    while (pos < line.size() && static_cast<unsigned char>(line[pos]) < 33)
        ++pos;
    size_t end = pos;
    while (end < line.size() && CParser::IsKeywordChar(static_cast<unsigned char>(line[end])))
        ++end;
    return line.substr(pos, end - pos);
}

void AppendLines(std::vector<std::string>& out, const std::vector<std::string>& lines)
{
    for (const auto& line : lines)
        out.push_back(line + std::string(kEol));
}

} // namespace

CCfgWriter::CCfgWriter(const CWorkspaceState& workspace, const PrjBundle& bundle)
    : m_workspace(workspace), m_root(bundle.prjData), m_path(workspace.GetIniFile())
{
}

void CCfgWriter::SetError(uint16_t error)
{
    m_error.Set(error);
}

bool CCfgWriter::ReportError()
{
    switch (m_error.Code()) {
    case 0:
        return true;
    case kErrRead:
        ShowMessage(msg::kInitialisierungsdateiKonnteNicht, m_path);
        break;
    case kErrWrite:
        ShowMessage(msg::kInitialisierungsdateiKannNicht, m_path);
        break;
    default:
        return false;
    }
    m_error.Clear();
    return false;
}

CCfgWriter::Lines CCfgWriter::EnvironmentLines(bool arcAndMouse) const
{
    const EnvSettings& env = m_workspace.Env();
    const FileTags& tags = m_workspace.Tags();
    const bool international = m_root && m_root->GetVariant() == 1;
    Lines lines;
    lines.push_back(Text("COUNTRY", env.country < kCountries.size() ? kCountries[env.country] : kCountries[0]));
    lines.push_back(Text("DISPLAY", international ? "INTERNATIONAL" : "DEFAULT"));
    lines.push_back(Num("BATCHMODE", m_workspace.GetBatchMode()));
    lines.push_back(Num("PALETTE", env.palette));
    if (arcAndMouse && env.mouseReverse)
        lines.push_back("MOUSE_REVERSE");
    if (arcAndMouse && env.orvLight)
        lines.push_back("ORV_LIGHT");
    lines.push_back(Num("REQUEST_INTERVAL", env.requestInterval));
    lines.push_back(Num("LINK_COM", env.linkCom + 1u));
    if (env.simCom == kSimComArcnet)
        lines.push_back("SIM_COM=ARC");
    else
        lines.push_back(Num("SIM_COM", static_cast<uint16_t>(env.simCom + 1)));
    lines.push_back(Num("LPT", env.lpt));
    lines.push_back(Num("TELESERVICE", env.teleService ? 1 : 0));
    lines.push_back(Hex4("ARC_IO_BASE", arcAndMouse ? env.arcIoBase : 0));
    lines.push_back(Hex4("ARC_MEMORY_BASE", arcAndMouse ? env.arcMemoryBase : 0));
    lines.push_back(Num("ARC_ORV_ID", arcAndMouse ? env.arcOrvId : 2));
    lines.push_back(Num("PAPERLEN", env.paperLen));
    lines.push_back(Num("LEFT_MARGIN", env.leftMargin));
    if (env.printHead)
        lines.push_back("PRINT_HEAD");
    lines.push_back(Quoted("PRINTER_HEADLINE", env.printerHeadline));
    lines.push_back(Quoted("PRINTER_INIT", env.printerInit));
    lines.push_back(Quoted("PRINTER_END", env.printerEnd));
    if (env.formFeed)
        lines.push_back("FORMFEED");
    if (env.asciiPrint)
        lines.push_back("ASCII_PRINT");
    lines.push_back(Text("EXT_SOURCE", tags.source));
    lines.push_back(Text("EXT_BACKUP", tags.backup));
    lines.push_back(Text("EXT_OLDSYNTAX", tags.oldSyntax));
    lines.push_back(Text("EXT_COMPILE", tags.compile));
    lines.push_back(Text("EXT_DRIVER", tags.driver));
    lines.push_back(Text("EXT_FUNCTION", tags.function));
    lines.push_back(Text("EXT_PRINTER", tags.printer));
    const CFrameState* frame = GetMainFrame();
    if (frame && (frame->GetStateFlags() & CFrameState::kStateProjectLoaded))
        lines.push_back(Quoted("ORV_FILE", m_workspace.GetPrjFile()));
    if (m_workspace.GetDesignFlag() == 1)
        lines.push_back(Text("DESIGN", kEditionWord));
    return lines;
}

CCfgWriter::Lines CCfgWriter::ConfigurationLines(const CfgChoice& choice) const
{
    // A variant is written by its own panel id, as the reader takes it.
    Lines lines;
    lines.push_back(Text("ORV", PanelIdText(FileCodeOf(choice.devType, m_root && m_root->GetVariant() == 1))));
    lines.push_back(Text("SPS", GetSpsTypeKey(choice.spsType)));
    lines.push_back(Text("DRIVER", DrvIniKey(choice.drvNo)));
    for (const auto& [key, group] : kFunctionKeys) {
        const std::string& path = m_workspace.GetStdFktPath(group);
        if (!path.empty())
            lines.push_back(Text(key, BaseName(path)));
    }
    lines.push_back(Num("OFFSET", choice.offset));
    lines.push_back(Num("LENGTH", choice.length));
    if (choice.db != 0)
        lines.push_back(Num("DB", choice.db));
    return lines;
}

void CCfgWriter::SaveEnvironment(bool keepPrjFile)
{
    const Lines lines = EnvironmentLines(true);
    const bool writesPrjFile =
        std::any_of(lines.begin(), lines.end(), [](const std::string& line) { return line.rfind("ORV_FILE=", 0) == 0; });
    if (!keepPrjFile || writesPrjFile) {
        RewriteSection("ENVIRONMENT", lines, kEnvKeys);
        return;
    }
    std::vector<std::string_view> keys;
    std::copy_if(kEnvKeys.begin(), kEnvKeys.end(), std::back_inserter(keys),
                 [](std::string_view key) { return key != "ORV_FILE"; });
    RewriteSection("ENVIRONMENT", lines, keys);
}

void CCfgWriter::SaveConfiguration(const CfgChoice& choice)
{
    RewriteSection("CONFIGURATION", ConfigurationLines(choice), kCfgKeys);
}

void CCfgWriter::RewriteSection(std::string_view name, const Lines& keys,
                                const std::vector<std::string_view>& known)
{
    if (m_error.Failed())
        return;
    std::string old;
    if (!orv::ReadWholeFile(m_path, old)) {
        SetError(kErrRead);
        return;
    }
    const std::string_view cappedName = name.substr(0, kSectionNameLimit);
    const std::vector<std::string_view> lines = SplitLines(old);
    Lines out;
    size_t i = 0;
    while (i < lines.size() && !CParser::IsSectionHeader(WithoutEol(lines[i]), cappedName))
        out.emplace_back(lines[i++]);

    if (i == lines.size()) {
        if (!out.empty())
            out.back() = WithEol(out.back());
        out.push_back(Header(name) + std::string(kEol));
        AppendLines(out, keys);
        out.emplace_back(kEol);
        Store(out);
        return;
    }

    out.push_back(WithEol(lines[i++]));
    Lines kept;
    for (; i < lines.size() && !CParser::OpensSection(lines[i]); ++i) {
        const std::string_view key = KeyOf(lines[i]);
        if (!IsBlank(lines[i]) && std::find(known.begin(), known.end(), key) == known.end())
            kept.push_back(WithEol(lines[i]));
    }
    AppendLines(out, keys);
    out.insert(out.end(), kept.begin(), kept.end());
    out.emplace_back(kEol);
    for (; i < lines.size(); ++i)
        out.emplace_back(lines[i]);
    Store(out);
}

void CCfgWriter::SaveAll(const CfgChoice& choice)
{
    if (m_error.Failed())
        return;
    Lines lines;
    lines.push_back(Header("ENVIRONMENT"));
    const Lines env = EnvironmentLines(false);
    lines.insert(lines.end(), env.begin(), env.end());
    lines.emplace_back();

    lines.push_back(Header("DEFAULT_DESCRIPTION"));
    const Lines descr = {"", ResourceTXT(res::kFirma), "", "", "", "", ResourceTXT(res::kKunde), "",
                         ResourceTXT(res::kProjekt_14), "", ResourceTXT(res::kBearbeiter), "",
                         ResourceTXT(res::kErstellungsdatum), "", ResourceTXT(res::kBemerkungen), ""};
    lines.insert(lines.end(), descr.begin(), descr.end());

    lines.push_back(Header("CONFIGURATION"));
    const Lines cfg = ConfigurationLines(choice);
    lines.insert(lines.end(), cfg.begin(), cfg.end());
    lines.emplace_back();

    for (const SimDefaults& sim : kSimDefaults) {
        lines.push_back(Header(sim.section));
        for (unsigned word = sim.first; word <= sim.last; ++word) {
            const bool hex = word >= sim.hexFirst && word <= sim.hexLast;
            std::string line = FormatText("WORD=%3u, %s", word, hex ? "HEX" : "BIN");
            for (const auto& [w, value] : sim.values) {
                if (w == word)
                    line += FormatText(",%5u", static_cast<unsigned>(value));
            }
            lines.push_back(std::move(line));
        }
        lines.emplace_back();
    }
    Lines out;
    AppendLines(out, lines);
    // A first file may also be the first in its directory.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(m_path).parent_path(), ignored);
    Store(out);
}

void CCfgWriter::Store(const Lines& pieces)
{
    CReplaceFile file(m_path);
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (!file.Write(pieces[i])) {
            LogLine(kLogErrors, "Error: %s %d", "CfgWriter", static_cast<int>(i + 1));
            SetError(kErrWrite);
            return;
        }
    }
    if (!file.Commit()) {
        LogLine(kLogErrors, "Error: %s %d", "CfgWriter", static_cast<int>(pieces.size() + 1));
        SetError(kErrWrite);
    }
}

} // namespace orv
