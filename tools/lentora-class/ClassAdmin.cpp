// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClassAdmin.h"

#include "progress/ClassSchema.h"
#include "progress/SqlStatement.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace lentora::classtool {

namespace {

using progress::runStatement;

QString errorOf(const QSqlQuery& query) {
    const QSqlError error = query.lastError();
    return (error.databaseText().isEmpty() ? error.text() : error.databaseText()).trimmed();
}

}  // namespace

QString randomPassword() {
    static const QString alphabet =
        QStringLiteral("abcdefghijkmnopqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789");
    QString password;
    for (int i = 0; i < 14; ++i) {
        password += alphabet.at(int(QRandomGenerator::system()->bounded(quint32(alphabet.size()))));
    }
    return password;
}

bool ClassAdmin::isClassName(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9_]{1,16}$"));
    return pattern.match(name).hasMatch();
}

bool ClassAdmin::fail(const QString& text) {
    failure_ = text;
    return false;
}

bool ClassAdmin::usable() {
    const QString problem = progress::ClassSchema::checkUsable(database_);
    return problem.isEmpty() || fail(problem);
}

bool ClassAdmin::init() {
    const QString problem = progress::ClassSchema::create(database_);
    return problem.isEmpty() || fail(problem);
}

std::optional<QString> ClassAdmin::freeLogin(const QString& prefix, int digits) {
    // Role names belong to the whole server, so a number another database uses is skipped.
    QSqlQuery query(database_);
    for (int number = 1; number < 100000; ++number) {
        const QString login =
            prefix + QStringLiteral("%1").arg(number, digits, 10, QLatin1Char('0'));
        if (!runStatement(
                query,
                QStringLiteral("SELECT (SELECT count(*) FROM pg_roles WHERE rolname = ?) +"
                               " (SELECT count(*) FROM members WHERE login = ?)"),
                {login, login}) ||
            !query.next()) {
            fail(errorOf(query));
            return std::nullopt;
        }
        if (query.value(0).toInt() == 0) {
            return login;
        }
    }
    fail(QStringLiteral("no free login left for ") + prefix);
    return std::nullopt;
}

std::optional<ClassAdmin::Login> ClassAdmin::addMember(const QString& name,
                                                       const QStringList& classNames,
                                                       bool teacher) {
    if (!usable()) {
        return std::nullopt;
    }
    if (name.trimmed().isEmpty()) {
        fail(QStringLiteral("the name is empty"));
        return std::nullopt;
    }
    if (classNames.isEmpty()) {
        fail(QStringLiteral("no class given"));
        return std::nullopt;
    }
    for (const QString& className : classNames) {
        if (!isClassName(className)) {
            fail(QStringLiteral("a class name is 1 to 16 Latin letters, digits or '_': ") +
                 className);
            return std::nullopt;
        }
    }
    if (!database_.transaction()) {
        fail(database_.lastError().text());
        return std::nullopt;
    }
    QSqlQuery query(database_);
    const auto abort = [&]() -> std::optional<Login> {
        fail(errorOf(query));
        database_.rollback();
        return std::nullopt;
    };
    for (const QString& className : classNames) {
        if (!runStatement(
                query,
                QStringLiteral("INSERT INTO classes (name) VALUES (?) ON CONFLICT DO NOTHING"),
                {className})) {
            return abort();
        }
    }
    const std::optional<QString> login =
        teacher ? freeLogin(classNames.first() + QStringLiteral("-m"), 2)
                : freeLogin(classNames.first() + QLatin1Char('-'), 3);
    if (!login) {
        database_.rollback();
        return std::nullopt;
    }
    const Login made{*login, randomPassword()};
    if (!runStatement(query, QStringLiteral("SELECT lentora_create_login(?, ?, ?)"),
                      {made.login, made.password, !teacher}) ||
        !runStatement(
            query,
            QStringLiteral("INSERT INTO members (login, class, teacher, display_name)"
                           " VALUES (?, ?, ?, ?)"),
            {made.login, teacher ? QVariant(QMetaType(QMetaType::QString)) : classNames.first(),
             teacher, name})) {
        return abort();
    }
    if (teacher) {
        for (const QString& className : classNames) {
            if (!runStatement(
                    query,
                    QStringLiteral("INSERT INTO teacher_classes (login, class) VALUES (?, ?)"),
                    {made.login, className})) {
                return abort();
            }
        }
    }
    if (!database_.commit()) {
        fail(database_.lastError().text());
        return std::nullopt;
    }
    return made;
}

std::optional<ClassAdmin::Login> ClassAdmin::addPupil(const QString& name,
                                                      const QString& className) {
    return addMember(name, {className}, false);
}

std::optional<ClassAdmin::Login> ClassAdmin::addTeacher(const QString& name,
                                                        const QStringList& classNames) {
    return addMember(name, classNames, true);
}

