// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgressFixtures.h"

#include "progress/AttemptJson.h"
#include "progress/SqliteProgressStore.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using lentora::progress::Attempt;
using lentora::progress::SqliteProgressStore;
using lentora::testing::RawDatabase;
using lentora::testing::sampleAttempt;
using Kept = lentora::progress::ProgressStore::Kept;

// The store under test with the messages it gave.
struct Store {
    explicit Store(const QString& path)
        : store(path, [this](const QString& message) { messages << message; }) {}
    QStringList messages;
    SqliteProgressStore store;
};

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class SqliteProgressStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir_;
    QString path_ = dir_.filePath("Lentora/progress.sqlite");
    QString brokenName_ = "progress.sqlite.broken-" + QDate::currentDate().toString("yyyy-MM-dd");
};

TEST_F(SqliteProgressStoreTest, KeepsAttemptsWholeOnceAndLearnersByName) {
    const Attempt first = sampleAttempt(0);
    std::int64_t ona = 0;
    {
        Store s(path_);  // the data directory does not exist yet
        ASSERT_TRUE(s.store.addLearner("Žydrė").has_value());
        const auto added = s.store.addLearner(" Ona ");
        ASSERT_TRUE(added.has_value());
        ona = added->id;
        EXPECT_EQ(added->name, "Ona");
        EXPECT_FALSE(s.store.addLearner("ona").has_value());
        EXPECT_FALSE(s.store.addLearner("  ").has_value());
        ASSERT_TRUE(s.store.addLearner("Zigmas").has_value());
        QStringList names;
        for (const auto& learner : s.store.learners()) {
            names << learner.name;
        }
        EXPECT_EQ(names, QStringList({"Ona", "Zigmas", "Žydrė"}));
        s.store.setCurrentLearner(ona);

        Attempt attempt = first;
        attempt.summary.learnerId = ona;
        EXPECT_EQ(s.store.record(attempt), Kept::Written);
        EXPECT_EQ(s.store.record(attempt), Kept::Written);
        Attempt later = sampleAttempt(ona, 50);
        later.summary.started = attempt.summary.started.addDays(-1);  // done before, kept after
        later.summary.id = QUuid();
        EXPECT_EQ(s.store.record(later), Kept::Written);
        Attempt other = sampleAttempt(ona, 2, "kitas kursas");
        EXPECT_EQ(s.store.record(other), Kept::Written);
        EXPECT_TRUE(s.messages.isEmpty()) << s.messages.join('\n').toStdString();
    }
    Store s(path_);
    EXPECT_EQ(s.store.currentLearner()->name, "Ona");
    const auto listed = s.store.attempts(ona, "kursas");
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_FALSE(listed[0].id.isNull());  // the null id got one of its own
    EXPECT_EQ(listed[1].id, first.summary.id);
    Attempt expected = first;
    expected.summary.learnerId = ona;
    EXPECT_EQ(listed[1], expected.summary);
    EXPECT_EQ(s.store.attempt(first.summary.id), expected);
    EXPECT_EQ(s.store.attempt(listed[0].id)->exercises[1].items.size(), 25u);
    EXPECT_EQ(s.store.attemptCount(ona), 3);

    EXPECT_TRUE(s.store.renameLearner(ona, "Onutė"));
    EXPECT_FALSE(s.store.renameLearner(ona, "zigmas"));
    EXPECT_TRUE(s.store.removeLearner(ona));
    EXPECT_EQ(s.store.attemptCount(ona), 0);
    EXPECT_FALSE(s.store.currentLearner().has_value());
    EXPECT_FALSE(s.store.attempt(first.summary.id).has_value());

    RawDatabase raw(path_);
    EXPECT_EQ(raw.value("PRAGMA user_version").toInt(), SqliteProgressStore::kSchemaVersion);
    EXPECT_EQ(raw.value("PRAGMA journal_mode").toString(), "wal");
    EXPECT_EQ(raw.value("SELECT count(*) FROM items").toInt(), 0);  // gone with their learner
}

