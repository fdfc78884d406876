#include "GuiTestSupport.h"

#include "gui/ViewLog.h"

#include "link/RecordChooser.h"
#include "workspace/FrameCore.h"
#include "workspace/PrjMgr.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <filesystem>

using namespace orv;

namespace {

std::vector<std::string> g_keptTrace;

// A kept dialog that records its creation, its runs and its deletion, and
// accepts when run.
class FakeKeptDialog : public QDialog {
public:
    explicit FakeKeptDialog(DlgId slot) : m_slot(static_cast<int>(slot))
    {
        g_keptTrace.push_back("new " + std::to_string(m_slot));
    }
    ~FakeKeptDialog() override { g_keptTrace.push_back("delete " + std::to_string(m_slot)); }
    int exec() override
    {
        g_keptTrace.push_back("exec " + std::to_string(m_slot));
        return QDialog::Accepted;
    }

protected:
    int m_slot;
};

// The record dialog, which chooses records for the link.
class FakeRecordDialog final : public FakeKeptDialog, public IRecordChooser {
public:
    FakeRecordDialog() : FakeKeptDialog(DlgId::RecordSel) {}
    ~FakeRecordDialog() override
    {
        g_keptTrace.push_back(&GetRecordChooser() == this ? "still the chooser" : "no longer the chooser");
    }
    CRecordSelForm& Form() override { return m_form; }
    bool Run() override { return false; }

private:
    CRecordSelForm m_form;
};

std::unique_ptr<QDialog> FakeKeptFactory(DlgId slot, CFrameCore&)
{
    if (slot == DlgId::RecordSel)
        return std::make_unique<FakeRecordDialog>();
    return std::make_unique<FakeKeptDialog>(slot);
}

TEST(gui_main_frame_commands, ComesUpOnTheShippedDirectory)
{
    FrameHarness h;
    CMainFrame& frame = h.Start();
    ASSERT_TRUE(frame.Core().IsBundleReady());
    EXPECT_EQ(frame.Core().GetListType(), 2);
    const auto& fields = frame.GetSelectionFields();
    const std::array<const char*, 3> names = {"field33224", "field32776", "field33225"};
    for (size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i]);
        auto* field = frame.findChild<QLineEdit*>(QString::fromLatin1(names[i]));
        ASSERT_NE(field, nullptr);
        EXPECT_FALSE(fields[i].empty());
        EXPECT_EQ(field->text().toStdString(), fields[i]);
    }
    // A dialog not built yet greys its command, as do the recent-file list
    // and the commands without a handler; the small dialogs exist.
    for (uint32_t id : {57616u, 33240u, 33250u})
        EXPECT_FALSE(frame.Action(id)->isEnabled()) << id;
    for (uint32_t id : {32794u, 32795u, 32805u, 32797u, 33102u, 33237u, 33100u, 33272u, 33271u, 32784u, 32785u, 33101u})
        EXPECT_TRUE(frame.Action(id)->isEnabled()) << id;
    EXPECT_TRUE(frame.Action(59411)->isEnabled()) << "the list view takes its styles";
}

// The last project of "ORVPRO.INI" comes up loaded, and the title says so:
// the first load sets the path before it marks the project loaded.
TEST(gui_main_frame_commands, ComesUpWithTheLastProjectNamedInTheTitle)
{
    FrameHarness h;
    const std::string sample = h.UseSampleAsLastProject();

    CMainFrame& frame = h.Start();
    ASSERT_TRUE(frame.Core().IsBundleReady());
    EXPECT_EQ(frame.GetPrjPath(), sample);
    EXPECT_NE(frame.GetStateFlags() & CFrameState::kStateProjectLoaded, 0u);
    EXPECT_NE(frame.windowTitle().toStdString().find("demo043.orv"), std::string::npos)
        << frame.windowTitle().toStdString();
}