std::optional<QString> ClassAdmin::resetPassword(const QString& login) {
    if (!usable()) {
        return std::nullopt;
    }
    QSqlQuery query(database_);
    if (!runStatement(query, QStringLiteral("SELECT count(*) FROM members WHERE login = ?"),
                      {login}) ||
        !query.next()) {
        fail(errorOf(query));
        return std::nullopt;
    }
    if (query.value(0).toInt() == 0) {
        fail(QStringLiteral("no pupil or teacher has the login ") + login);
        return std::nullopt;
    }
    const QString password = randomPassword();
    if (!runStatement(query, QStringLiteral("SELECT lentora_set_password(?, ?)"),
                      {login, password})) {
        fail(errorOf(query));
        return std::nullopt;
    }
    return password;
}

std::optional<std::pair<int, int>> ClassAdmin::classSize(const QString& className) {
    if (!usable()) {
        return std::nullopt;
    }
    QSqlQuery query(database_);
    if (!runStatement(
            query,
            QStringLiteral("SELECT (SELECT count(*) FROM classes WHERE name = ?),"
                           " (SELECT count(*) FROM members WHERE class = ?),"
                           " (SELECT count(*) FROM attempts a JOIN members m ON m.login = a.login"
                           " WHERE m.class = ?)"),
            {className, className, className}) ||
        !query.next()) {
        fail(errorOf(query));
        return std::nullopt;
    }
    if (query.value(0).toInt() == 0) {
        fail(QStringLiteral("there is no class ") + className);
        return std::nullopt;
    }
    return std::pair{query.value(1).toInt(), query.value(2).toInt()};
}

bool ClassAdmin::removeClass(const QString& className) {
    if (!usable()) {
        return false;
    }
    if (!database_.transaction()) {
        return fail(database_.lastError().text());
    }
    QSqlQuery query(database_);
    const auto abort = [&]() {
        fail(errorOf(query));
        database_.rollback();
        return false;
    };
    if (!runStatement(query, QStringLiteral("SELECT login FROM members WHERE class = ?"),
                      {className})) {
        return abort();
    }
    QStringList logins;
    while (query.next()) {
        logins << query.value(0).toString();
    }
    // Their attempts and refusals go with their rows; teachers keep their other classes.
    if (!runStatement(query, QStringLiteral("DELETE FROM classes WHERE name = ?"), {className})) {
        return abort();
    }
    for (const QString& login : logins) {
        if (!runStatement(query, QStringLiteral("SELECT lentora_drop_login(?)"), {login})) {
            return abort();
        }
    }
    return database_.commit() || fail(database_.lastError().text());
}

std::optional<std::vector<ClassAdmin::ReportRow>> ClassAdmin::report(const QString& className) {
    if (!usable()) {
        return std::nullopt;
    }
    QSqlQuery query(database_);
    query.setForwardOnly(true);
    if (!runStatement(
            query,
            QStringLiteral(
                "SELECT m.display_name, m.login, a.course_id, a.menu_path, count(*),"
                " (array_agg(a.grade ORDER BY a.ended DESC))[1], max(a.grade), max(a.ended)"
                " FROM attempts a JOIN members m ON m.login = a.login WHERE m.class = ?"
                " GROUP BY m.login, m.display_name, a.course_id, a.menu_path"
                " ORDER BY m.login, a.course_id, a.menu_path"),
            {className})) {
        fail(errorOf(query));
        return std::nullopt;
    }
    std::vector<ReportRow> rows;
    while (query.next()) {
        rows.push_back({query.value(0).toString(), query.value(1).toString(),
                        query.value(2).toString(), query.value(3).toString(),
                        query.value(4).toInt(), query.value(5).toInt(), query.value(6).toInt(),
                        query.value(7).toDateTime()});
    }
    return rows;
}

std::optional<std::vector<ClassAdmin::PendingRow>> ClassAdmin::pending() {
    if (!usable()) {
        return std::nullopt;
    }
    QSqlQuery query(database_);
    query.setForwardOnly(true);
    if (!runStatement(query,
                      QStringLiteral("SELECT m.display_name, r.login, r.id, r.menu_path, r.ended,"
                                     " r.reason, r.reported FROM refused r"
                                     " JOIN members m ON m.login = r.login"
                                     " ORDER BY r.login, r.reported"))) {
        fail(errorOf(query));
        return std::nullopt;
    }
    std::vector<PendingRow> rows;
    while (query.next()) {
        rows.push_back({query.value(0).toString(), query.value(1).toString(),
                        query.value(2).toString(), query.value(3).toString(),
                        query.value(4).toDateTime(), query.value(5).toString(),
                        query.value(6).toDateTime()});
    }
    return rows;
}

}  // namespace lentora::classtool
