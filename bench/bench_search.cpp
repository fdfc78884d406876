// The search dialog on a 1 MB project source: Find next of the one match at
// the far end, and Replace all over 10,000 matches, each against a plain
// standard-library loop over the same text measured in the same run.
#include "model/core/UiServices.h"
#include "support/FakeSearchEditor.h"
#include "support/ScriptedUi.h"
#include "workspace/forms/DlgSearchForm.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstddef>
#include <string>

using namespace orv;

namespace {

constexpr size_t kSearchSourceBytes = 1 << 20;
constexpr int kSearchMatches = 10000;

using SearchClock = std::chrono::steady_clock;

// Source lines of the usual shape, 1 MB of them; `word` stands on `matches`
// lines spread over the text, and `tail` ends it.
std::string SearchSource(const std::string& word, int matches, const std::string& tail)
{
    constexpr size_t kLineBytes = 42;
    const size_t lines = kSearchSourceBytes / kLineBytes;
    const size_t every = matches > 0 ? std::max<size_t>(1, lines / static_cast<size_t>(matches)) : 0;
    std::string text;
    text.reserve(kSearchSourceBytes + 64);
    int placed = 0;
    for (size_t line = 0; text.size() < kSearchSourceBytes; ++line) {
        const std::string number = std::to_string(100 + line % 900);
        text += "  OP_TEXT " + number + " \"Temperatur Kessel ";
        if (every != 0 && line % every == 0 && placed < matches) {
            text += word;
            ++placed;
        } else {
            text += "Istwert";
        }
        text += "\"\n";
    }
    text += tail;
    return text;
}

// Letters compared without case, as the standard library compares them.
struct PlainSameNoCaseFn {
    bool operator()(char a, char b) const
    {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    }
};
constexpr PlainSameNoCaseFn PlainSameNoCase;

// A plain search without regard to case.
double PlainFindSeconds(const std::string& text, const std::string& pattern, int rounds)
{
    const auto start = SearchClock::now();
    for (int r = 0; r < rounds; ++r) {
        const std::string copy = text; // the editor hands out its text too
        benchmark::DoNotOptimize(
            std::search(copy.begin() + 1, copy.end(), pattern.begin(), pattern.end(), PlainSameNoCase));
    }
    return std::chrono::duration<double>(SearchClock::now() - start).count() / rounds;
}

// A plain replace-everything into a new string, without regard to case.
double PlainReplaceSeconds(const std::string& text, const std::string& pattern, const std::string& with, int rounds)
{
    const auto start = SearchClock::now();
    for (int r = 0; r < rounds; ++r) {
        std::string out;
        out.reserve(text.size());
        auto at = text.begin();
        for (auto hit = std::search(at, text.end(), pattern.begin(), pattern.end(), PlainSameNoCase);
             hit != text.end();
             hit = std::search(at, text.end(), pattern.begin(), pattern.end(), PlainSameNoCase)) {
            out.append(at, hit);
            out += with;
            at = hit + static_cast<std::ptrdiff_t>(pattern.size());
        }
        out.append(at, text.end());
        benchmark::DoNotOptimize(out.data());
    }
    return std::chrono::duration<double>(SearchClock::now() - start).count() / rounds;
}

void BM_SearchFindNextFarEnd(benchmark::State& state)
{
    ScriptedUi ui;
    ScopedUiServices uiReg(ui);
    const std::string text = SearchSource("", 0, "' Ende Sollwert\n");
    FakeSearchEditor editor(text);
    CDlgSearchForm form;
    const auto start = SearchClock::now();
    for (auto _ : state) {
        editor.selection = {0, 0};
        if (!form.FindNext(editor, "sollwert")) {
            state.SkipWithError("the match was not found");
            return;
        }
    }
    if (state.iterations() == 0)
        return;
    const double step =
        std::chrono::duration<double>(SearchClock::now() - start).count() / static_cast<double>(state.iterations());
    state.counters["x_plain"] = step / PlainFindSeconds(text, "sollwert", 20);
}

void BM_SearchReplaceAll10k(benchmark::State& state)
{
    ScriptedUi ui;
    ScopedUiServices uiReg(ui);
    const std::string text = SearchSource("Sollwert", kSearchMatches, "");
    FakeSearchEditor editor;
    CDlgSearchForm form;
    form.SetMode(CDlgSearchForm::kModeReplace);
    double measured = 0;
    int count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        editor.text = text;
        editor.selection = {0, 0};
        editor.rangeLists.clear();
        ui.ClearCalls();
        state.ResumeTiming();
        const auto start = SearchClock::now();
        count = form.ReplaceAll(editor, "Sollwert", "Sollwert 2");
        measured += std::chrono::duration<double>(SearchClock::now() - start).count();
    }
    state.counters["matches"] = count;
    if (state.iterations() > 0) {
        const double step = measured / static_cast<double>(state.iterations());
        state.counters["x_plain"] = step / PlainReplaceSeconds(text, "Sollwert", "Sollwert 2", 20);
    }
}

} // namespace

BENCHMARK(BM_SearchFindNextFarEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchReplaceAll10k)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
