// SPDX-License-Identifier: GPL-3.0-or-later
// A pupil's program for the class server's kill test: opens the login's queue in DIR, records
// COUNT new attempts (printing "recorded <id>" once each record() returned) and sends the
// queue, printing "sent" once nothing is left to send. It waits there until it is killed or,
// with COUNT 0, exits.
#include "progress/ServerProgressStore.h"
#include "progress/SqliteProgressStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    if (argc != 8) {
        std::fputs("usage: class_sender_child DIR SOCKET PORT DATABASE LOGIN PASSWORD COUNT\n",
                   stderr);
        return 2;
    }
    const QStringList args = application.arguments();
    lentora::progress::ClassServer server;
    server.host = args.at(2);
    server.port = args.at(3).toInt();
    server.database = args.at(4);
    const QDir dir(args.at(1));
    const int count = args.at(7).toInt();
    lentora::progress::ServerProgressStore store(
        server, args.at(5), args.at(6),
        std::make_unique<lentora::progress::SqliteProgressStore>(dir.filePath("queue.sqlite"),
                                                                 nullptr),
        dir.filePath("queue.sent"), nullptr, 100);
    for (int i = 0; i < count; ++i) {
        lentora::progress::Attempt attempt;
        attempt.summary.id = QUuid::createUuid();
        attempt.summary.courseId = QStringLiteral("kursas");
        attempt.summary.menuPath = QStringLiteral("Tema > %1").arg(i);
        attempt.summary.started = QDateTime::currentDateTimeUtc();
        attempt.summary.ended = attempt.summary.started;
        attempt.summary.points = {1, 2};
        attempt.summary.grade = 5;
        lentora::content::ExerciseResult exercise;
        for (int item = 0; item < 20; ++item) {
            exercise.items.push_back({item, QStringLiteral("ą"), QStringLiteral("ę"), false});
        }
        attempt.exercises.push_back(exercise);
        store.record(attempt);
        std::printf("recorded %s\n",
                    attempt.summary.id.toString(QUuid::WithoutBraces).toLatin1().constData());
        std::fflush(stdout);
    }
    QElapsedTimer timer;
    timer.start();
    while (store.unsentCount() > 0 && timer.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    std::puts(store.unsentCount() == 0 ? "sent" : "not sent");
    std::fflush(stdout);
    if (count == 0) {
        return store.unsentCount() == 0 ? 0 : 1;
    }
    for (;;) {
        QThread::msleep(100);
    }
}
