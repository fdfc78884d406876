// The 043 and 118 families' transfer: versions and terminal module checked,
// the record chosen, the status block kept in step with what is written,
// then the files bank by bank.
#include "link/Transmit043.h"

#include "link/LinkCodes.h"
#include "link/LinkCommands.h"
#include "link/RecordChooser.h"
#include "model/core/CatalogueIds.h"
#include "model/core/Catalogues.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/core/WorkspaceState.h"
#include "model/project/PanelType.h"
#include "model/project/PrjData.h"

#include <cstdio>

namespace orv {

namespace {

constexpr long kVersionAt = 22;
constexpr long kDriverOffsetAt = 2;
constexpr long kDriverVersionAt = 20;
constexpr size_t kVersionBytes = 9;
constexpr uint16_t kTransmit043TerminalModuleAt = 0x8040;
constexpr long kTransmit043RecipeCheckAt = 228;
constexpr uint16_t kRecipeBankBase = 48;
constexpr uint16_t kTransmit043DriverBank118 = 32;
constexpr uint16_t kFirmwareBank118 = 16;
constexpr uint16_t kDriverAddress118 = 4;
constexpr uint16_t kFirmwareAddress118 = 0x4000;
// The identification holds the version digits at 5..7.
constexpr size_t kTransmit043IdentAnswer = 8;

uint16_t BigEndianWord(const std::string& two)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(two[0]) << 8 | static_cast<uint8_t>(two[1]));
}

bool InterfaceFits(uint8_t kind, uint16_t drvNo)
{
    switch (kind) {
    case 0: return drvNo != 75 && drvNo != 76 && drvNo != 77;
    case 1: return drvNo == 76;
    case 2: return drvNo == 75;
    case 3: return drvNo == 77;
    default: return false;
    }
}

const char* Transmit043Protocol(uint8_t kind, uint16_t drvNo)
{
    switch (kind) {
    case 0:
        return drvNo == 75   ? LoadLangString(msg::kPROFIBUSDPORV617Protokoll)
               : drvNo == 76 ? LoadLangString(msg::kINTERBUSSORV621Protokoll)
               : drvNo == 77 ? LoadLangString(msg::kMultiPLCORV622Protokoll)
                             : "";
    case 1: return LoadLangString(msg::kINTERBUSProtokoll);
    case 2: return LoadLangString(msg::kPROFIBUSDPORV617Protokoll);
    case 3: return LoadLangString(msg::kMPIMultiProtokoll);
    default: return "";
    }
}

void SetBit(uint8_t& byte, uint32_t bit, bool on)
{
    const auto mask = static_cast<uint8_t>(1u << (bit & 7));
    byte = static_cast<uint8_t>(on ? byte | mask : byte & ~mask);
}

} // namespace

CTransmit043::CTransmit043(CLinkContext& ctx, CWorkspaceState& workspace, uint16_t panelType, uint16_t port,
                           uint8_t traceSel, const std::string& projectPath, const CPrjData* project)
    : CTransmit(ctx, workspace, panelType, port, traceSel, project, projectPath)
{
    if (Failed())
        return;
    if (PanelType(panelType, false).InFamily(Family::F118))
        RezepteTxRX();
    else
        RunDataSet();
}

CTransmit043::~CTransmit043()
{
    m_recipeBuffer.reset();
    Close();
}

bool CTransmit043::SelectRecord()
{
    CRecordSelForm& form = GetRecordChooser().Form();
    form.SetRecords(CRecordSelForm::kTransfer, nullptr);
    const bool small = m_project && m_project->GetDataSize() == 1;
    uint32_t count = 1;
    const PanelRow* row = FindPanel(m_panelType);
    if (row && row->recordSets)
        count = row->recordSets;
    else if (row && row->family == Family::F118)
        count = small ? row->dataBanks : row->dataBanks / 2u;
    form.SetMode(count);
    if (!GetRecordChooser().Run())
        return false;
    m_record = static_cast<uint32_t>(form.GetSelected() - 1);
    m_recipeOption = form.GetRecipeOption();
    return true;
}

