// The main of the benchmarks that need widgets: an offscreen application
// around the benchmark run.
#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace orv {

inline int RunQtBenchmarks(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace orv
