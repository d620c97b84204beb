// SPDX-License-Identifier: GPL-3.0-or-later
// The progress store: recording one attempt of 50 items with its commit, listing the 10,000
// attempts of one learner, and opening a file that holds them (the integrity check included).
#include "BenchMain.h"
#include "progress/AttemptJson.h"
#include "progress/PendingJournal.h"
#include "progress/SqliteProgressStore.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace lentora;

progress::Attempt attemptOf50Items(std::int64_t learner, int number) {
    progress::Attempt attempt;
    attempt.summary.id = QUuid::createUuid();
    attempt.summary.learnerId = learner;
    attempt.summary.courseId = QStringLiteral("kursas");
    attempt.summary.courseVersion = QStringLiteral("da39a3ee5e6b4b0d3255bfef95601890afd80709");
    attempt.summary.menuPath = QStringLiteral("Rašyba > Nosinės > Tema %1").arg(number % 40);
    attempt.summary.menuRowId = number % 40;
    attempt.summary.started = QDateTime::currentDateTime().addSecs(number);
    attempt.summary.ended = attempt.summary.started.addSecs(300);
    attempt.summary.points = {42, 50};
    attempt.summary.grade = 8;
    for (int exercise = 0; exercise < 5; ++exercise) {
        content::ExerciseResult result;
        result.kind = content::ExerciseKind(exercise % 4);
        result.record = exercise + 1;
        result.points = {8, 10};
        result.shown = QByteArray(2000, 'x');
        for (int item = 0; item < 10; ++item) {
            result.items.push_back({item, QStringLiteral("žodis %1").arg(item),
                                    QStringLiteral("žodis"), item % 5 != 0});
        }
        attempt.exercises.push_back(result);
    }
    return attempt;
}

void BM_RecordAttemptOf50Items(benchmark::State& state) {
    QTemporaryDir dir;
    progress::SqliteProgressStore store(dir.filePath("progress.sqlite"), {});
    const std::int64_t learner = store.addLearner(QStringLiteral("Ona"))->id;
    int number = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const progress::Attempt attempt = attemptOf50Items(learner, ++number);
        state.ResumeTiming();
        if (store.record(attempt) != progress::ProgressStore::Kept::Written) {
            state.SkipWithError("not written");
            break;
        }
    }
}

// A file with 10,000 attempts of one learner, made through the pending journal (one
// transaction for all) so the set-up takes seconds, not minutes.
QString fileOf10000Attempts(const QTemporaryDir& dir) {
    const QString path = dir.filePath("progress.sqlite");
    std::int64_t learner = 0;
    {
        progress::SqliteProgressStore store(path, {});
        learner = store.addLearner(QStringLiteral("Ona"))->id;
    }
    progress::PendingJournal journal(path + ".pending");
    QString error;
    QByteArray lines;
    for (int number = 0; number < 10000; ++number) {
        lines += progress::attemptToJson(attemptOf50Items(learner, number)) + '\n';
    }
    if (!journal.append(lines.chopped(1), &error)) {
        qFatal("cannot write the journal: %s", qPrintable(error));
    }
    progress::SqliteProgressStore store(path, {});
    if (store.attemptCount(learner) != 10000) {
        qFatal("the journal was not written");
    }
    return path;
}

void BM_List10000Attempts(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = fileOf10000Attempts(dir);
    progress::SqliteProgressStore store(path, {});
    const std::int64_t learner = store.learners().front().id;
    for (auto _ : state) {
        const auto attempts = store.attempts(learner, QStringLiteral("kursas"));
        if (attempts.size() != 10000) {
            state.SkipWithError("not listed");
            break;
        }
        benchmark::DoNotOptimize(attempts.data());
    }
}

void BM_OpenFileOf10000Attempts(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = fileOf10000Attempts(dir);
    for (auto _ : state) {
        progress::SqliteProgressStore store(path, {});
        benchmark::DoNotOptimize(store.learners());
    }
}

BENCHMARK(BM_RecordAttemptOf50Items)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_List10000Attempts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenFileOf10000Attempts)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
    return lentora::runBenchmarksWithApplication(argc, argv);
}