bool CTransmit043::ReadImageVersions()
{
    const auto version = ReadFileAt(kImage, kVersionAt, kVersionBytes);
    const auto offset = ReadFileAt(kImage, kDriverOffsetAt, 2);
    if (!version || !offset) {
        m_error.Set(kErrImage);
        return false;
    }
    const long w = BigEndianWord(*offset);
    const auto driverVersion = ReadFileAt(kImage, w + kVersionAt, kVersionBytes);
    if (!driverVersion || !ReadFileAt(kImage, w + 2, 2)) {
        m_error.Set(kErrImage);
        return false;
    }
    m_fileVersions[kImage] = FileVersionText(*version);
    m_fileVersions[kDriver] = FileVersionText(*driverVersion);
    return true;
}

// The panel's identification must carry its id and version digits; a
// shorter answer names no model this transfer could fit.
bool CTransmit043::CheckPanel()
{
    m_panelAnswer = m_ctx.Answer();
    const std::string& answer = m_panelAnswer;
    const char* id = FirmwareIdOf043(m_panelType);
    if (answer.size() < kTransmit043IdentAnswer || (id && answer.compare(0, 5, id) != 0)) {
        Fail(kErrOtherModel);
        return false;
    }
    m_panelVersion = {answer.substr(0, 5) + " V" + answer.substr(5, 3), answer.substr(5, 3)};
    if (HasVariant(m_panelType) && (m_variant == 1) != (answer[6] == '2')) {
        Fail(kErrOtherModel);
        return false;
    }
    return true;
}

bool CTransmit043::CheckDigits()
{
    const std::string& digits = m_panelVersion.digits;
    if (AnyDigitLower(digits, m_fileVersions[kImage].digits)) {
        Fail(kErrImageOld);
        return false;
    }
    if (AnyDigitLower(digits, m_fileVersions[kDriver].digits)) {
        Fail(kErrDriverOld);
        return false;
    }
    return true;
}

// 036 and 043: bit 7 of the module byte, or a first version digit below
// '2'; 047: bit 0.
bool CTransmit043::CheckTerminalModule(bool bit7Rule)
{
    if (ReadBlock(kTransmit043TerminalModuleAt, 1) < 0)
        return false;
    const std::string answer = m_ctx.Answer();
    const uint8_t module = HexPairToByte(answer[0], answer[1]);
    const bool fits = bit7Rule ? (module & 0x80) || m_panelVersion.digits[0] < '2' : (module & 0x01) != 0;
    if (!fits)
        Fail(kErrRefused);
    return fits;
}

void CTransmit043::RunDataSet()
{
    if (!ReadImageVersions())
        return;
    if (!LinkConnect() || Failed()) {
        Fail(kErrNoPanel);
        return;
    }
    if (!CheckPanel())
        return;
    const bool known = FirmwareIdOf043(m_panelType) != nullptr;
    if (known && !CheckDigits())
        return;
    const PanelRow* row = FindPanel(m_panelType);
    const ModuleRule rule = row ? row->moduleRule : ModuleRule::None;
    if (rule == ModuleRule::Bit7) {
        if (!CheckTerminalModule(true))
            return;
    } else if (rule == ModuleRule::Bit0) {
        if (m_panelVersion.digits[2] == '4')
            ShowMessage(msg::kAngeschlossenesBediengeraetBesitztKeine);
        if (m_panelVersion.digits[0] == '4')
            m_recordSelection = 1;
        if (!CheckTerminalModule(false))
            return;
    }
    // Without the record choice the data set goes into the bank the panel
    // has selected; a transfer must never stop here with the link open and
    // nothing written.
    if (m_recordSelection) {
        if (!SelectRecord()) {
            Fail(kErrDeclined);
            return;
        }
        m_bank = static_cast<uint16_t>(m_record);
    }
    // The stamp's own answer is not looked at.
    if (WriteImage(m_recordSelection != 0, 2))
        SendUnchecked("CW");
    EndLink();
}

bool CTransmit043::ShowTitleLine(uint32_t textId)
{
    ClearDisplay();
    if (Exchange() < 0)
        return false;
    ShowTitle(ResourceTXT(textId));
    return Exchange() > 0;
}

bool CTransmit043::SetUpMemory()
{
    return SendMemorySetup(kSetupRead043, kSetupRead043Bytes, kMinMemoryAnswer043, MemorySetupCommand043,
                           kErrTransfer);
}

