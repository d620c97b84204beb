// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/Attempt.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QUuid>
#include <QVariant>

#include <gtest/gtest.h>

namespace lentora::testing {

// An attempt of two exercises, `items` items in all, with Lithuanian texts and a snapshot that
// is no text at all.
inline progress::Attempt sampleAttempt(std::int64_t learnerId, int items = 4,
                                       const QString& courseId = "kursas") {
    progress::Attempt attempt;
    progress::AttemptSummary& summary = attempt.summary;
    summary.id = QUuid::createUuid();
    summary.learnerId = learnerId;
    summary.courseId = courseId;
    summary.courseVersion = "0123abcd";
    summary.menuPath = "Rašyba > Nosinės; „ą“ ir „ę“";
    summary.menuRowId = 17;
    summary.started = QDateTime::fromMSecsSinceEpoch(1700000000123);
    summary.ended = summary.started.addSecs(95);
    summary.points = {items - 1, items};
    summary.grade = 8;
    for (int exercise = 0; exercise < 2; ++exercise) {
        content::ExerciseResult result;
        result.kind =
            exercise == 0 ? content::ExerciseKind::GapFilling : content::ExerciseKind::MarkedWords;
        result.record = 100 + exercise;
        result.shown = QByteArray("{\"a\":\"\xc4\x85\"}\n\0\xff", 12);
        const int count = exercise == 0 ? items / 2 : items - items / 2;
        for (int item = 0; item < count; ++item) {
            result.items.push_back({item, "žąsis\n\"" + QString::number(item) + "\"", "žąsys",
                                    item != 0 || exercise != 0});
        }
        result.points = {count - (exercise == 0 ? 1 : 0), count};
        attempt.exercises.push_back(result);
    }
    return attempt;
}

// A connection of the test's own to a database file, beside the store's.
class RawDatabase {
public:
    explicit RawDatabase(const QString& path)
        : name_("raw-" + QUuid::createUuid().toString(QUuid::WithoutBraces)) {
        QSqlDatabase database = QSqlDatabase::addDatabase("QSQLITE", name_);
        database.setDatabaseName(path);
        EXPECT_TRUE(database.open()) << database.lastError().text().toStdString();
    }
    ~RawDatabase() {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
    RawDatabase(const RawDatabase&) = delete;
    RawDatabase& operator=(const RawDatabase&) = delete;

    // Runs a statement; fails the test when it cannot.
    void run(const QString& statement) {
        QSqlQuery query(QSqlDatabase::database(name_, false));
        EXPECT_TRUE(query.exec(statement))
            << statement.toStdString() << ": " << query.lastError().text().toStdString();
    }
    // The first column of the first row, or an invalid value.
    QVariant value(const QString& statement) {
        QSqlQuery query(QSqlDatabase::database(name_, false));
        if (!query.exec(statement) || !query.next()) {
            return {};
        }
        return query.value(0);
    }

private:
    QString name_;
};

}  // namespace lentora::testing
