// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace lentora::progress {

// The tables of a class server, kept in one PostgreSQL database, and the version they are at.
// A program refuses a server of a newer version than its own, and writes nothing there.
class ClassSchema {
public:
    static constexpr int kVersion = 1;

    // Makes the schema in an empty database, with the roles lentora_teacher and lentora_pupil
    // (made once per server), in one transaction. Empty on success; else why not.
    static QString create(QSqlDatabase& database);

    // The version of the schema in the database; none when there is none or it cannot be read.
    static std::optional<int> version(QSqlDatabase& database);

    // Empty when a program of this version may write to the server; else a message for the
    // learner or teacher.
    static QString checkUsable(QSqlDatabase& database);
};

}  // namespace lentora::progress
