#include "model/CharSet.h"
#include "model/OpTxt.h"
#include "model/PrjVarKinds.h"
#include "model/PrjVarList.h"
#include "model/TextPool.h"
#include "model/TxtRow.h"
#include "source/SrcSink.h"
#include "source/SrcTexts.h"
#include "source/SrcVars.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr int kVarCount = 2000;
constexpr int kTextCount = 1000;

// 2,000 variables of mixed kinds and 1,000 operator texts of two rows, each
// row showing two of the variables.
struct GeneratedProject {
    GeneratedProject()
    {
        for (int i = 0; i < kVarCount; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "Var%04d", i);
            const auto adr = static_cast<int16_t>(i % 250);
            CPrjVar* var = nullptr;
            switch (i % 4) {
            case 0: var = new CPrjVarBin(name, adr, 1, 2, 4, 0, 0, 9999, 0, 9999); break;
            case 1: var = new CPrjVarBcd(name, adr, 2, 0, 3, 0, 999, 0); break;
            case 2: var = new CPrjVarWord(name, adr, 1, 32, 1); break;
            default: {
                auto* str = new CPrjVarString(name, adr, 2, 14, &pool);
                str->SetTxtCount(2);
                for (int s = 0; s <= 2; ++s)
                    str->SetStateTxt(s, "Zustand");
                var = str;
            }
            }
            var->SetWidth(4);
            vars.Add(var);
        }
        for (int t = 1; t <= kTextCount; ++t) {
            auto* entry = texts.Adopt(std::make_unique<CPrjOpTxt>(t));
            entry->SetRowCount(2);
            for (uint8_t r = 1; r <= 2; ++r) {
                auto row = std::make_unique<CPrjTxtRow>(r, "Wert ____ und ____ $@\"", nullptr);
                row->SetVarSlot(0, vars.VarAt((t * 2 + r) % kVarCount), 5);
                row->SetVarSlot(1, vars.VarAt((t * 3 + r) % kVarCount), 14);
                entry->SetRow(std::move(row));
            }
        }
        charSet.SetDevType(43);
    }
    ~GeneratedProject()
    {
        texts.DeleteAll();
        vars.FreeAll();
    }

    CTextPool pool{64, 64};
    CPrjVarList vars{kVarCount, 256};
    CPrjOpTxtList texts{kTextCount, 256};
    CCharSet charSet{nullptr, 0};
};

void BM_WriteSource(benchmark::State& state)
{
    GeneratedProject project;
    const std::string path = (std::filesystem::temp_directory_path() / "bench_source.orv").string();
    for (auto _ : state) {
        CSrcSink sink(path, &project.charSet);
        sink.Open();
        WriteVarRecords(sink, &project.vars, PanelType(43, false), false);
        WriteOpTextRecords(sink, &project.texts, 4, [](const CPrjOpTxt&) { return false; });
        benchmark::DoNotOptimize(sink.Commit());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteSource)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
