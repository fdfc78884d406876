// The main frame's logic without a window: it owns the project manager, the
// start selection and the current navigator, runs the commands and keeps the
// views in step with the project.
#pragma once

#include "workspace/FilePrompt.h"
#include "workspace/FrameCommands.h"
#include "workspace/StartSel.h"
#include "workspace/forms/DlgSearchForm.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orv {

class CDlgRunner;
class CFrameState;
class CObjNav;
class CPrjMgr;
class IFrameWindow;
class IViewDc;
class IViewLst;
class IViewPrint;
class IViewTree;

// The open dialog's offer for a project file: by the application row the
// sample beside the program, its filter and suffix; the last file chosen, when
// there is one, as the initial file.
FileAsk ProjectFileAsk(int appRow, const std::string& lastFilePath, const std::string& programDir);

class CFrameCore {
public:
    // Makes the navigator of a list type that has one.
    using NavFactory = std::function<std::unique_ptr<CObjNav>(int listType, CFrameCore& core)>;
    // What the simulation's poll step reads: the project manager's poll
    // (true while the simulation runs) and its simulated data words.
    struct SimSource {
        std::function<bool()> poll;
        std::function<uint16_t(uint16_t wordNo)> word;
    };

    // Opens the start-selection database of the program directory and
    // registers the selection with the frame.
    CFrameCore(CFrameState& frame, IFrameWindow& window, CDlgRunner& dialogs, CFilePrompt& files);
    // The current navigator goes first: it points into the project.
    ~CFrameCore();
    CFrameCore(const CFrameCore&) = delete;
    CFrameCore& operator=(const CFrameCore&) = delete;

    // Creates the project manager and runs its initialisation; after a
    // failed one (which showed its messages) the frame stays without a
    // project and the views empty, otherwise the operator texts open.
    void Start();
    // Init succeeded and the bundle exists.
    bool IsBundleReady() const;
    // The window closes: the typed rows into their text, the tool
    // configuration, the screen font and the database.
    void Close();

    CFrameState& Frame() { return m_frame; }
    IFrameWindow& Window() { return m_window; }
    CPrjMgr* GetPrjMgr() const { return m_prjMgr.get(); }
    CStartSel& GetStartSel() { return m_startSel; }
    CObjNav* GetCurNav() const { return m_curNav.get(); }
    int GetListType() const { return m_listType; }
    const std::string& GetLastFilePath() const { return m_lastFilePath; }
    const std::string& GetLastFileTitle() const { return m_lastFileTitle; }

    // The views register themselves; a call through a missing view is skipped.
    void SetViewDc(IViewDc* view) { m_viewDc = view; }
    void SetViewLst(IViewLst* view) { m_viewLst = view; }
    void SetViewTree(IViewTree* view) { m_viewTree = view; }
    void SetViewPrint(IViewPrint* view) { m_viewPrint = view; }
    IViewDc* GetViewDc() const { return m_viewDc; }
    IViewLst* GetViewLst() const { return m_viewLst; }
    IViewTree* GetViewTree() const { return m_viewTree; }
    // The dialogs that navigators and list providers run.
    CDlgRunner& GetDlgRunner() const { return m_dialogs; }
    // The search dialog's flags and histories, kept for the program's life,
    // and the source editor it works on (null while there is none).
    CDlgSearchForm& GetSearchForm() { return m_searchForm; }
    void SetSearchEditor(ISearchEditor* editor) { m_searchEditor = editor; }
    ISearchEditor* GetSearchEditor() const { return m_searchEditor; }
    IViewPrint* GetViewPrint() const { return m_viewPrint; }
    void SetNavFactory(NavFactory factory) { m_navFactory = std::move(factory); }
    // Replaces the project manager as the poll step's source.
    void SetSimSource(SimSource source) { m_simSource = std::move(source); }

    // Stores the list type and makes its navigator current (none for a type
    // without one), activated at the start index.
    void SetListType(int listType, int startIdx);
    // The project is gone from the views (after New and the start selection).
    void ResetViews();
    // The views show the project just loaded.
    void RefreshAfterLoad();
    void OpenOpTexts();
    // Asks for an existing project file to open; "" when cancelled.
    std::string ChooseProjectFile();
    // The current navigator leaves the frame; it is freed once the running
    // command returned.
    void DropCurNav();
    // Writes the display editor's rows into the text they came from.
    void FlushDisplay();

    FrameSnapshot Snapshot() const;
    CommandState StateOf(uint32_t id) const;
    // Runs the command's handler when the command is enabled; false when it
    // is not.
    bool Execute(uint32_t id);

    // Handlers of the command table.
    void OnTextList(int listType);
    void OnVarList(int kind);
    void OnListMode(int mode);
    void OnMenus(int);
    void OnDialog(int dlg);
    void OnSearch(int mode);
    void OnLanguage(int);
    void OnFirmware(int);
    void OnTestMode(int);
    void OnListStyle(int style);
    void OnNew(int);
    void OnOpen(int);
    void OnAppend(int);
    void OnSave(int);
    void OnSaveAs(int);
    void OnStartSel(int);
    void OnPrjSource(int);
    void OnCompile(int);
    void OnTransmit(int);
    void OnReceive(int);
    void OnSimulation(int);
    // Print, preview or print setup (IFrameWindow::PrintJob).
    void OnPrint(int job);

    // One step of the running simulation, every 50 ms: the worker's
    // messages, then the changed data words into the transfer area. False
    // once the simulation stopped.
    bool PollSimStep();

private:
    void FreeDropped();
    // The views show the project; the "geladen" line only after a load.
    void RefreshViews(bool announceLoad);
    // The selection is unset: its fatal box, and the frame closes.
    bool StartSelUnset();
    // False when the user declined the save question.
    bool SaveQuestionPassed();
    // The end of the poll step, by the command or by the simulation itself.
    void EndSimPolling();

    CFrameState& m_frame;
    IFrameWindow& m_window;
    CDlgRunner& m_dialogs;
    CFilePrompt& m_files;
    CStartSel m_startSel;
    std::unique_ptr<CPrjMgr> m_prjMgr;
    std::unique_ptr<CObjNav> m_curNav;
    // Navigators replaced or dropped while a command runs.
    std::vector<std::unique_ptr<CObjNav>> m_dropped;
    NavFactory m_navFactory;
    int m_listType = 0;
    std::string m_lastFilePath;
    std::string m_lastFileTitle;
    IViewDc* m_viewDc = nullptr;
    IViewLst* m_viewLst = nullptr;
    IViewTree* m_viewTree = nullptr;
    IViewPrint* m_viewPrint = nullptr;
    SimSource m_simSource;
    bool m_simPolling = false;
    CDlgSearchForm m_searchForm;
    ISearchEditor* m_searchEditor = nullptr;
};

} // namespace orv
