#include "BenchProject.h"

#include "image/decompile/Deco043.h"
#include "model/core/WorkspaceState.h"
#include "tools/cfggen/DrvBuilders.h"
#include "support/Image043_118Builder.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

using namespace orv;

namespace {

// An image that fills the 043 family memory (about 32K): 400 named variables
// of mixed kinds, 128 operator and 64 message texts of four rows each
// showing variables, help texts, softkeys and menus.
std::string FullImage()
{
    Image043Builder b;
    std::vector<uint16_t> vars;
    for (int i = 0; i < 400; ++i) {
        Image043Builder::Var v;
        v.adr = static_cast<uint8_t>(i % 200);
        if (i % 2 == 0) {
            v.width = 4;
            v.payload = std::string(8, '\0');
        } else {
            v.width = 5;
            v.typeByte = 2;
            v.payload = std::string(26, '\0');
            v.payload[0] = 4;
            v.payload[11] = 1;
            v.payload[13] = 1;
        }
        vars.push_back(b.AddVar(v));
    }
    for (int n = 0; n < 128; ++n) {
        std::vector<std::string> rows;
        for (int r = 0; r < 4; ++r)
            rows.push_back("Wert " + Image043Builder::Field(vars[static_cast<size_t>(n * 7 + r) % vars.size()]) +
                           "\x83" "und " + Image043Builder::Field(vars[static_cast<size_t>(n * 3 + r) % vars.size()]));
        b.AddOpText(n, rows);
        if (n < 64)
            b.AddMsgText(n, 0x22, rows);
    }
    for (int k = 0; k < 5; ++k)
        b.AddHelpText(k, {"Hilfe", "Zeile"});
    std::vector<Image043Builder::SkAct> acts;
    for (uint16_t a = 1; a <= 50; ++a)
        acts.push_back({a, {{10, 2, 1, a}}, std::string("Aktion")});
    b.AddSkActs(acts);
    std::vector<Image043Builder::Node> nodes;
    for (uint8_t n = 1; n <= 20; ++n)
        nodes.push_back({n, 0, static_cast<uint8_t>(n % 20 + 1), 0, 0, n});
    for (int m = 1; m <= 20; ++m)
        b.AddMenu(m, 3, nodes);
    for (size_t i = 0; i < vars.size(); ++i)
        b.AddName(vars[i], "Var" + std::to_string(i));
    return b.Finish(Drv043Entry().Build().bytes);
}

void BM_DecompileFullImage(benchmark::State& state)
{
    const BenchDir dir("orv_bench_deco043");
    const std::string image = dir.File("FULL.BIN");
    const std::string bytes = FullImage();
    std::ofstream(image, std::ios::binary) << bytes;
    CWorkspaceState workspace(dir.Prefix(), dir.Prefix());
    BenchBundle project(workspace, 43);
    const PlainIoRatio timer;
    for (auto _ : state) {
        project.prj.Clear();
        CDeco043 deco(&workspace, image, dir.File("FULL.DRV"), "", &project.bundle);
        if (deco.GetError() != 0)
            state.SkipWithError(("decompile failed: " + std::to_string(deco.GetError())).c_str());
    }
    state.counters["x_plain_io"] = timer.Ratio(state.iterations(), dir.File("PLAIN.BIN"), bytes.size());
}
BENCHMARK(BM_DecompileFullImage)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
