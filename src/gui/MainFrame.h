// The Qt main window at the top of the program, which is also the frame state
// the model layer reads.
#pragma once

#include "dialogs/KeptDialogs.h"
#include "gui/QtFilePrompt.h"
#include "model/core/FrameState.h"
#include "workspace/FrameWindow.h"
#include "workspace/MenuModel.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QSplitter;
class QToolBar;

namespace orv {

class CDlgSearch;
class CFrameCore;
class CViewDc;
class CViewLst;
class CViewTree;
class CViewLog;
class CViewLogSearch;
class IQtPrintView;

// The program's main window: menus, tool bar with the three selection fields,
// status bar, and the four panes (project tree, display editor over list
// view, log). It is also the program-wide frame state that model code reads;
// its commands run in the frame core, which it owns.
class CMainFrame final : public QMainWindow, public CFrameState, public IFrameWindow {
    Q_OBJECT
public:
    // Command ids the frame handles itself.
    enum : uint32_t {
        kCmdNextPane = 57680,
        kCmdPrevPane = 57681,
        kCmdAbout = 57664,
        kCmdExit = 57665,
        kCmdUndo = 57643,
        kCmdCut = 57635,
        kCmdCopy = 57634,
        kCmdPaste = 57637,
        kCmdToolBar = 59392,
        kCmdStatusBar = 59393,
        kCmdClearLog = 32804,
        kCmdLogErrors = 33263,
        kCmdLogInfo = 33260,
        kCmdLogDebug = 33261,
        kCmdLogDebugExt = 33262,
    };

    // Reads the log level and the language from ORVtool.ini, registers
    // itself as the program's frame and opens the start-selection database.
    // The factory makes the kept dialogs when the frame is created.
    explicit CMainFrame(KeptDialogFactory dialogFactory = MakeKeptDialog);
    // The frame core (navigator, then project manager), the kept dialogs,
    // then the serial link library.
    ~CMainFrame() override;

    // Binds the serial link library, checks the command line (the arguments
    // after the program name, as main() received them), builds the bars, the
    // menus and the panes, starts the project manager and creates the kept
    // dialogs. False when the program must end.
    bool Create(const std::vector<std::string>& args);
    // Places the window as ORVtool.ini says, shows it and sizes the panes.
    void PlaceAndShow();

    // The panes; the tree and the list view are placeholders without views
    // yet, so their accessors give null.
    CViewTree* GetViewTree() const { return m_viewTree; }
    CViewDc* GetViewDc() const { return m_viewDc; }
    CViewLst* GetViewLst() const { return m_viewLst; }
    CViewLog* GetViewLog() const { return m_log; }
    // Pane i in focus order: tree, display editor, list view, log.
    QWidget* Pane(int i) const { return m_panes.at(static_cast<size_t>(i)); }

    // The available screen size at construction.
    float ScreenWidth() const { return m_screenWidth; }
    float ScreenHeight() const { return m_screenHeight; }

    void SetPrjPath(const std::string& path) override;
    void SetSourceEditMode(bool on) override;
    void UpdateTitle() override;
    // Rewrites the menu texts in the current language.
    void RebuildMenuTexts() override;
    void RepaintDisplay() override;
    void RequestClose() override;
    void SetSimPolling(bool on) override;
    void Print(int job) override;
    // Fills the tool bar's panel, PLC and driver fields (cp1252).
    void SetSelectionFields(std::string_view panel, std::string_view plc, std::string_view driver) override;

    // Status bar pane i (0 the message pane, 1 OVR), or null.
    QLabel* PaneLabel(int pane) const;
    void SetPaneText(const QString& text);

    QAction* Action(uint32_t id) const;
    QToolBar* ToolBar() const { return m_toolBar; }

    CFrameCore& Core() { return *m_core; }
    // The view whose picture the print commands print; null for none.
    void SetPrintView(IQtPrintView* view);
    // The program's one printer, made when first asked for.
    QPrinter& Printer();
    const CKeptDialogs* KeptDialogs() const { return m_kept.get(); }
    CDlgSearch* SearchDialog() const { return m_search.get(); }
    // Enables and checks the table's commands from the frame's state.
    void UpdateCommandStates();

protected:
    void closeEvent(QCloseEvent* event) override;
    void OnScreenFontChanged() override;

private:
    void BuildMenus();
    void BuildMenu(QMenu* parent, const orv::MenuEntry& entry);
    void ApplyMenuTexts();
    void BuildToolBar();
    void BuildStatusBar();
    void BuildClient();
    void ShowStartedProject();
    void SizePanes();
    void WireCommands();
    void WireTableCommands();
    void AddAccelerator(uint32_t id, const std::vector<std::string>& keys);
    void OnFocusChanged();
    void CyclePaneFocus(int step);
    void ChooseLogLevel(int level);
    void CheckLogLevel();

    std::optional<ScopedMainFrame> m_registration;
    KeptDialogFactory m_dialogFactory;
    CQtDlgRunner m_dlgRunner;
    CQtFilePrompt m_filePrompt{this};
    std::unique_ptr<CFrameCore> m_core;
    // Runs the simulation's poll step while the simulation runs.
    QTimer m_simTimer;
    IQtPrintView* m_printView = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<CKeptDialogs> m_kept;
    float m_screenWidth = 0;
    float m_screenHeight = 0;

    orv::CMenuModel m_menu;
    std::vector<std::pair<QAction*, const orv::MenuEntry*>> m_menuTexts;
    std::map<uint32_t, QAction*> m_actions;
    QActionGroup* m_logLevels = nullptr;

    QToolBar* m_toolBar = nullptr;
    std::array<QLineEdit*, 3> m_fields{};
    QLabel* m_pane0 = nullptr;
    QLabel* m_ovr = nullptr;

    QSplitter* m_outer = nullptr;
    QSplitter* m_leftRight = nullptr;
    QSplitter* m_right = nullptr;
    std::array<QWidget*, 4> m_panes{};
    CViewLog* m_log = nullptr;
    CViewDc* m_viewDc = nullptr;
    CViewLst* m_viewLst = nullptr;
    CViewTree* m_viewTree = nullptr;
    // The search dialog, built with the frame, and the log view as the
    // editor it searches.
    std::unique_ptr<CDlgSearch> m_search;
    std::unique_ptr<CViewLogSearch> m_logSearch;
};

} // namespace orv
