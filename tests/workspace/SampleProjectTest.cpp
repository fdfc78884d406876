#include "support/ParseRun.h"
#include "model/core/FrameState.h"
#include "support/ConfigKit.h"
#include "support/FrameFakes.h"
#include "support/ScriptedUi.h"
#include "support/SpsParBuilder.h"
#include "support/TempDir.h"
#include "workspace/FrameCore.h"
#include "workspace/PrjMgr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace orv {
namespace {

std::string SampleBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(workspace_sample_project, ShipsBesideTheProgramAndReadsWithoutAnError)
{
    const std::string sample = SampleBytes(ORV_SAMPLE_PROJECT);
    ASSERT_FALSE(sample.empty());
    EXPECT_EQ(SampleBytes(std::string(ORV_SHIPPED_DIR) + "/data/demo043.orv"), sample);
    // The writer's form: every line ends in CR LF.
    for (size_t at = sample.find('\n'); at != std::string::npos; at = sample.find('\n', at + 1))
        ASSERT_TRUE(at > 0 && sample[at - 1] == '\r') << "line end at " << at;

    // The sample's variables lie on data words 30 to 55, both directions.
    SpsParBuilder sps;
    for (uint16_t word = 30; word <= 60; ++word)
        sps.Var(word);
    TempDir dir;
    auto p = ParserWorld(43).Sps(sps).Build();
    const ParseOutcome out = ParseInto(*p, dir, sample);
    EXPECT_EQ(out.error, 0) << out.errorText << " xerror " << out.xerror << " line " << out.line;
}

// As a user meets it: opened, saved and compiled through the frame's
// commands on the shipped configuration.
TEST(workspace_sample_project, LoadsSavesToTheSameBytesAndCompiles)
{
    ScriptedUi ui;
    ScopedUiServices uiReg(ui);
    ConfigKit kit;
    CFrameState frame;
    ScopedMainFrame frameReg(frame);
    Journal journal;
    FakeFrameWindow window(journal);
    FakeDlgRunner dialogs;
    FakeFilePrompt files;
    CFrameCore core(frame, window, dialogs, files);
    core.Start();
    ASSERT_TRUE(core.IsBundleReady());
    const std::string path = kit.Home() + "/demo043.orv";
    std::filesystem::copy_file(ORV_SAMPLE_PROJECT, path);
    files.answers = {path};
    ASSERT_TRUE(core.Execute(32810));
    EXPECT_TRUE(ui.CallsOf(UiCall::Kind::Box).empty());
    EXPECT_TRUE(ui.HasLogLine("Projekt wurde geladen: " + path));

    std::filesystem::remove(path);
    ASSERT_TRUE(core.Execute(32812));
    EXPECT_EQ(SampleBytes(path), SampleBytes(ORV_SAMPLE_PROJECT));

    ASSERT_TRUE(core.Execute(32782));
    EXPECT_TRUE(ui.CallsOf(UiCall::Kind::Box).empty());
    EXPECT_TRUE(ui.HasLogLine("Projekt wurde compiliert: " + path));
    EXPECT_TRUE(std::filesystem::exists(core.GetPrjMgr()->GetImageFile()));
}

} // namespace
} // namespace orv
