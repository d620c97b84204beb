// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/ClassServer.h"

#include "platform/IniFile.h"

#include <QSqlError>
#include <QStringList>

#include <optional>

namespace lentora::progress {

std::optional<ClassServer> ClassServer::fromSettings(const IniFile& settings) {
    // A section is there when any of its keys is.
    const QByteArray missing = QByteArrayLiteral("\x01");
    const auto text = [&](const char* key) { return settings.readText("Klase", key, missing); };
    const QByteArray host = text("Serveris");
    const QByteArray database = text("DuomenuBaze");
    const QByteArray className = text("Klase");
    const QByteArray port = text("Prievadas");
    if (host == missing && database == missing && className == missing && port == missing) {
        return std::nullopt;
    }
    const auto value = [&](const QByteArray& bytes) {
        return bytes == missing ? QString() : QString::fromLatin1(bytes).trimmed();
    };
    ClassServer server;
    server.host = value(host);
    server.database = value(database);
    server.className = value(className);
    const int portNumber = settings.readInt("Klase", "Prievadas", 5432);
    server.port = portNumber > 0 && portNumber < 65536 ? portNumber : 5432;
    return server;
}

bool ClassServer::isUnixSocket() const {
    QString effective = host;
    if (effective.isEmpty()) {
        effective = qEnvironmentVariable("PGHOST");
    }
    // libpq's default without a host is the socket; a host list takes its first entry.
    effective = effective.section(QLatin1Char(','), 0, 0);
    return effective.isEmpty() || effective.startsWith(QLatin1Char('/')) ||
           effective.startsWith(QLatin1Char('@'));
}

QSqlDatabase ClassServer::open(const QString& connectionName, const QString& user,
                               const QString& password, int timeoutSeconds) const {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    database.setHostName(host);
    if (port > 0) {
        database.setPort(port);
    }
    database.setDatabaseName(this->database);
    database.setUserName(user);
    database.setPassword(password);
    QStringList options{QStringLiteral("connect_timeout=%1").arg(qMax(1, timeoutSeconds)),
                        QStringLiteral("application_name=lentora")};
    if (!isUnixSocket()) {
        // A stricter mode chosen in the environment (verify-ca, verify-full) stays.
        const QByteArray chosen = qgetenv("PGSSLMODE");
        if (chosen != "verify-ca" && chosen != "verify-full") {
            options << QStringLiteral("sslmode=require");
        }
    }
    database.setConnectOptions(options.join(QLatin1Char(';')));
    database.open();
    return database;
}

QString serverError(const QSqlDatabase& database) {
    const QSqlError error = database.lastError();
    QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.section(QLatin1Char('\n'), 0, 0).trimmed();
}

bool isLoginRefused(const QSqlDatabase& database) {
    const QString text = database.lastError().databaseText() + database.lastError().driverText();
    // libpq gives no error code before a connection exists; its texts are fixed.
    return text.contains(QLatin1String("password authentication failed")) ||
           text.contains(QLatin1String("no password supplied")) ||
           (text.contains(QLatin1String("role \"")) &&
            text.contains(QLatin1String("does not exist")));
}

}  // namespace lentora::progress
