// The 706 family's read-back: the panel's flags, names and sizes, the check
// against the project's start selection, then the three files into the
// project directory. Names from the panel are file names only after a check.
#include "link/Receive706.h"
#include "link/LinkCodes.h"

#include "link/LinkCommands.h"
#include "model/core/CatalogueIds.h"
#include "model/core/Catalogues.h"
#include "model/project/DrvCfg.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "model/core/WorkspaceState.h"
#include "platform/FileLookup.h"

#include <cstdio>
#include <filesystem>
#include <set>

namespace orv {

namespace {

namespace fs = std::filesystem;


constexpr uint8_t kFlagBank6 = 0x01;
constexpr uint8_t kFlagBank8 = 0x02;
constexpr uint8_t kFlagsValid = 0x0C;
constexpr uint8_t kFlagFunction = 0x10;
constexpr uint16_t kNameAt = 6;
constexpr uint8_t kNameBytes = 12;
constexpr uint16_t kFirstEntryAt = 0x62;
constexpr uint8_t kEntryNameMax = 16;
constexpr uint16_t kAreaEntryType = 134;

// How the read-back takes a driver's data area from the project (before
// the panel's own entries replace it) and compares it afterwards.
enum class Adjust { None, Shift4, LastPlus1, Modbus, Shift1 };
enum class Compare { None, DbFirstLast, FirstLast, Shift4, LastPlus1, DbOnly };

struct AreaDriver {
    const char* drvFile;
    Adjust adjust;
    Compare compare;
};

// 473S7MSD.DRV is filled and never compared; 473MPIMD.DRV is compared, so
// it is filled as well, or it would fail against any area but 0..0.
constexpr AreaDriver kAreaDrivers[] = {
    {"AS511.DRV", Adjust::None, Compare::DbFirstLast},     {"AS511945.DRV", Adjust::None, Compare::DbFirstLast},
    {"MODBUSPS.DRV", Adjust::Modbus, Compare::FirstLast},  {"ABBMODPS.DRV", Adjust::Shift1, Compare::FirstLast},
    {"AEG120DR.DRV", Adjust::None, Compare::FirstLast},    {"SNP_DIR.DRV", Adjust::None, Compare::FirstLast},
    {"HITHXXPS.DRV", Adjust::None, Compare::FirstLast},    {"HITH20PS.DRV", Adjust::None, Compare::FirstLast},
    {"MFXDIR.DRV", Adjust::None, Compare::FirstLast},      {"MADIR.DRV", Adjust::None, Compare::FirstLast},
    {"MITA1XMS.DRV", Adjust::None, Compare::FirstLast},    {"OMRONDIR.DRV", Adjust::None, Compare::FirstLast},
    {"OMRSEDIR.DRV", Adjust::None, Compare::FirstLast},    {"PHIP8XPS.DRV", Adjust::None, Compare::FirstLast},
    {"CGLC100.DRV", Adjust::Shift4, Compare::Shift4},      {"CRORPXPS.DRV", Adjust::Shift4, Compare::Shift4},
    {"EB508DIR.DRV", Adjust::LastPlus1, Compare::LastPlus1}, {"EBS2SDR.DRV", Adjust::LastPlus1, Compare::LastPlus1},
    {"ABSLCDIR.DRV", Adjust::None, Compare::DbFirstLast},  {"TSXPGDR.DRV", Adjust::None, Compare::FirstLast},
    {"TSXUNDR.DRV", Adjust::None, Compare::FirstLast},     {"TECNSXPS.DRV", Adjust::Shift1, Compare::FirstLast},
    {"MATFPSXS.DRV", Adjust::None, Compare::FirstLast},    {"SAMSNSXS.DRV", Adjust::None, Compare::FirstLast},
    {"TOSEXMPS.DRV", Adjust::None, Compare::FirstLast},    {"IDEMICXS.DRV", Adjust::None, Compare::FirstLast},
    {"SIES72PS.DRV", Adjust::Shift1, Compare::FirstLast},  {"473S7MSD.DRV", Adjust::None, Compare::None},
    {"473MPIMD.DRV", Adjust::None, Compare::FirstLast},    {"SIEMPIDD.DRV", Adjust::None, Compare::FirstLast},
    {"SIEMPIMD.DRV", Adjust::None, Compare::FirstLast},    {"BAU3964S.DRV", Adjust::None, Compare::DbOnly},
    {"B19EDIR.DRV", Adjust::None, Compare::DbOnly},
};

const AreaDriver* FindAreaDriver(const std::string& drvFile)
{
    for (const AreaDriver& row : kAreaDrivers)
        if (drvFile == row.drvFile)
            return &row;
    return nullptr;
}

std::string WithoutExtension(const std::string& name)
{
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

} // namespace

CReceive706::CReceive706(CLinkContext& ctx, CWorkspaceState& workspace, CPrjData* project, const CDrvCfg* drvCfg,
                         const CSpsPar* spsPar, uint16_t panelType, uint16_t port, uint8_t traceFlag)
    : CReceive(ctx, workspace, project, drvCfg, spsPar, panelType, port, traceFlag)
{
    if (!Failed())
        ReadBack();
}

uint16_t CReceive706::DriverBase() const { return m_panelType == 706 ? 0xE000 : 0xB000; }

void CReceive706::ReadBack()
{
    m_panelType = m_project ? m_project->GetDevType() : 706;
    if (!LinkConnect() || Failed()) {
        Fail(kErrNoPanel);
        return;
    }
    m_firmwareId = m_ctx.Answer().substr(0, 5);
    if (m_firmwareId != "OG706" && m_firmwareId != "OG742" && m_firmwareId != "OG473" && m_firmwareId != "OG477") {
        Fail(kErrOtherModel);
        return;
    }
    SetTraceValue(kCommandTraceValue);
    const int sent = Send("C");
    RestoreTraceValue();
    if (sent < 0)
        return;
    const auto flagBytes = DecodeHexBytes(m_ctx.Answer(), 2);
    m_flags = flagBytes ? (*flagBytes)[0] : 0;
    const uint8_t check = flagBytes ? (*flagBytes)[1] : 0xFF;
    if ((m_flags & kFlagsValid) != kFlagsValid || !(m_flags & (kFlagBank6 | kFlagBank8)) || check == 0xFF) {
        Fail(kErrNoDataSet);
        return;
    }
    if (!ReadNames())
        return;
    if (m_spsPar && FindAreaDriver(m_drvFileName)) {
        TakeProjectArea();
        ReadDriverAreaEntries();
        if (Failed())
            return;
    }
    if (m_flags & kFlagFunction) {
        const auto size = ReadBytes(kFunctionAddress, 2);
        if (!size)
            return;
        m_sizes[kFunctionSize] = static_cast<uint16_t>(BigEndianValue(*size));
    }
    m_expected = (m_sizes[kDataSetSize] + m_sizes[kDriverSize] + m_sizes[kFunctionSize]) * 2;
    if (!CheckProject() || !SetUpMemory() || !ShowReading())
        return;
    ReadFiles();
    EndLink();
}

bool CReceive706::ReadNames()
{
    m_dataSetBank = (m_flags & kFlagBank6) ? 6 : 8;
    m_curBank = m_dataSetBank;
    if (Send(BankCommand(m_curBank)) < 0)
        return false;
    const auto name = ReadBytes(kNameAt, kNameBytes);
    if (!name)
        return false;
    m_paths[0] = PanelText(*name);
    // The name becomes a file name: nothing is written under a name that
    // could leave the project directory.
    if (!IsSafeFileName(m_paths[0])) {
        LogLine(kLogErrors, "CReceive706::ReadBack: refused project name >%s<", m_paths[0].c_str());
        Fail(kErrNoDataSet);
        return false;
    }
    const auto dataSize = ReadBytes(0, 2);
    if (!dataSize)
        return false;
    m_sizes[kDataSetSize] = static_cast<uint16_t>(BigEndianValue(*dataSize));
    m_curBank = kDriverBank;
    if (Send(BankCommand(m_curBank)) < 0)
        return false;
    const auto drvName = ReadBytes(static_cast<uint16_t>(DriverBase() + kNameAt), kNameBytes);
    if (!drvName)
        return false;
    m_drvFileName = PanelText(*drvName);
    const auto drvSize = ReadBytes(DriverBase(), 2);
    if (!drvSize)
        return false;
    m_sizes[kDriverSize] = static_cast<uint16_t>(BigEndianValue(*drvSize));
    return true;
}

void CReceive706::TakeProjectArea()
{
    const AreaDriver* driver = FindAreaDriver(m_drvFileName);
    m_dataBlock = m_spsPar->GetDataBlock();
    m_firstAdr = m_spsPar->GetSpsAdr(0);
    m_lastAdr = m_spsPar->GetSpsAdr(static_cast<uint16_t>(m_spsPar->GetLength() - 1));
    switch (driver->adjust) {
    case Adjust::Shift4:
        m_firstAdr >>= 4;
        m_lastAdr >>= 4;
        break;
    case Adjust::LastPlus1:
        ++m_lastAdr;
        break;
    case Adjust::Modbus:
        if (m_spsPar->GetSpsType() == 44) {
            if (m_firstAdr > 0 && m_lastAdr > 0) {
                --m_firstAdr;
                --m_lastAdr;
            }
        } else if (m_firstAdr <= 25535 && m_lastAdr <= 25535) {
            m_firstAdr += 40000;
            m_lastAdr += 40000;
        }
        break;
    case Adjust::Shift1:
        m_firstAdr >>= 1;
        m_lastAdr >>= 1;
        break;
    case Adjust::None:
        break;
    }
}

void CReceive706::ReadDriverAreaEntries()
{
    if (Failed())
        return;
    const auto first = ReadBytes(static_cast<uint16_t>(DriverBase() + kFirstEntryAt), 4);
    if (!first)
        return;
    // Corrupt panel memory may chain the entries into a loop.
    std::set<uint32_t> visited;
    for (uint32_t entry = BigEndianValue(*first); entry != 0;) {
        if (!visited.insert(entry).second || static_cast<int>(visited.size()) > kMaxAreaEntries) {
            LogLine(kLogErrors, "CReceive706::ReadDriverAreaEntries: parameter chain loops at %08X",
                    static_cast<unsigned>(entry));
            return;
        }
        const auto at = [entry](uint32_t offset) { return static_cast<uint16_t>(entry + offset); };
        const auto next = ReadBytes(at(0), 4);
        const auto length = next ? ReadBytes(at(4), 1) : std::nullopt;
        if (!length)
            return;
        const uint8_t nameLength = (*length)[0];
        std::string name;
        if (nameLength > 0) {
            const auto bytes = ReadBytes(at(5), std::min(nameLength, kEntryNameMax));
            if (!bytes)
                return;
            name.assign(bytes->begin(), bytes->end());
        }
        if (name == "AK" || name == "AL" || name == "AM") {
            const auto type = ReadBytes(at(nameLength + 7u), 2);
            if (!type)
                return;
            if (BigEndianValue(*type) == kAreaEntryType) {
                const auto value = ReadBytes(at(nameLength + 13u), 4);
                if (!value)
                    return;
                const auto low = static_cast<uint16_t>(BigEndianValue(*value));
                (name == "AK" ? m_dataBlock : name == "AL" ? m_firstAdr : m_lastAdr) = low;
            }
        }
        entry = BigEndianValue(*next);
    }
}

bool CReceive706::CheckProject()
{
    if (m_project) {
        const std::string id = Panel706IdOf(m_project->GetDevType());
        if (!id.empty() && m_firmwareId != id) {
            Fail(kErrOtherModel);
            return false;
        }
    }
    if (m_drvCfg) {
        if (m_drvFileName != m_drvCfg->GetDrvFileName()) {
            Fail(kErrOtherModel);
            return false;
        }
        const AreaDriver* driver = FindAreaDriver(m_drvFileName);
        if (m_spsPar && driver) {
            const uint16_t db = m_spsPar->GetDataBlock();
            const uint16_t first = m_spsPar->GetSpsAdr(0);
            const uint16_t last = m_spsPar->GetSpsAdr(static_cast<uint16_t>(m_spsPar->GetLength() - 1));
            bool differs = false;
            switch (driver->compare) {
            case Compare::DbFirstLast: differs = m_dataBlock != db || m_firstAdr != first || m_lastAdr != last; break;
            case Compare::FirstLast: differs = m_firstAdr != first || m_lastAdr != last; break;
            case Compare::Shift4: differs = m_firstAdr != (first >> 4) || m_lastAdr != (last >> 4); break;
            case Compare::LastPlus1:
                differs = m_firstAdr != first || m_lastAdr != static_cast<uint16_t>(last + 1);
                break;
            case Compare::DbOnly: differs = m_dataBlock != db; break;
            case Compare::None: break;
            }
            if (differs) {
                Fail(kErrOtherModel);
                return false;
            }
        }
    }
    std::error_code ec;
    if (fs::exists(fs::path(m_ws.GetPrjDir()) / m_paths[0], ec) && !AskYesNo(msg::kDateiWuerdeUeberschreibenWerdenSoll, m_paths[0])) {
        Fail(kErrDeclined);
        return false;
    }
    return true;
}

bool CReceive706::SetUpMemory()
{
    if (Send(BankCommand(kSetupBank)) < 0 || Send(kSetupRead, kSetupReadBytes) < 0)
        return false;
    const std::string setupRead = m_ctx.Answer();
    if (Send("X", kMinMemoryAnswer / 2) < 0)
        return false;
    const auto setup = MemorySetupCommand(m_ctx.Answer(), setupRead);
    if (!setup) {
        Fail(kErrReadBack);
        return false;
    }
    return Send(*setup) > 0;
}

bool CReceive706::ShowReading()
{
    ClearLineCommand();
    if (LinkExchange(0) < 0)
        return false;
    for (int line : ExtraClearLines(m_panelType))
        if (Send(orv::ClearLineCommand(line)) < 0)
            return false;
    ShowPanelLine(ResourceTXT(res::kDATEIRUECKLESEN));
    return LinkExchange(0) > 0;
}

void CReceive706::ReadFiles()
{
    const FileTags& tags = m_ws.Tags();
    const fs::path dir(m_ws.GetPrjDir());
    const std::string stem = WithoutExtension(m_paths[0]);
    m_paths[3] = (dir / (stem + "." + tags.compile)).string();
    m_paths[1] = (dir / (stem + "." + tags.driver)).string();
    m_paths[2] = (dir / (stem + "." + tags.function)).string();
    m_ws.SetDrvFile(m_paths[1]);
    for (int i = 1; i <= 3; ++i)
        m_ws.SetRcvFile(i, m_paths[static_cast<size_t>(i)]);
    const auto remove = [](const std::string& path) {
        std::remove(path.c_str());
        LogLine(kLogDebug, "Delete %s", path.c_str());
    };
    ReadPanelToFile(m_paths[3], m_dataSetBank, 0, m_sizes[kDataSetSize] * 2u, kErrImage, false);
    if (Failed()) {
        remove(m_paths[3]);
        return;
    }
    ReadPanelToFile(m_paths[1], kDriverBank, DriverBase(), m_sizes[kDriverSize] * 2u, kErrDriver, false);
    if (Failed()) {
        remove(m_paths[3]);
        remove(m_paths[1]);
        return;
    }
    if (m_flags & kFlagFunction) {
        ReadPanelToFile(m_paths[2], kDriverBank, kFunctionAddress, m_sizes[kFunctionSize] * 2u, kErrFunction, false);
        if (Failed())
            remove(m_paths[2]);
    }
}

bool CReceive706::ReportResult()
{
    if (Failed())
        return ReportReceiveError();
    if (m_project)
        m_project->SetPath(m_paths[0]);
    return true;
}

} // namespace orv
