// The whole program against the emulated panel and the test simulation
// library, driven through the frame's menu: the sample sent to a 043 panel
// and read back, and the simulation started and the window closed under it.
#include "GuiTestSupport.h"

#include "PanelScenario.h"
#include "gui/ViewLog.h"
#include "support/ConfigKit.h"
#include "support/EmuLinkFixture.h"
#include "support/EmulKit.h"
#include "support/ScopedEnv.h"
#include "workspace/FrameCore.h"
#include "workspace/PrjMgr.h"

#include <QAction>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

using namespace orv;

namespace {

// The state flag a transfer sets.
constexpr uint32_t kLinkTransferredFlag = 0x80;

// The log view's lines.
QStringList LinkLogLines(CMainFrame& frame)
{
    return frame.GetViewLog()->toPlainText().split(QLatin1Char('\n'));
}

// The process's threads but Qt's pooled workers, which image work starts
// and which end on their own time, not with the link.
int LinkThreadCount()
{
    int count = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        std::getline(comm, name);
        count += name == "Thread (pooled)" ? 0 : 1;
    }
    return count;
}

// The program's frame on the sample as its last project, its link library
// the emulator's, a 043 panel seated; the link's pauses pass on the panel's
// clock instead of the test's.
class gui_main_frame_link : public testing::Test {
protected:
    gui_main_frame_link()
    {
        emu.Reset(EmuScenario(43));
        sample = h.UseSampleAsLastProject();
        // The panel maker's files in place of the shipped placeholders,
        // which are never sent.
        ConfigKit::ReplacePlaceholdersIn(h.home.Path());
        // Debug lines: the transfer logs the commands it sends. The notice
        // about the port's buffer was switched off long ago.
        h.WriteIni("LogLevel=2\r\nFifoWarn=0\r\n");
    }
    ~gui_main_frame_link() override { h.Stop(); }

    CMainFrame& Start()
    {
        CMainFrame& frame = h.Start();
        if (CPrjMgr* mgr = frame.Core().GetPrjMgr())
            mgr->SetLinkSleep([this](uint32_t ms) { emu.Panel().AddWait(ms); });
        return frame;
    }

    FrameHarness h;
    ScopedEnv serlink{"ORVTOOL_SERLINK", ORV_SERLINK_EMU};
    ScopedEnv emulPath{"ORVTOOL_EMUL", EmulKit::Path(EmulKit::Variant::Full).c_str()};
    EmuLinkFixture emu;
    std::string sample;
};

TEST_F(gui_main_frame_link, TransferSendsTheSampleAndReadBackBringsItBack)
{
    CMainFrame& frame = Start();
    ASSERT_EQ(frame.GetPrjPath(), sample);
    ModalBoxAnswers answers;

    QAction* transmit = frame.Action(32789);
    ASSERT_TRUE(transmit->isEnabled());
    transmit->trigger();
    // The sample has no driver file beside it yet: the transfer saves first.
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_EQ(answers.texts[0].rfind("Datensatz wird nun", 0), 0u) << answers.texts[0];
    answers.texts.clear();
    EXPECT_NE(frame.GetStateFlags() & kLinkTransferredFlag, 0u);
    EXPECT_NE(frame.GetStateFlags() & CFrameState::kStateProjectLoaded, 0u);
    int written = 0;
    for (const std::string& command : emu.Commands())
        written += command.rfind('W', 0) == 0 ? 1 : 0;
    EXPECT_GT(written, 0) << "the panel received no writes";
    EXPECT_FALSE(LinkLogLines(frame).filter(QRegularExpression(QStringLiteral("^W"))).isEmpty())
        << frame.GetViewLog()->toPlainText().toStdString();

    // The panel's copy comes back into the project directory, under the
    // name the transfer gave it.
    std::filesystem::remove(sample);
    const size_t sentCommands = emu.Commands().size();
    QAction* receive = frame.Action(32783);
    ASSERT_TRUE(receive->isEnabled());
    receive->trigger();
    EXPECT_NE(frame.GetStateFlags() & CFrameState::kStateProjectLoaded, 0u);
    const std::vector<std::string> commands = emu.Commands();
    int reads = 0;
    for (size_t i = sentCommands; i < commands.size(); ++i)
        reads += commands[i].rfind('R', 0) == 0 ? 1 : 0;
    EXPECT_GT(reads, 0) << "nothing was read from the panel";
    EXPECT_TRUE(frame.windowTitle().contains(QStringLiteral("demo043"), Qt::CaseInsensitive))
        << frame.windowTitle().toStdString();
    EXPECT_FALSE(
        LinkLogLines(frame).filter(QString::fromStdString("Projekt wurde geladen: " + frame.GetPrjPath())).isEmpty())
        << frame.GetViewLog()->toPlainText().toStdString();
    for (const std::string& text : answers.texts)
        ADD_FAILURE() << "unexpected box: " << text;
}

// With the simulation driver bound the command starts the library's worker
// at once; closing the window under the running simulation joins it.
TEST_F(gui_main_frame_link, SimulationRunsCheckedAndClosingLeavesNoThread)
{
    EmulKit emul;
    emul.SetRunSleepMs(1);
    CMainFrame& frame = Start();
    ModalBoxAnswers answers;
    ASSERT_NE(frame.Core().GetPrjMgr(), nullptr);
    frame.Core().GetPrjMgr()->SetSimDrvBound(true);
    frame.UpdateCommandStates();
    const int threadsBefore = LinkThreadCount();

    QAction* simulation = frame.Action(32790);
    ASSERT_TRUE(simulation->isEnabled());
    EXPECT_FALSE(simulation->isChecked());
    simulation->trigger();
    EXPECT_TRUE(simulation->isChecked());
    EXPECT_TRUE(emul.WaitRuns(3));
    // The poll step runs on the window's timer meanwhile.
    QTest::qWait(150);
    EXPECT_TRUE(frame.Core().GetPrjMgr()->IsSimRunning());
    EXPECT_GT(LinkThreadCount(), threadsBefore);

    // Closing asks to save the project, whose driver file is not written
    // yet; the answer saves it.
    frame.close();
    h.Stop();
    EXPECT_EQ(LinkThreadCount(), threadsBefore);
    EXPECT_EQ(emul.Exits(), 1);
    for (const std::string& text : answers.texts)
        EXPECT_NE(text.find("Soll zuerst gespeichert werden"), std::string::npos) << text;
}

} // namespace
