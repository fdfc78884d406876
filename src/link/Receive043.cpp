// The 043 and 118 families' read-back: identity, terminal module, record
// choice, checksum and data area, then the files into the project
// directory under the panel's project name, which is checked first.
#include "link/Receive043.h"

#include "link/LinkCodes.h"
#include "link/LinkCommands.h"
#include "link/LinkDataArea.h"
#include "link/RecordChooser.h"
#include "model/core/CatalogueIds.h"
#include "model/core/Catalogues.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/core/WorkspaceState.h"
#include "model/project/DrvCfg.h"
#include "model/project/PanelType.h"
#include "model/project/PrjData.h"
#include "platform/FileLookup.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace orv {

namespace {

constexpr uint16_t kTerminalModuleAt = 0x8040;
constexpr uint16_t kNameAt = 5;
constexpr uint8_t kNameBytes = 12;
constexpr uint16_t kSizeAt = 2;
constexpr uint16_t kRecipeCheckAt = 228;
constexpr uint16_t kRecipeBank = 0x30;
constexpr uint16_t kDriverBank118 = 0x20;
constexpr uint16_t kDriverAt118 = 4;
constexpr uint16_t kDriverNameAt118 = 33;
constexpr int32_t kMaxExpected = 0x8000;
constexpr size_t kIdentAnswer = 8;
constexpr uint8_t kAreaValueType = 6;

uint16_t Receive043Word(const std::vector<uint8_t>& bytes) { return static_cast<uint16_t>(BigEndianValue(bytes)); }

std::string Receive043Hex(const std::vector<uint8_t>& bytes)
{
    std::string text;
    for (uint8_t byte : bytes)
        AppendHexByte(text, byte);
    return text;
}

// The banks of a panel whose records are not its banks; a panel with more
// offers its banks as records.
constexpr uint16_t kReceive043PlainBanks = 2;

uint16_t Receive043Banks(uint16_t panelType)
{
    const PanelRow* row = FindPanel(panelType);
    return row && row->dataBanks ? row->dataBanks : kReceive043PlainBanks;
}

} // namespace

CReceive043::CReceive043(CLinkContext& ctx, CWorkspaceState& workspace, CPrjData* project, const CDrvCfg* drvCfg,
                         const CSpsPar* spsPar, uint16_t panelType, uint16_t port, uint8_t traceFlag)
    : CReceive(ctx, workspace, project, drvCfg, spsPar, panelType, port, traceFlag)
{
    if (Failed())
        return;
    if (PanelType(panelType, false).InFamily(Family::F118))
        ReadWithRecipes();
    else
        ReadBinary();
}

bool CReceive043::ReadStatusBlock(StatusBlock& block)
{
    if (Send("SR", kStatusSize) < 0)
        return false;
    const auto bytes = DecodeHexBytes(m_ctx.Answer(), kStatusSize);
    std::copy(bytes->begin(), bytes->end(), block.begin());
    return true;
}

bool CReceive043::SelectDataSet(const std::vector<std::string>& entries)
{
    CRecordSelForm& form = GetRecordChooser().Form();
    form.SetRecords(CRecordSelForm::kReadBack, &entries);
    const bool small = m_project && m_project->GetDataSize() == 1;
    const PanelRow* row = FindPanel(m_panelType);
    uint32_t mode = kReceive043PlainBanks;
    if (row && row->recordSets)
        mode = row->recordSets;
    else if (row && row->dataBanks > kReceive043PlainBanks)
        mode = small ? row->dataBanks : row->dataBanks / 2u;
    form.SetMode(mode);
    if (!GetRecordChooser().Run())
        return false;
    m_chosen = static_cast<uint16_t>(form.GetSelected() - 1);
    return true;
}

bool CReceive043::TakeIdentification()
{
    if (!LinkConnect() || Failed()) {
        Fail(kErrNoPanel);
        return false;
    }
    const std::string answer = m_ctx.Answer();
    if (answer.size() < kIdentAnswer) {
        Fail(kErrOtherModel);
        return false;
    }
    m_firmwareId = answer.substr(0, 5);
    m_versionDigit = answer[5];
    m_panelVariant = static_cast<uint8_t>(answer[6]);
    return true;
}

bool CReceive043::ReadProjectName()
{
    const auto name = ReadBytes(kNameAt, kNameBytes);
    if (!name)
        return false;
    m_paths[0] = PanelText(*name);
    if (!IsSafeFileName(m_paths[0])) {
        LogLine(kLogErrors, "CReceive043: refused project name >%s<", m_paths[0].c_str());
        Fail(kErrNoDataSet);
        return false;
    }
    return true;
}

