// Builds the main window's menus, tool bar, status bar and panes, and answers
// the frame state's questions from them.
#include "gui/MainFrame.h"

#include "dialogs/DlgSearch.h"
#include "dialogs/QtText.h"
#include "gui/DlgAbout.h"
#include "gui/Icons.h"
#include "gui/QtLanguage.h"
#include "gui/PrintView.h"
#include "gui/ViewDc.h"
#include "gui/ViewLst.h"
#include "gui/ViewTree.h"
#include "gui/ViewLog.h"
#include "gui/ViewLogSearch.h"
#include "link/SerLinkBinding.h"
#include "model/core/CatalogueIds.h"
#include "model/core/Log.h"
#include "model/core/ProgramIni.h"
#include "workspace/CommandLine.h"
#include "workspace/FrameCore.h"
#include "workspace/FrameTitle.h"
#include "workspace/MenuLanguage.h"
#include "workspace/ObjNav.h"
#include "workspace/WindowPlacement.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <filesystem>

namespace orv {

namespace {

QRect AvailableScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

// Tool bar resource 128: command ids in order, 0 a separator; the last three
// places hold the selection fields.
// The simulation's poll step runs this often while the user works.
constexpr int kSimPollMs = 50;

constexpr std::array<uint32_t, 17> kToolBarButtons = {
    32809, 32810, 32812, 0, 57635, 57634, 57637, 0, 57607, 0, 59409, 59408, 59410, 59411, 0, 57664, 0};

struct FieldPlace {
    uint32_t id;
    int width;
};
constexpr std::array<FieldPlace, 3> kFields = {{{33224, 80}, {32776, 180}, {33225, 180}}};

struct ButtonIcon {
    uint32_t id;
    const char* file;
};
constexpr std::array<ButtonIcon, 12> kIcons = {{
    {32809, "new"}, {32810, "open"}, {32812, "save"}, {57635, "cut"}, {57634, "copy"}, {57637, "paste"},
    {57607, "print"}, {59409, "view-icons"}, {59408, "view-small"}, {59410, "view-list"},
    {59411, "view-details"}, {57664, "about"}}};

QIcon IconOf(uint32_t id)
{
    for (const ButtonIcon& icon : kIcons)
        if (icon.id == id)
            return QIcon(QStringLiteral(":/icons/%1.xpm").arg(QLatin1String(icon.file)));
    return {};
}

} // namespace

CMainFrame::CMainFrame(KeptDialogFactory dialogFactory) : m_dialogFactory(std::move(dialogFactory))
{
    SetLogLevel(ReadGuiKey(GuiKey::LogLevel));
    const QRect screen = AvailableScreen();
    m_screenWidth = static_cast<float>(screen.width());
    m_screenHeight = static_cast<float>(screen.height());
    InitLangId(ReadGuiKey(GuiKey::LangId));
    ApplyQtLanguage(GetLangId());
    m_registration.emplace(*this);
    m_core = std::make_unique<CFrameCore>(*this, *this, m_dlgRunner, m_filePrompt);
    m_core->SetNavFactory(MakeObjNav);
    m_search = std::make_unique<CDlgSearch>(*m_core, this);
    m_dlgRunner.SetSearch(m_search.get());
    m_simTimer.setInterval(kSimPollMs);
    connect(&m_simTimer, &QTimer::timeout, this, [this] {
        m_core->PollSimStep();
        UpdateCommandStates();
    });
    InitIconResources();
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/orvtool.xpm")));
    setContextMenuPolicy(Qt::NoContextMenu);
}

CMainFrame::~CMainFrame()
{
    // Nothing may reach this frame while its parts go.
    m_registration.reset();
    disconnect(qApp, nullptr, this, nullptr);
    // The navigator and the project manager before the dialogs that show
    // their data; the link library last.
    m_simTimer.stop();
    // The display editor's rows are registered with the core: it goes first.
    SetPrintView(nullptr);
    delete m_viewDc;
    m_viewDc = nullptr;
    // The tree and the list view are registered too; the tree uses the list.
    delete m_viewTree;
    m_viewTree = nullptr;
    delete m_viewLst;
    m_viewLst = nullptr;
    // The search dialog and its editor work through the core.
    m_dlgRunner.SetSearch(nullptr);
    m_search.reset();
    m_core->SetSearchEditor(nullptr);
    m_logSearch.reset();
    m_core.reset();
    m_dlgRunner.SetKept(nullptr);
    m_kept.reset();
    orv::UnbindSerLink();
}

bool CMainFrame::Create(const std::vector<std::string>& args)
{
    orv::BindSerLink();
    if (!orv::CommandLineAllowsStart(args))
        return false;
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    BuildClient();
    WireCommands();
    orv::ApplyStartLanguage(m_menu, GetLangId());
    ApplyMenuTexts();
    UpdateTitle();
    LogLineId(kLogInfo, msg::kWillkommenZumORVtoolBetriebssystem, "Linux");
    m_core->Start();
    // The first load of the last project set the path before it marked the
    // project loaded.
    UpdateTitle();
    ShowStartedProject();
    m_kept = std::make_unique<CKeptDialogs>(m_dialogFactory, *m_core);
    m_dlgRunner.SetKept(m_kept.get());
    UpdateCommandStates();
    return true;
}

void CMainFrame::PlaceAndShow()
{
    const orv::MainPlacementKeys keys{ReadGuiKey(GuiKey::MainLeft), ReadGuiKey(GuiKey::MainTop),
                                      ReadGuiKey(GuiKey::MainWidth), ReadGuiKey(GuiKey::MainHeight)};
    const QRect avail = AvailableScreen();
    const orv::WindowRect r = orv::ComputeMainPlacement(keys, {avail.x(), avail.y(), avail.width(), avail.height()});
    // The keys place the outer frame, title bar and borders included: the
    // position is the frame's, and the size loses the borders once the window
    // system has drawn them.
    move(r.x, r.y);
    resize(std::max(1, r.w), std::max(1, r.h));
    show();
    const int extraW = frameGeometry().width() - geometry().width();
    const int extraH = frameGeometry().height() - geometry().height();
    if (extraW > 0 || extraH > 0)
        resize(std::max(1, r.w - extraW), std::max(1, r.h - extraH));
    if (layout() != nullptr)
        layout()->activate();
    SizePanes();
}

void CMainFrame::SetPrjPath(const std::string& path)
{
    CFrameState::SetPrjPath(path);
    UpdateTitle();
}

void CMainFrame::SetSourceEditMode(bool on)
{
    CFrameState::SetSourceEditMode(on);
    if (m_log != nullptr)
        m_log->SetSourceMode(on);
    OnFocusChanged();
}

void CMainFrame::UpdateTitle()
{
    setWindowTitle(QString::fromStdString(orv::MakeFrameTitle(GetPrjPath(), GetStateFlags())));
}

void CMainFrame::RebuildMenuTexts()
{
    ApplyQtLanguage(GetLangId());
    orv::RebuildMenuTexts(m_menu);
    ApplyMenuTexts();
}

void CMainFrame::RepaintDisplay()
{
    if (m_panes[1] != nullptr)
        m_panes[1]->update();
}

void CMainFrame::RequestClose()
{
    // After the command that asked has returned.
    QTimer::singleShot(0, this, &QWidget::close);
}

void CMainFrame::SetSimPolling(bool on)
{
    if (on)
        m_simTimer.start();
    else
        m_simTimer.stop();
}

void CMainFrame::SetPrintView(IQtPrintView* view)
{
    m_printView = view;
    m_core->SetViewPrint(view);
    UpdateCommandStates();
}

QPrinter& CMainFrame::Printer()
{
    // Made on first use: looking for printers can take a while.
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void CMainFrame::Print(int job)
{
    if (job == kPrintSetup) {
        QPageSetupDialog setup(&Printer(), this);
        setup.exec();
        return;
    }
    if (m_printView == nullptr)
        return;
    if (job == kPreview) {
        QPrintPreviewDialog preview(&Printer(), this);
        connect(&preview, &QPrintPreviewDialog::paintRequested, this,
                [this](QPrinter* printer) { PrintViewOnPage(*m_printView, *printer); });
        preview.exec();
        return;
    }
    QPrintDialog ask(&Printer(), this);
    if (ask.exec() == QDialog::Accepted)
        PrintViewOnPage(*m_printView, Printer());
}

void CMainFrame::UpdateCommandStates()
{
    const FrameSnapshot snapshot = m_core->Snapshot();
    for (const CommandRow* row = CommandRowsBegin(); row != CommandRowsEnd(); ++row) {
        QAction* action = Action(row->id);
        if (action == nullptr)
            continue;
        const CommandState state = EvalCommand(*row, snapshot);
        action->setEnabled(state.enabled);
        action->setCheckable(state.checkable);
        if (state.checkable)
            action->setChecked(state.checked);
    }
}

void CMainFrame::SetSelectionFields(std::string_view panel, std::string_view plc, std::string_view driver)
{
    CFrameState::SetSelectionFields(panel, plc, driver);
    const std::array<std::string_view, 3> texts = {panel, plc, driver};
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i] != nullptr)
            m_fields[i]->setText(FromCp1252(texts[i]));
}

