// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/ClassConnection.h"

#include "progress/ExercisesJson.h"
#include "progress/SqlStatement.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace lentora::progress {

namespace {

constexpr const char* kSummaryColumns =
    "a.id, m.id, a.course_id, a.course_version, a.menu_path, a.menu_row_id, a.started,"
    " a.ended, a.score, a.max_score, a.grade, a.incomplete";

AttemptSummary summaryOf(const QSqlQuery& query) {
    AttemptSummary summary;
    summary.id = QUuid::fromString(query.value(0).toString());
    summary.learnerId = query.value(1).toLongLong();
    summary.courseId = query.value(2).toString();
    summary.courseVersion = query.value(3).toString();
    summary.menuPath = query.value(4).toString();
    summary.menuRowId = query.value(5).toInt();
    summary.started = query.value(6).toDateTime().toUTC();
    summary.ended = query.value(7).toDateTime().toUTC();
    summary.points = {query.value(8).toInt(), query.value(9).toInt()};
    summary.grade = query.value(10).toInt();
    summary.incomplete = query.value(11).toBool();
    return summary;
}

// Timestamps go as ISO text with their offset, so the server's time zone does not matter.
QString timestamp(const QDateTime& time) {
    return time.toUTC().toString(Qt::ISODateWithMs);
}

}  // namespace

std::optional<ClassConnection::Member> ClassConnection::me() {
    QSqlQuery query(database_);
    if (!runStatement(query,
                      QStringLiteral("SELECT id, display_name, login, teacher, coalesce(class, '')"
                                     " FROM members WHERE login = current_user")) ||
        !query.next()) {
        return std::nullopt;
    }
    return Member{{query.value(0).toLongLong(), query.value(1).toString()},
                  query.value(2).toString(),
                  query.value(3).toBool(),
                  query.value(4).toString()};
}

ClassConnection::Sent ClassConnection::send(const Attempt& attempt) {
    reason_.clear();
    const AttemptSummary& summary = attempt.summary;
    QSqlQuery query(database_);
    if (runStatement(
            query,
            QStringLiteral("INSERT INTO attempts (id, course_id, course_version, menu_path,"
                           " menu_row_id, started, ended, score, max_score, grade, incomplete,"
                           " exercises) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {summary.id.toString(QUuid::WithoutBraces), storedText(summary.courseId),
             storedText(summary.courseVersion), storedText(summary.menuPath), summary.menuRowId,
             timestamp(summary.started), timestamp(summary.ended), summary.points.score,
             summary.points.maxScore, summary.grade, summary.incomplete,
             QString::fromUtf8(exercisesToJson(attempt.exercises))})) {
        return Sent::Stored;
    }
    const QSqlError error = query.lastError();
    reason_ = error.databaseText().section(QLatin1Char('\n'), 0, 0).trimmed();
    // A lost connection, or a fault of the server's that passes (a conflict, no room or
    // resources, a shutdown): sent again later rather than refused.
    static const QStringList passing{QStringLiteral("08"), QStringLiteral("40"),
                                     QStringLiteral("53"), QStringLiteral("55"),
                                     QStringLiteral("57"), QStringLiteral("58")};
    if (connectionLost() || passing.contains(error.nativeErrorCode().left(2))) {
        return Sent::Failed;
    }
    if (error.nativeErrorCode() == QLatin1String("23505")) {
        // A second sending after a lost answer finds its own row; anyone else's is a refusal.
        QSqlQuery own(database_);
        if (!runStatement(own, QStringLiteral("SELECT count(*) FROM attempts WHERE id = ?"),
                          {summary.id.toString(QUuid::WithoutBraces)}) ||
            !own.next()) {
            return connectionLost() ? Sent::Failed : Sent::Refused;
        }
        if (own.value(0).toInt() > 0) {
            return Sent::AlreadyThere;
        }
    }
    if (reason_.isEmpty()) {
        reason_ = error.text();
    }
    return Sent::Refused;
}

bool ClassConnection::reportRefused(const Attempt& attempt, const QString& reason) {
    QSqlQuery query(database_);
    return runStatement(
        query,
        QStringLiteral("INSERT INTO refused (id, menu_path, ended, reason) VALUES (?, ?, ?, ?)"
                       " ON CONFLICT DO NOTHING"),
        {attempt.summary.id.toString(QUuid::WithoutBraces), storedText(attempt.summary.menuPath),
         timestamp(attempt.summary.ended), storedText(reason)});
}

std::optional<std::vector<AttemptSummary>> ClassConnection::attempts(const QString& login,
                                                                     const QString& courseId) {
    QSqlQuery query(database_);
    query.setForwardOnly(true);
    if (!runStatement(
            query,
            QStringLiteral("SELECT %1 FROM attempts a JOIN members m ON m.login = a.login"
                           " WHERE a.login = ? AND (coalesce(?, '') = '' OR a.course_id = ?)"
                           " ORDER BY a.ended, a.id")
                .arg(QLatin1String(kSummaryColumns)),
            {login, courseId, courseId})) {
        return std::nullopt;
    }
    std::vector<AttemptSummary> summaries;
    while (query.next()) {
        summaries.push_back(summaryOf(query));
    }
    return summaries;
}

std::optional<std::vector<ClassConnection::PupilResults>> ClassConnection::classResults(
    const QString& courseId) {
    QSqlQuery query(database_);
    query.setForwardOnly(true);
    // Row-level security leaves the teacher's own classes.
    if (!runStatement(query,
                      QStringLiteral("SELECT id, display_name, login, coalesce(class, '')"
                                     " FROM members WHERE NOT teacher ORDER BY class, login"))) {
        return std::nullopt;
    }
    std::vector<PupilResults> pupils;
    QHash<QString, std::size_t> byLogin;
    while (query.next()) {
        byLogin.insert(query.value(2).toString(), pupils.size());
        pupils.push_back({{{query.value(0).toLongLong(), query.value(1).toString()},
                           query.value(2).toString(),
                           false,
                           query.value(3).toString()},
                          {}});
    }
    if (!runStatement(
            query,
            QStringLiteral("SELECT %1, a.login FROM attempts a JOIN members m ON m.login = a.login"
                           " WHERE NOT m.teacher AND a.course_id = ? ORDER BY a.ended, a.id")
                .arg(QLatin1String(kSummaryColumns)),
            {storedText(courseId)})) {
        return std::nullopt;
    }
    while (query.next()) {
        const auto found = byLogin.constFind(query.value(12).toString());
        if (found != byLogin.constEnd()) {
            pupils[*found].attempts.push_back(summaryOf(query));
        }
    }
    return pupils;
}

std::optional<Attempt> ClassConnection::attempt(const QUuid& id) {
    QSqlQuery query(database_);
    if (!runStatement(query,
                      QStringLiteral("SELECT %1, a.exercises FROM attempts a"
                                     " JOIN members m ON m.login = a.login WHERE a.id = ?")
                          .arg(QLatin1String(kSummaryColumns)),
                      {id.toString(QUuid::WithoutBraces)}) ||
        !query.next()) {
        return std::nullopt;
    }
    Attempt attempt;
    attempt.summary = summaryOf(query);
    auto exercises = exercisesFromJson(query.value(12).toString().toUtf8());
    if (!exercises) {
        return std::nullopt;
    }
    attempt.exercises = std::move(*exercises);
    return attempt;
}

bool ClassConnection::connectionLost() const {
    // libpq tells a lost connection by no code of its own; a trivial statement shows it.
    QSqlQuery probe(database_);
    return !database_.isOpen() || !probe.exec(QStringLiteral("SELECT 1"));
}

}  // namespace lentora::progress
