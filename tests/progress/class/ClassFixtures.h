// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/PostgresServer.h"

#include "progress/Attempt.h"
#include "progress/ClassServer.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace lentora::testing {

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
    // The last line of the output split at its blank: a login and its password.
    QString login() const;
    QString password() const;
};

// Each test gets a database of its own made with `lentora-class init` on the program's server.
class ClassServerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    PostgresServer& server() { return PostgresServer::shared(); }
    progress::ClassServer classServer() const;

    ToolRun tool(const QStringList& arguments, const QByteArray& input = {});
    // A pupil of the class; fails the test when the tool does.
    ToolRun addPupil(const QString& name, const QString& className = QStringLiteral("6b"));

    // A connection as a pupil or teacher, closed at the end of the test.
    QSqlDatabase connectAs(const QString& login, const QString& password);

    QString database_;
    QStringList connections_;
};

// An attempt of one exercise with `items` items, made for the learner `learnerId`.
progress::Attempt sampleAttempt(int items = 3, const QString& menuPath = QStringLiteral("Tema > 1"),
                                int grade = 8);

}  // namespace lentora::testing
