// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/Attempt.h"

#include <QSqlDatabase>
#include <QString>
#include <QUuid>

#include <optional>
#include <vector>

namespace lentora::progress {

// What a pupil's or teacher's program does on an open connection to a class server, as the
// login it connected with. Row-level security on the server keeps each login to its own rows
// (a teacher also reads the pupils of its classes). Used on one thread at a time.
class ClassConnection {
public:
    explicit ClassConnection(QSqlDatabase database) : database_(std::move(database)) {}

    QSqlDatabase& database() { return database_; }

    // The login's row in the names table: its number and display name; none when the login is
    // no pupil or teacher of this server or the server cannot be read.
    struct Member {
        Learner learner;
        QString login;
        bool teacher = false;
        QString className;
    };
    std::optional<Member> me();

    enum class Sent {
        Stored,        // written now
        AlreadyThere,  // this login's attempt of that id was written before
        Refused,       // the server will not take it (reason()); sending again will not help
        Failed,        // the connection failed; try again later
    };
    // Writes the attempt as this login's, in one transaction.
    Sent send(const Attempt& attempt);
    // Tells the teacher's tool about an attempt the server refused; true when it is told.
    bool reportRefused(const Attempt& attempt, const QString& reason);
    const QString& reason() const { return reason_; }

    // This login's attempts, or a pupil's of the teacher's classes, oldest first; none when
    // the server cannot be read. An empty course id gives every course.
    std::optional<std::vector<AttemptSummary>> attempts(const QString& login,
                                                        const QString& courseId);
    // A teacher's pupils (every class of theirs) with their attempts in one course, oldest
    // first; none when the server cannot be read. A pupil sees only themselves.
    struct PupilResults {
        Member pupil;
        std::vector<AttemptSummary> attempts;
    };
    std::optional<std::vector<PupilResults>> classResults(const QString& courseId);
    // One attempt with its exercises, when this login may read it.
    std::optional<Attempt> attempt(const QUuid& id);

    // Whether the failure of the last call was the connection's (not the data's).
    bool connectionLost() const;

private:
    QSqlDatabase database_;
    QString reason_;
};

}  // namespace lentora::progress
