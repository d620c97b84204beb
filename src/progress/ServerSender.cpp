// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/ServerSender.h"

#include "progress/ClassConnection.h"
#include "progress/ClassSchema.h"
#include "progress/ServerProgressStore.h"

#include <QFile>
#include <QSqlDatabase>

#include <unistd.h>

namespace lentora::progress {

namespace {

std::atomic<int> connectionCount{0};

}  // namespace

ServerSender::ServerSender(ServerProgressStore& store, ClassServer server, QString login,
                           QString password, QString sentPath, int retryMs)
    : store_(store),
      server_(std::move(server)),
      login_(std::move(login)),
      password_(std::move(password)),
      sentPath_(std::move(sentPath)),
      connectionName_(QStringLiteral("lentora-class-%1").arg(++connectionCount)),
      retryMs_(retryMs) {}

QSet<QUuid> ServerSender::readSent(const QString& sentPath) {
    QSet<QUuid> sent;
    QFile file(sentPath);
    if (!file.open(QIODevice::ReadOnly)) {
        return sent;
    }
    // A line cut short by a crash is no id and is skipped; that attempt is sent again and
    // found on the server.
    while (!file.atEnd()) {
        const QUuid id = QUuid::fromString(QString::fromLatin1(file.readLine(64).trimmed()));
        if (!id.isNull()) {
            sent.insert(id);
        }
    }
    return sent;
}

void ServerSender::start() {
    retry_ = new QTimer(this);
    retry_->setSingleShot(true);
    retry_->setInterval(retryMs_);
    QObject::connect(retry_, &QTimer::timeout, this, &ServerSender::flush);
    flush();
}

void ServerSender::enqueue(const Attempt& attempt) {
    toSend_.push_back(attempt);
    flush();
}

void ServerSender::tell(const QString& kind, const QString& message) {
    if (told_.contains(kind)) {
        return;
    }
    told_.insert(kind);
    QMetaObject::invokeMethod(
        &store_.reportContext_,
        [this, message] {
            if (store_.report_) {
                store_.report_(message);
            }
        },
        Qt::QueuedConnection);
}

bool ServerSender::connect() {
    if (open_) {
        return true;
    }
    if (unusable_) {
        return false;
    }
    QSqlDatabase database = server_.open(connectionName_, login_, password_);
    if (!database.isOpen()) {
        if (isLoginRefused(database)) {
            tell(QStringLiteral("login"),
                 QStringLiteral(
                     "Klasės serveris nepriėmė prisijungimo „%1“. Rezultatai saugomi "
                     "šiame kompiuteryje ir bus nusiųsti, kai prisijungsite teisingu vardu ir "
                     "slaptažodžiu.")
                     .arg(login_));
            unusable_ = true;
        } else {
            tell(QStringLiteral("away"),
                 QStringLiteral("Klasės serveris nepasiekiamas. Rezultatai saugomi šiame "
                                "kompiuteryje ir bus nusiųsti vėliau."));
        }
        database = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName_);
        return false;
    }
    database = QSqlDatabase();
    QString problem;
    {
        ClassConnection connection(QSqlDatabase::database(connectionName_, false));
        problem = ClassSchema::checkUsable(connection.database());
        const auto member = problem.isEmpty() ? connection.me() : std::nullopt;
        if (problem.isEmpty() && !member) {
            problem = QStringLiteral("Klasės serveryje nėra mokinio „%1“.").arg(login_);
        }
        if (problem.isEmpty()) {
            const auto history = connection.attempts(login_, {});
            std::lock_guard lock(store_.mutex_);
            store_.reached_ = true;
            store_.displayName_ = member->learner.name;
            store_.teacher_ = member->teacher;
            if (history) {
                store_.history_ = *history;
            }
        }
    }
    if (!problem.isEmpty()) {
        // A newer schema or an unknown login: nothing is written there.
        tell(QStringLiteral("schema"), problem);
        unusable_ = true;
        QSqlDatabase::database(connectionName_, false).close();
        QSqlDatabase::removeDatabase(connectionName_);
        return false;
    }
    open_ = true;
    return true;
}

void ServerSender::disconnect() {
    if (!open_) {
        return;
    }
    QSqlDatabase::database(connectionName_, false).close();
    QSqlDatabase::removeDatabase(connectionName_);
    open_ = false;
}

bool ServerSender::markSent(const QUuid& id) {
    QFile file(sentPath_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        return false;
    }
    const QByteArray line = id.toByteArray(QUuid::WithoutBraces) + '\n';
    const bool written = file.write(line) == line.size() && file.flush();
    return written && ::fsync(file.handle()) == 0;
}

void ServerSender::flush() {
    // Connected even with nothing to send: the history is read from the server.
    if (!connect()) {
        if (!unusable_) {
            retry_->start();
        }
        return;
    }
    if (!sendAll()) {
        disconnect();
        tell(QStringLiteral("away"),
             QStringLiteral("Klasės serveris nepasiekiamas. Rezultatai saugomi šiame "
                            "kompiuteryje ir bus nusiųsti vėliau."));
        retry_->start();
    }
}

bool ServerSender::sendAll() {
    ClassConnection connection(QSqlDatabase::database(connectionName_, false));
    while (!toSend_.empty()) {
        const Attempt& attempt = toSend_.front();
        const ClassConnection::Sent sent = connection.send(attempt);
        if (sent == ClassConnection::Sent::Failed) {
            return false;
        }
        if (sent == ClassConnection::Sent::Refused) {
            // Kept in the queue for the teacher to see; sending it again would not help.
            connection.reportRefused(attempt, connection.reason());
            tell(QStringLiteral("refused"),
                 QStringLiteral("Klasės serveris nepriėmė temos „%1“ rezultato. Jis saugomas šiame "
                                "kompiuteryje; pasakykite apie tai mokytojui.")
                     .arg(attempt.summary.menuPath));
        } else {
            markSent(attempt.summary.id);
            std::lock_guard lock(store_.mutex_);
            store_.history_.push_back(attempt.summary);
        }
        --store_.unsent_;
        toSend_.pop_front();
    }
    return true;
}

std::optional<Attempt> ServerSender::fetch(const QUuid& id) {
    if (!connect()) {
        return std::nullopt;
    }
    std::optional<Attempt> attempt;
    bool lost = false;
    {
        ClassConnection connection(QSqlDatabase::database(connectionName_, false));
        attempt = connection.attempt(id);
        lost = !attempt && connection.connectionLost();
    }
    if (lost) {
        disconnect();
    }
    return attempt;
}

std::optional<std::vector<ClassConnection::PupilResults>> ServerSender::classResults(
    const QString& courseId) {
    if (!connect()) {
        return std::nullopt;
    }
    std::optional<std::vector<ClassConnection::PupilResults>> results;
    bool lost = false;
    {
        ClassConnection connection(QSqlDatabase::database(connectionName_, false));
        results = connection.classResults(courseId);
        lost = !results && connection.connectionLost();
    }
    if (lost) {
        disconnect();
    }
    return results;
}

void ServerSender::stop() {
    if (retry_) {
        retry_->stop();
    }
    disconnect();
}

}  // namespace lentora::progress
