// SPDX-License-Identifier: GPL-3.0-or-later
#include "PostgresServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <unistd.h>

#include <memory>

namespace lentora::testing {

namespace {

const QString kBinDir = QStringLiteral("/usr/lib/postgresql/15/bin/");

bool runningAsRoot() {
    return ::geteuid() == 0;
}

}  // namespace

PostgresServer::PostgresServer(bool durable) : durable_(durable) {
    if (!dir_.isValid()) {
        failure_ = QStringLiteral("no temporary directory");
        return;
    }
    dataDir_ = dir_.filePath(QStringLiteral("data"));
    // The port only names the socket in our own directory, so any number is free there.
    port_ = 50000 + static_cast<int>(::getpid() % 10000);
    if (runningAsRoot()) {
        QProcess::execute(QStringLiteral("chown"),
                          {QStringLiteral("postgres:postgres"), dir_.path()});
    }
    QString output;
    if (!runAsOwner(
            kBinDir + QStringLiteral("initdb"),
            {QStringLiteral("-D"), dataDir_, QStringLiteral("-U"), superuser(),
             QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--locale=C.UTF-8"),
             QStringLiteral("--auth-local=scram-sha-256"), QStringLiteral("--auth-host=reject"),
             QStringLiteral("--no-sync")},
            &output)) {
        failure_ = QStringLiteral("initdb failed: ") + output;
        return;
    }
    // The superuser by the socket's peer trust, every pupil and teacher by password.
    QFile hba(QDir(dataDir_).filePath(QStringLiteral("pg_hba.conf")));
    if (!hba.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        failure_ = QStringLiteral("cannot write pg_hba.conf");
        return;
    }
    hba.write("local all postgres trust\nlocal all all scram-sha-256\n");
    hba.close();
    start();
}

PostgresServer::~PostgresServer() {
    stop();
}

namespace {
std::unique_ptr<PostgresServer> sharedServer;
}  // namespace

PostgresServer& PostgresServer::shared(bool durable) {
    if (!sharedServer) {
        sharedServer = std::make_unique<PostgresServer>(durable);
        // Stopped while the application still runs, so its processes can be waited for.
        qAddPostRoutine([] { sharedServer.reset(); });
    }
    return *sharedServer;
}

QString PostgresServer::log() const {
    QFile file(dir_.filePath(QStringLiteral("server.log")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll().right(4000))
                                          : QString();
}

bool PostgresServer::start() {
    if (running_) {
        return true;
    }
    QString output;
    running_ = runAsOwner(
        kBinDir + QStringLiteral("pg_ctl"),
        {QStringLiteral("-D"), dataDir_, QStringLiteral("-l"),
         dir_.filePath(QStringLiteral("server.log")), QStringLiteral("-w"), QStringLiteral("-o"),
         QStringLiteral("-c listen_addresses='' -k %1 -p %2 -c fsync=off"
                        " -c max_connections=100")
             .arg(dir_.path())
             .arg(port_),
         QStringLiteral("start")},
        &output);
    if (!running_) {
        failure_ = QStringLiteral("pg_ctl start failed: ") + output;
        return false;
    }
    // Should the test program be killed (a timeout, a crash), its server and files go with it.
    const QString stop =
        QStringLiteral("%1pg_ctl -D '%2' -m immediate stop").arg(kBinDir, dataDir_);
    QProcess::startDetached(
        QStringLiteral("sh"),
        {QStringLiteral("-c"),
         QStringLiteral("while [ -d /proc/%1 ]; do sleep 1; done; %2 >/dev/null 2>&1; rm -rf '%3'")
             .arg(QCoreApplication::applicationPid())
             .arg(runningAsRoot() ? QStringLiteral("runuser -u postgres -- ") + stop : stop)
             .arg(dir_.path())});
    return true;
}

bool PostgresServer::stop() {
    if (!running_) {
        return true;
    }
    QString output;
    const bool stopped =
        runAsOwner(kBinDir + QStringLiteral("pg_ctl"),
                   {QStringLiteral("-D"), dataDir_, QStringLiteral("-m"), QStringLiteral("fast"),
                    QStringLiteral("-w"), QStringLiteral("stop")},
                   &output);
    running_ = !stopped;
    return stopped;
}

QString PostgresServer::createDatabase() {
    const QString name = QStringLiteral("lentora_test_%1").arg(++databases_);
    runSql(QStringLiteral("postgres"), QStringLiteral("CREATE DATABASE %1").arg(name));
    return name;
}

bool PostgresServer::runSql(const QString& database, const QString& sql, QString* output) {
    QProcess psql;
    psql.setProcessChannelMode(QProcess::MergedChannels);
    psql.start(kBinDir + QStringLiteral("psql"),
               {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-At"),
                QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-h"),
                socketDir(), QStringLiteral("-p"), QString::number(port_), QStringLiteral("-U"),
                superuser(), QStringLiteral("-d"), database, QStringLiteral("-c"), sql});
    const bool finished = psql.waitForFinished(60000);
    if (output) {
        *output = QString::fromUtf8(psql.readAll()).trimmed();
    }
    return finished && psql.exitStatus() == QProcess::NormalExit && psql.exitCode() == 0;
}

QStringList PostgresServer::environment(const QString& database) const {
    QStringList environment = QProcessEnvironment::systemEnvironment().toStringList();
    environment << QStringLiteral("PGHOST=") + socketDir()
                << QStringLiteral("PGPORT=") + QString::number(port_)
                << QStringLiteral("PGUSER=") + superuser()
                << QStringLiteral("PGDATABASE=") + database;
    return environment;
}

bool PostgresServer::runAsOwner(const QString& program, const QStringList& arguments,
                                QString* output, int timeoutMs) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(dir_.path());
    if (runningAsRoot()) {
        process.start(QStringLiteral("runuser"),
                      QStringList{QStringLiteral("-u"), QStringLiteral("postgres"),
                                  QStringLiteral("--"), program} +
                          arguments);
    } else {
        process.start(program, arguments);
    }
    const bool finished = process.waitForFinished(timeoutMs);
    if (output) {
        *output = QString::fromUtf8(process.readAll());
    }
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

}  // namespace lentora::testing
