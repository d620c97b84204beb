// SPDX-License-Identifier: GPL-3.0-or-later
// The progress window with 10,000 attempts of one learner, from its making to its first
// paint, and the chart of grades painting 1,000 points.
#include "BenchMain.h"
#include "app/ProgressSession.h"
#include "app/ProgressStorePlace.h"
#include "app/ProgressWindow.h"
#include "platform/ProgramPaths.h"

#include <QChartView>
#include <QLineSeries>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using namespace lentora;

progress::AttemptSummary attemptAt(int index, std::int64_t learnerId, const QString& courseId) {
    progress::AttemptSummary attempt;
    attempt.id = QUuid::createUuid();
    attempt.learnerId = learnerId;
    attempt.courseId = courseId;
    attempt.menuRowId = 1 + index % 60;
    attempt.menuPath = QStringLiteral("Rašyba > Tema %1").arg(attempt.menuRowId);
    attempt.started = QDateTime(QDate(2024, 1, 1), QTime(8, 0)).addSecs(600LL * index);
    attempt.ended = attempt.started.addSecs(300);
    attempt.points = {index % 9, 8};
    attempt.grade = 3 + index % 8;
    return attempt;
}

void BM_ProgressWindow10000Attempts(benchmark::State& state) {
    QTemporaryDir dir;
    setProgramPaths(ProgramPaths::forDirectory(dir.path() + '/'));
    const QString path = dir.filePath(QStringLiteral("progress.sqlite"));
    {
        ProgressSession filling([&](progress::ProgressReport report) {
            return openProgressStore(path, std::move(report));
        });
        const std::optional<progress::Learner> learner = filling.currentLearner();
        if (!learner) {
            state.SkipWithError("no store");
            return;
        }
        for (int i = 0; i < 10000; ++i) {
            filling.store()->record({attemptAt(i, learner->id, filling.courseId()), {}});
        }
    }
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        // As the menu item does: the store is open already, the window reads and paints.
        ProgressSession session([&](progress::ProgressReport report) {
            return openProgressStore(path, std::move(report));
        });
        session.store();
        const auto opened = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(session.attempts());
        state.counters["attempts_read_ms"] =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - opened)
                .count();
        ProgressWindow window(session);
        window.show();
        benchmark::DoNotOptimize(window.grab());
        const auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - opened).count() -
                               state.counters["attempts_read_ms"] / 1000.0);
        state.counters["store_open_ms"] =
            std::chrono::duration<double, std::milli>(opened - start).count();
    }
}
BENCHMARK(BM_ProgressWindow10000Attempts)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_GradeChart1000Points(benchmark::State& state) {
    std::vector<progress::AttemptSummary> attempts;
    for (int i = 0; i < 1000; ++i) {
        attempts.push_back(attemptAt(i, 1, QStringLiteral("bench")));
    }
    QWidget parent;
    QLineSeries* series = nullptr;
    QChartView* chart = makeGradeChart(&parent, &series);
    chart->resize(740, 240);
    setGradePoints(chart, series, attempts);
    parent.show();
    benchmark::DoNotOptimize(chart->grab());  // lays the chart out once
    for (auto _ : state) {
        benchmark::DoNotOptimize(chart->grab());
    }
}
BENCHMARK(BM_GradeChart1000Points)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return lentora::runBenchmarksWithApplication(argc, argv);
}
