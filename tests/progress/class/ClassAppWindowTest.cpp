// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClassFixtures.h"

#include "app/BevelPanel.h"
#include "app/ClassLoginDialog.h"
#include "app/ClassResultsWindow.h"
#include "app/LentoraWindowFactory.h"
#include "app/ProgressStorePlace.h"
#include "app/TPagrindineForma.h"
#include "progress/ClassConnection.h"
#include "progress/ServerProgressStore.h"
#include "support/FakeServices.h"
#include "support/TempProgramDir.h"
#include "support/WhenShown.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>

namespace lentora::testing {
namespace {

bool waitFor(const std::function<bool()>& done, int ms = 15000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

QAction* actionOf(const QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

TEST_F(ClassServerTest, ThreeWrongPasswordsStartWithoutAClassAndARightOneLogsIn) {
    ScopedFakeServices fakes;
    const ToolRun pupil = addPupil(QStringLiteral("Ona"));
    ClassLoginDialog dialog(classServer());
    const auto type = [&](const QString& password) {
        dialog.findChild<QLineEdit*>(QStringLiteral("login"))->setText(pupil.login());
        dialog.findChild<QLineEdit*>(QStringLiteral("password"))->setText(password);
        dialog.findChild<QPushButton*>(QStringLiteral("connect"))->click();
    };
    whenShown(
        dialog, [&] { type("x"), type("y"), type("z"); }, [&] { dialog.reject(); });
    EXPECT_FALSE(dialog.ask());
    ASSERT_EQ(fakes.messages.messages.size(), 1u);
    EXPECT_TRUE(fakes.messages.messages.front().second.contains(QString::fromUtf8("be klasės")));

    whenShown(
        dialog, [&] { type("x"), type(pupil.password()); }, [&] { dialog.reject(); });
    const auto login = dialog.ask();
    ASSERT_TRUE(login);
    EXPECT_EQ(login->login, pupil.login());
    EXPECT_EQ(dialog.triesLeft(), ClassLoginDialog::kTries - 1);
}

TEST_F(ClassServerTest, ATeacherSeesTheClassResultsAndThePupilsReview) {
    ScopedFakeServices fakes;
    const ToolRun pupil = addPupil(QStringLiteral("Ona"));
    const ToolRun teacher = tool({QStringLiteral("add-teacher"), QStringLiteral("Rasa"),
                                  QStringLiteral("--class"), QStringLiteral("6b")});
    const progress::Attempt done = sampleAttempt(4, QStringLiteral("Rašyba > Nosinės"), 8);
    progress::ClassConnection(connectAs(pupil.login(), pupil.password())).send(done);

    TempProgramDir dir;
    dir.writeFile(QStringLiteral("MENIU.MNU"), "&Tema\r\n\tPirma [00001]\r\n");
    const progress::ClassServer server = classServer();
    dir.writeFile(QStringLiteral("LENTORA.INI"),
                  "[Klase]\r\nServeris=" + server.host.toUtf8() +
                      "\r\nPrievadas=" + QByteArray::number(server.port) +
                      "\r\nDuomenuBaze=" + server.database.toUtf8() + "\r\nKlase=6b\r\n");
    TPagrindineForma window(std::make_unique<LentoraWindowFactory>());
    // The login the dialog would return.
    window.setProgressStoreMaker([&](progress::ProgressReport report) {
        return openClassStore(server, teacher.login(), teacher.password(), std::move(report));
    });
    window.show();
    window.openProgress();
    const QMenu* menu = window.programMenu();
    ASSERT_TRUE(menu);
    const QList<QAction*> actions = menu->actions();
    const auto mine = actions.indexOf(actionOf(menu, QString::fromUtf8("Mano pažanga")));
    ASSERT_EQ(actions.value(mine + 1), actionOf(menu, QString::fromUtf8("Klasės rezultatai")));
    EXPECT_FALSE(actionOf(menu, QString::fromUtf8("Mokiniai…"))->isVisible());
    auto* store = dynamic_cast<progress::ServerProgressStore*>(window.progress().store());
    ASSERT_TRUE(store);
    ASSERT_TRUE(waitFor([&] { return store->serverReached(); }));
    // The clock's tick shows the name and the teacher's item.
    ASSERT_TRUE(waitFor([&] { return actions.value(mine + 1)->isVisible(); }));
    EXPECT_EQ(window.LearnerPanel->text(), QStringLiteral("Rasa"));
    EXPECT_TRUE(window.LearnerPanel->isVisible());

    ClassResultsWindow results(*store, done.summary.courseId);
    ASSERT_EQ(results.grid()->rowCount(), 1);
    ASSERT_EQ(results.grid()->columnCount(), 1);
    const QTableWidgetItem* cell = results.grid()->item(0, 0);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->text(), QStringLiteral("8"));
    EXPECT_EQ(cell->background().color(), gradeColour(8));
    std::vector<content::ExerciseResult> reviewed;
    results.setReviewOpener(
        [&](const std::vector<content::ExerciseResult>& exercises) { reviewed = exercises; });
    results.openCell(0, 0);
    EXPECT_EQ(reviewed, done.exercises);
    QTemporaryDir out;
    const QString csv = out.filePath(QStringLiteral("6b.csv"));
    results.setExportPathChooser([&] { return csv; });
    results.exportResults();
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 3);  // the header, Ona's topic, the end
    EXPECT_TRUE(lines[1].startsWith("Ona;" + pupil.login().toUtf8() + ";Rašyba > Nosinės;1;8;8;"));
}

}  // namespace
}  // namespace lentora::testing
