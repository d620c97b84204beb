// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClassFixtures.h"

#include <QProcess>

namespace lentora::testing {

QString ToolRun::login() const {
    return out.trimmed().section(QLatin1Char('\n'), -1).section(QLatin1Char(' '), 0, 0);
}

QString ToolRun::password() const {
    return out.trimmed().section(QLatin1Char('\n'), -1).section(QLatin1Char(' '), 1);
}

void ClassServerTest::SetUp() {
    ASSERT_TRUE(server().isRunning()) << server().failure().toStdString();
    database_ = server().createDatabase();
    const ToolRun init = tool({QStringLiteral("init")});
    ASSERT_EQ(init.status, 0) << init.err.toStdString() << server().log().toStdString();
}

void ClassServerTest::TearDown() {
    for (const QString& name : connections_) {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
}

progress::ClassServer ClassServerTest::classServer() const {
    progress::ClassServer classServer;
    classServer.host = PostgresServer::shared().socketDir();
    classServer.port = PostgresServer::shared().port();
    classServer.database = database_;
    classServer.className = QStringLiteral("6b");
    return classServer;
}

ToolRun ClassServerTest::tool(const QStringList& arguments, const QByteArray& input) {
    QProcess process;
    process.setEnvironment(server().environment(database_));
    process.start(QStringLiteral(LENTORA_TEST_CLASS_TOOL), arguments);
    process.write(input);
    process.closeWriteChannel();
    ToolRun run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit) {
        run.status = process.exitCode();
    }
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

ToolRun ClassServerTest::addPupil(const QString& name, const QString& className) {
    ToolRun run = tool({QStringLiteral("add-pupil"), name, QStringLiteral("--class"), className});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    return run;
}

QSqlDatabase ClassServerTest::connectAs(const QString& login, const QString& password) {
    const QString name = QStringLiteral("test-%1-%2").arg(login).arg(connections_.size());
    connections_ << name;
    return classServer().open(name, login, password);
}

progress::Attempt sampleAttempt(int items, const QString& menuPath, int grade) {
    progress::Attempt attempt;
    attempt.summary.id = QUuid::createUuid();
    attempt.summary.courseId = QStringLiteral("kursas-1");
    attempt.summary.courseVersion = QStringLiteral("v1");
    attempt.summary.menuPath = menuPath;
    attempt.summary.menuRowId = 7;
    attempt.summary.started = QDateTime::currentDateTimeUtc().addSecs(-60);
    attempt.summary.ended = QDateTime::currentDateTimeUtc();
    attempt.summary.points = {items - 1, items};
    attempt.summary.grade = grade;
    content::ExerciseResult exercise;
    exercise.kind = content::ExerciseKind::GapFilling;
    exercise.record = 3;
    exercise.points = attempt.summary.points;
    exercise.shown = QByteArrayLiteral("{\"gaps\":[]}");
    for (int i = 0; i < items; ++i) {
        exercise.items.push_back(
            {i, QStringLiteral("žodis %1").arg(i), QStringLiteral("žodis %1").arg(i), i != 0});
    }
    attempt.exercises.push_back(exercise);
    return attempt;
}

}  // namespace lentora::testing
