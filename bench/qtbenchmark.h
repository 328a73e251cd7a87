// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main function of a benchmark that needs real widgets: an offscreen
// application around Google Benchmark's run.

#include <benchmark/benchmark.h>
#include <QApplication>

inline int QtBenchmarkMain(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
