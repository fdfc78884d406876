// The transfer and read-back of data sets that fill the panel memory (706
// and 043 families) and of the 118 family's record with its recipes, over
// the emulator's link library, against the bound the line sets: the
// characters on the wire, the library's waits and the pauses a clean run
// must make.
#include "BenchProject.h"

#include "PanelEmulator.h"
#include "image/compile/Comp043.h"
#include "link/Receive043.h"
#include "link/Receive706.h"
#include "link/RecordChooser.h"
#include "link/SerLinkBinding.h"
#include "link/Transmit043.h"
#include "link/Transmit706.h"
#include "model/core/ProgressBar.h"
#include "model/core/UiServices.h"
#include "platform/DynLib.h"
#include "tools/cfggen/DrvBuilders.h"
#include "tools/cfggen/FwBuilders.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

using namespace orv;

namespace {

namespace fs = std::filesystem;
using PanelFn = panelemu::PanelEmulator* (*)();

// A clean transfer or read-back ends the link once, after 10 ms.
constexpr double kCleanPausesUs = 10000;

// Runs without a window: boxes are not expected, bars show nothing.
class QuietUi : public UiServices {
public:
    int MessageBox(MsgKind, std::string_view, std::string_view text, int) override
    {
        m_boxes += std::string(text) + "\n";
        return kBoxOk;
    }
    bool AskYesNo(std::string_view, int) override { return true; }
    void SetStatusText(std::string_view) override {}
    void AppendLog(std::string_view) override {}
    void ClearLog() override {}
    int OpenHelpPage(const std::string&) override { return 0; }
    void LoadSourceEditor(std::string_view, int, int) override {}
    bool GetSourceEditorText(std::string&) override { return false; }
    std::unique_ptr<CProgressBar> CreateProgressBar(std::string_view, int, int, bool, int) override
    {
        return std::make_unique<CNoProgressBar>();
    }
    bool HintBox(std::string_view, int) override { return true; }
    const std::string& Boxes() const { return m_boxes; }

private:
    std::string m_boxes;
};

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// The emulated panel behind the bound link library, the link context whose
// pauses go to the panel's line clock, and the figures of the runs.
class EmuLinkBench {
public:
    explicit EmuLinkBench(bool fast) : m_fast(fast)
    {
        m_ready = m_binding.Bind(ORV_SERLINK_EMU) && m_lib.Open(ORV_SERLINK_EMU);
        if (auto panel = reinterpret_cast<PanelFn>(m_lib.Symbol("orvlink_emu_panel")))
            m_panel = panel();
        m_ready = m_ready && m_panel;
        if (!m_ready)
            return;
        m_ctx = std::make_unique<orv::CLinkContext>(m_binding.Api(), [this](uint32_t ms) { m_panel->AddWait(ms); });
        m_ctx->PreferRate(fast ? orv::CLinkContext::kFast : orv::CLinkContext::kSlow);
    }

    bool Ready() const { return m_ready; }
    const std::string& Boxes() const { return m_ui.Boxes(); }
    orv::CLinkContext& Context() { return *m_ctx; }
    panelemu::PanelEmulator& Panel() { return *m_panel; }
    void SetImageBytes(size_t bytes) { m_imageBytes = bytes; }
    void Fail() { m_ready = false; }

    // Runs one operation against a clock set to 0 and adds its figures.
    template <class Operation>
    bool Measure(Operation operation)
    {
        m_panel->ResetClock();
        const auto start = std::chrono::steady_clock::now();
        const bool ok = operation();
        const std::chrono::duration<double, std::micro> wall = std::chrono::steady_clock::now() - start;
        m_boundUs += m_panel->ClockUs() - m_panel->CallerWaitUs() + kCleanPausesUs;
        m_timeUs += wall.count() + m_panel->ClockUs();
        return ok;
    }

