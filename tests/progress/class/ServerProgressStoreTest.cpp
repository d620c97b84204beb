// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClassFixtures.h"

#include "progress/ClassConnection.h"
#include "progress/ServerProgressStore.h"
#include "progress/SqliteProgressStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <random>
#include <set>

namespace lentora::testing {
namespace {

using progress::ServerProgressStore;

// A pupil's computer: its own queue folder and the store on it, telling into `messages`.
struct PupilComputer {
    PupilComputer(const progress::ClassServer& server, const ToolRun& pupil,
                  const QString& password = {}) {
        store = std::make_unique<ServerProgressStore>(
            server, pupil.login(), password.isEmpty() ? pupil.password() : password,
            std::make_unique<progress::SqliteProgressStore>(dir.filePath("queue.sqlite"), nullptr),
            dir.filePath("queue.sent"), [this](const QString& message) { messages << message; },
            100);
    }
    QTemporaryDir dir;
    QStringList messages;
    std::unique_ptr<ServerProgressStore> store;
};

bool waitFor(const std::function<bool()>& done, int ms = 15000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    QCoreApplication::processEvents();
    return true;
}

class ServerStoreTest : public ClassServerTest {
protected:
    QString sql(const QString& statement) {
        QString output;
        EXPECT_TRUE(server().runSql(database_, statement, &output)) << output.toStdString();
        return output;
    }
    int onServer() { return sql(QStringLiteral("SELECT count(*) FROM attempts")).toInt(); }
};

TEST_F(ServerStoreTest, TheServerStoppedInALessonGetsEveryAttemptOnceWhenBack) {
    const ToolRun pupil = addPupil(QStringLiteral("Ona"));
    PupilComputer computer(classServer(), pupil);
    std::set<QUuid> recorded;
    for (int i = 0; i < 3; ++i) {
        const progress::Attempt attempt = sampleAttempt(50);
        recorded.insert(attempt.summary.id);
        computer.store->record(attempt);
    }
    ASSERT_TRUE(waitFor([&] { return computer.store->unsentCount() == 0; }));
    EXPECT_EQ(computer.store->currentLearner()->name, QStringLiteral("Ona"));

    ASSERT_TRUE(server().stop());
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 3; ++i) {
        const progress::Attempt attempt = sampleAttempt(50);
        recorded.insert(attempt.summary.id);
        computer.store->record(attempt);
    }
    EXPECT_LT(timer.elapsed(), 500);  // the lesson goes on
    EXPECT_EQ(computer.store->attempts(0, QStringLiteral("kursas-1")).size(), 6u);
    ASSERT_TRUE(waitFor([&] { return !computer.messages.isEmpty(); }));
    QThread::msleep(300);  // a few retries while it is away
    ASSERT_TRUE(server().start());
    ASSERT_TRUE(waitFor([&] { return computer.store->unsentCount() == 0; }));
    EXPECT_EQ(onServer(), 6);
    EXPECT_EQ(sql(QStringLiteral("SELECT count(DISTINCT id) FROM attempts")), QStringLiteral("6"));
    // Said once, however many retries failed.
    EXPECT_EQ(computer.messages.size(), 1) << computer.messages.join('\n').toStdString();
    EXPECT_TRUE(computer.messages.value(0).contains(QStringLiteral("vėliau")));
}

TEST_F(ServerStoreTest, APupilOnAnotherComputerSeesTheirHistoryFromTheServer) {
    const ToolRun pupil = addPupil(QStringLiteral("Ona"));
    const progress::Attempt attempt = sampleAttempt(5);
    {
        PupilComputer first(classServer(), pupil);
        first.store->record(attempt);
        ASSERT_TRUE(waitFor([&] { return first.store->unsentCount() == 0; }));
    }
    PupilComputer second(classServer(), pupil);
    ASSERT_TRUE(waitFor([&] { return second.store->serverReached(); }));
    const auto listed = second.store->attempts(0, attempt.summary.courseId);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed.front().id, attempt.summary.id);
    const auto read = second.store->attempt(attempt.summary.id);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->exercises, attempt.exercises);
}

