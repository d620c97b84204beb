// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/PendingJournal.h"
#include "progress/ProgressStore.h"

#include <QSqlDatabase>
#include <QString>

#include <set>

namespace lentora::progress {

// The learners and attempts of one user in one SQLite file (QSQLITE through Qt SQL), with the
// pending journal beside it ("<file>.pending") for the attempts the file cannot take at once.
// The file opens on first use. A file that is not SQLite or fails its integrity check is moved
// aside to "<file>.broken-<date>" and a new one is made; a file of a newer schema is read but
// never written. Each kind of fault is told once per instance through the report function.
class SqliteProgressStore final : public ProgressStore {
public:
    // The schema this program writes, kept in PRAGMA user_version. 1 had no course version of
    // an attempt and no exercise kind on its item rows.
    static constexpr int kSchemaVersion = 2;
    // The longest wait for another program's lock on the file: the learning window never waits.
    static constexpr int kBusyTimeoutMs = 20;

    SqliteProgressStore(QString databasePath, ProgressReport report);
    ~SqliteProgressStore() override;
    SqliteProgressStore(const SqliteProgressStore&) = delete;
    SqliteProgressStore& operator=(const SqliteProgressStore&) = delete;

    const QString& databasePath() const { return path_; }
    const QString& journalPath() const { return journal_.path(); }

    bool managesLearners() const override { return true; }
    std::vector<Learner> learners() override;
    std::optional<Learner> addLearner(const QString& name) override;
    bool renameLearner(std::int64_t learnerId, const QString& name) override;
    bool removeLearner(std::int64_t learnerId) override;
    int attemptCount(std::int64_t learnerId) override;

    std::optional<Learner> currentLearner() override;
    void setCurrentLearner(std::int64_t learnerId) override;

    Kept record(const Attempt& attempt) override;
    std::vector<AttemptSummary> attempts(std::int64_t learnerId, const QString& courseId) override;
    std::optional<Attempt> attempt(const QUuid& id) override;

private:
    enum class State { Closed, Writable, ReadOnly };
    enum class Fault { Broken, Newer, Pending, Unsaved };

    bool readable();  // opens the file when it is not open yet
    bool writable() { return readable() && state_ == State::Writable; }
    bool open();
    bool connect();
    void disconnect();
    bool setAside();
    bool prepareSchema();
    bool writeAttempt(const Attempt& attempt);
    bool insertAttempt(const Attempt& attempt);
    bool run(const QString& statement);
    void keepPending(const Attempt& attempt, const QString& reason);
    void writePending();
    bool nameTaken(const QString& name, std::int64_t exceptId);
    std::optional<Learner> learner(std::int64_t learnerId);
    void reportOnce(Fault fault, const QString& message);

    QString path_;
    ProgressReport report_;
    QString connectionName_;
    QSqlDatabase database_;
    PendingJournal journal_;
    State state_ = State::Closed;
    bool setAsideOnce_ = false;
    QString problem_;  // why the file could not be opened or written, for the messages
    std::set<Fault> reported_;
    // Attempts kept as pending in this run, so the windows see them; `unsaved_` are those not
    // even the journal could take, kept in memory until the file or the journal can.
    std::vector<Attempt> pending_;
    std::vector<Attempt> unsaved_;
    std::optional<std::int64_t> chosenLearner_;
};

}  // namespace lentora::progress