// A file that is not SQLite, and one that fails its integrity check, are moved aside (to a free
// name) and a new one is made; the message says where the old one went.
TEST_F(SqliteProgressStoreTest, SetsABrokenFileAsideAndStartsANewOne) {
    QDir().mkpath(dir_.filePath("Lentora"));
    writeBytes(path_, "Tai ne duomenų bazė\n");
    {
        Store s(path_);
        const auto learner = s.store.addLearner("Ona");
        ASSERT_TRUE(learner.has_value());
        EXPECT_EQ(s.store.record(sampleAttempt(learner->id)), Kept::Written);
        ASSERT_EQ(s.messages.size(), 1);
        EXPECT_TRUE(s.messages[0].contains(
            QDir::toNativeSeparators(dir_.filePath("Lentora/" + brokenName_))));
    }
    EXPECT_EQ(readBytes(dir_.filePath("Lentora/" + brokenName_)), "Tai ne duomenų bazė\n");

    // Damage the attempts' pages of a real database: SQLite still opens it.
    {
        RawDatabase raw(path_);
        raw.run("PRAGMA wal_checkpoint(TRUNCATE)");
        raw.run("PRAGMA journal_mode=DELETE");
    }
    QByteArray bytes = readBytes(path_);
    ASSERT_GT(bytes.size(), 4096 * 4);
    for (qsizetype at = 4096 + 8; at < bytes.size(); at += 7) {
        bytes[at] = char(0x5a);
    }
    writeBytes(path_, bytes);
    Store s(path_);
    EXPECT_TRUE(s.store.learners().empty());
    ASSERT_EQ(s.messages.size(), 1);
    EXPECT_TRUE(s.messages[0].contains(brokenName_ + "-2")) << s.messages[0].toStdString();
    EXPECT_EQ(readBytes(dir_.filePath("Lentora/" + brokenName_ + "-2")), bytes);
    EXPECT_TRUE(s.store.addLearner("Ona").has_value());
}

// A newer program's file is read but never changed: attempts go to the journal, one message.
TEST_F(SqliteProgressStoreTest, NeverDowngradesANewerFile) {
    std::int64_t ona = 0;
    {
        Store s(path_);
        ona = s.store.addLearner("Ona")->id;
    }
    {
        RawDatabase raw(path_);
        raw.run("PRAGMA user_version = 3");
        raw.run("PRAGMA wal_checkpoint(TRUNCATE)");
    }
    const QByteArray before = readBytes(path_);
    Store s(path_);
    EXPECT_EQ(s.store.learners().size(), 1u);
    const Attempt attempt = sampleAttempt(ona);
    EXPECT_EQ(s.store.record(attempt), Kept::Pending);
    EXPECT_EQ(s.store.record(sampleAttempt(ona)), Kept::Pending);
    EXPECT_FALSE(s.store.addLearner("Zigmas").has_value());
    EXPECT_EQ(s.store.attempt(attempt.summary.id), attempt);  // the windows still see it
    EXPECT_EQ(s.store.attempts(ona, "kursas").size(), 2u);
    ASSERT_EQ(s.messages.size(), 1);
    EXPECT_TRUE(s.messages[0].contains("naujesnė"));
    EXPECT_EQ(readBytes(path_), before);
    const QList<QByteArray> lines = readBytes(s.store.journalPath()).split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lentora::progress::attemptFromJson(lines[0]), attempt);
}

// Locked by another program: the attempt goes to the journal at once and is written, once,
// after the next attempt the file takes.
TEST_F(SqliteProgressStoreTest, KeepsAttemptsWhileLockedAndWritesThemLater) {
    Store s(path_);
    const std::int64_t ona = s.store.addLearner("Ona")->id;
    const Attempt waiting = sampleAttempt(ona, 50);
    {
        RawDatabase locker(path_);
        locker.run("BEGIN EXCLUSIVE");
        locker.run("INSERT INTO settings (key, value) VALUES ('x', 'y')");
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(s.store.record(waiting), Kept::Pending);
        EXPECT_EQ(s.store.record(sampleAttempt(ona)), Kept::Pending);
        EXPECT_LT(timer.elapsed(), 500);
        ASSERT_EQ(s.messages.size(), 1);
        EXPECT_TRUE(s.messages[0].contains(QDir::toNativeSeparators(s.store.journalPath())));
        EXPECT_EQ(s.store.attempts(ona, "kursas").size(), 2u);
        locker.run("COMMIT");
    }
    EXPECT_EQ(s.store.record(sampleAttempt(ona)), Kept::Written);
    EXPECT_FALSE(QFile::exists(s.store.journalPath()));
    EXPECT_EQ(s.store.attempt(waiting.summary.id), waiting);
    EXPECT_EQ(s.store.attempts(ona, "kursas").size(), 3u);
    EXPECT_EQ(s.messages.size(), 1);
    RawDatabase raw(path_);
    EXPECT_EQ(raw.value("SELECT count(*) FROM items").toInt(), 58);
}

