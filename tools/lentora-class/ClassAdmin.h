// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace lentora::classtool {

// What a teacher or administrator does on a class server, through a connection of a role that
// may make roles (the database's owner or a superuser). Every value from the command line goes
// to the server as a bound parameter.
class ClassAdmin {
public:
    explicit ClassAdmin(QSqlDatabase database) : database_(std::move(database)) {}

    struct Login {
        QString login;
        QString password;
    };
    struct ReportRow {
        QString name;
        QString login;
        QString courseId;
        QString topic;
        int attempts = 0;
        int lastGrade = 0;
        int bestGrade = 0;
        QDateTime last;
    };
    struct PendingRow {
        QString name;
        QString login;
        QString attemptId;
        QString topic;
        QDateTime ended;
        QString reason;
        QDateTime reported;
    };

    // Empty on success; else why not (also set by the calls that return none).
    const QString& failure() const { return failure_; }

    // Letters of the Latin alphabet, digits and '_', at most 16: a class name goes into logins.
    static bool isClassName(const QString& name);

    bool init();
    // A pupil of the class (made when missing), or a teacher of every class given.
    std::optional<Login> addPupil(const QString& name, const QString& className);
    std::optional<Login> addTeacher(const QString& name, const QStringList& classNames);
    std::optional<QString> resetPassword(const QString& login);
    // Pupils and attempts the class holds; none when there is no such class.
    std::optional<std::pair<int, int>> classSize(const QString& className);
    bool removeClass(const QString& className);
    std::optional<std::vector<ReportRow>> report(const QString& className);
    std::optional<std::vector<PendingRow>> pending();

private:
    bool usable();
    std::optional<QString> freeLogin(const QString& prefix, int digits);
    std::optional<Login> addMember(const QString& name, const QStringList& classNames,
                                   bool teacher);
    bool fail(const QString& text);

    QSqlDatabase database_;
    QString failure_;
};

// A new random password: 14 letters and digits, without look-alikes (0 O 1 l I).
QString randomPassword();

}  // namespace lentora::classtool
