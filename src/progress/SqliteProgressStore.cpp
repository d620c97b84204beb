// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/SqliteProgressStore.h"

#include "progress/AttemptJson.h"
#include "progress/SqlStatement.h"

#include <QCollator>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>
#include <QVariant>

#include <algorithm>
#include <utility>

namespace lentora::progress {

namespace {

// SQLite's primary result codes that mean the file itself is bad, not busy.
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADatabase = 26;

constexpr char kCurrentLearnerKey[] = "current_learner";

// Version 2. The columns added since version 1 stand last, where the migration adds them, so a
// migrated file and a new one have the same tables.
const char* const kSchema[] = {
    "CREATE TABLE settings (key TEXT PRIMARY KEY, value TEXT NOT NULL)",
    "CREATE TABLE learners (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE)",
    "CREATE TABLE attempts (id INTEGER PRIMARY KEY, uuid TEXT NOT NULL UNIQUE,"
    " learner_id INTEGER NOT NULL REFERENCES learners(id) ON DELETE CASCADE,"
    " course_id TEXT NOT NULL, menu_path TEXT NOT NULL, menu_row_id INTEGER NOT NULL,"
    " started_ms INTEGER, ended_ms INTEGER, score INTEGER NOT NULL, max_score INTEGER NOT NULL,"
    " grade INTEGER NOT NULL, incomplete INTEGER NOT NULL,"
    " course_version TEXT NOT NULL DEFAULT '')",
    "CREATE INDEX attempts_of_learner ON attempts (learner_id, course_id, started_ms)",
    "CREATE TABLE exercises (attempt_id INTEGER NOT NULL REFERENCES attempts(id) ON DELETE"
    " CASCADE, position INTEGER NOT NULL, kind TEXT NOT NULL, record INTEGER NOT NULL,"
    " skipped INTEGER NOT NULL, failure TEXT NOT NULL, score INTEGER NOT NULL,"
    " max_score INTEGER NOT NULL, shown BLOB, PRIMARY KEY (attempt_id, position))",
    "CREATE TABLE items (attempt_id INTEGER NOT NULL, exercise INTEGER NOT NULL,"
    " position INTEGER NOT NULL, record INTEGER NOT NULL, item INTEGER NOT NULL,"
    " given TEXT NOT NULL, right_answer TEXT NOT NULL, correct INTEGER NOT NULL,"
    " kind TEXT NOT NULL DEFAULT '', PRIMARY KEY (attempt_id, exercise, position),"
    " FOREIGN KEY (attempt_id, exercise) REFERENCES exercises(attempt_id, position)"
    " ON DELETE CASCADE)",
};

const char* const kFromVersion1[] = {
    "ALTER TABLE attempts ADD COLUMN course_version TEXT NOT NULL DEFAULT ''",
    "ALTER TABLE items ADD COLUMN kind TEXT NOT NULL DEFAULT ''",
    "UPDATE items SET kind = (SELECT e.kind FROM exercises e WHERE e.attempt_id ="
    " items.attempt_id AND e.position = items.exercise)",
};

constexpr char kSummaryColumns[] =
    "uuid, learner_id, course_id, course_version, menu_path, menu_row_id, started_ms, ended_ms,"
    " score, max_score, grade, incomplete, id";

QVariant timeValue(const QDateTime& time) {
    return time.isValid() ? QVariant(qint64(time.toMSecsSinceEpoch())) : QVariant();
}

// In the system's time zone, read once: a local-time conversion asks the C library, which
// looks at the zone file again each time, too slow for a list of ten thousand attempts.
QDateTime timeOf(const QVariant& value) {
    static const QTimeZone zone = QTimeZone::systemTimeZone();
    if (value.isNull()) {
        return {};
    }
    return zone.isValid() ? QDateTime::fromMSecsSinceEpoch(value.toLongLong(), zone)
                          : QDateTime::fromMSecsSinceEpoch(value.toLongLong());
}

AttemptSummary summaryOf(const QSqlQuery& query) {
    AttemptSummary summary;
    summary.id = QUuid::fromString(query.value(0).toString());
    summary.learnerId = query.value(1).toLongLong();
    summary.courseId = query.value(2).toString();
    summary.courseVersion = query.value(3).toString();
    summary.menuPath = query.value(4).toString();
    summary.menuRowId = query.value(5).toInt();
    summary.started = timeOf(query.value(6));
    summary.ended = timeOf(query.value(7));
    summary.points = {query.value(8).toInt(), query.value(9).toInt()};
    summary.grade = query.value(10).toInt();
    summary.incomplete = query.value(11).toBool();
    return summary;
}

int sqliteCode(const QSqlError& error) {
    return error.nativeErrorCode().toInt() & 0xff;
}

// A file that is there, not empty and does not start as SQLite's do.
bool notSqlite(const QString& path) {
    QFile file(path);
    if (file.size() == 0 || !file.open(QIODevice::ReadOnly)) {
        return false;
    }
    return file.read(16) != QByteArray("SQLite format 3\0", 16);
}

QString freeName(const QString& base) {
    QString name = base;
    for (int number = 2; QFileInfo::exists(name) || QFileInfo::exists(name + "-wal"); ++number) {
        name = base + '-' + QString::number(number);
    }
    return name;
}

QString nameKey(const QString& name) {
    return name.trimmed().toCaseFolded();
}

}  // namespace

SqliteProgressStore::SqliteProgressStore(QString databasePath, ProgressReport report)
    : path_(std::move(databasePath)),
      report_(std::move(report)),
      connectionName_("lentora-progress-" + QUuid::createUuid().toString(QUuid::WithoutBraces)),
      journal_(path_ + ".pending") {}

SqliteProgressStore::~SqliteProgressStore() {
    // The last chance for attempts nothing could take: the journal may be writable by now.
    for (const Attempt& attempt : unsaved_) {
        QString error;
        journal_.append(attemptToJson(attempt), &error);
    }
    disconnect();
}

void SqliteProgressStore::reportOnce(Fault fault, const QString& message) {
    if (reported_.insert(fault).second && report_) {
        report_(message);
    }
}

bool SqliteProgressStore::run(const QString& statement) {
    QSqlQuery query(database_);
    if (!query.exec(statement)) {
        problem_ = query.lastError().text();
        return false;
    }
    return true;
}

bool SqliteProgressStore::connect() {
    database_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    database_.setDatabaseName(path_);
    database_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!database_.open()) {
        problem_ = database_.lastError().text();
        disconnect();
        return false;
    }
    return true;
}

