// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/ServerProgressStore.h"

#include "progress/ClassConnection.h"
#include "progress/ClassSchema.h"
#include "progress/ServerSender.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QStandardPaths>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <future>

namespace lentora::progress {

namespace {

// A login as a file name part: our logins as they are, anything else in hexadecimal.
QString fileNameOf(const QString& login) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_-]{1,64}$"));
    return plain.match(login).hasMatch() ? login
                                         : QString::fromLatin1(login.toUtf8().toHex().left(120));
}

QString appDataFile(const QString& name) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return QDir(folder).filePath(name);
}

std::atomic<int> checkCount{0};

}  // namespace

QString ServerProgressStore::queuePath(const QString& login) {
    return appDataFile(QStringLiteral("class-%1.sqlite").arg(fileNameOf(login)));
}

QString ServerProgressStore::sentPath(const QString& login) {
    return appDataFile(QStringLiteral("class-%1.sent").arg(fileNameOf(login)));
}

ServerProgressStore::ServerProgressStore(ClassServer server, QString login, QString password,
                                         std::unique_ptr<ProgressStore> queue, QString sentPath,
                                         ProgressReport report, int retryMs)
    : login_(std::move(login)),
      queue_(std::move(queue)),
      queuedPath_(sentPath + QStringLiteral(".queued")),
      report_(std::move(report)) {
    sender_ =
        new ServerSender(*this, std::move(server), login_, std::move(password), sentPath, retryMs);
    sender_->moveToThread(&thread_);
    thread_.start();
    // What this computer queued and the server does not hold yet goes first, in its order.
    const QSet<QUuid> sent = ServerSender::readSent(sentPath);
    QFile queued(queuedPath_);
    QSet<QUuid> seen;
    if (queued.open(QIODevice::ReadOnly)) {
        while (!queued.atEnd()) {
            const QUuid id = QUuid::fromString(QString::fromLatin1(queued.readLine(64).trimmed()));
            if (id.isNull() || sent.contains(id) || seen.contains(id)) {
                continue;
            }
            seen.insert(id);
            // Absent when its record() never returned: then it was never kept.
            if (auto attempt = queue_->attempt(id)) {
                ++unsent_;
                QMetaObject::invokeMethod(
                    sender_, [this, copy = std::move(*attempt)] { sender_->enqueue(copy); },
                    Qt::QueuedConnection);
            }
        }
    }
    QMetaObject::invokeMethod(
        sender_, [this] { sender_->start(); }, Qt::QueuedConnection);
}