void CReceive043::ReadBinary()
{
    if (!TakeIdentification())
        return;
    if (m_firmwareId != "OG014" && m_firmwareId != "OG036" && m_firmwareId != "OG043" && m_firmwareId != "OG047") {
        Fail(kErrOtherModel);
        return;
    }
    if (m_firmwareId != "OG014") {
        const auto module = ReadBytes(kTerminalModuleAt, 1);
        if (!module)
            return;
        const uint8_t byte = (*module)[0];
        const bool refused = m_firmwareId == "OG047" ? !(byte & 0x01) : !(byte & 0x80) && m_versionDigit > '1';
        if (refused) {
            Fail(kErrRefused);
            return;
        }
        if (m_firmwareId == "OG047" && m_versionDigit == '4')
            m_dataSetChoice = 1;
    }
    if (m_dataSetChoice) {
        std::vector<std::string> entries;
        for (uint16_t bank = 0; bank < 4; ++bank) {
            std::string entry = LoadLangString(msg::kUngueltig);
            if (Send(BankCommand(bank)) < 0 || Send("CR", 2) < 0)
                return;
            const std::string check = m_ctx.Answer().substr(0, 4);
            const auto stored = ReadBytes(0, 2);
            if (!stored)
                return;
            if (Receive043Hex(*stored) == check) {
                const auto name = ReadBytes(kNameAt, kNameBytes);
                if (!name)
                    return;
                entry = PanelText(*name);
            }
            entries.push_back(entry);
        }
        if (!SelectDataSet(entries)) {
            Fail(kErrDeclined);
            return;
        }
        m_bank = m_chosen;
        if (Send(BankCommand(m_bank)) < 0)
            return;
    }
    if (Send("CR", 2) < 0)
        return;
    const std::string check = m_ctx.Answer().substr(0, 4);
    const auto stored = ReadBytes(0, 2);
    if (!stored)
        return;
    if (Receive043Hex(*stored) != check) {
        LogLine(kLogDebug, "RCV Error Checksum %s %d", "Recei043", 1);
        Fail(kErrNoDataSet);
        return;
    }
    const auto size1 = ReadBytes(kSizeAt, 2);
    if (!size1)
        return;
    const uint16_t s1 = Receive043Word(*size1);
    const auto size2 = ReadBytes(static_cast<uint16_t>(s1 + 2), 2);
    if (!size2)
        return;
    const uint16_t s2 = Receive043Word(*size2);
    uint16_t s3 = 0;
    if (s1 + s2 + 4 < 32766) {
        const auto size3 = ReadBytes(static_cast<uint16_t>(s1 + s2 + 2), 2);
        if (!size3)
            return;
        s3 = Receive043Word(*size3);
    }
    m_sizes[kDataSetSize] = s1;
    m_expected = std::min<int32_t>(s1 + s2 + s3 + 4, kMaxExpected);
    if (!ReadProjectName())
        return;
    const auto drvName = ReadBytes(static_cast<uint16_t>(s1 + 31), kNameBytes);
    if (!drvName)
        return;
    m_drvFileName = PanelText(*drvName);
    FillDataArea(s1);
    if (Failed() || !CheckProjectPanel(false))
        return;
    m_paths[3] = ProjectFile(m_ws.Tags().compile);
    m_ws.SetImageFile(m_paths[3]);
    if (!ShowReadingAndSetUp())
        return;
    LogLine(kLogDebug, "Receive Binaryfile");
    ReadPanelToFile(m_paths[3], m_bank, kSizeAt, static_cast<uint32_t>(m_expected), kErrImage, true);
    if (Failed()) {
        RemoveFile(m_paths[3]);
        return;
    }
    EndLink();
}

