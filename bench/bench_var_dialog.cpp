// OK in the variable dialog where the user waits: a variable shown in many
// rows of a large project is replaced in every row, and the project binds its
// variables to the driver items again. The counter "ratio" is that OK against
// a plain pass over as many rows that swaps the variable and rewrites the row
// text, in the same run.
#include "BenchProject.h"

#include "model/core/WorkspaceState.h"
#include "model/project/PrjVarList.h"
#include "support/PrjBuilder.h"
#include "workspace/forms/DlgVarForm.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <string>
#include <vector>

using namespace orv;

namespace {

constexpr int kVarCount = 5000;
constexpr int kTextCount = 2000;

using VarClock = std::chrono::steady_clock;

// Seconds of one plain pass: each row's variable slot swapped and its text
// written anew.
double PlainReplaceSeconds()
{
    struct Row {
        std::string text;
        std::array<const void*, 2> vars;
    };
    const int oldVar = 0;
    const int newVar = 0;
    std::vector<Row> rows(kTextCount, Row{"Wert ######  und ######", {&oldVar, nullptr}});
    constexpr int kRounds = 20;
    const auto start = VarClock::now();
    for (int r = 0; r < kRounds; ++r) {
        const void* from = r % 2 == 0 ? &oldVar : &newVar;
        const void* to = r % 2 == 0 ? &newVar : &oldVar;
        for (Row& row : rows) {
            if (row.vars[0] == from) {
                row.vars[0] = to;
                row.text = std::string(row.text);
            }
        }
        benchmark::DoNotOptimize(rows.data());
    }
    return std::chrono::duration<double>(VarClock::now() - start).count() / kRounds;
}

void ReplaceVarShownInManyRows(benchmark::State& state)
{
    CWorkspaceState workspace;
    BenchBundle project(workspace, 14);
    const std::vector<CPrjVar*> vars = AddScaledVars(project.prj, kVarCount, "V");
    for (int i = 0; i < kTextCount; ++i)
        AddText(project.prj, TextKind::Op, i + 1, "Wert ######  und ######", {{vars[0], 5}, {vars[size_t(i) + 1], 17}});
    project.prj.CalcVarMaxWidths();
    int digits = 4;
    const auto start = VarClock::now();
    for (auto _ : state) {
        CPrjVar* target = project.prj.GetVarList()->FindByName(std::string_view("V0000"));
        CDlgVarForm form;
        form.SetVar(target, 0);
        form.Open(&project.bundle, "DW");
        // Other digits replace the variable.
        digits = digits == 4 ? 3 : 4;
        form.SetText(CDlgVarForm::kBinInt, std::to_string(digits));
        form.SetText(CDlgVarForm::kBinOrvMax, "999");
        if (!form.OnOk() || !form.Changed()) state.SkipWithError("OK refused or changed nothing");
    }
    const double ours = std::chrono::duration<double>(VarClock::now() - start).count() /
                        static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations() * kTextCount);
    state.counters["ratio"] = ours / PlainReplaceSeconds();
}
BENCHMARK(ReplaceVarShownInManyRows)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
