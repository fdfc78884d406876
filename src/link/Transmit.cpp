// Checks and opens a transfer's companion files and writes them into the
// panel bank by bank; every failure leaves one error code and ends the link.
#include "link/Transmit.h"
#include "link/LinkCodes.h"
#include "model/project/PanelType.h"

#include "link/LinkCommands.h"
#include "model/core/CatalogueIds.h"
#include "model/core/Catalogues.h"
#include "model/project/DrvCfg.h"
#include "model/project/FktCfg.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/PanelTable.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/core/WorkspaceState.h"

#include <filesystem>
#include <initializer_list>
#include <vector>

namespace orv {

namespace {

namespace fs = std::filesystem;

constexpr uint16_t kStatusTraceValue = 500;
constexpr size_t kMaxWriteCommand = 50;

// The panels that carry two bytes before their files' data.
bool SkipsFileHead(uint16_t panelType) { return PanelType(panelType, false).InFamily(Family::F043); }

std::string WithTag(const std::string& projectPath, const std::string& tag)
{
    return fs::path(projectPath).replace_extension(tag).string();
}

std::string NameOf(const std::string& path) { return path.empty() ? std::string() : fs::path(path).filename().string(); }

// Another model's firmware id, the panel type it belongs to and its name.
struct ModelRow {
    const char* id;
    uint16_t panelType;
    const char* name;
};

constexpr ModelRow kModelRows[] = {
    {"OG014", 14, "ORV014"},   {"OG036", 36, "ORVlight"}, {"OG043", 43, "ORV 043"}, {"OG047", 47, "ORV 047"},
    {"OG706", 706, "ORV 706"}, {"OG473", 473, "ORV 473"}, {"OG477", 477, "ORV 477"}, {"OG118", 118, nullptr},
    {"OG163", 163, "ORV 043plus"}, {"OG167", 167, "ORV 047plus"},
};

// Panels this program does not program, with the message that says which
// tool does.
struct ForeignRow {
    const char* id;
    const char* name;
    uint32_t message;
};

constexpr ForeignRow kForeignRows[] = {
    {"OG724", "ORV 724", msg::kZurProgrammierungBitteORVstudioVerwenden},
    {"OG753", "ORV 753", msg::kZurProgrammierungBitteORVstudioVerwenden},
    {"OG75C", "ORV 753c", msg::kZurProgrammierungBitteORVstudioVerwenden},
    {"EG753", "ORV 753e", msg::kZurProgrammierungBitteORVstudioVerwenden},
    {"TG210", "TEQ 210", msg::kZurProgrammierungBitteTEQPROVerwenden},
    {"TG310", "TEQ 310", msg::kZurProgrammierungBitteTEQPROVerwenden},
    {"TG330", "TEQ 330", msg::kZurProgrammierungBitteTEQPROVerwenden},
};

// The version the data set requires, named by what needs it.
struct RequiredRow {
    const char* version;
    uint32_t what;
    const char* shown;
};

constexpr RequiredRow kRequiredRows[] = {
    {"OG014 V203", msg::kSoftkeys_15017, "OG014 V203"},
    {"OG043 V206", msg::kSoftkeys_15017, "OG043 V206"},
    {"OG047 V407", msg::kSoftkeys_15017, "OG047 V407/V507"},
    {"OG047 V405", msg::kDatensatzMitDruckerparametern, "OG047 V505"},
};

const char* ProtocolText(uint8_t fieldbusKind)
{
    switch (fieldbusKind) {
    case 0: return LoadLangString(msg::kPROFIBUSDPORV617Protokoll);
    case 2: return LoadLangString(msg::kINTERBUSProtokoll);
    case 4: return LoadLangString(msg::kMPIMultiProtokoll);
    default: return "";
    }
}

} // namespace

VersionText FileVersionText(const std::string& text)
{
    return {text.substr(0, 5) + " V" + text.substr(5, 3), text.substr(5, 3)};
}

CTransmit::CTransmit(CLinkContext& ctx, CWorkspaceState& workspace, uint16_t panelType, uint16_t port,
                     uint8_t traceSel, const CPrjData* project, const std::string& projectPath)
    : CLinkSession(ctx, workspace, panelType, port, traceSel, ExchangeMode::Transfer), m_project(project)
{
    if (project) {
        m_variant = project->GetVariant();
        const PrjBundle* bundle = project->GetOwner();
        if (bundle && bundle->drvCfg)
            m_drvNo = bundle->drvCfg->GetDrvNo();
    }
    m_bar = GetUiServices().CreateProgressBar("Transmit", 20, 100, false, 0);
    BuildPaths(projectPath);
    CheckFiles();
    OpenFiles();
}

CTransmit::~CTransmit() { Close(); }

void CTransmit::BuildPaths(const std::string& projectPath)
{
    m_paths[kFirmware] = m_ws.GetFormFile();
    if (!projectPath.empty()) {
        const FileTags& tags = m_ws.Tags();
        m_paths[kDriver] = WithTag(projectPath, tags.driver);
        m_paths[kTrace] = WithTag(projectPath, tags.debug);
        m_paths[kImage] = WithTag(projectPath, tags.compile);
        if (PanelType(m_panelType, false).InFamily(Family::F118))
            m_paths[kRecipe] = WithTag(projectPath, tags.recipe);
        const PrjBundle* bundle = m_project ? m_project->GetOwner() : nullptr;
        const PanelRow* row = FindPanel(m_panelType);
        if (row && row->fktGroup == FktGroup::P706 && bundle && bundle->fktCfg && bundle->fktCfg->IsUsed())
            m_paths[kFunction] = WithTag(projectPath, tags.function);
    }
    for (int i = 0; i < kFileCount; ++i)
        m_paths[static_cast<size_t>(i + kNameOffset)] = NameOf(m_paths[static_cast<size_t>(i)]);
}

bool CTransmit::Require(int index, uint16_t code)
{
    if (Failed())
        return false;
    const std::string& path = m_paths[static_cast<size_t>(index)];
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec || !fs::is_regular_file(path, ec)) {
        ShowMessage(msg::kDateiKannNichtGeoeffnetWerden, path);
        m_error.Set(code);
        return false;
    }
    m_totalBytes += static_cast<uint32_t>(size);
    if (index == kImage)
        m_imageSize = static_cast<uint32_t>(size);
    return true;
}

