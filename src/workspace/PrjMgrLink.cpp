// The panel side of the workspace: the transfer of the compiled data set, the
// read-back of a panel's data set into a new project, and its decompile.
#include "workspace/PrjMgr.h"

#include "image/decompile/Deco043.h"
#include "image/decompile/Deco118.h"
#include "image/decompile/Deco706.h"
#include "image/drv/Placeholder.h"
#include "link/Receive043.h"
#include "link/Receive706.h"
#include "link/SerLinkBinding.h"
#include "link/Transmit043.h"
#include "link/Transmit706.h"
#include "model/core/CatalogueIds.h"
#include "model/core/FrameState.h"
#include "model/core/HelpPage.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/core/ProgramIni.h"
#include "model/core/UiServices.h"
#include "model/project/FktCfg.h"
#include "model/project/PanelTable.h"
#include "model/project/PrjData.h"

#include <array>
#include <vector>
#include <chrono>
#include <filesystem>
#include <system_error>

namespace orv {

namespace {

namespace fs = std::filesystem;

// The frame's state flag of a data set that went to the panel.
constexpr uint32_t kPrjLinkTransferred = 0x80;
// Help page kind of the FIFO notice.
constexpr int kPrjLinkFifoHelp = 3;

void PrjLinkDelete(const std::string& path)
{
    if (path.empty())
        return;
    LogLine(kLogDebug, "Delete %s", path.c_str());
    std::error_code ec;
    fs::remove(path, ec);
}

// The decompiler of the family on its three files; true when the project
// was rebuilt.
template <class Deco>
bool PrjLinkDecompile(CWorkspaceState& ws, const std::array<std::string, 3>& files, PrjBundle& bundle)
{
    Deco deco(&ws, files[0], files[1], files[2], &bundle);
    return deco.CheckError();
}

} // namespace

CLinkContext& CPrjMgr::LinkContext()
{
    const SerLinkApi* api = GetSerLink();
    if (!m_link || m_link->Api() != api)
        m_link = std::make_unique<CLinkContext>(api, m_linkSleep);
    return *m_link;
}

void CPrjMgr::SetLinkSleep(SleepFn sleep)
{
    m_linkSleep = std::move(sleep);
    m_link.reset();
}

int CPrjMgr::Transmit()
{
    SetLinkErrors(0);
    m_lastError = 0;
    GetUiServices().ShowHint(GuiKeyInfoOf(GuiKey::FifoWarn).name, msg::kWarnungFIFOMussAusgeschaltenSein,
                             kPrjLinkFifoHelp);
    const std::string prjPath = m_frame.GetPrjPath();
    // Without a project there is no image to name; an empty path would send
    // nothing and report it sent.
    if (!IsBuilt() || prjPath.empty()) {
        m_lastError = kErrTransfer;
        return kTransmitFailed;
    }
    const std::string image = Companion(prjPath, m_ws.Tags().compile);
    SetImageFile(image);
    if (SaveBeforeCompile() != 0) {
        if (NeedsCompile()) {
            LogLine(kLogDebug, "need compile Compresult=%d", -1);
            // A failed compile deletes the image; the transfer then names it
            // as missing.
            Compile();
        } else {
            LogLine(kLogDebug, "No compile needed");
        }
    }
    const uint16_t type = GetPanelType();
    const PanelRow* row = FindPanel(type);
    if (!row || RefusePlaceholders(*row, image)) {
        m_lastError = kErrTransfer;
    } else if (row->family == Family::F706) {
        CTransmit706 transfer(LinkContext(), m_ws, type, GetLinkPort(), 0, image, m_prjData.get());
        if (!transfer.ReportResult())
            m_lastError = kErrTransfer;
        transfer.Close();
    } else {
        CTransmit043 transfer(LinkContext(), m_ws, type, GetLinkPort(), 0, image, m_prjData.get());
        if (!transfer.ReportResult())
            m_lastError = kErrTransfer;
    }
    if (m_lastError != 0)
        return kTransmitFailed;
    LogLineId(kLogErrors, msg::kDateiWurdeUebertragen, image);
    LogLineId(kLogErrors, msg::kUebertragungsfehler, static_cast<int>(GetLinkErrors()));
    m_frame.SetStateFlags(m_frame.GetStateFlags() | kPrjLinkTransferred);
    return kLinkDone;
}

bool CPrjMgr::RefusePlaceholders(const PanelRow& row, const std::string& imagePath)
{
    // A 043 family image carries the driver and special-function file it
    // appended; the other families send them as files of their own.
    std::vector<std::string> sent{imagePath};
    if (row.family != Family::F043) {
        sent.push_back(GetFormFile());
        sent.push_back(Companion(m_prjData->GetPath(), m_ws.Tags().driver));
    }
    if (row.family == Family::F706 && m_fktCfg->IsUsed())
        sent.push_back(Companion(m_prjData->GetPath(), m_ws.Tags().function));
    for (const std::string& path : sent) {
        if (IsPlaceholderFile(path)) {
            ShowMessage(msg::kDateiIstNurEinPlatzhalter, path);
            return true;
        }
    }
    return false;
}

int CPrjMgr::Receive()
{
    SetLinkErrors(0);
    if (!IsBuilt())
        return kLinkFailed;
    // Asked before the project is emptied: a panel type without a read-back
    // leaves it as it is.
    const PanelRow* row = FindPanel(GetPanelType());
    if (!row)
        return kLinkFailed;
    int result = kLinkFailed;
    if (AskSaveChanges() != kAskDeclined) {
        m_bundle.Reset();
        std::error_code ec;
        fs::create_directories(GetPrjDir(), ec);
        // What failed after the reset must not stay under a name, where
        // the next save would write it over that file.
        if (!ReadBack(*row) || !TakeReadBack()) {
            DropProject();
            return kLinkFailed;
        }
        result = kLinkDone;
    }
    const uint16_t devType = m_prjData->GetDevType();
    m_prjData->SetDsType(FindPanel(devType) ? FileCodeOf(devType, m_prjData->GetVariant() != 0) : 0);
    ReportCompile();
    LogLineId(kLogDebug, msg::kUebertragungsfehler, static_cast<int>(GetLinkErrors()));
    return result;
}

bool CPrjMgr::ReadBack(const PanelRow& row)
{
    const uint16_t type = GetPanelType();
    if (row.family == Family::F706) {
        CReceive706 readBack(LinkContext(), m_ws, m_prjData.get(), m_drvCfg.get(), m_spsPar.get(), type,
                             GetLinkPort(), 0);
        const bool ok = readBack.ReportResult();
        readBack.Close();
        return ok;
    }
    CReceive043 readBack(LinkContext(), m_ws, m_prjData.get(), m_drvCfg.get(), m_spsPar.get(), type, GetLinkPort(),
                         0);
    const bool ok = readBack.ReportResult();
    readBack.Close();
    return ok;
}

bool CPrjMgr::TakeReadBack()
{
    ResetMemInfo();
    // The read-back named the project by its bare name; the files lie in
    // the project directory, and every path derived from the root's must
    // lead there too.
    const fs::path received(m_prjData->GetPath());
    const std::string name = received.stem().string();
    const fs::path dir(GetPrjDir());
    const FileTags& tags = m_ws.Tags();
    const std::string image = (dir / (name + "." + tags.compile)).string();
    SetDrvFile((dir / (name + "." + tags.driver)).string());
    const std::string prjPath = (dir / (name + received.extension().string())).string();
    m_frame.SetPrjPath(prjPath);
    m_prjData->SetPath(prjPath);
    SetImageFile(image);
    if (Decompile() != kLinkDone)
        return false;
    LoadPrjDriver();
    LoadPrjFkt();
    StampImage(image);
    return true;
}

void CPrjMgr::StampImage(const std::string& imagePath)
{
    // Later than every file the compile reads, by whole seconds where the
    // file system's stamps are coarse, so that no compile follows.
    const std::string& src = m_prjData->GetPath();
    std::vector<std::string> inputs{src, Companion(src, m_ws.Tags().driver)};
    if (m_fktCfg->IsUsed())
        inputs.push_back(Companion(src, m_ws.Tags().function));
    std::error_code ec;
    auto stamp = fs::file_time_type::clock::now();
    for (const std::string& path : inputs) {
        const auto time = fs::last_write_time(path, ec);
        if (!ec && time >= stamp)
            stamp = time + std::chrono::seconds(1);
    }
    fs::last_write_time(imagePath, stamp, ec);
}

void CPrjMgr::DropProject()
{
    m_bundle.Reset();
    m_prjData->SetPath("");
    m_frame.SetPrjPath("");
    m_frame.SetStateFlags(m_frame.GetStateFlags() & ~CFrameState::kStateProjectLoaded);
}

int CPrjMgr::Decompile()
{
    const PanelRow* row = PrjPanel();
    if (!row)
        return kLinkFailed;
    // Image, driver, and the further file: the 706 family's read-back named
    // its own three, the others read into the workspace's paths.
    if (row->family == Family::F706) {
        const std::array<std::string, 3> files{m_ws.GetRcvFile(3), m_ws.GetRcvFile(1), m_ws.GetRcvFile(2)};
        if (PrjLinkDecompile<CDeco706>(m_ws, files, m_bundle))
            return kLinkDone;
        for (const std::string& path : files)
            PrjLinkDelete(path);
        return kLinkFailed;
    }
    const std::array<std::string, 3> files{GetImageFile(), GetDrvFile(), GetRcvAuxFile()};
    if (row->family == Family::F118)
        return PrjLinkDecompile<CDeco118>(m_ws, files, m_bundle) ? kLinkDone : kLinkFailed;
    // The driver is cut out of the image anew.
    PrjLinkDelete(files[1]);
    PrjLinkDelete(files[2]);
    if (PrjLinkDecompile<CDeco043>(m_ws, files, m_bundle))
        return kLinkDone;
    for (const std::string& path : files)
        PrjLinkDelete(path);
    return kLinkFailed;
}

} // namespace orv