void CReceive043::ReadWithRecipes()
{
    if (!TakeIdentification())
        return;
    if (m_firmwareId != "OG118" && m_firmwareId != "OG163" && m_firmwareId != "OG167") {
        Fail(kErrOtherModel);
        return;
    }
    StatusBlock status{};
    if (!ReadStatusBlock(status))
        return;
    const uint8_t dataFormat = status[2] & 1;
    const uint8_t recipeFormat = status[2] >> 1 & 1;
    if (m_project) {
        m_project->SetDataSize(dataFormat);
        m_project->SetRcpSize(recipeFormat);
    }
    if (status[1] & 0x80) {
        Fail(kErrRefused);
        return;
    }
    const uint16_t banks = Receive043Banks(m_panelType);
    std::vector<std::string> entries;
    for (uint16_t bank = 0, n = 0; bank < banks; bank = static_cast<uint16_t>(bank + (dataFormat ? 1 : 2)), ++n) {
        std::string entry = LoadLangString(msg::kUngueltig);
        if (Send(BankCommand(bank)) < 0)
            return;
        if (status[4] >> n & 1) {
            const auto name = ReadBytes(kNameAt, kNameBytes);
            if (!name)
                return;
            entry = PanelText(*name);
        }
        entries.push_back(entry);
    }
    if (banks > kReceive043PlainBanks || dataFormat == 1) {
        if (!SelectDataSet(entries)) {
            Fail(kErrDeclined);
            return;
        }
    } else {
        m_chosen = 0;
    }
    if (m_chosen > 7 || !(status[4] >> m_chosen & 1)) {
        Fail(kErrNoDataSet);
        return;
    }
    const uint16_t dataBank = static_cast<uint16_t>(dataFormat ? m_chosen : m_chosen * 2);
    if (Send(BankCommand(dataBank)) < 0)
        return;
    const auto size = ReadBytes(kSizeAt, 2);
    if (!size || !ReadProjectName())
        return;
    m_sizes[kDataSetSize] = Receive043Word(*size);
    LogLine(kLogDebug, "RCV Dateiname:%s", m_paths[0].c_str());
    if (!ReadBytes(kRecipeCheckAt, 2))
        return;
    const uint16_t recipeBank = recipeFormat ? static_cast<uint16_t>(kRecipeBank + (m_chosen & 0x0F)) : kRecipeBank;
    if (Send(BankCommand(recipeBank)) < 0 || !ReadBytes(0, 2))
        return;
    const auto recipeLength = ReadBytes(0, 2);
    if (!recipeLength)
        return;
    const uint16_t recipeBytes = Receive043Word(*recipeLength);
    LogLine(kLogDebug, "RCV Rezeptlänge:%d", recipeBytes);
    if (Send(BankCommand(kDriverBank118)) < 0)
        return;
    const auto driverSize = ReadBytes(kDriverAt118, 2);
    if (!driverSize)
        return;
    m_sizes[kDriverSize] = Receive043Word(*driverSize);
    m_expected = recipeBytes + m_sizes[kDriverSize] + m_sizes[kDataSetSize] + 4;
    const auto drvName = ReadBytes(kDriverNameAt118, kNameBytes);
    if (!drvName)
        return;
    m_drvFileName = PanelText(*drvName);
    LogLine(kLogDebug, "RCV Originaltreiber:%s", m_drvFileName.c_str());
    // Bank 0x20 is selected and holds the driver from address 4: the walk
    // measures from there, not by the data set's size.
    FillDataArea(2);
    if (Failed() || !CheckProjectPanel(true))
        return;
    const FileTags& tags = m_ws.Tags();
    m_paths[3] = ProjectFile(tags.compile);
    m_paths[4] = ProjectFile(tags.recipe);
    m_paths[1] = ProjectFile(tags.driver);
    m_ws.SetImageFile(m_paths[3]);
    m_ws.SetRecipeFile(m_paths[4]);
    m_ws.SetDrvFile(m_paths[1]);
    if (!ShowReadingAndSetUp())
        return;
    ReadPanelToFile(m_paths[3], dataBank, kSizeAt, m_sizes[kDataSetSize] + 2u, kErrImage, true);
    if (Failed()) {
        RemoveFile(m_paths[3]);
        return;
    }
    LogLine(kLogDebug, recipeFormat ? "RCV getrennte Rezeptur" : "RCV Gemeinsame Rezeptur");
    ReadPanelToFile(m_paths[4], recipeBank, 0, recipeBytes, kErrRecipe, false);
    if (Failed()) {
        RemoveFile(m_paths[3]);
        RemoveFile(m_paths[4]);
        return;
    }
    ReadPanelToFile(m_paths[1], kDriverBank118, kDriverAt118, m_sizes[kDriverSize], kErrDriver, false);
    if (Failed()) {
        for (int index : {3, 1, 4})
            RemoveFile(m_paths[static_cast<size_t>(index)]);
        return;
    }
    EndLink();
}

std::string CReceive043::ProjectFile(const std::string& tag) const
{
    const std::string stem = std::filesystem::path(m_paths[0]).stem().string();
    return (std::filesystem::path(m_ws.GetPrjDir()) / (stem + "." + tag)).string();
}