// A data directory that cannot be made (a file stands in its place): nothing can be written,
// the attempt stays in memory, one message, and it is written once the directory can be.
TEST_F(SqliteProgressStoreTest, KeepsAttemptsInMemoryWhenNothingCanBeWritten) {
    writeBytes(dir_.filePath("Lentora"), "a file, not a folder");
    Store s(path_);
    EXPECT_TRUE(s.store.learners().empty());
    const Attempt attempt = sampleAttempt(1);
    EXPECT_EQ(s.store.record(attempt), Kept::Pending);
    EXPECT_EQ(s.store.record(sampleAttempt(1)), Kept::Pending);
    EXPECT_EQ(s.messages.size(), 1);
    EXPECT_EQ(s.store.attempt(attempt.summary.id), attempt);

    QFile::remove(dir_.filePath("Lentora"));
    const auto learner = s.store.addLearner("Ona");
    ASSERT_EQ(learner->id, 1);
    EXPECT_EQ(s.store.record(sampleAttempt(1)), Kept::Written);
    EXPECT_EQ(s.store.attemptCount(1), 3);
    EXPECT_EQ(s.messages.size(), 1);
}

// The journal left by earlier runs: broken and cut lines are skipped (and kept aside), a file
// left set aside by a crash after its lines were written adds nothing twice.
TEST_F(SqliteProgressStoreTest, WritesTheJournalOnOpenEachAttemptOnce) {
    std::int64_t ona = 0;
    const Attempt written = sampleAttempt(1);
    {
        Store s(path_);
        ona = s.store.addLearner("Ona")->id;
        ASSERT_EQ(ona, 1);
        EXPECT_EQ(s.store.record(written), Kept::Written);
    }
    const Attempt pending = sampleAttempt(ona);
    const QByteArray line = lentora::progress::attemptToJson(pending);
    ASSERT_FALSE(line.contains('\n'));
    writeBytes(path_ + ".pending.taking-crashed",
               lentora::progress::attemptToJson(written) + "\n" + line + "\n");
    lentora::progress::PendingJournal journal(path_ + ".pending");
    QString error;
    ASSERT_TRUE(journal.append(line, &error));
    {
        QFile file(path_ + ".pending");
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(line.left(line.size() / 2));  // cut short by a crash
    }
    const Attempt last = sampleAttempt(ona);
    ASSERT_TRUE(journal.append(lentora::progress::attemptToJson(last), &error));

    Store s(path_);
    EXPECT_EQ(s.store.attempts(ona, "kursas").size(), 3u);
    EXPECT_EQ(s.store.attempt(pending.summary.id), pending);
    EXPECT_EQ(s.store.attempt(last.summary.id), last);
    EXPECT_TRUE(s.messages.isEmpty());
    EXPECT_EQ(QDir(dir_.filePath("Lentora")).entryList({"*.pending*"}, QDir::Files),
              QStringList{"progress.sqlite.pending.broken"});
    EXPECT_EQ(readBytes(path_ + ".pending.broken"), line.left(line.size() / 2) + "\n");
}

