// The main frame's commands and view resets, kept free of the window system so
// that tests drive them with fake views and dialogs.
#include "workspace/FrameCore.h"

#include "model/core/CatalogueIds.h"
#include "model/core/FrameState.h"
#include "model/core/Log.h"
#include "platform/ProgramDirs.h"
#include "workspace/DlgRunner.h"
#include "workspace/FilePrompt.h"
#include "workspace/FrameViews.h"
#include "workspace/FrameWindow.h"
#include "workspace/ObjNav.h"
#include "workspace/PrjMgr.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>

namespace orv {

namespace {

// The list types that have a navigator; the others leave the frame without.
constexpr std::array<int, 11> kCoreNavListTypes = {2, 3, 4, 6, 11, 12, 13, 14, 15, 17, 19};
// The display editor's parts redrawn when the operator texts open.
constexpr int kCoreRedrawOpTexts = 3;
// The order in which the reset takes the list's providers out.
constexpr std::array<int, 7> kCoreDeactivateOrder = {
    IViewLst::kModeVars,    IViewLst::kModeMenuNodes, IViewLst::kModeTexts,   IViewLst::kModeChars,
    IViewLst::kModePlcArea, IViewLst::kModeSkTexts,   IViewLst::kModeSkActions};

// The open dialog's offer per application row: the sample beside the program
// and the filter with both cases of the extension.
struct CoreAppFiles {
    const char* sample;
    const char* filter;
    const char* suffix;
};
constexpr std::array<CoreAppFiles, 2> kCoreAppFiles = {{
    {"data/teq_260.teq", "TEQ Files (*.teq *.TEQ)", "teq"},
    {"data/demo043.orv", "ORV Files (*.orv *.ORV)", "orv"},
}};

bool CoreHasNavigator(int listType)
{
    return std::find(kCoreNavListTypes.begin(), kCoreNavListTypes.end(), listType) != kCoreNavListTypes.end();
}

// The file can be opened for reading.
bool CoreFileReadable(const std::string& path)
{
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec))
        return false;
    std::ifstream in(path, std::ios::binary);
    return in.is_open();
}

} // namespace

CFrameCore::CFrameCore(CFrameState& frame, IFrameWindow& window, CDlgRunner& dialogs, CFilePrompt& files)
    : m_frame(frame), m_window(window), m_dialogs(dialogs), m_files(files)
{
    m_startSel.OpenDb(GetProgramDir());
    m_frame.SetStartSel(&m_startSel);
}

CFrameCore::~CFrameCore()
{
    m_curNav.reset();
    m_dropped.clear();
    m_prjMgr.reset();
    if (m_frame.GetStartSel() == &m_startSel)
        m_frame.SetStartSel(nullptr);
    m_startSel.CloseDb();
}

void CFrameCore::Start()
{
    m_prjMgr = std::make_unique<CPrjMgr>(m_frame, m_startSel);
    // A failed start has shown its messages; the frame stays without a
    // project, and what needs the bundle is greyed.
    if (m_prjMgr->Init() != CPrjMgr::kInitDone || !IsBundleReady())
        return;
    SetListType(2, 0);
}

bool CFrameCore::IsBundleReady() const
{
    return m_prjMgr && m_prjMgr->IsBuilt();
}

void CFrameCore::Close()
{
    FlushDisplay();
    // The question whether to save the changed project comes here, before
    // the tool configuration is written, once the project manager asks it.
    if (m_prjMgr)
        m_prjMgr->SaveCfg();
    m_frame.UnloadFon();
    m_startSel.CloseDb();
}

void CFrameCore::FlushDisplay()
{
    if (m_viewDc != nullptr)
        m_viewDc->SavTxtRows();
}

void CFrameCore::DropCurNav()
{
    if (m_curNav)
        m_dropped.push_back(std::move(m_curNav));
}

void CFrameCore::FreeDropped()
{
    m_dropped.clear();
}

void CFrameCore::SetListType(int listType, int startIdx)
{
    // The typed rows belong to the text of the navigator being replaced.
    FlushDisplay();
    m_listType = listType;
    DropCurNav();
    if (CoreHasNavigator(listType) && m_navFactory)
        m_curNav = m_navFactory(listType, *this);
    if (m_curNav)
        m_curNav->SetActive(startIdx, false);
    m_window.RepaintDisplay();
}

void CFrameCore::ResetViews()
{
    // The rows' text went with the project.
    if (m_viewDc != nullptr)
        m_viewDc->Unload();
    SetListType(0, -1);
    m_window.RepaintDisplay();
    LogLine(kLogInfo, "Projekt wurde entladen: %s", m_frame.GetPrjPath().c_str());
    LogLine(kLogInfo, "Es ist kein Projekt geladen");
    if (m_viewLst != nullptr)
        for (int mode : kCoreDeactivateOrder)
            m_viewLst->DeactivateProvider(mode);
    m_frame.SetPrjPath("");
    if (m_viewTree != nullptr)
        m_viewTree->BuildTree();
}

