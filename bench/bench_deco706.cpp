#include "BenchProject.h"

#include "image/Comp706.h"
#include "image/Deco706.h"
#include "model/FrmCfg.h"
#include "model/MsgTxt.h"
#include "model/OpTxt.h"
#include "model/PrjVarKinds.h"
#include "model/TxtRow.h"
#include "model/WorkspaceState.h"
#include "tools/cfggen/DrvBuilders.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kVarCount = 1000;
constexpr int kOpCount = 256;
constexpr int kMsgCount = 680;

// A 706 project that nearly fills the panel memory: 1000 named scaled
// variables, 256 operator texts and 680 message texts of two rows, each row
// showing two variables among words and blank runs.
class Full706 {
public:
    Full706()
    {
        std::ofstream(Path("FULL.DRV"), std::ios::binary) << Drv706Entry().Build().bytes;
        m_project.bundle.frmCfg = &m_frm;
        m_frm.SetFrmId("FW706");
        Fill();
    }

    std::string Path(const char* name) const { return m_dir.File(name); }

    // Compiles into FULL.BIN; the error code.
    uint16_t Compile()
    {
        m_workspace.MemInfo().freeData = CMemInfo::kDefaultFreeData;
        CComp706 comp(m_workspace, Path("FULL.BIN"), m_project.bundle);
        return comp.GetError();
    }

    uint16_t Decompile()
    {
        m_project.prj.Clear();
        CDeco706 deco(&m_workspace, Path("FULL.BIN"), Path("FULL.DRV"), "", &m_project.bundle);
        return deco.GetError();
    }

private:
    void Fill()
    {
        CPrjData& prj = m_project.prj;
        prj.Clear();
        const std::vector<CPrjVar*> vars = AddScaledVars(prj, kVarCount, "Variable_");
        const auto var = [&vars](int n) { return vars[static_cast<size_t>(n) % vars.size()]; };
        for (int t = 0; t < kOpCount; ++t)
            prj.InsOpTxt(Rows(new CPrjOpTxt(t), var(t), var(t + 500)));
        for (int m = 0; m < kMsgCount; ++m)
            prj.InsMsgTxt(Rows(new CMsgTxt(m, 3, 2, 0), var(m * 3), var(m * 7)));
        prj.SetDescr("Benchmark project filling the panel memory");
    }

    template <class Entry>
    static Entry* Rows(Entry* entry, CPrjVar* first, CPrjVar* second)
    {
        entry->SetRowCount(2);
        for (uint8_t r = 1; r <= 2; ++r) {
            CTxtVarSlots slots;
            slots.SetVar(0, first);
            slots.SetCol(0, 8);
            slots.SetVar(1, second);
            slots.SetCol(1, 30);
            entry->SetRow(
                std::make_unique<CPrjTxtRow>(r, "Value   #####   of row       #####", &slots));
        }
        return entry;
    }

    BenchDir m_dir{"orv_bench_deco706"};
    CWorkspaceState m_workspace{m_dir.Prefix(), m_dir.Prefix()};
    BenchBundle m_project{m_workspace, 706};
    CFrmCfg m_frm{&m_project.bundle};
};

void BM_Compile706FullMemory(benchmark::State& state)
{
    Full706 project;
    const PlainIoRatio timer;
    for (auto _ : state)
        if (const uint16_t error = project.Compile())
            state.SkipWithError(("compile failed: " + std::to_string(error)).c_str());
    const auto bytes = fs::file_size(project.Path("FULL.BIN"));
    state.counters["image bytes"] = static_cast<double>(bytes);
    state.counters["x_plain_io"] = timer.Ratio(state.iterations(), project.Path("PLAIN.BIN"), bytes);
}
BENCHMARK(BM_Compile706FullMemory)->Unit(benchmark::kMillisecond);

void BM_Decompile706FullMemory(benchmark::State& state)
{
    Full706 project;
    if (const uint16_t error = project.Compile()) {
        state.SkipWithError(("compile failed: " + std::to_string(error)).c_str());
        return;
    }
    const PlainIoRatio timer;
    for (auto _ : state)
        if (const uint16_t error = project.Decompile())
            state.SkipWithError(("decompile failed: " + std::to_string(error)).c_str());
    const auto bytes = fs::file_size(project.Path("FULL.BIN"));
    state.counters["x_plain_io"] = timer.Ratio(state.iterations(), project.Path("PLAIN.BIN"), bytes);
}
BENCHMARK(BM_Decompile706FullMemory)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