// The firmware only when one is named and the driver only on the panels
// that take one: a file that is never sent must not fail the transfer.
void CTransmit::CheckFiles()
{
    if (!m_paths[kFirmware].empty())
        Require(kFirmware, kErrFirmware);
    if (!SkipsFileHead(m_panelType))
        Require(kDriver, kErrDriver);
    if (!m_paths[kRecipe].empty())
        Require(kRecipe, kErrRecipe);
    if (!m_paths[kFunction].empty())
        Require(kFunction, kErrFunction);
    if (!m_paths[kImage].empty())
        Require(kImage, kErrImage);
}

void CTransmit::Open(int index, const char* mode, uint16_t code)
{
    if (Failed())
        return;
    std::FILE* file = std::fopen(m_paths[static_cast<size_t>(index)].c_str(), mode);
    if (!file) {
        m_error.Set(code);
        return;
    }
    m_files[static_cast<size_t>(index)].reset(file);
}

void CTransmit::OpenFiles()
{
    if (!m_paths[kFirmware].empty())
        Open(kFirmware, "rb", kErrFirmware);
    if (!SkipsFileHead(m_panelType))
        Open(kDriver, "r+b", kErrDriver);
    if (!m_paths[kFunction].empty())
        Open(kFunction, "rb", kErrFunction);
    if (!m_paths[kImage].empty())
        Open(kImage, "rb", kErrImage);
    if (!Failed() && !m_trace.Create(m_paths[kTrace]))
        m_error.Set(kErrTrace);
    if (!m_paths[kRecipe].empty())
        Open(kRecipe, "rb", kErrRecipe);
}

