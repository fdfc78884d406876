// The list view filled with 5,000 variables and laid out in its shown report,
// against a plain item model holding the same 5,000 × 7 formatted cells in a
// tree view of the same size. The counter "ratio" is ours / plain.
#include "BenchQtMain.h"
#include "gui/ViewLst.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVarKinds.h"
#include "support/FrameFakes.h"
#include "support/FrameWorld.h"
#include "workspace/FrameCore.h"

#include <QApplication>
#include <QStandardItemModel>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using namespace orv;

constexpr int kViewVars = 5000;
constexpr int kViewColumns = 7;

struct ListViewWorld {
    ListViewWorld()
    {
        for (int i = 0; i < kViewVars; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "Var%05d", i);
            auto var = std::make_unique<CPrjVarWord>(name, static_cast<int16_t>(i % 256), 1, 32, 0);
            if (fw.prj.InsVar(var.get()) >= 0)
                var.release();
        }
    }

    FrameWorld fw{World()};
    Journal journal;
    FakeFrameWindow window{journal};
    FakeDlgRunner dialogs;
    FakeFilePrompt files;
    CFrameCore core{fw.frame, window, dialogs, files};
};

double MsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void BM_ListViewFill(benchmark::State& state)
{
    ListViewWorld world;
    CViewLst view(world.core);
    view.resize(800, 400);
    view.show();
    QTreeView plainView;
    plainView.setUniformRowHeights(true);
    plainView.setRootIsDecorated(false);
    plainView.resize(800, 400);
    plainView.show();
    QApplication::processEvents();
    double ours = 0;
    double plain = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        view.Core().SetListMode(IViewLst::kModeVars);
        view.Core().SetVarProvider(0);
        view.Core().ActivateProvider(IViewLst::kModeVars);
        view.ReportView()->doItemsLayout();
        ours += MsSince(start);

        start = std::chrono::steady_clock::now();
        auto model = std::make_unique<QStandardItemModel>(kViewVars, kViewColumns);
        for (int r = 0; r < kViewVars; ++r) {
            model->setItem(r, 0, new QStandardItem(QString::asprintf("Var%05d", r)));
            for (int c = 1; c < kViewColumns; ++c)
                model->setItem(r, c, new QStandardItem(QString::asprintf("%d", r * c % 997)));
        }
        QAbstractItemModel* old = plainView.model();
        plainView.setModel(model.release());
        delete old;
        plainView.doItemsLayout();
        plain += MsSince(start);
    }
    if (view.Model()->rowCount() < kViewVars)
        state.SkipWithError("the list lacks rows");
    const auto n = static_cast<double>(state.iterations());
    state.counters["ours_ms"] = ours / n;
    state.counters["plain_ms"] = plain / n;
    state.counters["ratio"] = plain > 0 ? ours / plain : 0;
}
BENCHMARK(BM_ListViewFill)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return orv::RunQtBenchmarks(argc, argv);
}
