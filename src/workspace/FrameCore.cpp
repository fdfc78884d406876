// The main frame's commands and view resets, kept free of the window system so
// that tests drive them with fake views and dialogs.
#include "workspace/FrameCore.h"

#include "model/core/CatalogueIds.h"
#include "model/core/FrameState.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/core/SourceEdit.h"
#include "model/project/DrvParColl.h"
#include "model/project/DrvParItem.h"
#include "model/project/SpsPar.h"
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

// Save as offers both kinds of project file, either case of the extension.
constexpr const char* kCoreSaveAsFilter = "ORV Files (*.orv *.ORV);;TEQ Files (*.teq *.TEQ)";
constexpr const char* kCoreSaveAsSuffix = "orv";

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
    // The worker reads the project: it is stopped and joined before any of
    // it goes.
    if (m_prjMgr && m_prjMgr->IsSimRunning())
        m_prjMgr->EndApplication();
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
    // Yes saves; No closes without saving. Closing ends the simulation
    // without its closing line.
    m_simPolling = false;
    m_window.SetSimPolling(false);
    if (IsBundleReady())
        m_prjMgr->AskSaveChanges();
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
    RefreshViews(true);
}

void CFrameCore::RefreshViews(bool announceLoad)
{
    // The rows' text went with the previous project.
    if (m_viewDc != nullptr)
        m_viewDc->Unload();
    DropCurNav();
    if ((m_frame.GetStateFlags() & CFrameState::kStateProjectLoaded) == 0) {
        // A failed read-back emptied the project: no list and no display
        // may go on showing what it held.
        m_window.RepaintDisplay();
        if (m_viewLst != nullptr)
            for (int mode : kCoreDeactivateOrder)
                m_viewLst->DeactivateProvider(mode);
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
    if (announceLoad)
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
    s.simRunning = m_prjMgr && m_prjMgr->IsSimRunning();
    s.devId = m_startSel.GetDevId();
    s.devTyp = m_startSel.Dev().devTyp;
    s.spsId = m_startSel.GetSpsId();
    s.txtHst = m_startSel.Dev().Offers(TxtKind::Hst);
    s.txtRcp = m_startSel.Dev().Offers(TxtKind::Rcp);
    s.bundleReady = IsBundleReady();
    s.hasListView = m_viewLst != nullptr;
    s.listStyle = m_viewLst != nullptr ? m_viewLst->GetStyle() : 0;
    s.printableView = m_viewPrint != nullptr && m_viewPrint->CanPrint();
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
    // The dialog applies a language on the click, menus included; French
    // leaves the menus as they are, so OK must not rebuild them.
    m_dialogs.Run(DlgId::Lang);
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

bool CFrameCore::StartSelUnset()
{
    if (m_startSel.IsValid())
        return false;
    FatalStartSelNotSet();
    m_window.RequestClose();
    return true;
}

bool CFrameCore::SaveQuestionPassed()
{
    // The typed rows belong to what the question offers to save.
    FlushDisplay();
    return !IsBundleReady() || m_prjMgr->AskSaveChanges() != CPrjMgr::kAskDeclined;
}

void CFrameCore::OnNew(int)
{
    if (StartSelUnset() || !SaveQuestionPassed())
        return;
    if (IsBundleReady())
        m_prjMgr->NewPrj(true);
    DropCurNav();
    m_dialogs.Run(DlgId::StartSel);
    ResetViews();
}

void CFrameCore::OnStartSel(int)
{
    if (StartSelUnset() || !SaveQuestionPassed())
        return;
    // Escape keeps the project and its views.
    if (m_dialogs.Run(DlgId::StartSel))
        ResetViews();
}

void CFrameCore::OnOpen(int)
{
    const std::string path = ChooseProjectFile();
    if (path.empty())
        return;
    if (m_startSel.GetAppIdx() == 0) {
        LogLine(kLogErrors, "TEQ Project Datei laden - noch nicht implementiert");
        return;
    }
    FlushDisplay();
    const std::string oldPath = m_frame.GetPrjPath();
    m_frame.SetPrjPath(path);
    const CPrjMgr::LoadOutcome outcome = m_prjMgr->LoadPrj(path);
    if (outcome.result == 1) {
        m_window.UpdateTitle();
        RefreshAfterLoad();
    } else if (outcome.unchanged) {
        m_frame.SetPrjPath(oldPath);
        m_window.UpdateTitle();
    } else {
        // The project in memory is no longer the old file's: a save must
        // not write it over that file.
        m_frame.SetStateFlags(m_frame.GetStateFlags() & ~CFrameState::kStateProjectLoaded);
        ResetViews();
        m_window.UpdateTitle();
    }
}

void CFrameCore::OnAppend(int)
{
    const std::string path = ChooseProjectFile();
    if (path.empty())
        return;
    FlushDisplay();
    // The tree's items point into the menus the append replaced.
    if (m_prjMgr->AppendPrj(path) != CPrjMgr::kAppendRefused)
        RefreshViews(false);
}

void CFrameCore::OnSave(int)
{
    if (!m_frame.IsSourceEditMode()) {
        FlushDisplay();
        m_prjMgr->SavePrj();
        return;
    }
    // The file just written is the project now, whatever the frame's path
    // said before; the project in memory is older than it, so no question.
    const std::string path = m_frame.GetSrcEditPath();
    if (!SaveSrcEdit())
        return;
    m_prjMgr->NewPrj(false);
    m_frame.SetPrjPath(path);
    const CPrjMgr::LoadOutcome outcome = m_prjMgr->LoadPrj(path, CPrjMgr::LoadMode::Reload);
    if (outcome.result != 1 && !outcome.unchanged)
        m_frame.SetStateFlags(m_frame.GetStateFlags() & ~CFrameState::kStateProjectLoaded);
    m_window.UpdateTitle();
    RefreshAfterLoad();
}

void CFrameCore::OnSaveAs(int)
{
    FlushDisplay();
    FileAsk ask;
    ask.initial = m_frame.GetPrjPath();
    ask.filter = kCoreSaveAsFilter;
    ask.defSuffix = kCoreSaveAsSuffix;
    const std::string path = m_files.SaveFile(ask);
    if (path.empty())
        return;
    m_frame.SetPrjPath(path);
    // The project now has its file: the title names it and the exit
    // remembers it.
    if (m_prjMgr->SavePrj())
        m_frame.SetStateFlags(m_frame.GetStateFlags() | CFrameState::kStateProjectLoaded);
    m_window.UpdateTitle();
}

void CFrameCore::OnPrjSource(int)
{
    if (m_frame.GetPrjPath().empty()) {
        ShowMessageText("Kein Projekt Source File ausgewählt");
        return;
    }
    // The editor shows the file, not the changes in memory.
    if (!SaveQuestionPassed())
        return;
    LoadSrcEdit(1, 1);
}

void CFrameCore::OnCompile(int)
{
    if (m_frame.GetPrjPath().empty()) {
        ShowMessageText("Vor dem Compilieren muss ein Projekt geladen werden");
        return;
    }
    FlushDisplay();
    if (m_prjMgr->Compile())
        LogLine(kLogErrors, "Projekt wurde compiliert: %s", m_frame.GetPrjPath().c_str());
    m_window.UpdateTitle();
}

void CFrameCore::OnTransmit(int)
{
    if (m_frame.GetPrjPath().empty()) {
        ShowMessageText("Vor dem Transmit muss ein Projekt geladen werden");
        return;
    }
    FlushDisplay();
    m_prjMgr->Transmit();
    m_window.UpdateTitle();
}

void CFrameCore::OnReceive(int)
{
    FlushDisplay();
    const bool read = m_prjMgr->Receive() == CPrjMgr::kLinkDone;
    m_window.UpdateTitle();
    // A read-back the user declined changed nothing and loaded nothing; a
    // failed one took the project with it.
    if (read || (m_frame.GetStateFlags() & CFrameState::kStateProjectLoaded) == 0)
        RefreshAfterLoad();
}

void CFrameCore::OnSimulation(int)
{
    if (!m_prjMgr->IsSimDrvBound() && m_startSel.Dev().devTyp != "plus") {
        ShowMessageText("Simulationstreiber vorher binden (Startselektion)");
        return;
    }
    if (!m_prjMgr->IsSimRunning() && m_viewTree != nullptr)
        m_viewTree->ShowTransferArea();
    m_prjMgr->ToggleSimulation();
    if (!m_prjMgr->IsSimRunning()) {
        if (m_simPolling)
            EndSimPolling();
        return;
    }
    LogLine(kLogInfo, "Simulationsmodus wurde gestartet");
    m_simPolling = true;
    m_window.SetSimPolling(true);
}

void CFrameCore::OnPrint(int job)
{
    m_window.Print(job);
}

bool CFrameCore::PollSimStep()
{
    const bool running = m_simSource.poll ? m_simSource.poll() : m_prjMgr->PollSimulation();
    if (!running) {
        EndSimPolling();
        return false;
    }
    CSpsPar* spsPar = m_prjMgr ? m_prjMgr->GetSpsPar() : nullptr;
    if (spsPar == nullptr)
        return true;
    CDrvParColl& items = spsPar->GetItems();
    // The count is read anew after every item: a refreshed row may change
    // the list.
    for (int i = 0; i < items.GetCount(); ++i) {
        CDrvParItem* item = items.ItemAt(i);
        const uint16_t value =
            m_simSource.word ? m_simSource.word(item->GetNumber()) : m_prjMgr->GetSimWord(item->GetNumber());
        if (value == item->GetValue())
            continue;
        item->SetValue(value);
        if (m_viewLst != nullptr)
            m_viewLst->RefreshRow(IViewLst::kModePlcArea, i);
    }
    return true;
}

void CFrameCore::EndSimPolling()
{
    m_simPolling = false;
    m_window.SetSimPolling(false);
    LogLine(kLogInfo, "Simulationsmodus wurde beendet");
}

} // namespace orv