void CTransmit::Close()
{
    if (m_bar)
        m_bar->Clear();
    for (FilePtr& file : m_files)
        file.reset();
    m_trace.Close();
}

std::optional<std::string> CTransmit::ReadFileAt(int fileIndex, long offset, size_t count)
{
    std::FILE* file = File(fileIndex);
    if (!file || std::fseek(file, offset, SEEK_SET) != 0)
        return std::nullopt;
    std::string bytes(count, '\0');
    if (std::fread(bytes.data(), 1, count, file) != count)
        return std::nullopt;
    return bytes;
}

int CTransmit::ReadBlock(uint16_t address, uint8_t count) { return Send(ReadMemoryCommand(address, count), count); }

bool CTransmit::ClearDisplay()
{
    if (Send(kClearFirstLine) < 0)
        return false;
    for (int line : ExtraClearLines(m_panelType))
        if (Send(ClearLineCommand(line)) < 0)
            return false;
    return true;
}

void CTransmit::ShowTitle(std::string_view text)
{
    const std::string command = TitleLineCommand(m_panelType, text);
    m_ctx.SetCommand(command);
    LogLine(kLogDebug, "%s", command.c_str());
}

void CTransmit::ShowFileName(std::string_view name)
{
    const std::string command = FileLineCommand(m_panelType, ">> " + std::string(name));
    m_ctx.SetCommand(command);
    LogLine(kLogDebug, "%s", command.c_str());
}

void CTransmit::SendFile(int fileIndex, uint16_t missingCode, uint16_t startAddress)
{
    if (Failed())
        return;
    std::FILE* file = File(fileIndex);
    if (!file || std::fseek(file, 0, SEEK_SET) != 0) {
        Fail(missingCode);
        return;
    }
    const uint16_t bankEnd = BankEnd(m_panelType);
    const bool powerless = SwitchesBanksPowerless(m_panelType);
    if (SkipsFileHead(m_panelType)) {
        for (int i = 0; i < 2 && std::fgetc(file) != EOF; ++i)
            ++m_bytesSent;
    }
    uint16_t address = startAddress;
    std::string command = WriteCommandHead(address);
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        AppendHexByte(command, static_cast<uint8_t>(c));
        ++m_bytesSent;
        const bool atBankEnd = address == bankEnd;
        ++address;
        if (command.size() <= kMaxWriteCommand && !atBankEnd)
            continue;
        if (Send(command) < 0)
            return;
        if (atBankEnd) {
            if (powerless && Send("POF") < 0)
                return;
            ++m_bank;
            if (Send(BankCommand(m_bank)) < 0)
                return;
            if (powerless) {
                if (Send("PON") < 0)
                    return;
                address = 0;
            }
        }
        command = WriteCommandHead(address);
        UpdateProgress(m_bytesSent, m_totalBytes);
    }
    if (command.size() > 5) {
        if (Send(command) < 0)
            return;
        UpdateProgress(m_bytesSent, m_totalBytes);
    }
}

bool CTransmit::WriteStatus(const std::array<uint8_t, kStatusSize>* block)
{
    if (!block)
        return true;
    SetTraceValue(kStatusTraceValue);
    if (Send(StatusWriteCommand(*block)) < 0)
        return false;
    RestoreTraceValue();
    return true;
}

bool CTransmit::ReadStatus(std::array<uint8_t, kStatusSize>* block)
{
    if (!block || Send("SR", kStatusSize) < 0)
        return false;
    const auto bytes = DecodeHexBytes(m_ctx.Answer(), kStatusSize);
    std::copy(bytes->begin(), bytes->end(), block->begin());
    return true;
}

