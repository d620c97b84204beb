// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClassFixtures.h"

#include "progress/ClassConnection.h"
#include "progress/ClassSchema.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <thread>

namespace lentora::testing {
namespace {

using progress::ClassConnection;

TEST_F(ClassServerTest, PupilsGetTheirOwnLoginsAndTheTeacherReportsThem) {
    const ToolRun ona = addPupil(QStringLiteral("Ona Žemaitytė"));
    const ToolRun jonas = addPupil(QStringLiteral("Jonas"));
    EXPECT_TRUE(ona.login().startsWith(QStringLiteral("6b-"))) << ona.out.toStdString();
    EXPECT_NE(ona.login(), jonas.login());
    EXPECT_GE(ona.password().size(), 12);

    ClassConnection pupil(connectAs(ona.login(), ona.password()));
    ASSERT_TRUE(pupil.database().isOpen());
    ASSERT_EQ(pupil.me()->learner.name, QStringLiteral("Ona Žemaitytė"));
    ASSERT_EQ(pupil.send(sampleAttempt(3, QStringLiteral("Tema > 1"), 6)),
              ClassConnection::Sent::Stored);
    ASSERT_EQ(pupil.send(sampleAttempt(3, QStringLiteral("Tema > 1"), 9)),
              ClassConnection::Sent::Stored);

    const ToolRun report =
        tool({QStringLiteral("report"), QStringLiteral("--class"), QStringLiteral("6b")});
    ASSERT_EQ(report.status, 0) << report.err.toStdString();
    const QStringList lines = report.out.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2) << report.out.toStdString();
    const QStringList row = lines.at(1).split(QLatin1Char('\t'));
    EXPECT_EQ(row.mid(0, 2), (QStringList{QStringLiteral("Ona Žemaitytė"), ona.login()}));
    EXPECT_EQ(row.mid(3, 4), (QStringList{QStringLiteral("Tema > 1"), QStringLiteral("2"),
                                          QStringLiteral("9"), QStringLiteral("9")}));

    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("6b.csv"));
    ASSERT_EQ(tool({QStringLiteral("report"), QStringLiteral("--class"), QStringLiteral("6b"),
                    QStringLiteral("--csv"), csv})
                  .status,
              0);
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBFMokinys;"));
    EXPECT_EQ(bytes.count('\n'), 2);

    // A new password replaces the old one.
    const ToolRun reset = tool({QStringLiteral("reset-password"), ona.login()});
    ASSERT_EQ(reset.status, 0) << reset.err.toStdString();
    EXPECT_FALSE(connectAs(ona.login(), ona.password()).isOpen());
    EXPECT_TRUE(connectAs(ona.login(), reset.password()).isOpen());
}

TEST_F(ClassServerTest, RowLevelSecurityKeepsEachPupilToTheirOwnAttempts) {
    const ToolRun a = addPupil(QStringLiteral("A"));
    const ToolRun b = addPupil(QStringLiteral("B"));
    const ToolRun other = addPupil(QStringLiteral("C"), QStringLiteral("7a"));
    const ToolRun teacher = tool({QStringLiteral("add-teacher"), QStringLiteral("Mokytoja"),
                                  QStringLiteral("--class"), QStringLiteral("6b")});
    ASSERT_EQ(teacher.status, 0) << teacher.err.toStdString();

    ClassConnection asB(connectAs(b.login(), b.password()));
    const progress::Attempt ofB = sampleAttempt();
    ASSERT_EQ(asB.send(ofB), ClassConnection::Sent::Stored);
    ClassConnection asC(connectAs(other.login(), other.password()));
    ASSERT_EQ(asC.send(sampleAttempt()), ClassConnection::Sent::Stored);

    ClassConnection asA(connectAs(a.login(), a.password()));
    ASSERT_TRUE(asA.database().isOpen());
    EXPECT_EQ(asA.attempts(b.login(), {})->size(), 0u);
    EXPECT_FALSE(asA.attempt(ofB.summary.id));
    QSqlQuery query(asA.database());
    ASSERT_TRUE(query.exec(QStringLiteral("SELECT count(*) FROM attempts")) && query.next());
    EXPECT_EQ(query.value(0).toInt(), 0);
    ASSERT_TRUE(query.exec(QStringLiteral("SELECT count(*) FROM members")) && query.next());
    EXPECT_EQ(query.value(0).toInt(), 1);
    // Writing as B, changing or deleting B's row: all refused.
    EXPECT_FALSE(query.exec(
        QStringLiteral("INSERT INTO attempts (id, login, course_id, course_version, menu_path,"
                       " menu_row_id, started, ended, score, max_score, grade, incomplete,"
                       " exercises) VALUES (gen_random_uuid(), '%1', 'k', 'v', 'T', 1, now(),"
                       " now(), 1, 1, 10, false, '[]')")
            .arg(b.login())));
    EXPECT_FALSE(query.exec(QStringLiteral("UPDATE attempts SET grade = 10")));
    EXPECT_FALSE(query.exec(QStringLiteral("DELETE FROM attempts")));
    // A's own attempt of B's id is refused, and B's row stays B's.
    progress::Attempt copy = sampleAttempt();
    copy.summary.id = ofB.summary.id;
    EXPECT_EQ(asA.send(copy), ClassConnection::Sent::Refused);

    ClassConnection asTeacher(connectAs(teacher.login(), teacher.password()));
    ASSERT_TRUE(asTeacher.database().isOpen());
    EXPECT_EQ(asTeacher.attempts(b.login(), {})->size(), 1u);
    const auto read = asTeacher.attempt(ofB.summary.id);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->exercises, ofB.exercises);
    EXPECT_EQ(read->summary.ended, ofB.summary.ended);
    EXPECT_EQ(asTeacher.attempts(other.login(), {})->size(), 0u);
}