    void Report(benchmark::State& state) const
    {
        const double n = static_cast<double>(state.iterations());
        state.counters["B_ms"] = m_boundUs / n / 1000;
        state.counters["T_ms"] = m_timeUs / n / 1000;
        state.counters["T/B"] = m_timeUs / m_boundUs;
        state.counters["image bytes"] = static_cast<double>(m_imageBytes);
        state.counters["baud"] = m_fast ? 115200 : 38400;
    }

private:
    QuietUi m_ui;
    ScopedUiServices m_uiReg{m_ui};
    bool m_fast;
    orv::CSerLinkBinding m_binding;
    orv::DynLib m_lib;
    panelemu::PanelEmulator* m_panel = nullptr;
    std::unique_ptr<orv::CLinkContext> m_ctx;
    bool m_ready = false;
    size_t m_imageBytes = 0;
    double m_boundUs = 0;
    double m_timeUs = 0;
};

// The full project compiled, with a firmware that offers what the image
// uses and a driver the panel takes.
class LinkBench : public EmuLinkBench {
public:
    explicit LinkBench(bool fast) : EmuLinkBench(fast), m_project("orv_bench_link")
    {
        if (!Ready() || m_project.Compile() != 0) {
            Fail();
            return;
        }
        std::string image = ReadAll(m_project.Path("FULL.BIN"));
        image.replace(6, 12, "FULL.ORV    ");
        WriteAll(m_project.Path("FULL.BIN"), image);
        Fw706Image firmware;
        firmware.Id(image.substr(64, 9));
        for (int bit = 0; bit < 64; ++bit)
            firmware.Feature(bit);
        WriteAll(m_project.Path("ORV706.FRM"), firmware.Build());
        Drv706Entry driver;
        driver.kind = "100";
        WriteAll(m_project.Path("FULL.DRV"), driver.Build().bytes);
        m_project.Workspace().SetFormFile(m_project.Path("ORV706.FRM"));
        fs::create_directories(m_project.Path("back"));
        m_project.Workspace().SetPrjDir(m_project.Path("back"));
        SetImageBytes(image.size());
        Panel().Reset(panelemu::PanelScenario());
    }

    bool Transmit()
    {
        orv::CTransmit706 t(Context(), m_project.Workspace(), 706, 0, 0, m_project.Path("FULL.ORV"),
                            &m_project.Project().prj);
        const bool ok = t.ReportResult();
        t.Close();
        return ok;
    }

    bool Receive()
    {
        orv::CReceive706 r(Context(), m_project.Workspace(), &m_project.Project().prj, nullptr, nullptr, 706, 0, 0);
        const bool ok = r.ReportResult();
        r.Close();
        return ok;
    }

private:
    Full706 m_project;
};

// Picks the first record with its recipes, as a user of the 118 family
// would for a first transfer.
class FirstRecordChooser : public IRecordChooser {
public:
    CRecordSelForm& Form() override { return m_form; }
    bool Run() override
    {
        m_form.Open();
        m_form.Choose(1);
        m_form.SetRecipeOption(true);
        return true;
    }

private:
    CRecordSelForm m_form;
};

// The 043 family's full project (about 29 KB with its driver) or the 118
// project with recipe image, driver and firmware, compiled.
class Link043Bench : public EmuLinkBench {
public:
    Link043Bench(bool fast, uint16_t panel)
        : EmuLinkBench(fast), m_dir(panel == 118 ? "orv_bench_link118" : "orv_bench_link043"),
          m_workspace(m_dir.Prefix(), m_dir.Prefix()), m_project(m_workspace, panel), m_panelType(panel)
    {
        if (!Ready())
            return;
        Drv043Entry driver;
        driver.kind = "100";
        WriteAll(m_dir.File("FULL.DRV"), driver.Build().bytes);
        uint64_t length = 0;
        if (panel == 118) {
            FillFull118(m_project.prj);
            if (CompileFull118(m_workspace, m_dir, m_project.bundle, length) != 0) {
                Fail();
                return;
            }
            fs::rename(m_dir.File("FULL.RCP"), m_dir.File("FULL.REC"));
            WriteAll(m_dir.File("ORV118.FRM"), Fw118Image().Build());
            m_workspace.SetFormFile(m_dir.File("ORV118.FRM"));
        } else {
            FillFull043(m_project.prj);
            m_workspace.MemInfo().freeData = 32766;
            CComp043 comp(m_workspace, m_dir.File("FULL.BIN"), m_dir.File("FULL.DRV"), "", 0, m_project.bundle);
            if (comp.GetError() != 0) {
                Fail();
                return;
            }
        }
        std::string image = ReadAll(m_dir.File("FULL.BIN"));
        image.replace(5, 12, "FULL.ORV    ");
        WriteAll(m_dir.File("FULL.BIN"), image);
        fs::create_directories(m_dir.File("back"));
        m_workspace.SetPrjDir(m_dir.File("back"));
        SetImageBytes(image.size());
        panelemu::PanelScenario scenario;
        scenario.model = panel;
        Panel().Reset(scenario);
    }

