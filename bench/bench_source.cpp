#include "model/project/CharSet.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/TextPool.h"
#include "model/project/TxtRow.h"
#include "source/reader/ParsOrvLoad.h"
#include "source/writer/SrcSink.h"
#include "source/writer/SrcTexts.h"
#include "source/writer/SrcVars.h"
#include "support/ParserWorld.h"
#include "support/SpsParBuilder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

using namespace orv;

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
    CCharSet charSet{nullptr};
};

void BM_WriteSource(benchmark::State& state)
{
    GeneratedProject project;
    const std::string path = (std::filesystem::temp_directory_path() / "bench_source.orv").string();
    for (auto _ : state) {
        CSrcSink sink(path, &project.charSet);
        sink.Open();
        WriteVarRecords(sink, &project.vars, PanelType(43, false), false);
        WriteOpTextRecords(sink, &project.texts, SrcRowLimit{4, false}, PanelType(706, false), [](const CPrjOpTxt&) { return false; });
        benchmark::DoNotOptimize(sink.Commit());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteSource)->Unit(benchmark::kMillisecond);

// The same size read back: a 706 source of 2,000 variables and 1,000 message
// texts of two rows, each row showing two of the variables.
std::string GeneratedSource()
{
    std::string text = "ORV706_PARAMETER, Q32r11000\r\nBEGIN\r\n\r\n";
    char line[160];
    for (int i = 0; i < kVarCount; ++i) {
        std::snprintf(line, sizeof line, "VAR, Var%04d         , %4d, ACTUAL     , BIN-1 ,  4,  0,          0,       "
                      "9999,     0,  9999\r\n\r\n", i, i);
        text += line;
    }
    for (int t = 0; t < kTextCount; ++t) {
        std::snprintf(line, sizeof line, "MSG_TEXT, %4d, INFO   , 1\r\n", t);
        text += line;
        for (int r = 1; r <= 2; ++r) {
            std::snprintf(line, sizeof line, "TEXT, \"Wert @Var%04d@ und @Var%04d@ $24$40$22\"\r\n",
                          (t * 2 + r) % kVarCount, (t * 3 + r) % kVarCount);
            text += line;
        }
        text += "\r\n";
    }
    return text + "END\r\n";
}

void BM_ReadSource(benchmark::State& state)
{
    const std::string path = (std::filesystem::temp_directory_path() / "bench_source_read.orv").string();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const std::string text = GeneratedSource();
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    SpsParBuilder sps;
    sps.Length(kVarCount);
    for (int w = 0; w < kVarCount; ++w)
        sps.Var(static_cast<uint16_t>(w));
    for (auto _ : state) {
        state.PauseTiming();
        auto project = ParserWorld(706).Sps(sps).Build();
        state.ResumeTiming();
        CParsOrvLoad parser(path, true, project->bundle);
        parser.ReadDescription();
        parser.Parse();
        if (parser.GetError() != 0)
            state.SkipWithError("the generated source does not read");
        benchmark::DoNotOptimize(project->prj->GetVarList()->GetCount());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadSource)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
