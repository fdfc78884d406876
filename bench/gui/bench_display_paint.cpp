// One full paint of the display editor, the work behind every keystroke: the
// scene of a 4 × 40 display at twice the panel size, drawn into an image.
// The counter "ratio" is that paint against a bare painter filling the same
// 160 cells and drawing a character in each with the system font, in the
// same run.
#include "BenchQtMain.h"
#include "gui/ViewDc.h"
#include "model/project/OpTxt.h"
#include "model/project/Fon.h"
#include "model/project/PrjVar.h"
#include "support/FonFixture.h"
#include "support/StartSelRows.h"
#include "support/TempDir.h"
#include "workspace/DspEdit.h"
#include "workspace/DspGeometry.h"
#include "workspace/DspScene.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using namespace orv;

class BenchDspHost final : public CDspHost {
public:
    explicit BenchDspHost(CPrjNumEntry& text) : m_text(text), m_dev(DspAltRecord()) { m_dev.numDspCols = 40; }
    CPrjNumEntry* ActiveText() const override { return &m_text; }
    int ListType() const override { return 6; }
    int RowsPerText() const override { return 32; }
    const DevRecord* Device() const override { return &m_dev; }
    bool IsValidChar(int) const override { return true; }
    void CopyActiveText() override {}
    std::optional<int> AskCopyRowNumber() override { return std::nullopt; }
    void RunNavCommand(int) override {}
    void ReportVar(const CPrjVar*) override {}

private:
    CPrjNumEntry& m_text;
    DevRecord m_dev;
};

using PaintClock = std::chrono::steady_clock;

// Seconds of one bare paint of the display's cells.
double PlainPaintSeconds(QImage& image)
{
    constexpr int kRounds = 20;
    const auto start = PaintClock::now();
    for (int r = 0; r < kRounds; ++r) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::gray);
        for (int row = 0; row < 4; ++row) {
            for (int col = 0; col < 40; ++col) {
                const QRect cell(40 + col * 18, 100 + row * 40, 17, 39);
                painter.fillRect(cell, Qt::cyan);
                painter.drawText(cell, Qt::AlignCenter, QString(QChar('A' + row)));
            }
        }
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    return std::chrono::duration<double>(PaintClock::now() - start).count() / kRounds;
}

void BM_DisplayPaint(benchmark::State& state)
{
    TempDir dir;
    dir.Write("bench.fon", BuildFixtureFon());
    CFon font(0);
    if (font.Load(dir.File("bench.fon")) != 1) {
        state.SkipWithError("fixture font");
        return;
    }
    // Every row full: 34 characters and a variable of six.
    std::vector<std::unique_ptr<CPrjVar>> vars;
    CPrjOpTxt text(1);
    text.SetRowCount(4);
    for (int r = 1; r <= 4; ++r) {
        vars.push_back(std::make_unique<CPrjVar>("Var" + std::to_string(r), 0, CPrjVar::kPlcFlags, 1, 2));
        vars.back()->SetWidth(6);
        CTxtVarSlots places;
        places.SetVar(0, vars.back().get());
        places.SetCol(0, static_cast<uint8_t>(r * 5));
        text.SetRow(std::make_unique<CPrjTxtRow>(static_cast<uint8_t>(r),
                                                 std::string(40, static_cast<char>('A' + r)), &places));
    }
    BenchDspHost host(text);
    CDspEdit edit(host);
    edit.RstTxtRows();
    edit.CaretHome();
    const CDspGeometry geo(*host.Device(), 800, 400);
    QImage image(800, 400, QImage::Format_RGB32);
    const auto start = PaintClock::now();
    for (auto _ : state) {
        const DspScene scene = BuildDspScene(geo, edit, {true, false, 6});
        QPainter painter(&image);
        PaintDspScene(painter, scene, &font);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    const double ours = std::chrono::duration<double>(PaintClock::now() - start).count() /
                        static_cast<double>(state.iterations());
    state.counters["ratio"] = ours / PlainPaintSeconds(image);
    edit.Unload();
}
BENCHMARK(BM_DisplayPaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return orv::RunQtBenchmarks(argc, argv);
}