// A file of the first schema gains the course version and the items' kinds, and ends with
// the tables a new file has.
TEST_F(SqliteProgressStoreTest, MigratesAVersion1File) {
    QDir().mkpath(dir_.filePath("Lentora"));
    const auto tables = [](RawDatabase& raw) {
        QStringList columns;
        for (const char* table : {"settings", "learners", "attempts", "exercises", "items"}) {
            columns << raw.value(QString("SELECT group_concat(name || ' ' || type || ' ' || "
                                         "\"notnull\" || ' ' || ifnull(dflt_value, '') || ' ' "
                                         "|| pk, ',') FROM pragma_table_info('%1')")
                                     .arg(table))
                           .toString();
        }
        return columns;
    };
    {
        RawDatabase raw(path_);
        for (const char* statement : {
                 "CREATE TABLE settings (key TEXT PRIMARY KEY, value TEXT NOT NULL)",
                 "CREATE TABLE learners (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE)",
                 "CREATE TABLE attempts (id INTEGER PRIMARY KEY, uuid TEXT NOT NULL UNIQUE,"
                 " learner_id INTEGER NOT NULL REFERENCES learners(id) ON DELETE CASCADE,"
                 " course_id TEXT NOT NULL, menu_path TEXT NOT NULL, menu_row_id INTEGER NOT"
                 " NULL, started_ms INTEGER, ended_ms INTEGER, score INTEGER NOT NULL,"
                 " max_score INTEGER NOT NULL, grade INTEGER NOT NULL, incomplete INTEGER NOT"
                 " NULL)",
                 "CREATE INDEX attempts_of_learner ON attempts (learner_id, course_id,"
                 " started_ms)",
                 "CREATE TABLE exercises (attempt_id INTEGER NOT NULL REFERENCES attempts(id)"
                 " ON DELETE CASCADE, position INTEGER NOT NULL, kind TEXT NOT NULL, record"
                 " INTEGER NOT NULL, skipped INTEGER NOT NULL, failure TEXT NOT NULL, score"
                 " INTEGER NOT NULL, max_score INTEGER NOT NULL, shown BLOB, PRIMARY KEY"
                 " (attempt_id, position))",
                 "CREATE TABLE items (attempt_id INTEGER NOT NULL, exercise INTEGER NOT NULL,"
                 " position INTEGER NOT NULL, record INTEGER NOT NULL, item INTEGER NOT NULL,"
                 " given TEXT NOT NULL, right_answer TEXT NOT NULL, correct INTEGER NOT NULL,"
                 " PRIMARY KEY (attempt_id, exercise, position), FOREIGN KEY (attempt_id,"
                 " exercise) REFERENCES exercises(attempt_id, position) ON DELETE CASCADE)",
                 "INSERT INTO learners VALUES (1, 'Ona')",
                 "INSERT INTO settings VALUES ('current_learner', '1')",
                 "INSERT INTO attempts VALUES (1, '6b1e1a4e-0c47-4a55-9d1c-3b3f1f6b7a10', 1,"
                 " 'kursas', 'Rašyba > Nosinės', 17, 1700000000000, 1700000060000, 1, 2, 5,"
                 " 0)",
                 "INSERT INTO exercises VALUES (1, 0, 'sorting', 9, 0, '', 1, 2, x'7b7d')",
                 "INSERT INTO items VALUES (1, 0, 0, 9, 0, 'a', 'a', 1)",
                 "INSERT INTO items VALUES (1, 0, 1, 9, 1, 'b', 'c', 0)",
                 "PRAGMA user_version = 1",
             }) {
            raw.run(statement);
        }
    }
    Store s(path_);
    const auto attempt = s.store.attempt(QUuid("6b1e1a4e-0c47-4a55-9d1c-3b3f1f6b7a10"));
    ASSERT_TRUE(attempt.has_value());
    EXPECT_EQ(s.store.currentLearner()->name, "Ona");
    EXPECT_EQ(attempt->summary.courseVersion, "");
    EXPECT_EQ(attempt->summary.points, (lentora::content::Points{1, 2}));
    ASSERT_EQ(attempt->exercises.size(), 1u);
    EXPECT_EQ(attempt->exercises[0].kind, lentora::content::ExerciseKind::Sorting);
    EXPECT_EQ(attempt->exercises[0].items[1].right, "c");
    EXPECT_EQ(s.store.record(sampleAttempt(1)), Kept::Written);
    EXPECT_TRUE(s.messages.isEmpty()) << s.messages.join('\n').toStdString();

    RawDatabase raw(path_);
    EXPECT_EQ(raw.value("PRAGMA user_version").toInt(), 2);
    EXPECT_EQ(raw.value("SELECT group_concat(kind) FROM items WHERE attempt_id = 1").toString(),
              "sorting,sorting");
    const QStringList migrated = tables(raw);
    SqliteProgressStore fresh(dir_.filePath("fresh.sqlite"), {});
    fresh.learners();
    RawDatabase made(dir_.filePath("fresh.sqlite"));
    EXPECT_EQ(migrated, tables(made));
}

}  // namespace