TEST_F(ClassServerTest, AWrongPasswordOrLoginIsRefusedAsSuch) {
    const ToolRun a = addPupil(QStringLiteral("A"));
    for (const auto& [login, password] : {std::pair{a.login(), QStringLiteral("wrong")},
                                          std::pair{QStringLiteral("6b-999"), a.password()}}) {
        const QSqlDatabase database = connectAs(login, password);
        EXPECT_FALSE(database.isOpen());
        EXPECT_TRUE(progress::isLoginRefused(database))
            << progress::serverError(database).toStdString();
    }
}

TEST_F(ClassServerTest, NamesAreStoredAsGivenAndNeverRunAsSql) {
    const QStringList names{QStringLiteral("Robert'); DROP TABLE attempts; --"),
                            QStringLiteral("\"; DROP ROLE lentora_pupil; -- \\ $$ %I %L ?"),
                            QString(10000, QChar(u'ž'))};
    for (const QString& name : names) {
        const ToolRun pupil = addPupil(name);
        ClassConnection connection(connectAs(pupil.login(), pupil.password()));
        ASSERT_TRUE(connection.database().isOpen()) << pupil.out.toStdString();
        EXPECT_EQ(connection.me()->learner.name, name);
        EXPECT_EQ(connection.send(sampleAttempt()), ClassConnection::Sent::Stored);
    }
    // A class name goes into logins, so only plain ones are taken.
    EXPECT_NE(tool({QStringLiteral("add-pupil"), QStringLiteral("X"), QStringLiteral("--class"),
                    QStringLiteral("6b\"; DROP")})
                  .status,
              0);
    QString count;
    ASSERT_TRUE(
        server().runSql(database_, QStringLiteral("SELECT count(*) FROM attempts"), &count));
    EXPECT_EQ(count, QStringLiteral("3"));
}

TEST_F(ClassServerTest, TwoPupilsWriteAtOnce) {
    const ToolRun a = addPupil(QStringLiteral("A"));
    const ToolRun b = addPupil(QStringLiteral("B"));
    const auto write = [this](const ToolRun& pupil, const QString& name, int* stored) {
        {
            ClassConnection connection(classServer().open(name, pupil.login(), pupil.password()));
            for (int i = 0; i < 20; ++i) {
                *stored += connection.send(sampleAttempt(50)) == ClassConnection::Sent::Stored;
            }
        }
        QSqlDatabase::removeDatabase(name);
    };
    int storedA = 0;
    int storedB = 0;
    std::thread first(write, a, QStringLiteral("thread-a"), &storedA);
    std::thread second(write, b, QStringLiteral("thread-b"), &storedB);
    first.join();
    second.join();
    EXPECT_EQ(storedA, 20);
    EXPECT_EQ(storedB, 20);
    QString count;
    ASSERT_TRUE(server().runSql(
        database_, QStringLiteral("SELECT count(DISTINCT login) || ' ' || count(*) FROM attempts"),
        &count));
    EXPECT_EQ(count, QStringLiteral("2 40"));
}

TEST_F(ClassServerTest, RemovingAClassTakesItsPupilsLoginsAndAttempts) {
    const ToolRun a = addPupil(QStringLiteral("A"));
    const ToolRun kept = addPupil(QStringLiteral("K"), QStringLiteral("7a"));
    ClassConnection(connectAs(a.login(), a.password())).send(sampleAttempt());
    const QStringList remove{QStringLiteral("remove-class"), QStringLiteral("6b")};
    EXPECT_NE(tool(remove, "no\n").status, 0);
    EXPECT_TRUE(connectAs(a.login(), a.password()).isOpen());
    const ToolRun removed = tool(remove, "yes\n");
    ASSERT_EQ(removed.status, 0) << removed.err.toStdString();
    EXPECT_FALSE(connectAs(a.login(), a.password()).isOpen());
    EXPECT_TRUE(connectAs(kept.login(), kept.password()).isOpen());
    QString count;
    ASSERT_TRUE(
        server().runSql(database_, QStringLiteral("SELECT count(*) FROM attempts"), &count));
    EXPECT_EQ(count, QStringLiteral("0"));
}

TEST_F(ClassServerTest, ANewerSchemaIsRefusedAndNothingIsWritten) {
    const ToolRun a = addPupil(QStringLiteral("A"));
    ASSERT_TRUE(
        server().runSql(database_, QStringLiteral("UPDATE lentora_schema SET version = 99")));
    const ToolRun refused = tool({QStringLiteral("add-pupil"), QStringLiteral("B"),
                                  QStringLiteral("--class"), QStringLiteral("6b")});
    EXPECT_NE(refused.status, 0);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("naujesnės"))) << refused.err.toStdString();
    ClassConnection connection(connectAs(a.login(), a.password()));
    EXPECT_FALSE(progress::ClassSchema::checkUsable(connection.database()).isEmpty());
}

}  // namespace
}  // namespace lentora::testing