void SqliteProgressStore::disconnect() {
    if (database_.isValid()) {
        database_.close();
        database_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName_);
    }
    state_ = State::Closed;
}

// Moves a bad file (with its write-ahead log, which must not meet a new file) out of the way.
bool SqliteProgressStore::setAside() {
    if (setAsideOnce_) {
        return false;  // once per run: a file that turns bad again is left for the next start
    }
    setAsideOnce_ = true;
    disconnect();
    const QString aside =
        freeName(path_ + ".broken-" + QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    if (!QFile::rename(path_, aside)) {
        problem_ = QStringLiteral("nepavyko pervadinti į „%1“").arg(aside);
        return false;
    }
    for (const char* suffix : {"-wal", "-shm", "-journal"}) {
        if (QFileInfo::exists(path_ + suffix)) {
            QFile::rename(path_ + suffix, aside + suffix);
        }
    }
    reportOnce(Fault::Broken,
               QStringLiteral("Pažangos duomenų bazė „%1“ buvo sugadinta, todėl pradėta nauja. "
                              "Senoji perkelta į „%2“.")
                   .arg(QDir::toNativeSeparators(path_), QDir::toNativeSeparators(aside)));
    return true;
}

bool SqliteProgressStore::readable() {
    return state_ != State::Closed || open();
}

bool SqliteProgressStore::open() {
    if (!QDir().mkpath(QFileInfo(path_).absolutePath())) {
        problem_ = QStringLiteral("nėra katalogo „%1“")
                       .arg(QDir::toNativeSeparators(QFileInfo(path_).absolutePath()));
        return false;
    }
    if (notSqlite(path_) && !setAside()) {
        return false;
    }
    for (;;) {
        if (!connect()) {
            return false;
        }
        QSqlQuery check(database_);
        if (check.exec(QStringLiteral("PRAGMA integrity_check"))) {
            if (check.next() && check.value(0).toString() == QLatin1String("ok") && !check.next()) {
                break;
            }
        } else {
            const int code = sqliteCode(check.lastError());
            problem_ = check.lastError().text();
            if (code != kSqliteCorrupt && code != kSqliteNotADatabase) {
                disconnect();  // busy or unreadable for now: tried again on the next use
                return false;
            }
        }
        check = QSqlQuery();
        if (!setAside()) {
            disconnect();
            return false;
        }
    }
    if (!prepareSchema()) {
        disconnect();
        return false;
    }
    if (state_ == State::Writable) {
        writePending();
    }
    return true;
}

// Makes or migrates the schema, or tells of a newer one; leaves the state it found.
bool SqliteProgressStore::prepareSchema() {
    const auto version = [this]() -> std::optional<int> {
        QSqlQuery query(database_);
        if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
            problem_ = query.lastError().text();
            return std::nullopt;
        }
        return query.value(0).toInt();
    };
    const auto found = version();
    if (!found) {
        return false;
    }
    if (*found > kSchemaVersion) {
        state_ = State::ReadOnly;
        problem_ = QStringLiteral("ją įrašė naujesnė programos versija");
        reportOnce(
            Fault::Newer,
            QStringLiteral("Pažangos duomenų bazę „%1“ įrašė naujesnė Lentoros versija, "
                           "todėl ši jos nekeičia. Nauji bandymai laikomi faile „%2“.")
                .arg(QDir::toNativeSeparators(path_), QDir::toNativeSeparators(journal_.path())));
        return true;
    }
    run(QStringLiteral("PRAGMA journal_mode=WAL"));  // kept by the file; may fail while busy
    if (!run(QStringLiteral("PRAGMA foreign_keys=ON")) ||
        !run(QStringLiteral("PRAGMA synchronous=FULL"))) {
        return false;
    }
    if (*found == kSchemaVersion) {
        state_ = State::Writable;
        return true;
    }
    // Made or migrated under the write lock: another program may be doing the same.
    if (!run(QStringLiteral("BEGIN IMMEDIATE"))) {
        return false;
    }
    const auto locked = version();
    bool done = locked.has_value();
    if (done && *locked == 0) {
        QSqlQuery tables(database_);
        done = tables.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) && tables.next();
        if (done && tables.value(0).toInt() != 0) {
            run(QStringLiteral("ROLLBACK"));
            // Tables of some other program: not ours to change or to mix with.
            return setAside() && connect() && prepareSchema();
        }
        for (const char* statement : kSchema) {
            done = done && run(QString::fromLatin1(statement));
        }
    } else if (done && *locked == 1) {
        for (const char* statement : kFromVersion1) {
            done = done && run(QString::fromLatin1(statement));
        }
    }
    if (done && *locked < kSchemaVersion) {
        done = run(QStringLiteral("PRAGMA user_version=%1").arg(kSchemaVersion));
    }
    if (!done || !run(QStringLiteral("COMMIT"))) {
        run(QStringLiteral("ROLLBACK"));
        return false;
    }
    if (*locked > kSchemaVersion) {
        return prepareSchema();  // a newer program made it meanwhile
    }
    state_ = State::Writable;
    return true;
}

