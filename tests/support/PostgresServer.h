// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace lentora::testing {

// A PostgreSQL server of its own for a test program: a cluster made with initdb in a temporary
// directory, listening only on a Unix socket in that directory. Under root it runs as the
// `postgres` user, since PostgreSQL refuses root. The superuser `postgres` connects over the
// socket without a password; every other role needs its password (scram-sha-256).
class PostgresServer {
public:
    // `durable`: every commit is synced to disk, as on a school's server (the tests skip it).
    explicit PostgresServer(bool durable = false);
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    // The server of this test program, made and started at the first call, stopped and removed
    // when the program ends; the first call says whether it is durable.
    static PostgresServer& shared(bool durable = false);

    // Empty while it runs; else what went wrong.
    const QString& failure() const { return failure_; }
    bool isRunning() const { return running_; }

    // The socket directory (a libpq host) and the port that names the socket.
    QString socketDir() const { return dir_.path(); }
    int port() const { return port_; }
    static QString superuser() { return QStringLiteral("postgres"); }

    // The server's own log, for a failure's message.
    QString log() const;

    bool start();
    // Fast shutdown: connections are cut, as when a school's server goes down.
    bool stop();

    // A new empty database; its name.
    QString createDatabase();
    // Runs SQL as the superuser in a database with psql; psql's exit status 0.
    bool runSql(const QString& database, const QString& sql, QString* output = nullptr);

    // PGHOST, PGPORT, PGUSER for tools that find the server through libpq's environment.
    QStringList environment(const QString& database) const;

private:
    bool runAsOwner(const QString& program, const QStringList& arguments, QString* output,
                    int timeoutMs = 60000);

    QTemporaryDir dir_;
    QString dataDir_;
    int port_ = 0;
    bool durable_ = false;
    bool running_ = false;
    int databases_ = 0;
    QString failure_;
};

}  // namespace lentora::testing
