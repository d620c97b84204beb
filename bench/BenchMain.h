// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

namespace lentora {

// Runs the registered benchmarks inside a QApplication, offscreen unless QT_QPA_PLATFORM says
// otherwise (set it to xcb to measure under an X server).
inline int runBenchmarksWithApplication(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace lentora
