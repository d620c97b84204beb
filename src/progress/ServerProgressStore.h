// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/ClassConnection.h"
#include "progress/ClassServer.h"
#include "progress/ProgressStore.h"

#include <QObject>
#include <QString>
#include <QThread>

#include <atomic>
#include <memory>
#include <mutex>

namespace lentora::progress {

class ServerSender;

// A pupil's or teacher's progress on a class server. Every attempt goes first to a local queue
// (a store of the local schema, one per login), then to the server, each exactly once: the
// server refuses a second attempt of one id, and a sending whose answer was lost finds its own
// row there. Every server call runs on a thread of its own with a connect timeout, so record()
// and the listings never wait on the network; the history comes from the server once it
// answered, with what is still queued here. What the server refuses stays in the queue and is
// told to the teacher's tool (`lentora-class report --pending`) when the server can be told.
// The password is kept in memory only.
class ServerProgressStore : public ProgressStore {
public:
    // `queue` is this login's local store (a SqliteProgressStore at queuePath()); `sentPath`
    // the journal of the attempts the server holds. Retries every `retryMs` while the server
    // is away.
    ServerProgressStore(ClassServer server, QString login, QString password,
                        std::unique_ptr<ProgressStore> queue, QString sentPath,
                        ProgressReport report, int retryMs = 30000);
    ~ServerProgressStore() override;

    // Where a login's queue and its journal of sent attempts are kept: AppDataLocation,
    // "class-<login>.sqlite" and "class-<login>.sent".
    static QString queuePath(const QString& login);
    static QString sentPath(const QString& login);

    // Checks a login and password on the server, waiting up to `timeoutSeconds`: for the
    // start-up dialog, which calls it off the GUI thread.
    enum class LoginCheck { Accepted, Refused, Unreachable, Unusable };
    static LoginCheck checkLogin(const ClassServer& server, const QString& login,
                                 const QString& password, QString* message, int timeoutSeconds = 5);

    // Attempts waiting to be sent (those the server refused stay in the queue, not here).
    int unsentCount() const { return unsent_.load(); }
    // Whether the server answered since the start; its history is then part of attempts().
    bool serverReached() const;

    // Whether the login is a teacher's (known once the server answered).
    bool isTeacher() const;
    // A teacher's pupils with their attempts in the course, read from the server, waiting no
    // longer than the connect timeout; none when it cannot be read.
    std::optional<std::vector<ClassConnection::PupilResults>> classResults(const QString& courseId);

    bool managesLearners() const override { return false; }
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
    friend class ServerSender;
    // The queue's one learner: this login.
    Learner localLearner();
    void appendQueued(const QUuid& id);

    QString login_;
    std::unique_ptr<ProgressStore> queue_;
    QString queuedPath_;
    std::optional<Learner> local_;
    ProgressReport report_;
    QObject reportContext_;  // the reports are told on the thread that made the store
    QThread thread_;
    ServerSender* sender_ = nullptr;
    std::atomic<int> unsent_{0};

    mutable std::mutex mutex_;  // guards what the sender learnt from the server
    bool reached_ = false;
    QString displayName_;
    bool teacher_ = false;
    std::vector<AttemptSummary> history_;
};

}  // namespace lentora::progress