void CReceive043::RemoveFile(const std::string& path) const
{
    std::remove(path.c_str());
    LogLine(kLogDebug, "Delete %s", path.c_str());
}

bool CReceive043::CheckProjectPanel(bool family118)
{
    if (!m_project || !m_drvCfg)
        return true;
    const uint16_t type = m_project->GetDevType();
    const char* id = FirmwareIdOf043(type);
    bool fits = !id || m_firmwareId == id;
    if (!family118 && HasVariant(type))
        fits = fits && (m_variant == 1) == (m_panelVariant == '2');
    if (!fits || m_drvFileName != m_drvCfg->GetDrvFileName()) {
        LogLine(kLogErrors, "errEPROMSign %s %d", "Recei043", family118 ? 2 : 1);
        Fail(kErrOtherModel);
        return false;
    }
    return CheckDataArea();
}

void CReceive043::FillDataArea(uint16_t size)
{
    const AreaDriver* driver = m_spsPar ? FindAreaDriver(m_drvFileName, false) : nullptr;
    if (!driver)
        return;
    const DataArea area = ProjectArea(*driver, *m_spsPar);
    m_dataBlock = area.dataBlock;
    m_firstAdr = area.first;
    m_lastAdr = area.last;
    LogLine(kLogDebug, "RCV DB:%d Start:%d End:%d", m_dataBlock, m_firstAdr, m_lastAdr);
    ReadVariableAreaEntries(size);
}

bool CReceive043::CheckDataArea()
{
    const AreaDriver* driver = m_spsPar ? FindAreaDriver(m_drvFileName, false) : nullptr;
    if (driver && AreaDiffers(*driver, *m_spsPar, {m_dataBlock, m_firstAdr, m_lastAdr})) {
        LogLine(kLogErrors, "errEPROMSign %s %d", "Recei043", 3);
        Fail(kErrOtherModel);
        return false;
    }
    return true;
}

void CReceive043::ReadVariableAreaEntries(uint16_t size)
{
    const auto at = [size](uint32_t offset) { return static_cast<uint16_t>(size + offset); };
    const auto table = ReadBytes(at(67), 2);
    if (!table)
        return;
    const uint16_t d = Receive043Word(*table);
    const auto count = ReadBytes(at(d + 2u), 1);
    if (!count)
        return;
    uint16_t entry = at(d + 3u);
    for (int i = 0; i < (*count)[0]; ++i) {
        const auto next = ReadBytes(entry, 2);
        const auto name = next ? ReadBytes(static_cast<uint16_t>(entry + 2), 2) : std::nullopt;
        if (!name)
            return;
        const std::string text(name->begin(), name->end());
        if (text == "AK" || text == "AL" || text == "AM") {
            const auto type = ReadBytes(static_cast<uint16_t>(entry + 5), 1);
            const auto valueAt = type ? ReadBytes(static_cast<uint16_t>(entry + 6), 2) : std::nullopt;
            if (!valueAt)
                return;
            if ((*type)[0] == kAreaValueType) {
                const auto value = ReadBytes(at(Receive043Word(*valueAt) + 2u), 4);
                if (!value)
                    return;
                const auto low = static_cast<uint16_t>(BigEndianValue(*value));
                (text == "AK" ? m_dataBlock : text == "AL" ? m_firstAdr : m_lastAdr) = low;
            }
        }
        const uint16_t nextOffset = Receive043Word(*next);
        if (nextOffset == 0)
            return;
        entry = at(nextOffset + 2u);
    }
}

bool CReceive043::ShowReadingAndSetUp()
{
    ClearLineCommand();
    if (LinkExchange(0) < 0)
        return false;
    ShowPanelLine(ResourceTXT(res::kDATEIRUECKLESEN));
    return LinkExchange(0) > 0 &&
           SendMemorySetup(kSetupRead043, kSetupRead043Bytes, kMinMemoryAnswer043, MemorySetupCommand043, kErrReadBack);
}

bool CReceive043::ReportResult()
{
    switch (m_error.Code()) {
    case 0:
        if (m_project)
            m_project->SetPath(m_paths[0]);
        return true;
    case kErrRefused: {
        const char* name = m_firmwareId == "OG036"   ? "ORV523"
                           : m_firmwareId == "OG043" ? "ORV534"
                           : m_firmwareId == "OG047" ? "ORV537"
                                                     : "";
        ShowMessage(msg::kTerminalKannNichtAusgelesenWerden, name);
        m_error.Clear();
        return false;
    }
    default:
        return ReportReceiveError();
    }
}

} // namespace orv
