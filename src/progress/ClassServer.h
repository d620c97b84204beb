// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace lentora {
class IniFile;
}

namespace lentora::progress {

// Where a class's server is: the [Klase] section of the settings. An empty field leaves the
// choice to libpq's own environment (PGHOST, PGPORT, PGDATABASE, PGUSER, the password file).
// No password is ever read from or written to a settings file.
struct ClassServer {
    QString host;  // a host name, or a Unix socket directory (starting with '/')
    int port = 0;  // 0: libpq's choice (5432 unless PGPORT says otherwise)
    QString database;
    QString className;

    // The [Klase] section of the settings, or none when it is missing.
    static std::optional<ClassServer> fromSettings(const IniFile& settings);
    // Whether the connection goes through a Unix socket (no TLS there) rather than TCP.
    bool isUnixSocket() const;

    // Opens a connection of its own name (for the thread that uses it) as `user` ("" for
    // libpq's PGUSER or the system user) with `password` ("" for the password file). Over TCP
    // TLS is required; the connection attempt gives up after `timeoutSeconds`. A failed open
    // leaves the connection's lastError() set.
    QSqlDatabase open(const QString& connectionName, const QString& user, const QString& password,
                      int timeoutSeconds = 5) const;
};

// The first line of a server's error text, for a message.
QString serverError(const QSqlDatabase& database);

// Whether the server turned the login down (a wrong password or an unknown login) rather than
// being out of reach.
bool isLoginRefused(const QSqlDatabase& database);

}  // namespace lentora::progress