QLabel* CMainFrame::PaneLabel(int pane) const
{
    switch (pane) {
    case 0: return m_pane0;
    case 1: return m_ovr;
    default: return nullptr;
    }
}

void CMainFrame::SetPaneText(const QString& text)
{
    if (m_pane0 == nullptr)
        return;
    m_pane0->setText(text);
    m_pane0->repaint();
}

QAction* CMainFrame::Action(uint32_t id) const
{
    const auto it = m_actions.find(id);
    return it != m_actions.end() ? it->second : nullptr;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    m_core->Close();
    event->accept();
}

void CMainFrame::OnScreenFontChanged()
{
    for (QWidget* pane : m_panes)
        if (pane != nullptr)
            pane->update();
}

void CMainFrame::BuildMenus()
{
    m_menu = orv::LoadMainMenu();
    for (const orv::MenuEntry& popup : m_menu.Bar()) {
        QMenu* menu = menuBar()->addMenu(QString());
        m_menuTexts.emplace_back(menu->menuAction(), &popup);
        for (const orv::MenuEntry& entry : popup.children)
            BuildMenu(menu, entry);
    }
    for (const orv::MenuAccel& accel : m_menu.ExtraAccels()) {
        auto* action = new QAction(this);
        action->setData(accel.id);
        addAction(action);
        m_actions[accel.id] = action;
        AddAccelerator(accel.id, accel.keys);
    }
}

