// The 706 family's read-back: the panel's flags, names and sizes, the check
// against the project's start selection, then the three files into the
// project directory. Names from the panel are file names only after a check.
#include "link/Receive706.h"
#include "link/LinkCodes.h"

#include "link/LinkCommands.h"
#include "link/LinkDataArea.h"
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
constexpr uint16_t kReceive706NameAt = 6;
constexpr uint8_t kReceive706NameBytes = 12;
constexpr uint16_t kFirstEntryAt = 0x62;
constexpr uint8_t kEntryNameMax = 16;
constexpr uint16_t kAreaEntryType = 134;

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

uint16_t CReceive706::DriverBase() const { return LinkDrvBaseOf(m_panelType); }

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
    if (m_spsPar && FindAreaDriver(m_drvFileName, true)) {
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
    const auto name = ReadBytes(kReceive706NameAt, kReceive706NameBytes);
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
    const auto drvName = ReadBytes(static_cast<uint16_t>(DriverBase() + kReceive706NameAt), kReceive706NameBytes);
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
    const DataArea area = ProjectArea(*FindAreaDriver(m_drvFileName, true), *m_spsPar);
    m_dataBlock = area.dataBlock;
    m_firstAdr = area.first;
    m_lastAdr = area.last;
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
        const AreaDriver* driver = FindAreaDriver(m_drvFileName, true);
        if (m_spsPar && driver && AreaDiffers(*driver, *m_spsPar, {m_dataBlock, m_firstAdr, m_lastAdr})) {
            Fail(kErrOtherModel);
            return false;
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
    return Send(BankCommand(kSetupBank)) > 0 &&
           SendMemorySetup(kSetupRead, kSetupReadBytes, kMinMemoryAnswer, MemorySetupCommand, kErrReadBack);
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