void CFrameCore::RefreshAfterLoad()
{
    // The rows' text went with the previous project.
    if (m_viewDc != nullptr)
        m_viewDc->Unload();
    DropCurNav();
    if ((m_frame.GetStateFlags() & CFrameState::kStateProjectLoaded) == 0) {
        if (m_viewTree != nullptr)
            m_viewTree->BuildTree();
        return;
    }
    // The root shows the project's own file name; the open dialog's last
    // title is stale after a read-back.
    if (m_viewTree != nullptr)
        m_viewTree->RebuildTree(std::filesystem::path(m_frame.GetPrjPath()).filename().string());
    OpenOpTexts();
    if (m_viewLst != nullptr) {
        m_viewLst->SetListMode(IViewLst::kModeVars);
        m_viewLst->SetVarProvider(0);
        m_viewLst->ActivateProvider(IViewLst::kModeVars);
    }
    LogLineId(kLogInfo, msg::kProjektWurdeGeladen, m_frame.GetPrjPath().c_str());
}

void CFrameCore::OpenOpTexts()
{
    SetListType(2, 0);
    if (m_viewDc != nullptr)
        m_viewDc->RedrawParts(kCoreRedrawOpTexts);
}

FileAsk ProjectFileAsk(int appRow, const std::string& lastFilePath, const std::string& programDir)
{
    FileAsk ask;
    std::string sample;
    if (appRow >= 0 && static_cast<size_t>(appRow) < kCoreAppFiles.size()) {
        const CoreAppFiles& files = kCoreAppFiles[static_cast<size_t>(appRow)];
        sample = files.sample;
        ask.filter = files.filter;
        ask.defSuffix = files.suffix;
    }
    ask.initial = lastFilePath.empty() ? programDir + sample : lastFilePath;
    return ask;
}

std::string CFrameCore::ChooseProjectFile()
{
    const FileAsk ask = ProjectFileAsk(m_startSel.GetAppIdx(), m_lastFilePath, GetProgramDir());
    std::string path;
    do {
        path = m_files.OpenFile(ask);
        if (path.empty())
            return {};
    } while (!CoreFileReadable(path));
    m_lastFilePath = path;
    m_lastFileTitle = std::filesystem::path(path).filename().string();
    return path;
}

FrameSnapshot CFrameCore::Snapshot() const
{
    FrameSnapshot s;
    s.hasPrjPath = !m_frame.GetPrjPath().empty();
    s.sourceEdit = m_frame.IsSourceEditMode();
    s.editorHoldsFile = !m_frame.GetSrcEditPath().empty();
    s.simDrvBound = m_prjMgr && m_prjMgr->IsSimDrvBound();
    s.devId = m_startSel.GetDevId();
    s.devTyp = m_startSel.Dev().devTyp;
    s.spsId = m_startSel.GetSpsId();
    s.txtHst = m_startSel.Dev().Offers(TxtKind::Hst);
    s.txtRcp = m_startSel.Dev().Offers(TxtKind::Rcp);
    s.bundleReady = IsBundleReady();
    s.hasListView = m_viewLst != nullptr;
    s.listStyle = m_viewLst != nullptr ? m_viewLst->GetStyle() : 0;
    for (size_t i = 0; i < kDlgIdCount; ++i)
        s.dialogs.set(i, m_dialogs.IsAvailable(static_cast<DlgId>(i)));
    return s;
}

CommandState CFrameCore::StateOf(uint32_t id) const
{
    return CommandStateOf(id, Snapshot());
}

bool CFrameCore::Execute(uint32_t id)
{
    const CommandRow* row = FindCommandRow(id);
    if (row == nullptr || !EvalCommand(*row, Snapshot()).enabled)
        return false;
    (this->*row->handler)(row->arg);
    // A navigator replaced during the command may have been the caller.
    FreeDropped();
    return true;
}

void CFrameCore::OnTextList(int listType)
{
    if (m_viewLst != nullptr)
        m_viewLst->SetListMode(IViewLst::kModeTexts);
    SetListType(listType, 0);
    if (m_viewLst != nullptr)
        m_viewLst->ActivateProvider(IViewLst::kModeTexts);
}

void CFrameCore::OnVarList(int kind)
{
    if (m_viewLst == nullptr)
        return;
    m_viewLst->SetListMode(IViewLst::kModeVars);
    m_viewLst->SetVarProvider(kind);
    m_viewLst->ActivateProvider(IViewLst::kModeVars);
}

void CFrameCore::OnListMode(int mode)
{
    if (m_viewLst == nullptr)
        return;
    m_viewLst->SetListMode(mode);
    m_viewLst->ActivateProvider(mode);
}

void CFrameCore::OnMenus(int)
{
    if (m_viewTree != nullptr)
        m_viewTree->MnuSelectedFirst();
}

void CFrameCore::OnDialog(int dlg)
{
    m_dialogs.Run(static_cast<DlgId>(dlg));
}

void CFrameCore::OnSearch(int mode)
{
    m_dialogs.RunSearch(mode);
}

void CFrameCore::OnLanguage(int)
{
    if (m_dialogs.Run(DlgId::Lang))
        m_window.RebuildMenuTexts();
}

void CFrameCore::OnFirmware(int)
{
    m_prjMgr->LogFirmware();
}

void CFrameCore::OnTestMode(int)
{
    // Shows the binding as its check mark and changes nothing.
}

void CFrameCore::OnListStyle(int style)
{
    if (m_viewLst != nullptr)
        m_viewLst->SetStyle(style);
}

} // namespace orv