ServerProgressStore::~ServerProgressStore() {
    QMetaObject::invokeMethod(
        sender_, [this] { sender_->stop(); }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
    delete sender_;
}

ServerProgressStore::LoginCheck ServerProgressStore::checkLogin(const ClassServer& server,
                                                                const QString& login,
                                                                const QString& password,
                                                                QString* message,
                                                                int timeoutSeconds) {
    const QString name = QStringLiteral("lentora-login-%1").arg(++checkCount);
    LoginCheck result = LoginCheck::Accepted;
    QString text;
    {
        QSqlDatabase database = server.open(name, login, password, timeoutSeconds);
        if (!database.isOpen()) {
            result = isLoginRefused(database) ? LoginCheck::Refused : LoginCheck::Unreachable;
            text = result == LoginCheck::Refused
                       ? QStringLiteral("Neteisingas prisijungimo vardas arba slaptažodis.")
                       : QStringLiteral("Klasės serveris nepasiekiamas. Pabandykite vėliau.");
        } else {
            ClassConnection connection(database);
            text = ClassSchema::checkUsable(connection.database());
            if (text.isEmpty() && !connection.me()) {
                text = QStringLiteral("Klasės serveryje nėra mokinio „%1“.").arg(login);
            }
            if (!text.isEmpty()) {
                result = LoginCheck::Unusable;
            }
            database.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (message) {
        *message = text;
    }
    return result;
}

bool ServerProgressStore::serverReached() const {
    std::lock_guard lock(mutex_);
    return reached_;
}

bool ServerProgressStore::isTeacher() const {
    std::lock_guard lock(mutex_);
    return teacher_;
}

std::optional<std::vector<ClassConnection::PupilResults>> ServerProgressStore::classResults(
    const QString& courseId) {
    using Results = std::optional<std::vector<ClassConnection::PupilResults>>;
    auto promise = std::make_shared<std::promise<Results>>();
    std::future<Results> answer = promise->get_future();
    QMetaObject::invokeMethod(
        sender_, [this, courseId, promise] { promise->set_value(sender_->classResults(courseId)); },
        Qt::QueuedConnection);
    if (answer.wait_for(std::chrono::seconds(6)) != std::future_status::ready) {
        return std::nullopt;
    }
    return answer.get();
}

Learner ServerProgressStore::localLearner() {
    if (!local_) {
        const std::vector<Learner> known = queue_->learners();
        if (!known.empty()) {
            local_ = known.front();
        } else if (auto added = queue_->addLearner(login_)) {
            local_ = *added;
            queue_->setCurrentLearner(added->id);
        } else {
            local_ = Learner{1, login_};
        }
    }
    Learner learner = *local_;
    std::lock_guard lock(mutex_);
    if (!displayName_.isEmpty()) {
        learner.name = displayName_;
    }
    return learner;
}

std::vector<Learner> ServerProgressStore::learners() {
    return {localLearner()};
}

std::optional<Learner> ServerProgressStore::addLearner(const QString&) {
    return std::nullopt;
}

bool ServerProgressStore::renameLearner(std::int64_t, const QString&) {
    return false;
}

bool ServerProgressStore::removeLearner(std::int64_t) {
    return false;
}

int ServerProgressStore::attemptCount(std::int64_t learnerId) {
    return static_cast<int>(attempts(learnerId, {}).size());
}

std::optional<Learner> ServerProgressStore::currentLearner() {
    return localLearner();
}

void ServerProgressStore::setCurrentLearner(std::int64_t) {}

void ServerProgressStore::appendQueued(const QUuid& id) {
    QFile file(queuedPath_);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        const QByteArray line = id.toByteArray(QUuid::WithoutBraces) + '\n';
        if (file.write(line) == line.size() && file.flush()) {
            ::fsync(file.handle());
        }
    }
}

ProgressStore::Kept ServerProgressStore::record(const Attempt& attempt) {
    Attempt own = attempt;
    own.summary.learnerId = localLearner().id;
    // Listed first, so a kept attempt is always found again; an id whose attempt was never
    // kept is skipped.
    appendQueued(own.summary.id);
    const Kept kept = queue_->record(own);
    ++unsent_;
    QMetaObject::invokeMethod(
        sender_, [this, own] { sender_->enqueue(own); }, Qt::QueuedConnection);
    return kept;
}

std::vector<AttemptSummary> ServerProgressStore::attempts(std::int64_t, const QString& courseId) {
    const std::int64_t learnerId = localLearner().id;
    std::vector<AttemptSummary> all = queue_->attempts(learnerId, courseId);
    QSet<QUuid> ids;
    for (const AttemptSummary& summary : all) {
        ids.insert(summary.id);
    }
    {
        std::lock_guard lock(mutex_);
        for (AttemptSummary summary : history_) {
            if ((courseId.isEmpty() || summary.courseId == courseId) && !ids.contains(summary.id)) {
                ids.insert(summary.id);
                summary.learnerId = learnerId;
                all.push_back(summary);
            }
        }
    }
    std::stable_sort(all.begin(), all.end(), [](const AttemptSummary& a, const AttemptSummary& b) {
        return a.ended < b.ended;
    });
    return all;
}

std::optional<Attempt> ServerProgressStore::attempt(const QUuid& id) {
    if (auto local = queue_->attempt(id)) {
        return local;
    }
    // Done elsewhere: read from the server, waiting no longer than its connect timeout.
    auto promise = std::make_shared<std::promise<std::optional<Attempt>>>();
    std::future<std::optional<Attempt>> answer = promise->get_future();
    QMetaObject::invokeMethod(
        sender_, [this, id, promise] { promise->set_value(sender_->fetch(id)); },
        Qt::QueuedConnection);
    if (answer.wait_for(std::chrono::seconds(6)) != std::future_status::ready) {
        return std::nullopt;
    }
    std::optional<Attempt> found = answer.get();
    if (found) {
        found->summary.learnerId = localLearner().id;
    }
    return found;
}

}  // namespace lentora::progress