bool CTransmit043::WriteImage(bool selectBank, uint16_t start)
{
    if (!ShowTitleLine(res::kINITIALISIERUNG) || !SetUpMemory())
        return false;
    if (selectBank && Send(BankCommand(m_bank)) < 0)
        return false;
    if (!StartProgramming() || !ShowTitleLine(res::kDATEIUEBERTRAGEN))
        return false;
    ShowFileName(GetPath(kImage + kNameOffset));
    if (Exchange() < 0 || Send("PON") < 0)
        return false;
    SendFile(kImage, kErrImage, start);
    return !Failed() && Send("POF") > 0;
}

// The two zero bytes go behind the entry that the file's first word
// measures; an offset past the file's end names no place in it, and
// writing there would pad a damaged file with zeros.
bool CTransmit043::MarkDriverFile()
{
    std::FILE* file = File(kDriver);
    const auto head = ReadFileAt(kDriver, 0, 2);
    if (!file || !head || std::fseek(file, 0, SEEK_END) != 0) {
        m_error.Set(kErrDriver);
        return false;
    }
    const long size = std::ftell(file);
    const long offset = BigEndianWord(*head);
    static constexpr char kZeros[2] = {0, 0};
    if (size < 0 || offset > size || std::fseek(file, offset, SEEK_SET) != 0 ||
        std::fwrite(kZeros, 1, 2, file) != 2 || std::fflush(file) != 0 || std::fseek(file, 0, SEEK_SET) != 0) {
        m_error.Set(kErrDriver);
        return false;
    }
    return true;
}

bool CTransmit043::CheckInterface()
{
    if (m_ws.IsSimDrvBound())
        return true;
    if (!InterfaceFits((*m_recipeBuffer)[9], m_drvNo)) {
        Fail(kErrInterface);
        return false;
    }
    return true;
}

bool CTransmit043::CompareRecipes(StatusBlock& status)
{
    const auto imageCheck = ReadFileAt(kImage, kTransmit043RecipeCheckAt, 2);
    if (!imageCheck) {
        Fail(kErrImage);
        return false;
    }
    const uint16_t step = m_project->GetDataSize() == 1 ? 1 : 2;
    const PanelRow* row = FindPanel(m_panelType);
    const uint16_t limit = row && row->dataBanks ? row->dataBanks : 2;
    bool asked = false;
    uint32_t record = 0;
    for (uint16_t bank = 0; bank < limit; bank = static_cast<uint16_t>(bank + step), ++record) {
        if (!(status[4] >> record & 1))
            continue;
        if (Send(BankCommand(bank)) < 0 || ReadBlock(kTransmit043RecipeCheckAt, 2) < 0)
            return false;
        const auto panelCheck = DecodeHexBytes(m_ctx.Answer(), 2);
        if (std::string(panelCheck->begin(), panelCheck->end()) == *imageCheck)
            continue;
        SetBit(status[4], record, false);
        if (asked)
            continue;
        asked = true;
        m_recipeOption = 1;
        if (!AskYesNo(msg::kSollDieUebertragungTrotzAnderer)) {
            Fail(kErrDeclined);
            return false;
        }
    }
    return true;
}

bool CTransmit043::OpenBank(uint16_t bank, int fileIndex)
{
    m_bank = bank;
    if (Send(BankCommand(bank)) < 0)
        return false;
    if (!StartProgramming())
        return false;
    ShowFileName(GetPath(fileIndex + kNameOffset));
    return Exchange() > 0 && Send("PON") > 0;
}

