// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/Attempt.h"
#include "progress/ClassConnection.h"
#include "progress/ClassServer.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <QUuid>

#include <deque>
#include <functional>
#include <optional>

namespace lentora::progress {

class ServerProgressStore;

// The thread side of a ServerProgressStore: its own connection to the server, the attempts
// still to send, in the order they were done, and the journal of those the server holds. Lives
// on the store's thread; the store calls it only through queued calls.
class ServerSender : public QObject {
    Q_OBJECT
public:
    ServerSender(ServerProgressStore& store, ClassServer server, QString login, QString password,
                 QString sentPath, int retryMs);

    // The ids the journal says the server holds (read on any thread before sending starts).
    static QSet<QUuid> readSent(const QString& sentPath);

    // Called on the sender's thread.
    void start();
    void enqueue(const Attempt& attempt);
    void flush();
    std::optional<Attempt> fetch(const QUuid& id);
    std::optional<std::vector<ClassConnection::PupilResults>> classResults(const QString& courseId);
    void stop();

private:
    bool connect();
    void disconnect();
    // Sends what waits, in order; false when the connection failed on the way.
    bool sendAll();
    bool markSent(const QUuid& id);
    void tell(const QString& kind, const QString& message);

    ServerProgressStore& store_;
    ClassServer server_;
    QString login_;
    QString password_;
    QString sentPath_;
    QString connectionName_;
    int retryMs_;
    QTimer* retry_ = nullptr;
    bool open_ = false;
    bool unusable_ = false;  // a newer schema, or no such login: nothing is written
    std::deque<Attempt> toSend_;
    QSet<QString> told_;
};

}  // namespace lentora::progress
