// OK in the variable dialog where the user waits: a variable shown in many
// rows of a large project is replaced in every row, and the project binds its
// variables to the driver items again.
#include "BenchProject.h"

#include "model/core/WorkspaceState.h"
#include "model/project/PrjVarList.h"
#include "support/PrjBuilder.h"
#include "workspace/forms/DlgVarForm.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace orv;

namespace {

constexpr int kVarCount = 5000;
constexpr int kTextCount = 2000;

void ReplaceVarShownInManyRows(benchmark::State& state)
{
    CWorkspaceState workspace;
    BenchBundle project(workspace, 14);
    const std::vector<CPrjVar*> vars = AddScaledVars(project.prj, kVarCount, "V");
    for (int i = 0; i < kTextCount; ++i)
        AddText(project.prj, TextKind::Op, i + 1, "Wert ######  und ######", {{vars[0], 5}, {vars[size_t(i) + 1], 17}});
    project.prj.CalcVarMaxWidths();
    int digits = 4;
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
    state.SetItemsProcessed(state.iterations() * kTextCount);
}
BENCHMARK(ReplaceVarShownInManyRows)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