TEST(gui_main_frame_commands, KeptDialogsInTableOrderAndTheRecordChooser)
{
    g_keptTrace.clear();
    FrameHarness h;
    CMainFrame& frame = h.Start(FakeKeptFactory);
    std::vector<std::string> made;
    for (int slot = 0; slot < static_cast<int>(kKeptDlgCount); ++slot)
        made.push_back("new " + std::to_string(slot));
    EXPECT_EQ(g_keptTrace, made);
    EXPECT_EQ(static_cast<QDialog*>(dynamic_cast<FakeRecordDialog*>(&GetRecordChooser())),
              frame.KeptDialogs()->Get(DlgId::RecordSel));

    // The menu reaches the handler, which runs the dialog.
    g_keptTrace.clear();
    QAction* options = frame.Action(33271);
    ASSERT_TRUE(options->isEnabled());
    options->trigger();
    EXPECT_EQ(g_keptTrace, std::vector<std::string>{"exec 12"});

    g_keptTrace.clear();
    h.Stop();
    std::vector<std::string> deleted;
    for (int slot = 0; slot < static_cast<int>(kKeptDlgCount); ++slot) {
        if (slot == static_cast<int>(DlgId::RecordSel))
            deleted.push_back("no longer the chooser");
        deleted.push_back("delete " + std::to_string(slot));
    }
    EXPECT_EQ(g_keptTrace, deleted);
}

TEST(gui_main_frame_commands, MenuActionsReachTheirHandlers)
{
    FrameHarness h;
    CMainFrame& frame = h.Start();
    frame.Action(32795)->trigger();
    EXPECT_EQ(frame.Core().GetListType(), 3);
    frame.Action(33244)->trigger();
    EXPECT_EQ(frame.Core().GetListType(), 18);
    EXPECT_EQ(frame.Core().GetCurNav(), nullptr);
}

TEST(gui_main_frame_commands, MissingFontGreysTheProjectCommands)
{
    FrameHarness h;
    std::filesystem::remove(h.home.File("CFG/ORV/ALT.FON"));
    QString shown;
    OnNextModal([&](QWidget* w) {
        for (QLabel* label : w->findChildren<QLabel*>())
            shown += label->text();
        static_cast<QDialog*>(w)->accept();
    });
    CMainFrame& frame = h.Start();
    EXPECT_TRUE(shown.contains(QString::fromStdString(h.home.File("CFG/ORV/ALT.FON")))) << shown.toStdString();
    EXPECT_FALSE(frame.Core().IsBundleReady());
    for (uint32_t id : {32794u, 32805u, 32797u, 32800u, 33102u, 33264u})
        EXPECT_FALSE(frame.Action(id)->isEnabled()) << id;
    EXPECT_TRUE(frame.Action(33237)->isEnabled());
    EXPECT_TRUE(frame.Action(57665)->isEnabled()) << "Beenden";
    frame.close();
}

// "Compilieren" from the menu builds the sample's image beside it, and the
// title keeps naming the project.
TEST(gui_main_frame_commands, CompileFromTheMenuWritesTheImage)
{
    FrameHarness h;
    const std::string sample = h.UseSampleAsLastProject();
    CMainFrame& frame = h.Start();
    ASSERT_EQ(frame.GetPrjPath(), sample);
    const std::filesystem::path image = std::filesystem::path(sample).replace_extension(".BIN");
    ASSERT_FALSE(std::filesystem::exists(image));

    QAction* compile = frame.Action(32782);
    ASSERT_TRUE(compile->isEnabled());
    // The sample has no driver file beside it yet: the compile saves first.
    ModalBoxAnswers answers;
    compile->trigger();
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_EQ(answers.texts[0].rfind("Datensatz wird nun", 0), 0u) << answers.texts[0];
    EXPECT_GT(std::filesystem::file_size(image), 0u) << image;
    EXPECT_TRUE(frame.GetViewLog()->toPlainText().contains(
        QString::fromStdString("Projekt wurde compiliert: " + sample)))
        << frame.GetViewLog()->toPlainText().toStdString();
    EXPECT_NE(frame.windowTitle().toStdString().find("demo043.orv"), std::string::npos)
        << frame.windowTitle().toStdString();
}

} // namespace
