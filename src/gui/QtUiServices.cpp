// Shows the model's boxes as Qt message boxes and routes log, status and editor
// calls to the main frame when one is registered.
#include "gui/QtUiServices.h"

#include "dialogs/ProjectDialogs.h"
#include "dialogs/QtText.h"
#include "gui/MainFrame.h"
#include "gui/QtProgressBar.h"
#include "gui/ViewLog.h"
#include "model/core/CatalogueIds.h"
#include "model/core/HelpPage.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QMessageBox>
#include <QStatusBar>
#include <QUrl>

#include <utility>

namespace orv {

namespace {

// Result of a box with only OK, and the error number of a help page that no
// program would open.
constexpr int kHelpNotOpened = 2;

QMessageBox::Icon QtUiServicesIconOf(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Warning: return QMessageBox::Warning;
    case MsgKind::InternalError: return QMessageBox::Critical;
    case MsgKind::PlainOk: return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

// The answers of a question in the menu language (0 German, 1 English,
// 2 French).
std::pair<QString, QString> QtUiServicesYesNo(int langId)
{
    switch (langId) {
    case 1: return {QStringLiteral("&Yes"), QStringLiteral("&No")};
    case 2: return {QStringLiteral("&Oui"), QStringLiteral("&Non")};
    default: return {QStringLiteral("&Ja"), QStringLiteral("&Nein")};
    }
}

} // namespace

CMainFrame* CQtUiServices::Frame()
{
    return dynamic_cast<CMainFrame*>(GetMainFrame());
}

int CQtUiServices::MessageBox(MsgKind kind, std::string_view caption, std::string_view text, int)
{
    QMessageBox box(QtUiServicesIconOf(kind), FromCp1252(caption), FromCp1252(text), QMessageBox::Ok, Frame());
    box.exec();
    return kBoxOk;
}

bool CQtUiServices::HintBox(std::string_view text, int helpPage)
{
    CDlgHint hint(text, helpPage, [](int page) { ShowHelpPage(page, 0); }, Frame());
    hint.exec();
    return hint.Again();
}

bool CQtUiServices::AskYesNo(std::string_view text, int)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("ORVtool"), FromCp1252(text),
                    QMessageBox::Yes | QMessageBox::No, Frame());
    // The question speaks the program's language; Qt's own buttons would
    // answer in English.
    const auto [yes, no] = QtUiServicesYesNo(Frame() != nullptr ? Frame()->GetLangId() : 0);
    box.button(QMessageBox::Yes)->setText(yes);
    box.button(QMessageBox::No)->setText(no);
    return box.exec() == QMessageBox::Yes;
}

void CQtUiServices::SetStatusText(std::string_view text)
{
    if (CMainFrame* frame = Frame())
        frame->SetPaneText(FromCp1252(text));
}

void CQtUiServices::AppendLog(std::string_view line)
{
    if (CMainFrame* frame = Frame(); frame != nullptr && frame->GetViewLog() != nullptr)
        frame->GetViewLog()->AppendLine(line);
}

void CQtUiServices::ClearLog()
{
    if (CMainFrame* frame = Frame(); frame != nullptr && frame->GetViewLog() != nullptr)
        frame->GetViewLog()->ClearText();
}

int CQtUiServices::OpenHelpPage(const std::string& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path))) ? 0 : kHelpNotOpened;
}

void CQtUiServices::LoadSourceEditor(std::string_view text, int line, int column)
{
    if (CMainFrame* frame = Frame(); frame != nullptr && frame->GetViewLog() != nullptr)
        frame->GetViewLog()->LoadSource(text, line, column);
}

bool CQtUiServices::GetSourceEditorText(std::string& text)
{
    CMainFrame* frame = Frame();
    if (frame == nullptr || frame->GetViewLog() == nullptr)
        return false;
    return frame->GetViewLog()->GetSourceText(text);
}

std::unique_ptr<CProgressBar> CQtUiServices::CreateProgressBar(std::string_view label, int sizePercent,
                                                              int rangeMax, bool smooth, int pane)
{
    CMainFrame* frame = Frame();
    QStatusBar* bar = frame != nullptr ? frame->statusBar() : nullptr;
    QLabel* paneLabel = frame != nullptr ? frame->PaneLabel(pane) : nullptr;
    return std::make_unique<CQtProgressBar>(bar, paneLabel, pane, LangText(msg::kBereit), label, sizePercent, rangeMax,
                                            smooth);
}

} // namespace orv
