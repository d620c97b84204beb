// SPDX-License-Identifier: GPL-3.0-or-later
// Records attempts of 50 items into the database given as its argument, one after another,
// until it is killed; prints each attempt's id once record() said it was written.
#include "progress/SqliteProgressStore.h"

#include <QCoreApplication>

#include <cstdio>

using namespace lentora;

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: progress_kill_child DATABASE\n", stderr);
        return 2;
    }
    progress::SqliteProgressStore store(QString::fromLocal8Bit(argv[1]), [](const QString& text) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    std::int64_t learner = 0;
    const auto learners = store.learners();
    if (!learners.empty()) {
        learner = learners.front().id;
    } else if (const auto added = store.addLearner(QStringLiteral("Ona"))) {
        learner = added->id;
    } else {
        return 1;
    }
    for (int round = 0;; ++round) {
        progress::Attempt attempt;
        attempt.summary.id = QUuid::createUuid();
        attempt.summary.learnerId = learner;
        attempt.summary.courseId = QStringLiteral("kursas");
        attempt.summary.menuPath = QStringLiteral("Rašyba > Tema %1").arg(round % 7);
        attempt.summary.menuRowId = round % 7;
        attempt.summary.started = QDateTime::currentDateTime();
        attempt.summary.ended = attempt.summary.started;
        attempt.summary.points = {40, 50};
        attempt.summary.grade = 8;
        for (int exercise = 0; exercise < 5; ++exercise) {
            content::ExerciseResult result;
            result.kind = content::ExerciseKind::SimpleTest;
            result.record = exercise;
            result.shown = QByteArray(200, 'x');
            for (int item = 0; item < 10; ++item) {
                result.items.push_back({item, QStringLiteral("atsakymas %1").arg(item),
                                        QStringLiteral("teisingas"), item % 5 != 0});
            }
            attempt.exercises.push_back(result);
        }
        if (store.record(attempt) == progress::ProgressStore::Kept::Written) {
            std::printf("%s\n", qPrintable(attempt.summary.id.toString(QUuid::WithoutBraces)));
            std::fflush(stdout);
        }
    }
}
