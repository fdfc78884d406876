#include "BenchProject.h"

#include "image/compile/Comp043.h"
#include "model/project/CharSet.h"
#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/SpsPar.h"
#include "model/project/TxtRow.h"
#include "model/core/WorkspaceState.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

using namespace orv;

namespace {

constexpr int kVarCount = 300;
constexpr int kTextCount = 128;
constexpr int kMsgCount = 100;

// A 043 family project that nearly fills the panel memory: 300 scaled
// variables, 128 operator texts and 100 message texts of two rows, each
// row showing a variable among words and blank runs.
struct FullProject {
    FullProject()
    {
        bundle.charSet = &charSet;
        bundle.prjData = &prj;
        bundle.spsPar = &sps;
        prj.SetDevType(43);
        charSet.SetDevType(43);
        const std::vector<CPrjVar*> vars = AddScaledVars(prj, kVarCount, "Var");
        for (int t = 0; t < kTextCount; ++t)
            prj.InsOpTxt(Fill(new CPrjOpTxt(t), vars[static_cast<size_t>(t) % vars.size()]));
        for (int m = 0; m < kMsgCount; ++m)
            prj.InsMsgTxt(Fill(new CMsgTxt(m, 3, 2, 0), vars[static_cast<size_t>(m * 3) % vars.size()]));
        prj.SetDescr("Benchmark project filling the panel memory");
    }

    template <class Entry>
    static Entry* Fill(Entry* entry, CPrjVar* var)
    {
        entry->SetRowCount(2);
        for (uint8_t r = 1; r <= 2; ++r) {
            CTxtVarSlots slots;
            slots.SetVar(0, var);
            slots.SetCol(0, 12);
            entry->SetRow(std::make_unique<CPrjTxtRow>(r, "Value   is: #####  units   of row", &slots));
        }
        return entry;
    }

    PrjBundle bundle;
    CCharSet charSet{&bundle};
    CPrjData prj{&bundle};
    CSpsPar sps{&bundle};
};

void BM_CompileFamily043(benchmark::State& state)
{
    const std::string dir = std::filesystem::temp_directory_path().string() + "/";
    CWorkspaceState workspace(dir, dir);
    FullProject project;
    const std::string out = dir + "orv_bench_compile.BIN";
    uint64_t length = 0;
    const PlainIoRatio timer;
    for (auto _ : state) {
        workspace.MemInfo().freeData = 32766;
        CComp043 comp(workspace, out, "", "", 0, project.bundle);
        if (comp.GetError() != 0) {
            state.SkipWithError("the compile failed");
            break;
        }
        length = comp.GetLength();
    }
    state.counters["image_bytes"] = static_cast<double>(length);
    state.counters["x_plain_io"] = timer.Ratio(state.iterations(), dir + "orv_bench_plain.BIN", length);
    std::filesystem::remove(out);
}
BENCHMARK(BM_CompileFamily043)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
