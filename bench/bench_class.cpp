// SPDX-License-Identifier: GPL-3.0-or-later
// Against a PostgreSQL server of its own (as the class tests start one): 30 pupils writing an
// attempt of 50 items each at the same moment, until all are committed; and the teacher's
// report over 30 pupils x 100 topics x 20 attempts, read as the teacher (row-level security on).
#include "BenchMain.h"
#include "ClassAdmin.h"
#include "progress/ClassConnection.h"
#include "progress/ClassServer.h"
#include "support/PostgresServer.h"

#include <QUuid>

#include <benchmark/benchmark.h>

#include <barrier>
#include <chrono>
#include <thread>
#include <vector>

namespace {

using namespace lentora;

constexpr int kPupils = 30;

// Commits synced to disk, as on a school's server.
testing::PostgresServer& benchServer() {
    return testing::PostgresServer::shared(true);
}

progress::ClassServer serverOf(testing::PostgresServer& server, const QString& database) {
    progress::ClassServer classServer;
    classServer.host = server.socketDir();
    classServer.port = server.port();
    classServer.database = database;
    return classServer;
}

// A database made with the tool's own calls, with 30 pupils of 6b and their teacher.
struct ClassDatabase {
    QString name;
    std::vector<classtool::ClassAdmin::Login> pupils;
    classtool::ClassAdmin::Login teacher;
};

ClassDatabase makeClass(testing::PostgresServer& server) {
    ClassDatabase made;
    made.name = server.createDatabase();
    {
        classtool::ClassAdmin admin(
            serverOf(server, made.name)
                .open(QStringLiteral("bench-admin"), testing::PostgresServer::superuser(), {}));
        admin.init();
        for (int i = 0; i < kPupils; ++i) {
            made.pupils.push_back(*admin.addPupil(QStringLiteral("Mokinys %1").arg(i), "6b"));
        }
        made.teacher = *admin.addTeacher(QStringLiteral("Mokytoja"), {QStringLiteral("6b")});
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-admin"));
    return made;
}

progress::Attempt attemptOf50() {
    progress::Attempt attempt;
    attempt.summary.id = QUuid::createUuid();
    attempt.summary.courseId = QStringLiteral("kursas");
    attempt.summary.courseVersion = QStringLiteral("v1");
    attempt.summary.menuPath = QStringLiteral("Rašyba > Nosinės");
    attempt.summary.started = QDateTime::currentDateTimeUtc();
    attempt.summary.ended = attempt.summary.started.addSecs(300);
    attempt.summary.points = {45, 50};
    attempt.summary.grade = 9;
    content::ExerciseResult exercise;
    exercise.kind = content::ExerciseKind::GapFilling;
    exercise.shown = QByteArray(2000, 'x');
    for (int item = 0; item < 50; ++item) {
        exercise.items.push_back({item, QStringLiteral("žąsis %1").arg(item),
                                  QStringLiteral("žąsys %1").arg(item), item % 10 != 0});
    }
    attempt.exercises.push_back(exercise);
    return attempt;
}

void BM_ThirtyPupilsWriteAtOnce(benchmark::State& state) {
    testing::PostgresServer& server = benchServer();
    if (!server.isRunning()) {
        state.SkipWithError(server.failure().toUtf8().constData());
        return;
    }
    const ClassDatabase database = makeClass(server);
    // Each pupil's connection is open before the moment, as in a lesson.
    std::vector<progress::ClassConnection> connections;
    for (int i = 0; i < kPupils; ++i) {
        connections.emplace_back(serverOf(server, database.name)
                                     .open(QStringLiteral("bench-pupil-%1").arg(i),
                                           database.pupils[i].login, database.pupils[i].password));
    }
    for (auto _ : state) {
        std::vector<progress::Attempt> attempts(kPupils);
        for (auto& attempt : attempts) {
            attempt = attemptOf50();
        }
        std::barrier start(kPupils + 1);
        std::atomic<int> stored{0};
        std::vector<std::thread> threads;
        for (int i = 0; i < kPupils; ++i) {
            threads.emplace_back([&, i] {
                start.arrive_and_wait();
                stored +=
                    connections[i].send(attempts[i]) == progress::ClassConnection::Sent::Stored;
            });
        }
        const auto begun = std::chrono::steady_clock::now();
        start.arrive_and_wait();
        for (auto& thread : threads) {
            thread.join();
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count());
        if (stored != kPupils) {
            state.SkipWithError("not every attempt was stored");
            break;
        }
    }
    for (auto& connection : connections) {
        connection.database().close();
    }
    connections.clear();
    for (int i = 0; i < kPupils; ++i) {
        QSqlDatabase::removeDatabase(QStringLiteral("bench-pupil-%1").arg(i));
    }
}
BENCHMARK(BM_ThirtyPupilsWriteAtOnce)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

void BM_TeachersReportOfAClass(benchmark::State& state) {
    testing::PostgresServer& server = benchServer();
    if (!server.isRunning()) {
        state.SkipWithError(server.failure().toUtf8().constData());
        return;
    }
    const ClassDatabase database = makeClass(server);
    // 30 pupils x 100 topics x 20 attempts, each with a small exercise list: the report reads
    // the summaries only.
    server.runSql(
        database.name,
        QStringLiteral(
            "INSERT INTO attempts (id, login, course_id, course_version, menu_path,"
            " menu_row_id, started, ended, score, max_score, grade, incomplete, exercises)"
            " SELECT gen_random_uuid(), m.login, 'kursas', 'v1', 'Rašyba > Tema ' || t, t,"
            " now() - (a || ' hours')::interval, now() - (a || ' hours')::interval"
            " + interval '5 minutes', 40, 50, 3 + (t * a + m.id) % 8, false,"
            " '[{\"kind\":\"gap_filling\",\"items\":[]}]'"
            " FROM members m, generate_series(1, 100) t, generate_series(1, 20) a"
            " WHERE m.class = '6b'; ANALYZE"));
    std::size_t rows = 0;
    {
        classtool::ClassAdmin teacher(serverOf(server, database.name)
                                          .open(QStringLiteral("bench-teacher"),
                                                database.teacher.login, database.teacher.password));
        for (auto _ : state) {
            const auto report = teacher.report(QStringLiteral("6b"));
            if (!report) {
                state.SkipWithError(teacher.failure().toUtf8().constData());
                break;
            }
            rows = report->size();
            benchmark::DoNotOptimize(rows);
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-teacher"));
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_TeachersReportOfAClass)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return lentora::runBenchmarksWithApplication(argc, argv);
}
