// The 706 family's transfer: features, firmware identity and version digits
// checked before the link starts, the panel's model, fieldbus and cartridge
// after, then memory set-up and the four files bank by bank.
#include "link/Transmit706.h"
#include "link/LinkCodes.h"

#include "link/LinkCommands.h"
#include "model/project/PanelTable.h"
#include "model/core/CatalogueIds.h"
#include "model/core/Catalogues.h"
#include "model/core/MessageBoxes.h"
#include "model/core/WorkspaceState.h"

namespace orv {

namespace {


constexpr long kFeatureAt = 56;
constexpr size_t kFeatureBytes = 8;
constexpr long kIdentityAt = 64;
constexpr size_t kIdentityBytes = 9;
constexpr long kTransmit706VersionAt = 46;
constexpr size_t kTransmit706VersionBytes = 9;
constexpr uint16_t kWeeklySwitchFeature = 59;
constexpr uint16_t kSoftkeyFeature = 60;
// The identification holds the version digits at 5..7 and, on 473 and
// 477, the fieldbus kind at 28..29.
constexpr size_t kVersionAnswer = 8;
constexpr size_t kFieldbusAnswer = 30;
constexpr uint8_t kDataSetBank = 6;
constexpr uint8_t kFirmwareBank = 4;
constexpr uint8_t kTransferEnd = 0x81;

// The drivers each fieldbus kind of a 473 or 477 panel takes.
bool FieldbusFits(uint8_t kind, uint16_t drvNo)
{
    switch (kind) {
    case 0: return drvNo == 60;
    case 2: return drvNo == 64;
    case 4: return drvNo == 61;
    case 6: return drvNo == 67 || drvNo == 71;
    default: return false;
    }
}

} // namespace

CTransmit706::CTransmit706(CLinkContext& ctx, CWorkspaceState& workspace, uint16_t panelType, uint16_t port,
                           uint8_t traceSel, const std::string& projectPath, const CPrjData* project)
    : CTransmit(ctx, workspace, panelType, port, traceSel, project, projectPath)
{
    if (!Failed())
        Run();
}

void CTransmit706::Run()
{
    if (!CheckFeatures() || !CheckFirmwareId() || !ReadVersions())
        return;
    if (!LinkConnect()) {
        Fail(kErrNoPanel);
        return;
    }
    if (CheckPanel()) {
        SetUpMemory();
        SendFiles();
        if (!Failed() && Send(AckCommand(kTransferEnd)) > 0)
            SendUnchecked("POF");
    }
    EndLink();
}

bool CTransmit706::CheckFeatures()
{
    const auto firmware = ReadFileAt(kFirmware, kFeatureAt, kFeatureBytes);
    if (!firmware) {
        m_error.Set(kErrFirmware);
        return false;
    }
    const auto image = ReadFileAt(kImage, kFeatureAt, kFeatureBytes);
    if (!image) {
        m_error.Set(kErrImage);
        return false;
    }
    for (int index = 7; index >= 0; --index) {
        const auto have = static_cast<uint8_t>((*firmware)[static_cast<size_t>(index)]);
        const auto need = static_cast<uint8_t>((*image)[static_cast<size_t>(index)]);
        for (int bit = 0; bit < 8; ++bit) {
            if ((need >> bit & 1) && !(have >> bit & 1)) {
                m_featureCode = static_cast<uint16_t>((7 - index) * 8 + bit);
                m_error.Set(kErrFeature);
                return false;
            }
        }
    }
    return true;
}

bool CTransmit706::CheckFirmwareId()
{
    const auto firmware = ReadFileAt(kFirmware, kIdentityAt, kIdentityBytes);
    if (!firmware) {
        m_error.Set(kErrFirmware);
        return false;
    }
    const auto image = ReadFileAt(kImage, kIdentityAt, kIdentityBytes);
    if (!image) {
        m_error.Set(kErrImage);
        return false;
    }
    if (*firmware != *image) {
        m_error.Set(kErrFirmwareId);
        return false;
    }
    return true;
}

bool CTransmit706::ReadVersions()
{
    struct Source {
        int file;
        uint16_t code;
    };
    const Source sources[] = {{kFirmware, kErrFirmware}, {kDriver, kErrDriver}, {kFunction, kErrFunction}, {kImage, kErrImage}};
    for (const Source& s : sources) {
        if (s.file == kFunction && GetPath(kFunction).empty())
            continue;
        const auto text = ReadFileAt(s.file, kTransmit706VersionAt, kTransmit706VersionBytes);
        if (!text) {
            m_error.Set(s.code);
            return false;
        }
        m_fileVersions[static_cast<size_t>(s.file)] = FileVersionText(*text);
    }
    return true;
}

bool CTransmit706::CheckPanel()
{
    m_panelAnswer = m_ctx.Answer();
    const std::string& answer = m_panelAnswer;
    if (answer.size() < kVersionAnswer || answer.compare(0, 5, Panel706IdOf(m_panelType)) != 0) {
        Fail(kErrOtherModel);
        return false;
    }
    m_panelVersion = {answer.substr(0, 5) + " V" + answer.substr(5, 3) + "." + answer.substr(8, 1), answer.substr(5, 3)};
    const std::string& digits = m_panelVersion.digits;
    uint16_t versionError = 0;
    if (AnyDigitLower(digits, m_fileVersions[kFirmware].digits))
        versionError = kErrFirmwareOld;
    else if (AnyDigitLower(digits, m_fileVersions[kDriver].digits))
        versionError = kErrDriverOld;
    else if (!GetPath(kFunction).empty() && AnyDigitLower(digits, m_fileVersions[kFunction].digits))
        versionError = kErrFunctionOld;
    else if (AnyDigitLower(digits, m_fileVersions[kImage].digits))
        versionError = kErrImageOld;
    if (versionError) {
        Fail(versionError);
        return false;
    }
    SetTraceValue(kCommandTraceValue);
    const int sent = Send("C");
    RestoreTraceValue();
    if (sent < 0 || !CheckFieldbus(answer))
        return false;
    if (HexPairToByte(answer[6], answer[7]) == 197 || HexPairToByte(answer[6], answer[7]) == 199) {
        Fail(kErrCartridge);
        return false;
    }
    return true;
}

bool CTransmit706::CheckFieldbus(const std::string& answer)
{
    const PanelRow* row = FindPanel(m_panelType);
    if (!row || !row->fieldbus || m_ws.IsSimDrvBound())
        return true;
    if (answer.size() < kFieldbusAnswer) {
        Fail(kErrOtherModel);
        return false;
    }
    m_fieldbusKind = HexPairToByte(answer[28], answer[29]);
    if (!FieldbusFits(m_fieldbusKind, m_drvNo)) {
        Fail(kErrFieldbus);
        return false;
    }
    return true;
}

void CTransmit706::SetUpMemory()
{
    if (!ClearDisplay())
        return;
    ShowTitle(ResourceTXT(res::kINITIALISIERUNG));
    if (Exchange() < 0 || Send(BankCommand(kSetupBank)) < 0 ||
        !SendMemorySetup(kSetupRead, kSetupReadBytes, kMinMemoryAnswer, MemorySetupCommand, kErrTransfer) ||
        !StartProgramming())
        return;
    Send("PON");
}

void CTransmit706::SendFiles()
{
    if (Failed() || !ClearDisplay())
        return;
    ShowTitle(ResourceTXT(res::kDATEIUEBERTRAGEN));
    if (Exchange() < 0)
        return;
    m_bytesSent = 0;
    struct Step {
        int file;
        uint8_t bank;
        uint16_t code;
        uint16_t start;
    };
    const Step steps[] = {
        {kFirmware, kFirmwareBank, kErrFirmware, 0},
        {kDriver, kDriverBank, kErrDriver, LinkDrvBaseOf(m_panelType)},
        {kFunction, kDriverBank, kErrFunction, kFunctionAddress},
        {kImage, kDataSetBank, kErrImage, 0},
    };
    for (const Step& step : steps) {
        if (step.file == kFunction && GetPath(kFunction).empty())
            continue;
        m_bank = step.bank;
        if (Send(BankCommand(m_bank)) < 0)
            return;
        ShowFileName(GetPath(step.file + kNameOffset));
        if (Exchange() < 0)
            return;
        SendFile(step.file, step.code, step.start);
        if (Failed())
            return;
    }
}

bool CTransmit706::ReportResult()
{
    switch (m_error.Code()) {
    case 0:
        return true;
    case kErrImage:
        ShowMessage(msg::kBinaerdateiKannNichtGeoeffnetWerden, GetPath(kImage + kNameOffset));
        break;
    case kErrFunction:
        ShowMessage(msg::kSonderfunktionsdateiKannNichtGeoeffnet_15089, GetPath(kFunction + kNameOffset));
        break;
    case kErrCartridge: {
        const PanelRow* row = FindPanel(m_panelType);
        ShowMessage(msg::kKassetteFuerORV706Nicht, row && row->fieldbus ? row->configId : "ORV706");
        break;
    }
    case kErrFeature:
        ShowMessage(m_featureCode == kWeeklySwitchFeature ? msg::kVonDatensatzVerwendete
                    : m_featureCode == kSoftkeyFeature    ? msg::kVonDatensatzVerwendetesSoftkeyIst
                                                          : msg::kVonDatensatzVerwendetesFeatureIst);
        break;
    case kErrFirmwareId:
        ShowMessage(msg::kFirmwareversionDesDatensatzesNicht);
        break;
    default:
        return ReportError();
    }
    m_error.Clear();
    return false;
}

} // namespace orv