void CMainFrame::BuildMenu(QMenu* parent, const orv::MenuEntry& entry)
{
    switch (entry.kind) {
    case orv::MenuEntry::Kind::Separator:
        parent->addSeparator();
        break;
    case orv::MenuEntry::Kind::Popup: {
        QMenu* sub = parent->addMenu(QString());
        m_menuTexts.emplace_back(sub->menuAction(), &entry);
        for (const orv::MenuEntry& child : entry.children)
            BuildMenu(sub, child);
        break;
    }
    case orv::MenuEntry::Kind::Command: {
        auto* action = new QAction(this);
        action->setData(entry.id);
        action->setEnabled(false);  // until a handler is wired
        parent->addAction(action);
        m_actions[entry.id] = action;
        m_menuTexts.emplace_back(action, &entry);
        // The state of the commands is brought up to date when a menu opens.
        connect(parent, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates, Qt::UniqueConnection);
        AddAccelerator(entry.id, entry.keys);
        break;
    }
    }
}

void CMainFrame::AddAccelerator(uint32_t id, const std::vector<std::string>& keys)
{
    QList<QKeySequence> sequences;
    for (const std::string& key : keys)
        sequences.append(QKeySequence::fromString(QString::fromStdString(key), QKeySequence::PortableText));
    if (sequences.isEmpty())
        return;
    QAction* action = m_actions.at(id);
    action->setShortcuts(sequences);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);  // keys work while the menu bar is hidden too
}

void CMainFrame::ApplyMenuTexts()
{
    for (const auto& [action, entry] : m_menuTexts)
        action->setText(QString::fromStdString(entry->text));
}

