#include "image/Comp706.h"
#include "image/Deco706.h"
#include "model/CharSet.h"
#include "model/DrvCfg.h"
#include "model/FrmCfg.h"
#include "model/MsgTxt.h"
#include "model/OpTxt.h"
#include "model/PrjBundle.h"
#include "model/PrjData.h"
#include "model/PrjVarKinds.h"
#include "model/SpsPar.h"
#include "model/TxtRow.h"
#include "model/WorkspaceState.h"
#include "support/DrvBuilders.h"
#include "support/SpsParBuilder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
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
    Full706() : m_dir(fs::temp_directory_path() / "orv_bench_deco706")
    {
        fs::create_directories(m_dir);
        std::ofstream(Path("FULL.DRV"), std::ios::binary) << Drv706Entry().Build().bytes;
        SpsParBuilder b;
        for (uint16_t w = 0; w < 256; ++w)
            b.Var(w);
        m_sps = b.Build(&m_bundle);
        m_bundle.prjData = &m_prj;
        m_bundle.spsPar = m_sps.get();
        m_bundle.drvCfg = &m_drv;
        m_bundle.charSet = &m_charSet;
        m_bundle.frmCfg = &m_frm;
        m_frm.SetFrmId("FW706");
        m_charSet.SetDevType(706);
        m_prj.SetDevType(706);
        Fill();
    }
    ~Full706() { fs::remove_all(m_dir); }
    Full706(const Full706&) = delete;
    Full706& operator=(const Full706&) = delete;

    std::string Path(const char* name) const { return (m_dir / name).string(); }

    // Compiles into FULL.BIN; the error code.
    uint16_t Compile()
    {
        m_workspace.MemInfo().freeData = CMemInfo::kDefaultFreeData;
        CComp706 comp(m_workspace, Path("FULL.BIN"), m_bundle);
        return comp.GetError();
    }

    uint16_t Decompile()
    {
        m_prj.Clear();
        CDeco706 deco(&m_workspace, Path("FULL.BIN"), Path("FULL.DRV"), "", &m_bundle);
        return deco.GetError();
    }

private:
    void Fill()
    {
        m_prj.Clear();
        std::vector<CPrjVar*> vars;
        for (int i = 0; i < kVarCount; ++i) {
            char name[17];
            std::snprintf(name, sizeof name, "Variable_%04d", i);
            auto* var = new CPrjVarBin(name, static_cast<int16_t>(i % 250), 1, 2 + i % 4, 4, 1, 0, 9999, 0, 4000);
            var->SetWidth(5);
            m_prj.InsVar(var);
            vars.push_back(var);
        }
        const auto var = [&vars](int n) { return vars[static_cast<size_t>(n) % vars.size()]; };
        for (int t = 0; t < kOpCount; ++t)
            m_prj.InsOpTxt(Rows(new CPrjOpTxt(t), var(t), var(t + 500)));
        for (int m = 0; m < kMsgCount; ++m)
            m_prj.InsMsgTxt(Rows(new CMsgTxt(m, 3, 2, 0), var(m * 3), var(m * 7)));
        m_prj.SetDescr("Benchmark project filling the panel memory");
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

    fs::path m_dir;
    CWorkspaceState m_workspace{m_dir.string() + "/", m_dir.string() + "/"};
    PrjBundle m_bundle;
    CCharSet m_charSet{&m_bundle, 0};
    CPrjData m_prj{&m_bundle};
    std::unique_ptr<CSpsPar> m_sps;
    CDrvCfg m_drv{&m_workspace, &m_bundle};
    CFrmCfg m_frm{&m_bundle};
};

void BM_Compile706FullMemory(benchmark::State& state)
{
    Full706 project;
    for (auto _ : state)
        if (const uint16_t error = project.Compile())
            state.SkipWithError(("compile failed: " + std::to_string(error)).c_str());
    state.counters["image bytes"] = static_cast<double>(fs::file_size(project.Path("FULL.BIN")));
}
BENCHMARK(BM_Compile706FullMemory)->Unit(benchmark::kMillisecond);

void BM_Decompile706FullMemory(benchmark::State& state)
{
    Full706 project;
    if (const uint16_t error = project.Compile()) {
        state.SkipWithError(("compile failed: " + std::to_string(error)).c_str());
        return;
    }
    for (auto _ : state)
        if (const uint16_t error = project.Decompile())
            state.SkipWithError(("decompile failed: " + std::to_string(error)).c_str());
}
BENCHMARK(BM_Decompile706FullMemory)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