void CTransmit043::RezepteTxRX()
{
    if (!MarkDriverFile())
        return;
    if (!ReadFileAt(kImage, kDriverOffsetAt, 2)) {
        m_error.Set(kErrImage);
        return;
    }
    const auto imageVersion = ReadFileAt(kImage, kVersionAt, kVersionBytes);
    if (!imageVersion) {
        m_error.Set(kErrImage);
        return;
    }
    const auto driverVersion = ReadFileAt(kDriver, kDriverVersionAt, kVersionBytes);
    if (!driverVersion) {
        m_error.Set(kErrDriver);
        return;
    }
    m_fileVersions[kImage] = FileVersionText(*imageVersion);
    m_fileVersions[kDriver] = FileVersionText(*driverVersion);
    if (!LinkConnect() || Failed()) {
        Fail(kErrNoPanel);
        return;
    }
    if (!CheckPanel() || !CheckDigits())
        return;
    m_recipeBuffer = std::make_unique<StatusBlock>();
    if (!ReadStatus(m_recipeBuffer.get()) || !CheckInterface())
        return;
    StatusBlock& status = *m_recipeBuffer;
    if (status[1] & 0x80) {
        Fail(kErrRefused);
        return;
    }
    if (!SelectRecord()) {
        Fail(kErrDeclined);
        return;
    }
    LogLine(kLogDebug, "RezepteTxRX:%d", m_recipeOption);
    const uint8_t dataFormat = m_project ? static_cast<uint8_t>(m_project->GetDataSize() & 1) : 0;
    const uint8_t recipeFormat = m_project ? static_cast<uint8_t>(m_project->GetRcpSize() & 1) : 0;
    if (dataFormat == (status[2] & 1) && recipeFormat == (status[2] >> 1 & 1)) {
        if (recipeFormat == 0 && m_project && !CompareRecipes(status))
            return;
    } else {
        if (!AskYesNo(msg::kDieBereitsVorhandenenDatensaetzeUnd)) {
            Fail(kErrDeclined);
            return;
        }
        status[2] = static_cast<uint8_t>(dataFormat + 2 * recipeFormat);
        status[4] = 0;
        status[5] = 0;
    }
    // The status bits count records; only the bank is doubled.
    const uint16_t bank = static_cast<uint16_t>(dataFormat == 0 ? m_record * 2 : m_record);
    SetBit(status[4], m_record, false);
    if (recipeFormat == 1)
        SetBit(status[5], m_record, false);
    else
        status[5] = 0;
    status[7] = static_cast<uint8_t>(m_record);
    m_bank = bank;
    if (!WriteStatus(&status) || !WriteImage(true, 0) || Send("CW") < 0)
        return;
    WriteRecords(status);
    EndLink();
}

void CTransmit043::WriteRecords(StatusBlock& status)
{
    const bool separate = m_project && m_project->GetRcpSize() == 1;
    if (m_recipeOption) {
        LogLine(kLogDebug, separate ? "getrenntes Rezept" : "gemeinsames Rezept");
        const uint16_t bank = separate ? static_cast<uint16_t>(kRecipeBankBase + (m_record % 16)) : kRecipeBankBase;
        if (!OpenBank(bank, kRecipe))
            return;
        SendFile(kRecipe, kErrRecipe, 0);
        if (Failed() || Send("POF") < 0)
            return;
    }
    SetBit(status[4], m_record, true);
    if (separate)
        SetBit(status[5], m_record, true);
    else
        status[5] = 1;
    status[7] = static_cast<uint8_t>(m_record);
    if (!WriteStatus(&status))
        return;
    struct Step {
        uint16_t bank;
        int file;
        uint16_t code;
        uint16_t start;
    };
    const Step steps[] = {{kTransmit043DriverBank118, kDriver, kErrDriver, kDriverAddress118},
                          {kFirmwareBank118, kFirmware, kErrFirmware, kFirmwareAddress118}};
    for (const Step& step : steps) {
        if (!OpenBank(step.bank, step.file))
            return;
        SendFile(step.file, step.code, step.start);
        if (Failed() || Send("POF") < 0 || Send("CW") < 0)
            return;
    }
}

bool CTransmit043::ReportResult()
{
    switch (m_error.Code()) {
    case 0:
        return true;
    case kErrImage:
        ShowMessage(msg::kDateiKannNichtGeoeffnetWerden, "BINFILE");
        break;
    case kErrRecipe:
        ShowMessage(msg::kRezeptdateiKannNichtGeoeffnetWerden, GetPath(kRecipe + kNameOffset));
        break;
    case kErrRefused: {
        const PanelRow* row = FindPanel(m_panelType);
        const char* name = row ? row->moduleId : nullptr;
        if (!name)
            return false;
        ShowMessage(msg::kDatensatzKannNichtInTerminal, name);
        break;
    }
    case kErrInterface:
        if (m_project && m_recipeBuffer) {
            const PanelRow* row = FindPanel(m_panelType);
            const char* panel = row && row->plusName ? row->plusName : "";
            ShowMessage(msg::kProjektierungsSoftwareVorDemUebertragen_15404, panel,
                        Transmit043Protocol((*m_recipeBuffer)[9], m_drvNo));
        }
        break;
    default:
        return ReportError();
    }
    m_error.Clear();
    return false;
}

} // namespace orv