bool SqliteProgressStore::insertAttempt(const Attempt& attempt) {
    const AttemptSummary& summary = attempt.summary;
    QSqlQuery query(database_);
    query.prepare(QStringLiteral(
        "INSERT OR IGNORE INTO attempts (uuid, learner_id, course_id, course_version, menu_path,"
        " menu_row_id, started_ms, ended_ms, score, max_score, grade, incomplete)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    query.addBindValue(summary.id.toString(QUuid::WithoutBraces));
    query.addBindValue(qint64(summary.learnerId));
    query.addBindValue(storedText(summary.courseId));
    query.addBindValue(storedText(summary.courseVersion));
    query.addBindValue(storedText(summary.menuPath));
    query.addBindValue(summary.menuRowId);
    query.addBindValue(timeValue(summary.started));
    query.addBindValue(timeValue(summary.ended));
    query.addBindValue(summary.points.score);
    query.addBindValue(summary.points.maxScore);
    query.addBindValue(summary.grade);
    query.addBindValue(int(summary.incomplete));
    if (!query.exec()) {
        problem_ = query.lastError().text();
        return false;
    }
    if (query.numRowsAffected() == 0) {
        return true;  // kept already: the id makes a second write harmless
    }
    const qint64 attemptRow = query.lastInsertId().toLongLong();
    QSqlQuery exercises(database_);
    exercises.prepare(QStringLiteral(
        "INSERT INTO exercises (attempt_id, position, kind, record, skipped, failure, score,"
        " max_score, shown) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    QSqlQuery items(database_);
    items.prepare(QStringLiteral(
        "INSERT INTO items (attempt_id, exercise, position, kind, record, item, given,"
        " right_answer, correct) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (std::size_t position = 0; position < attempt.exercises.size(); ++position) {
        const content::ExerciseResult& exercise = attempt.exercises[position];
        const QString kind = content::exerciseKindName(exercise.kind);
        exercises.addBindValue(attemptRow);
        exercises.addBindValue(qint64(position));
        exercises.addBindValue(kind);
        exercises.addBindValue(exercise.record);
        exercises.addBindValue(int(exercise.skipped));
        exercises.addBindValue(storedText(exercise.failure));
        exercises.addBindValue(exercise.points.score);
        exercises.addBindValue(exercise.points.maxScore);
        exercises.addBindValue(exercise.shown);
        if (!exercises.exec()) {
            problem_ = exercises.lastError().text();
            return false;
        }
        for (std::size_t itemPosition = 0; itemPosition < exercise.items.size(); ++itemPosition) {
            const content::ItemResult& item = exercise.items[itemPosition];
            items.addBindValue(attemptRow);
            items.addBindValue(qint64(position));
            items.addBindValue(qint64(itemPosition));
            items.addBindValue(kind);
            items.addBindValue(exercise.record);
            items.addBindValue(item.item);
            items.addBindValue(storedText(item.given));
            items.addBindValue(storedText(item.right));
            items.addBindValue(int(item.correct));
            if (!items.exec()) {
                problem_ = items.lastError().text();
                return false;
            }
        }
    }
    return true;
}

bool SqliteProgressStore::writeAttempt(const Attempt& attempt) {
    if (!run(QStringLiteral("BEGIN IMMEDIATE"))) {
        return false;
    }
    if (insertAttempt(attempt) && run(QStringLiteral("COMMIT"))) {
        return true;
    }
    const QString problem = problem_;
    run(QStringLiteral("ROLLBACK"));
    problem_ = problem;
    return false;
}

void SqliteProgressStore::keepPending(const Attempt& attempt, const QString& reason) {
    pending_.push_back(attempt);
    QString error;
    if (journal_.append(attemptToJson(attempt), &error)) {
        if (state_ != State::ReadOnly) {  // a newer file was told of already
            reportOnce(
                Fault::Pending,
                QStringLiteral("Bandymo nepavyko įrašyti į pažangos duomenų bazę „%1“ (%2). Jis "
                               "laikomas faile „%3“ ir bus įrašytas, kai tik bus galima.")
                    .arg(QDir::toNativeSeparators(path_), reason,
                         QDir::toNativeSeparators(journal_.path())));
        }
        return;
    }
    unsaved_.push_back(attempt);
    reportOnce(Fault::Unsaved,
               QStringLiteral("Bandymo nepavyko įrašyti nei į pažangos duomenų bazę „%1“ (%2), "
                              "nei į failą „%3“ (%4). Jis laikomas, kol programa veikia.")
                   .arg(QDir::toNativeSeparators(path_), reason,
                        QDir::toNativeSeparators(journal_.path()), error));
}

// Writes what was kept as pending, each attempt once, and empties the journal of it.
void SqliteProgressStore::writePending() {
    const auto forget = [this](const QUuid& id) {
        std::erase_if(pending_, [&](const Attempt& each) { return each.summary.id == id; });
    };
    for (auto it = unsaved_.begin(); it != unsaved_.end();) {
        if (!writeAttempt(*it)) {
            return;
        }
        forget(it->summary.id);
        it = unsaved_.erase(it);
    }
    PendingJournal::Taken taken = journal_.take();
    if (taken.files.isEmpty() || !run(QStringLiteral("BEGIN IMMEDIATE"))) {
        return;  // what was set aside stays, to be taken again
    }
    std::vector<QByteArray> unwritten;
    std::vector<QByteArray> broken;
    std::vector<QUuid> written;
    for (const QByteArray& line : taken.lines) {
        const std::optional<Attempt> attempt = attemptFromJson(line);
        if (!attempt) {
            broken.push_back(line);
        } else if (run(QStringLiteral("SAVEPOINT line")) && insertAttempt(*attempt) &&
                   run(QStringLiteral("RELEASE line"))) {
            written.push_back(attempt->summary.id);
        } else {
            run(QStringLiteral("ROLLBACK TO line"));
            run(QStringLiteral("RELEASE line"));
            unwritten.push_back(line);  // its learner may be gone: kept, never dropped
        }
    }
    if (!run(QStringLiteral("COMMIT"))) {
        run(QStringLiteral("ROLLBACK"));
        return;
    }
    // Lines that are no attempt (one cut short by a crash) go to a file of their own.
    PendingJournal rejected(journal_.path() + ".broken");
    QString error;
    for (const QByteArray& line : broken) {
        if (!rejected.append(line, &error)) {
            unwritten.push_back(line);
        }
    }
    journal_.finish(taken, unwritten, &error);
    for (const QUuid& id : written) {
        forget(id);
    }
}

SqliteProgressStore::Kept SqliteProgressStore::record(const Attempt& given) {
    Attempt attempt = given;
    if (attempt.summary.id.isNull()) {
        attempt.summary.id = QUuid::createUuid();  // a null id would make attempts one
    }
    if (writable() && writeAttempt(attempt)) {
        writePending();
        return Kept::Written;
    }
    keepPending(attempt, problem_);
    return Kept::Pending;
}

std::vector<Learner> SqliteProgressStore::learners() {
    std::vector<Learner> found;
    if (!readable()) {
        return found;
    }
    QSqlQuery query(database_);
    if (query.exec(QStringLiteral("SELECT id, name FROM learners"))) {
        while (query.next()) {
            found.push_back({query.value(0).toLongLong(), query.value(1).toString()});
        }
    }
    QCollator collator{QLocale(QLocale::Lithuanian)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(found.begin(), found.end(), [&](const Learner& a, const Learner& b) {
        return collator.compare(a.name, b.name) < 0;
    });
    return found;
}

bool SqliteProgressStore::nameTaken(const QString& name, std::int64_t exceptId) {
    const std::vector<Learner> all = learners();
    return std::any_of(all.begin(), all.end(), [&](const Learner& each) {
        return each.id != exceptId && nameKey(each.name) == nameKey(name);
    });
}

std::optional<Learner> SqliteProgressStore::learner(std::int64_t learnerId) {
    for (const Learner& each : learners()) {
        if (each.id == learnerId) {
            return each;
        }
    }
    return std::nullopt;
}

std::optional<Learner> SqliteProgressStore::addLearner(const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || !writable() || nameTaken(trimmed, 0)) {
        return std::nullopt;
    }
    QSqlQuery query(database_);
    query.prepare(QStringLiteral("INSERT INTO learners (name) VALUES (?)"));
    query.addBindValue(trimmed);
    if (!query.exec()) {
        return std::nullopt;
    }
    return Learner{query.lastInsertId().toLongLong(), trimmed};
}

bool SqliteProgressStore::renameLearner(std::int64_t learnerId, const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || !writable() || nameTaken(trimmed, learnerId)) {
        return false;
    }
    QSqlQuery query(database_);
    query.prepare(QStringLiteral("UPDATE learners SET name = ? WHERE id = ?"));
    query.addBindValue(trimmed);
    query.addBindValue(qint64(learnerId));
    return query.exec() && query.numRowsAffected() == 1;
}

bool SqliteProgressStore::removeLearner(std::int64_t learnerId) {
    if (!writable()) {
        return false;
    }
    QSqlQuery query(database_);
    query.prepare(QStringLiteral("DELETE FROM learners WHERE id = ?"));
    query.addBindValue(qint64(learnerId));
    if (!query.exec() || query.numRowsAffected() != 1) {
        return false;
    }
    std::erase_if(pending_,
                  [&](const Attempt& each) { return each.summary.learnerId == learnerId; });
    return true;
}

int SqliteProgressStore::attemptCount(std::int64_t learnerId) {
    int count = int(std::count_if(pending_.begin(), pending_.end(), [&](const Attempt& each) {
        return each.summary.learnerId == learnerId;
    }));
    if (readable()) {
        QSqlQuery query(database_);
        query.prepare(QStringLiteral("SELECT count(*) FROM attempts WHERE learner_id = ?"));
        query.addBindValue(qint64(learnerId));
        if (query.exec() && query.next()) {
            count += query.value(0).toInt();
        }
    }
    return count;
}

std::optional<Learner> SqliteProgressStore::currentLearner() {
    std::optional<std::int64_t> id = chosenLearner_;
    if (!id && readable()) {
        QSqlQuery query(database_);
        query.prepare(QStringLiteral("SELECT value FROM settings WHERE key = ?"));
        query.addBindValue(QString::fromLatin1(kCurrentLearnerKey));
        bool number = false;
        if (query.exec() && query.next()) {
            const qint64 value = query.value(0).toString().toLongLong(&number);
            if (number) {
                id = value;
            }
        }
    }
    return id ? learner(*id) : std::nullopt;
}

void SqliteProgressStore::setCurrentLearner(std::int64_t learnerId) {
    chosenLearner_ = learnerId;  // for this run, even when the file cannot take it
    if (!writable()) {
        return;
    }
    QSqlQuery query(database_);
    query.prepare(QStringLiteral("INSERT OR REPLACE INTO settings (key, value) VALUES (?, ?)"));
    query.addBindValue(QString::fromLatin1(kCurrentLearnerKey));
    query.addBindValue(QString::number(learnerId));
    query.exec();
}

std::vector<AttemptSummary> SqliteProgressStore::attempts(std::int64_t learnerId,
                                                          const QString& courseId) {
    std::vector<AttemptSummary> found;
    if (readable()) {
        QSqlQuery query(database_);
        query.setForwardOnly(true);
        query.prepare(QStringLiteral("SELECT %1 FROM attempts WHERE learner_id = ? AND "
                                     "course_id = ? ORDER BY started_ms, id")
                          .arg(QLatin1String(kSummaryColumns)));
        query.addBindValue(qint64(learnerId));
        query.addBindValue(courseId);
        if (query.exec()) {
            while (query.next()) {
                found.push_back(summaryOf(query));
            }
        }
    }
    bool added = false;
    for (const Attempt& each : pending_) {
        const AttemptSummary& summary = each.summary;
        if (summary.learnerId == learnerId && summary.courseId == courseId &&
            std::none_of(found.begin(), found.end(),
                         [&](const AttemptSummary& kept) { return kept.id == summary.id; })) {
            found.push_back(summary);
            added = true;
        }
    }
    if (added) {
        std::stable_sort(found.begin(), found.end(),
                         [](const AttemptSummary& a, const AttemptSummary& b) {
                             return a.started.toMSecsSinceEpoch() < b.started.toMSecsSinceEpoch();
                         });
    }
    return found;
}

std::optional<Attempt> SqliteProgressStore::attempt(const QUuid& id) {
    if (readable()) {
        QSqlQuery query(database_);
        query.prepare(QStringLiteral("SELECT %1 FROM attempts WHERE uuid = ?")
                          .arg(QLatin1String(kSummaryColumns)));
        query.addBindValue(id.toString(QUuid::WithoutBraces));
        if (query.exec() && query.next()) {
            Attempt found;
            found.summary = summaryOf(query);
            const qint64 row = query.value(12).toLongLong();
            QSqlQuery exercises(database_);
            exercises.prepare(QStringLiteral(
                "SELECT kind, record, skipped, failure, score, max_score, shown FROM exercises"
                " WHERE attempt_id = ? ORDER BY position"));
            exercises.addBindValue(row);
            QSqlQuery items(database_);
            items.prepare(
                QStringLiteral("SELECT exercise, item, given, right_answer, correct FROM items"
                               " WHERE attempt_id = ? ORDER BY exercise, position"));
            items.addBindValue(row);
            if (!exercises.exec() || !items.exec()) {
                return std::nullopt;
            }
            while (exercises.next()) {
                content::ExerciseResult exercise;
                exercise.kind = content::exerciseKindFromName(exercises.value(0).toString())
                                    .value_or(content::ExerciseKind::SimpleTest);
                exercise.record = exercises.value(1).toInt();
                exercise.skipped = exercises.value(2).toBool();
                exercise.failure = exercises.value(3).toString();
                exercise.points = {exercises.value(4).toInt(), exercises.value(5).toInt()};
                exercise.shown = exercises.value(6).toByteArray();
                found.exercises.push_back(std::move(exercise));
            }
            while (items.next()) {
                const qint64 exercise = items.value(0).toLongLong();
                if (exercise >= 0 && exercise < qint64(found.exercises.size())) {
                    found.exercises[std::size_t(exercise)].items.push_back(
                        {items.value(1).toInt(), items.value(2).toString(),
                         items.value(3).toString(), items.value(4).toBool()});
                }
            }
            return found;
        }
    }
    for (const Attempt& each : pending_) {
        if (each.summary.id == id) {
            return each;
        }
    }
    return std::nullopt;
}

}  // namespace lentora::progress