void CMainFrame::BuildToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("ORVtool"));
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setIconSize(QSize(16, 15));
    for (uint32_t id : kToolBarButtons) {
        if (id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = Action(id);
        if (action == nullptr) {
            action = new QAction(this);
            action->setData(id);
            action->setEnabled(false);
            m_actions[id] = action;
        }
        action->setIcon(IconOf(id));
        m_toolBar->addAction(action);
    }
    for (size_t i = 0; i < kFields.size(); ++i) {
        if (i > 0)
            m_toolBar->addSeparator();
        auto* field = new QLineEdit(m_toolBar);
        field->setObjectName(QStringLiteral("field%1").arg(kFields[i].id));
        field->setFixedWidth(kFields[i].width);
        QAction* place = m_toolBar->addWidget(field);
        place->setData(kFields[i].id);
        place->setEnabled(false);  // the tool bar enables a field with its place
        m_fields[i] = field;
    }
}

void CMainFrame::BuildStatusBar()
{
    m_pane0 = new QLabel(LangText(msg::kBereit));
    m_pane0->setObjectName(QStringLiteral("pane0"));
    m_pane0->setMinimumWidth(1);
    m_ovr = new QLabel(QStringLiteral("OVR"));
    m_ovr->setObjectName(QStringLiteral("paneOvr"));
    m_ovr->setEnabled(false);
    // Permanent widgets: a temporary message would hide the progress bar.
    statusBar()->addPermanentWidget(m_pane0, 1);
    statusBar()->addPermanentWidget(m_ovr);
}

void CMainFrame::ShowStartedProject()
{
    // The tree's first update: it shows the project the start loaded, and
    // the list view its variables, as after a load.
    if ((GetStateFlags() & kStateProjectLoaded) == 0) {
        m_viewTree->Core().BuildTree();
        return;
    }
    m_viewTree->Core().RebuildTree(std::filesystem::path(GetPrjPath()).filename().string());
    CViewLstCore& lst = m_viewLst->Core();
    lst.SetListMode(IViewLst::kModeVars);
    lst.SetVarProvider(0);
    lst.ActivateProvider(IViewLst::kModeVars);
}

void CMainFrame::BuildClient()
{
    m_outer = new QSplitter(Qt::Vertical, this);
    m_outer->setObjectName(QStringLiteral("outerSplitter"));
    m_leftRight = new QSplitter(Qt::Horizontal, m_outer);
    m_leftRight->setObjectName(QStringLiteral("leftRightSplitter"));
    // The tree reaches the list view's providers: the list view comes first.
    m_viewLst = new CViewLst(*m_core);
    m_viewTree = new CViewTree(*m_core, m_viewLst->Core());
    m_panes[0] = m_viewTree;
    m_leftRight->addWidget(m_panes[0]);
    m_right = new QSplitter(Qt::Vertical, m_leftRight);
    m_right->setObjectName(QStringLiteral("rightSplitter"));
    m_viewDc = new CViewDc(*m_core, m_ovr);
    m_panes[1] = m_viewDc;
    SetPrintView(m_viewDc);
    m_panes[2] = m_viewLst;
    m_right->addWidget(m_panes[1]);
    m_right->addWidget(m_panes[2]);
    m_log = new CViewLog;
    m_panes[3] = m_log;
    m_logSearch = std::make_unique<CViewLogSearch>(*m_log);
    m_core->SetSearchEditor(m_logSearch.get());
    m_outer->addWidget(m_log);
    for (QSplitter* s : {m_outer, m_leftRight, m_right})
        s->setChildrenCollapsible(true);
    m_leftRight->setStretchFactor(1, 1);
    m_right->setStretchFactor(1, 1);
    m_outer->setStretchFactor(1, 1);
    setCentralWidget(m_outer);
}

void CMainFrame::SizePanes()
{
    const int h = static_cast<int>(m_screenHeight);
    const int w = static_cast<int>(m_screenWidth);
    auto split = [](QSplitter* s, int first) {
        const int total = (s->orientation() == Qt::Vertical ? s->height() : s->width()) - s->handleWidth();
        const int clamped = std::clamp(first, 0, std::max(0, total));
        s->setSizes({clamped, std::max(0, total - clamped)});
    };
    split(m_outer, orv::ScaleThousandths(ReadGuiKey(GuiKey::TextListHeight), h));
    if (layout() != nullptr)
        layout()->activate();
    split(m_leftRight, orv::ScaleThousandths(ReadGuiKey(GuiKey::TextWidth), w));
    split(m_right, orv::ScaleThousandths(ReadGuiKey(GuiKey::TextHeight), h));
}