void CTransmit::ReportModelError()
{
    const std::string id = m_panelAnswer.substr(0, 5);
    for (const ModelRow& row : kModelRows) {
        if (id != row.id)
            continue;
        const bool is047 = HasVariant(row.panelType);
        if (row.panelType == m_panelType && !is047)
            continue;
        std::string name = row.name ? row.name : ResourceTXT(res::kORV014plus_27);
        if (is047 && m_panelAnswer.size() > 8 && m_panelAnswer[8] == '2')
            name = "ORV 047.2";
        ShowMessage(msg::kProjektierungsSoftwareVorDemUebertragen_15413, name);
        return;
    }
    for (const ForeignRow& row : kForeignRows) {
        if (id == row.id) {
            ShowMessage(row.message, row.name);
            return;
        }
    }
    ShowMessage(msg::kBediengeraetAntwortetMitFalscher, m_panelAnswer);
}

bool CTransmit::ReportError()
{
    const uint16_t code = m_error.Code();
    const std::string& panel = m_panelVersion.display;
    switch (code) {
    case 0:
        return true;
    case kErrNotProgrammable:
        ShowMessage(PanelType(m_panelType, false).InFamily(Family::F118) ? msg::kEEPROMNichtProgrammierbar
                                                        : msg::kEEPROMNichtProgrammierbarBitteORV);
        break;
    case kErrNoPanel:
        ShowMessage(msg::kBediengeraetAntwortetNichtBitteCOM, m_port + 1);
        break;
    case kErrOtherModel:
        ReportModelError();
        break;
    case kErrFirmwareOld:
        ShowMessage(msg::kErfordertEPROMBediengeraetEnthaeltAlte, LoadLangString(msg::kFirmware),
                    m_fileVersions[kFirmware].display, panel);
        break;
    case kErrDriverOld:
        ShowMessage(msg::kErfordertEPROMBediengeraetEnthaeltAlte, LoadLangString(msg::kTreiber_15037),
                    m_fileVersions[kDriver].display, panel);
        break;
    case kErrFunctionOld:
        ShowMessage(msg::kErfordertEPROMBediengeraetEnthaeltAlte, LoadLangString(msg::kSonderfunktion),
                    m_fileVersions[kFunction].display, panel);
        break;
    case kErrImageOld: {
        const std::string& required = m_fileVersions[kImage].display;
        const RequiredRow* found = nullptr;
        for (const RequiredRow& row : kRequiredRows)
            if (required == row.version)
                found = &row;
        if (found)
            ShowMessage(msg::kErfordertEPROMBediengeraetEnthaeltAlte, LoadLangString(found->what), found->shown, panel);
        else
            ShowMessage(msg::kErfordertEPROMBediengeraetEnthaeltAlte, LoadLangString(msg::kDatensatz_15041), required,
                        panel);
        break;
    }
    case kErrTransfer:
        ShowMessage(msg::kDatenKonntenNichtVollstaendigUebertragen);
        break;
    case kErrDeclined:
        break;
    case kErrDriver:
        ShowMessage(msg::kTreiberdateiKannNichtGeoeffnetWerden_15088, GetPath(kDriver + kNameOffset));
        break;
    case kErrFirmware:
        ShowMessage(msg::kFirmwaredateiKannNichtGeoeffnetWerden, GetPath(kFirmware + kNameOffset));
        break;
    case kErrTrace:
        ShowMessage(msg::kDateiKannNichtGeoeffnetWerden, "DEBUGFILE");
        break;
    case kErrFieldbus:
        if (m_project) {
            const PanelRow* row = FindPanel(m_panelType);
            const char* name = !row ? "" : row->nameText != 0 ? ResourceTXT(row->nameText) : row->name;
            ShowMessage(msg::kProjektierungsSoftwareVorDemUebertragen_15404, name, ProtocolText(m_fieldbusKind));
        }
        break;
    default:
        return false;
    }
    m_error.Clear();
    return false;
}

} // namespace orv