TEST_F(ServerStoreTest, WhatTheServerRefusesStaysQueuedAndShowsAsPending) {
    const ToolRun a = addPupil(QStringLiteral("A"));
    const ToolRun b = addPupil(QStringLiteral("B"));
    progress::Attempt taken = sampleAttempt();
    progress::ClassConnection(connectAs(a.login(), a.password())).send(taken);
    PupilComputer computer(classServer(), b);
    taken.summary.menuPath = QStringLiteral("Tema > B");
    computer.store->record(taken);
    ASSERT_TRUE(waitFor([&] { return computer.store->unsentCount() == 0; }));
    ASSERT_TRUE(waitFor([&] { return !computer.messages.isEmpty(); }));
    EXPECT_TRUE(computer.store->attempt(taken.summary.id));
    const ToolRun pending = tool({QStringLiteral("report"), QStringLiteral("--pending")});
    ASSERT_EQ(pending.status, 0) << pending.err.toStdString();
    EXPECT_TRUE(pending.out.contains(b.login() + QStringLiteral("\tB\t") +
                                     taken.summary.id.toString(QUuid::WithoutBraces)))
        << pending.out.toStdString();
}

TEST_F(ServerStoreTest, ANewerSchemaOrAWrongPasswordWritesNothing) {
    const ToolRun pupil = addPupil(QStringLiteral("Ona"));
    QString message;
    EXPECT_EQ(ServerProgressStore::checkLogin(classServer(), pupil.login(), QStringLiteral("x"),
                                              &message),
              ServerProgressStore::LoginCheck::Refused);
    EXPECT_EQ(
        ServerProgressStore::checkLogin(classServer(), pupil.login(), pupil.password(), &message),
        ServerProgressStore::LoginCheck::Accepted);
    {
        PupilComputer wrong(classServer(), pupil, QStringLiteral("wrong"));
        wrong.store->record(sampleAttempt());
        ASSERT_TRUE(waitFor([&] { return !wrong.messages.isEmpty(); }));
        EXPECT_EQ(wrong.store->unsentCount(), 1);
    }
    sql(QStringLiteral("UPDATE lentora_schema SET version = 99"));
    EXPECT_EQ(
        ServerProgressStore::checkLogin(classServer(), pupil.login(), pupil.password(), &message),
        ServerProgressStore::LoginCheck::Unusable);
    PupilComputer computer(classServer(), pupil);
    computer.store->record(sampleAttempt());
    ASSERT_TRUE(waitFor([&] { return !computer.messages.isEmpty(); }));
    EXPECT_TRUE(computer.messages.first().contains(QStringLiteral("naujesnės")));
    EXPECT_EQ(onServer(), 0);
}

// The pupil's program is killed with SIGKILL while it sends its queue, again and again; in the
// end the server holds every attempt whose record() returned, each once.
TEST_F(ServerStoreTest, KillingThePupilsProgramWhileSendingLosesAndDoublesNothing) {
    const ToolRun pupil = addPupil(QStringLiteral("Ona"));
    QTemporaryDir dir;
    std::mt19937 random(19);
    std::set<QString> recorded;
    const auto child = [&](int count, QProcess& process) {
        process.start(QStringLiteral(LENTORA_TEST_CLASS_SENDER_CHILD),
                      {dir.path(), server().socketDir(), QString::number(server().port()),
                       database_, pupil.login(), pupil.password(), QString::number(count)});
        return process.waitForStarted(10000);
    };
    for (int round = 0; round < 30; ++round) {
        QProcess process;
        ASSERT_TRUE(child(5, process));
        process.waitForReadyRead(10000);
        QThread::msleep(std::uniform_int_distribution<int>(0, 60)(random));
        process.kill();
        process.waitForFinished(10000);
        for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
            if (line.startsWith("recorded ")) {
                recorded.insert(QString::fromLatin1(line.mid(9)));
            }
        }
    }
    QProcess last;
    ASSERT_TRUE(child(0, last));
    ASSERT_TRUE(last.waitForFinished(60000));
    EXPECT_EQ(last.exitCode(), 0) << last.readAllStandardError().toStdString();
    ASSERT_GT(recorded.size(), 10u);
    const QStringList onServerIds =
        sql(QStringLiteral("SELECT id FROM attempts")).split('\n', Qt::SkipEmptyParts);
    const std::set<QString> unique(onServerIds.begin(), onServerIds.end());
    EXPECT_EQ(unique.size(), std::size_t(onServerIds.size()));
    for (const QString& id : recorded) {
        EXPECT_TRUE(unique.count(id)) << id.toStdString();
    }
}

}  // namespace
}  // namespace lentora::testing
