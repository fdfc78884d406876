// Reads panel memory into files for the read-back and turns its error into
// one message; the names of models, protocols and data areas come from
// tables.
#include "link/Receive.h"
#include "link/LinkCodes.h"
#include "model/project/PanelType.h"

#include "link/LinkCommands.h"
#include "model/core/CatalogueIds.h"
#include "model/core/Catalogues.h"
#include "model/core/FrameState.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "model/core/WorkspaceState.h"

#include <cstdio>
#include <filesystem>
#include <initializer_list>

namespace orv {

namespace {

constexpr uint16_t kBlockBytes = 32;
constexpr const char* kDebugLog = "recei.dbg";

struct ModelName {
    const char* id;
    const char* name;
};

constexpr ModelName kModelNames[] = {
    {"OG014", "ORV 014"}, {"OG036", "ORVlight"}, {"OG043", "ORV 043"}, {"OG047", "ORV 047"},
    {"OG706", "ORV 706"}, {"OG473", "ORV 473"}, {"OG477", "ORV 477"}, {"OG118", nullptr},
    {"OG163", "ORV 163"}, {"OG167", "ORV 167"},
};

struct ForeignPanel {
    const char* id;
    const char* name;
    uint32_t message;
};

constexpr ForeignPanel kForeignPanels[] = {
    {"OG724", "ORV724", msg::kUmRueckzulesenBitteORVstudioVerwenden},
    {"OG753", "ORV753", msg::kUmRueckzulesenBitteORVstudioVerwenden},
    {"OG75C", "ORV753c", msg::kUmRueckzulesenBitteORVstudioVerwenden},
    {"EG753", "ORV753e", msg::kUmRueckzulesenBitteORVstudioVerwenden},
    {"TG210", "TEQ210", msg::kUmRueckzulesenBitteAufTEQ},
    {"TG310", "TEQ310", msg::kUmRueckzulesenBitteAufTEQ},
    {"TG330", "TEQ330", msg::kUmRueckzulesenBitteAufTEQ},
};

// Driver file and the number of its protocol in the second error catalogue.
struct ProtocolRow {
    const char* drvFile;
    uint16_t text;
};

constexpr ProtocolRow kProtocols[] = {
    {"ABBCS3CS.DRV", 189}, {"ABBTXXPS.DRV", 190}, {"ABBTXXPE.DRV", 191}, {"BAU3964S.DRV", 188},
    {"MODBUSPS.DRV", 192}, {"ABBMODPS.DRV", 194}, {"LTR.DRV", 195},      {"INTERBUS.DRV", 196},
    {"KELARCXE.DRV", 197}, {"L1.DRV", 198},       {"AS511945.DRV", 200}, {"AS511.DRV", 199},
    {"AEG120DR.DRV", 202}, {"AEG250PX.DRV", 201}, {"SUCOM.DRV", 203},    {"KLM201PE.DRV", 204},
    {"5P90BUEP.DRV", 206}, {"3P90BUEP.DRV", 205}, {"B19EDIR.DRV", 207},  {"OMRON.DRV", 208},
    {"OMRONDIR.DRV", 209}, {"OMRSEDIR.DRV", 210}, {"PHIP8XPS.DRV", 211}, {"PHIP8DPS.DRV", 256},
    {"PHIP8DPE.DRV", 257}, {"PHIP8XPE.DRV", 212}, {"SAIPCDME.DRV", 213}, {"SNP7130.DRV", 214},
    {"SNP_DIR.DRV", 215},  {"HITHXXPS.DRV", 216}, {"HITHXXPE.DRV", 218}, {"HITH20PS.DRV", 217},
    {"TECNSXPS.DRV", 219}, {"TSXPGDR.DRV", 220},  {"TSXUNDR.DRV", 221},  {"UNITELW.DRV", 222},
    {"TSX17UNI.DRV", 223}, {"CGLC100.DRV", 224},  {"CEG170PE.DRV", 225}, {"CRORPXPS.DRV", 226},
    {"IPC62DIR.DRV", 227}, {"IDEC3EXP.DRV", 228}, {"IDEMICXS.DRV", 229}, {"MFXEXP.DRV", 232},
    {"MFXDIR.DRV", 233},   {"MAEXP.DRV", 234},    {"MADIR.DRV", 235},    {"MITA1XMS.DRV", 236},
    {"EB508DIR.DRV", 237}, {"EBS2SDR.DRV", 238},  {"ABDF1EXP.DRV", 240}, {"ABDF1DIR.DRV", 241},
    {"ABSLCEXP.DRV", 242}, {"ABSLCDIR.DRV", 243}, {"SICLTRXE.DRV", 239}, {"MATFPSXS.DRV", 230},
    {"SAMSNSXS.DRV", 231}, {"TOSEXMPS.DRV", 244}, {"SIEL2DME.DRV", 245}, {"473L2DIE.DRV", 245},
    {"SIES72PS.DRV", 248}, {"SIES72FP.DRV", 249}, {"ABBARCXB.DRV", 251}, {"GEF90XPE.DRV", 250},
    {"INTERBME.DRV", 246}, {"473IBSIE.DRV", 247}, {"473S7MSD.DRV", 252}, {"S7MPIMSD.DRV", 259},
    {"SIEMPIMD.DRV", 252}, {"SIEMPIDD.DRV", 253}, {"473SECAN.DRV", 254}, {"473DNCAN.DRV", 258},
    {"SEWMOVPX.DRV", 260}, {"PROL2DME.DRV", 261}, {"PROIBSME.DRV", 262}, {"PROMPIME.DRV", 263},
};

// How a driver names its PLC data area in the message of error 34.
enum class Numbers { Decimal, Hex, Zone, Doubled };

struct AreaWords {
    uint32_t dbWord = 0;  // 0: no data block word
    uint32_t fromWord = 0;  // 0: no address words
    uint32_t toWord = 0;
    Numbers numbers = Numbers::Decimal;
};

struct AreaRow {
    std::initializer_list<const char*> drivers;
    AreaWords words;
};

const AreaRow kAreaRows[] = {
    {{"ABBMODPS.DRV"}, {0, msg::kPD, msg::kBisPD, Numbers::Decimal}},
    {{"AEG120DR.DRV", "EB508DIR.DRV", "EBS2SDR.DRV", "PHIP8XPS.DRV", "PHIP8DPS.DRV"},
     {0, msg::kMerkerbereichMW, msg::kBisMW, Numbers::Decimal}},
    {{"SNP_DIR.DRV", "TSXPGDR.DRV", "TSXUNDR.DRV", "ABSLCDIR.DRV"}, {0, msg::kWort, msg::kBisWort, Numbers::Decimal}},
    {{"HITHXXPS.DRV", "HITH20PS.DRV"}, {0, msg::kWM, msg::kBisWM, Numbers::Hex}},
    {{"MFXDIR.DRV", "MADIR.DRV", "MITA1XMS.DRV", "TOSEXMPS.DRV"}, {0, msg::kD, msg::kBisD, Numbers::Decimal}},
    {{"OMRONDIR.DRV", "OMRSEDIR.DRV"}, {0, msg::kDM, msg::kBisDM, Numbers::Decimal}},
    {{"CGLC100.DRV", "CRORPXPS.DRV"}, {0, msg::kZone, msg::kBisZone, Numbers::Zone}},
    {{"TECNSXPS.DRV"}, {0, msg::kRW, msg::kBisRW, Numbers::Doubled}},
    {{"SIES72PS.DRV"}, {0, msg::kVW, msg::kBisVW, Numbers::Doubled}},
    {{"MATFPSXS.DRV", "SAMSNSXS.DRV", "IDEMICXS.DRV"}, {0, msg::kDW, msg::kBisDW, Numbers::Decimal}},
    {{"B19EDIR.DRV", "BAU3964S.DRV"}, {msg::kDB, 0, 0, Numbers::Decimal}},
};

// The words of the panel driver's data area; none for a driver with only
// its protocol.
std::optional<AreaWords> AreaWordsOf(const std::string& drvFile, bool withDataBlock, uint16_t plcType)
{
    if (drvFile == "AS511.DRV" || drvFile == "AS511945.DRV")
        return withDataBlock ? AreaWords{msg::kDB, msg::kDW, msg::kBisDW, Numbers::Decimal}
                             : AreaWords{0, msg::kMerkerbereichMW, msg::kBisMW, Numbers::Decimal};
    if (drvFile == "MODBUSPS.DRV")
        return plcType == 44 ? AreaWords{0, msg::kWort, msg::kBisWort, Numbers::Decimal}
                             : AreaWords{0, msg::kRegisterR, msg::kBisR, Numbers::Decimal};
    for (const AreaRow& row : kAreaRows)
        for (const char* driver : row.drivers)
            if (drvFile == driver)
                return row.words;
    return std::nullopt;
}

std::string AreaNumber(uint16_t value, Numbers numbers)
{
    switch (numbers) {
    case Numbers::Hex: return FormatText("%04X", value);
    case Numbers::Doubled: return FormatText("%u", value * 2u);
    default: return FormatText("%u", static_cast<unsigned>(value));
    }
}

} // namespace

CReceive::CReceive(CLinkContext& ctx, CWorkspaceState& workspace, CPrjData* project, const CDrvCfg* drvCfg,
                   const CSpsPar* spsPar, uint16_t panelType, uint16_t port, uint8_t traceFlag)
    : CLinkSession(ctx, workspace, panelType, port, traceFlag, ExchangeMode::ReadBack), m_project(project),
      m_drvCfg(drvCfg), m_spsPar(spsPar)
{
    if (project)
        m_variant = project->GetVariant();
    if (CFrameState* frame = GetMainFrame())
        frame->SetPrjPath("");
    m_ws.SetRcvAuxFile("");
    m_ws.SetDrvFile("");
    m_ws.SetImageFile("");
    m_bar = GetUiServices().CreateProgressBar("", 20, 100, false, 0);
    if (m_bar)
        m_bar->SetText("Receive");
    // The debug log is written on every read-back; without it the read-back
    // goes on and says so once.
    if (!m_trace.Create(m_ws.GetStateDir() + kDebugLog))
        MsgBoxOk("dbg-failure");
}

void CReceive::Close()
{
    if (m_bar)
        m_bar->Clear();
    m_trace.Close();
}

int CReceive::ReadBlockCommand(uint16_t address, uint8_t count)
{
    if (!m_ctx.SetCommand(ReadMemoryCommand(address, count)))
        return -1;
    return LinkExchange(count);
}

std::optional<std::vector<uint8_t>> CReceive::ReadBytes(uint16_t address, uint8_t count)
{
    if (Failed() || ReadBlockCommand(address, count) < 0)
        return std::nullopt;
    return DecodeHexBytes(m_ctx.Answer(), count);
}

void CReceive::ClearLineCommand() { m_ctx.SetCommand(kClearFirstLine); }

void CReceive::ShowPanelLine(std::string_view text)
{
    const std::string command = TitleLineCommand(m_panelType, text);
    m_ctx.SetCommand(command);
    LogLine(kLogDebugExt, "%s", command.c_str());
}

void CReceive::ShowPanelFileName(const std::string& path)
{
    const std::string name = std::filesystem::path(path).filename().string();
    const std::string command = FileLineCommand(m_panelType, "<< " + name);
    m_ctx.SetCommand(command);
    LogLine(kLogDebugExt, "%s", command.c_str());
}

void CReceive::ReadPanelToFile(const std::string& path, uint16_t bank, uint16_t start, uint32_t count,
                               uint16_t errorCode, bool twoZeroBytes)
{
    const uint16_t bankEnd = BankEnd(m_panelType);
    if (Failed())
        return;
    ShowPanelFileName(path);
    if (LinkExchange(0) < 0)
        return;
    m_bank = bank;
    if (!PanelType(m_panelType, false).InFamily(Family::F043) && Send(BankCommand(m_bank)) < 0)
        return;
    std::remove(path.c_str());
    LogLine(kLogDebug, "Delete %s", path.c_str());
    std::FILE* file = std::fopen(path.c_str(), "wb+");
    if (!file) {
        Fail(errorCode);
        return;
    }
    LogLine(kLogDebug, "Open %s OK", path.c_str());
    const auto fail = [&] {
        std::fclose(file);
        Fail(errorCode);
    };
    const uint8_t zeros[2] = {0, 0};
    if (twoZeroBytes && std::fwrite(zeros, 1, 2, file) != 2)
        return fail();
    uint32_t done = 0;
    while (done < count && !Failed()) {
        uint32_t block = std::min<uint32_t>(kBlockBytes, count - done);
        bool bankChange = false;
        if (start <= bankEnd && start + block - 1 >= bankEnd) {
            block = static_cast<uint32_t>(bankEnd - start + 1);
            bankChange = true;
        }
        const auto bytes = ReadBytes(start, static_cast<uint8_t>(block));
        if (!bytes) {
            std::fclose(file);
            return;
        }
        start = static_cast<uint16_t>(start + block);
        done += block;
        m_received += static_cast<int32_t>(block);
        if (std::fwrite(bytes->data(), 1, bytes->size(), file) != bytes->size())
            return fail();
        UpdateProgress(m_received, m_expected);
        if (bankChange) {
            ++m_bank;
            start = 0;
            if (Send(BankCommand(m_bank)) < 0) {
                std::fclose(file);
                return;
            }
        }
    }
    if (std::fclose(file) != 0)
        Fail(errorCode);
}

std::string CReceive::FirmwareIdToModelName() const
{
    for (const ModelName& row : kModelNames) {
        if (m_firmwareId != row.id)
            continue;
        if (m_firmwareId == "OG047")
            return m_panelVariant == 50 ? "ORV 047.2" : "ORV 047";
        return row.name ? row.name : ResourceTXT(res::kORV014plus_27);
    }
    return {};
}

std::string CReceive::DriverToProtocolText() const
{
    for (const ProtocolRow& row : kProtocols)
        if (m_drvFileName == row.drvFile)
            return resError2(row.text);
    return {};
}

void CReceive::ReportPanelArea()
{
    const std::string model = FirmwareIdToModelName();
    if (model.empty()) {
        for (const ForeignPanel& row : kForeignPanels) {
            if (m_firmwareId == row.id) {
                ShowMessage(row.message, row.name);
                m_error.Clear();
                return;
            }
        }
        ShowMessage(msg::kBediengeraetAntwortetMitNicht);
        m_error.Clear();
        return;
    }
    const std::string protocol = DriverToProtocolText();
    if (protocol.empty()) {
        ShowMessage(msg::kStartauswahlVorDemRuecklesenAuf, model);
        return;
    }
    const uint16_t plcType = m_spsPar ? m_spsPar->GetSpsType() : 0;
    const auto words = AreaWordsOf(m_drvFileName, m_dataBlock != 0, plcType);
    const bool joined = words && (words->numbers == Numbers::Hex || words->numbers == Numbers::Zone);
    std::string text = " '" + model + "' " + LoadLangString(msg::kMit) + " '" + protocol + (joined ? "'\n" : "' ");
    if (words) {
        if (words->dbWord)
            text += std::string(LoadLangString(words->dbWord)) + " " + AreaNumber(m_dataBlock, Numbers::Decimal) + " ";
        if (words->fromWord) {
            const auto item = [&](uint32_t word, uint16_t value) {
                if (!joined)
                    return std::string(LoadLangString(word)) + " " + AreaNumber(value, words->numbers);
                const char* after = words->numbers == Numbers::Zone ? " (dez) " : " ";
                return std::string(LoadLangString(word)) + AreaNumber(value, words->numbers) + after;
            };
            text += item(words->fromWord, m_firstAdr) + (joined ? "" : " ") + item(words->toWord, m_lastAdr);
        }
    }
    if (text.size() > 256)
        text.resize(256);
    ShowMessage(msg::kStartauswahlVorDemRuecklesenAuf, text);
    m_error.Clear();
}

bool CReceive::ReportReceiveError()
{
    switch (m_error.Code()) {
    case 0:
        return true;
    case 3:
    case 5:
    case 7:
    case 10:
        ShowMessage(msg::kBinaerdateiKannNichtGeschriebenWerden);
        break;
    case kErrNoPanel:
        ShowMessage(msg::kBediengeraetAntwortetNichtBitteCOM, m_port + 1);
        break;
    case kErrOtherModel:
        ReportPanelArea();
        return false;
    case kErrReadBack:
        ShowMessage(msg::kDatenKonntenNichtVollstaendig);
        break;
    case kErrNoDataSet:
        ShowMessage(msg::kAngeschlossenesBediengeraetEnthaelt);
        break;
    case kErrDeclined:
        break;
    default:
        return false;
    }
    m_error.Clear();
    return false;
}

} // namespace orv
