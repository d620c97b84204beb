// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgressFixtures.h"

#include "progress/SqliteProgressStore.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

using lentora::testing::RawDatabase;

// A child records attempts and is killed at random moments, 200 times over one database: each
// time the file opens, passes its integrity check and holds every attempt the child was told
// was written, each whole; no attempt is kept in part.
TEST(ProgressKill, KilledRecordsLeaveEveryWrittenAttemptWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath("progress.sqlite");
    std::mt19937 random(18);
    std::set<QString> written;
    QElapsedTimer timer;
    timer.start();
    for (int kill = 0; kill < 200; ++kill) {
        QProcess child;
        child.start(QStringLiteral(LENTORA_TEST_PROGRESS_KILL_CHILD), {path});
        ASSERT_TRUE(child.waitForStarted(10000));
        // Every other round from the start (opening, checking, writing the journal), the rest
        // from the first attempt written (in the middle of the attempts).
        if (kill % 2 == 1) {
            ASSERT_TRUE(child.waitForReadyRead(10000)) << child.readAllStandardError().data();
        }
        QThread::msleep(std::uniform_int_distribution<int>(3, 40)(random));
        child.kill();
        ASSERT_TRUE(child.waitForFinished(10000));
        for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
            if (!line.isEmpty()) {
                written.insert(QString::fromLatin1(line));
            }
        }

        RawDatabase raw(path);
        ASSERT_EQ(raw.value("PRAGMA integrity_check").toString(), "ok") << "kill " << kill;
        if (written.empty()) {
            continue;
        }
        // Every attempt in the file has its 5 exercises and 50 items.
        ASSERT_EQ(raw.value("SELECT count(*) FROM attempts a WHERE (SELECT count(*) FROM items"
                            " i WHERE i.attempt_id = a.id) != 50 OR (SELECT count(*) FROM"
                            " exercises e WHERE e.attempt_id = a.id) != 5")
                      .toInt(),
                  0)
            << "kill " << kill;
        QStringList ids;
        for (const QString& id : written) {
            ids << "'" + id + "'";
        }
        ASSERT_EQ(raw.value("SELECT count(*) FROM attempts WHERE uuid IN (" + ids.join(',') + ")")
                      .toInt(),
                  int(written.size()))
            << "kill " << kill;
    }
    // Every other round waited for an attempt written, so at least a hundred were, however slow
    // the machine; the others died while recording.
    EXPECT_GE(written.size(), 100u);
    RecordProperty("attempts_written", int(written.size()));
    RecordProperty("milliseconds", int(timer.elapsed()));
}

}  // namespace