    bool Transmit()
    {
        orv::CTransmit043 t(Context(), m_workspace, m_panelType, 0, 0, m_dir.File("FULL.ORV"), &m_project.prj);
        const bool ok = t.ReportResult();
        t.Close();
        return ok;
    }

    bool Receive()
    {
        orv::CReceive043 r(Context(), m_workspace, &m_project.prj, nullptr, nullptr, m_panelType, 0, 0);
        const bool ok = r.ReportResult();
        r.Close();
        return ok;
    }

private:
    BenchDir m_dir;
    CWorkspaceState m_workspace;
    BenchBundle m_project;
    uint16_t m_panelType;
    FirstRecordChooser m_chooser;
    ScopedRecordChooser m_chooserReg{m_chooser};
};

// Times the transfer of the bench's data set, again and again.
template <class Bench>
void MeasureTransmit(benchmark::State& state, Bench& bench)
{
    if (!bench.Ready()) {
        state.SkipWithError("set-up failed");
        return;
    }
    for (auto _ : state)
        if (!bench.Measure([&] { return bench.Transmit(); }))
            state.SkipWithError(("transfer failed: " + bench.Boxes()).c_str());
    bench.Report(state);
}

// Times the read-back of what one transfer wrote.
template <class Bench>
void MeasureReceive(benchmark::State& state, Bench& bench)
{
    if (!bench.Ready() || !bench.Transmit()) {
        state.SkipWithError(("set-up failed: " + bench.Boxes()).c_str());
        return;
    }
    for (auto _ : state)
        if (!bench.Measure([&] { return bench.Receive(); }))
            state.SkipWithError(("read-back failed: " + bench.Boxes()).c_str());
    bench.Report(state);
}

void BM_Transmit706FullMemory(benchmark::State& state)
{
    LinkBench bench(state.range(0) != 0);
    MeasureTransmit(state, bench);
}
BENCHMARK(BM_Transmit706FullMemory)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_Receive706FullMemory(benchmark::State& state)
{
    LinkBench bench(state.range(0) != 0);
    MeasureReceive(state, bench);
}
BENCHMARK(BM_Receive706FullMemory)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// 43: the 043 family's full data set; 118: data set, recipes, driver and
// firmware into the first record.
template <uint16_t Panel>
void BM_Transmit043Family(benchmark::State& state)
{
    Link043Bench bench(state.range(0) != 0, Panel);
    MeasureTransmit(state, bench);
}
BENCHMARK(BM_Transmit043Family<43>)->Name("BM_Transmit043FullMemory")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Transmit043Family<118>)->Name("BM_Transmit118WithRecipes")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

template <uint16_t Panel>
void BM_Receive043Family(benchmark::State& state)
{
    Link043Bench bench(state.range(0) != 0, Panel);
    MeasureReceive(state, bench);
}
BENCHMARK(BM_Receive043Family<43>)->Name("BM_Receive043FullMemory")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Receive043Family<118>)->Name("BM_Receive118WithRecipes")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