void CMainFrame::WireCommands()
{
    auto wire = [this](uint32_t id, auto handler) {
        QAction* action = Action(id);
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, handler);
    };
    wire(kCmdAbout, [this] {
        CDlgAbout dlg(this);
        dlg.exec();
    });
    wire(kCmdExit, [this] { close(); });
    wire(kCmdClearLog, [this] { m_log->ClearText(); });
    wire(kCmdNextPane, [this] { CyclePaneFocus(1); });
    wire(kCmdPrevPane, [this] { CyclePaneFocus(-1); });

    wire(kCmdUndo, [this] { m_log->undo(); });
    wire(kCmdCut, [this] { m_log->cut(); });
    wire(kCmdCopy, [this] { m_log->copy(); });
    wire(kCmdPaste, [this] { m_log->paste(); });
    connect(qApp, &QApplication::focusChanged, this, &CMainFrame::OnFocusChanged);
    OnFocusChanged();

    QAction* toolBar = Action(kCmdToolBar);
    toolBar->setEnabled(true);
    toolBar->setCheckable(true);
    toolBar->setChecked(true);
    connect(toolBar, &QAction::triggered, m_toolBar, &QWidget::setVisible);
    connect(m_toolBar, &QToolBar::visibilityChanged, toolBar, &QAction::setChecked);
    QAction* status = Action(kCmdStatusBar);
    status->setEnabled(true);
    status->setCheckable(true);
    status->setChecked(true);
    connect(status, &QAction::triggered, statusBar(), &QWidget::setVisible);

    m_logLevels = new QActionGroup(this);
    m_logLevels->setExclusive(true);
    const std::array<uint32_t, 4> levels = {kCmdLogErrors, kCmdLogInfo, kCmdLogDebug, kCmdLogDebugExt};
    for (size_t level = 0; level < levels.size(); ++level) {
        QAction* action = Action(levels[level]);
        action->setEnabled(true);
        action->setCheckable(true);
        m_logLevels->addAction(action);
        connect(action, &QAction::triggered, this, [this, level] { ChooseLogLevel(static_cast<int>(level)); });
    }
    CheckLogLevel();
    WireTableCommands();
}

void CMainFrame::WireTableCommands()
{
    for (const CommandRow* row = CommandRowsBegin(); row != CommandRowsEnd(); ++row) {
        QAction* action = Action(row->id);
        if (action == nullptr)
            continue;
        const uint32_t id = row->id;
        connect(action, &QAction::triggered, this, [this, id] {
            m_core->Execute(id);
            // The tool bar's buttons follow every command.
            UpdateCommandStates();
        });
    }
}

void CMainFrame::OnFocusChanged()
{
    if (m_log == nullptr)
        return;
    const bool logFocused = QApplication::focusWidget() == m_log;
    const bool editable = logFocused && IsSourceEditMode();
    Action(kCmdCopy)->setEnabled(logFocused);
    Action(kCmdUndo)->setEnabled(editable);
    Action(kCmdCut)->setEnabled(editable);
    Action(kCmdPaste)->setEnabled(editable);
}

void CMainFrame::CyclePaneFocus(int step)
{
    const int count = static_cast<int>(m_panes.size());
    int current = -1;
    for (int i = 0; i < count; ++i)
        if (m_panes[static_cast<size_t>(i)]->hasFocus())
            current = i;
    const int next = current < 0 ? (step > 0 ? 0 : count - 1) : (current + step + count) % count;
    m_panes[static_cast<size_t>(next)]->setFocus(Qt::OtherFocusReason);
}

void CMainFrame::ChooseLogLevel(int level)
{
    SetLogLevel(level);
    WriteGuiKey(GuiKey::LogLevel, level);
    CheckLogLevel();
}

void CMainFrame::CheckLogLevel()
{
    const std::array<uint32_t, 4> levels = {kCmdLogErrors, kCmdLogInfo, kCmdLogDebug, kCmdLogDebugExt};
    const int level = GetLogLevel();
    if (level >= 0 && level < 4)
        Action(levels[static_cast<size_t>(level)])->setChecked(true);
}

} // namespace orv
