// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppFixtures.h"
#include "app/BevelPanel.h"
#include "app/MenuBuilder.h"
#include "app/ProgressStorePlace.h"
#include "app/ProgressWindow.h"
#include "app/TPagrindineForma.h"
#include "support/FakeServices.h"

#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lentora;
using namespace lentora::testing;

namespace {

// Simple tests that score `score` of 10 each.
struct ScoringWindows : WindowFactory {
    int score = 7;
    struct Test : WindowEntry {
        ScoringWindows* owner;
        std::int32_t record = 0;
        explicit Test(ScoringWindows* o) : owner(o) {}
        bool Execute(std::int32_t recordNumber, content::Points& totals) override {
            record = recordNumber;
            totals.score += owner->score;
            totals.maxScore += 10;
            return true;
        }
        std::optional<content::ExerciseResult> result() const override {
            content::ExerciseResult done;
            done.record = record;
            done.points = {owner->score, 10};
            done.items = {{0, QStringLiteral("a"), QStringLiteral("b"), false}};
            return done;
        }
    };
    ScoringWindows() {
        add({content::CommandKind::SimpleTest},
            [this](QWidget*) { return std::make_unique<Test>(this); });
    }
};

struct LearnerProgressTest : ::testing::Test {
    TempProgramDir dir;
    ScopedFakeServices fakes;
    QTemporaryDir data;
    ScoringWindows* windows = nullptr;

    std::unique_ptr<TPagrindineForma> makeWindow() {
        writeShellCourse(dir, {{1, commandLine(11, "Paprastas pratimas")}}, {},
                         "&Rašyba\r\n\t&Nosinės raidės [00001]\r\n");
        auto factory = std::make_unique<ScoringWindows>();
        windows = factory.get();
        auto window = std::make_unique<TPagrindineForma>(std::move(factory));
        window->setGradeReward([](const EntryOutcome&) {});
        const QString path = data.filePath(QStringLiteral("progress.sqlite"));
        window->setProgressStoreMaker(
            [path](progress::ProgressReport report) { return openProgressStore(path, report); });
        return window;
    }

    static QAction* topicAction(TPagrindineForma& window) {
        QMenu* spelling = window.menuBar()->actions()[0]->menu();
        emit spelling->aboutToShow();  // makes the items and marks them
        return spelling->actions()[0];
    }
};

QStringList texts(const QMenu* menu) {
    QStringList list;
    for (const QAction* action : menu->actions()) {
        list.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return list;
}

}  // namespace

TEST_F(LearnerProgressTest, OneLearnerSeesTheWindowAsBeforeAndASecondOneShowsTheName) {
    auto window = makeWindow();
    window->show();
    window->openProgress();
    EXPECT_EQ(texts(window->programMenu()),
              (QStringList{QStringLiteral("&Apie..."), QStringLiteral("&Pagalba"),
                           QStringLiteral("-"), QStringLiteral("Programos &parametrai"),
                           QString::fromUtf8("Mano pažanga"), QString::fromUtf8("Mokiniai…"),
                           QStringLiteral("-"), QString::fromUtf8("Baigti darbą")}));
    progress::ProgressStore* store = window->progress().store();
    ASSERT_NE(store, nullptr);
    ASSERT_EQ(store->learners().size(), 1u);  // made from the login name
    EXPECT_EQ(store->currentLearner()->name, ProgressSession::loginName());
    EXPECT_FALSE(window->LearnerPanel->isVisible());
    EXPECT_FALSE(topicAction(*window)->isCheckable());

    const QRect clock = window->LaikasPanel->geometry();
    ASSERT_TRUE(store->addLearner(QStringLiteral("Ona")));
    window->openProgress();
    EXPECT_TRUE(window->LearnerPanel->isVisible());
    EXPECT_EQ(window->LearnerPanel->text(), ProgressSession::loginName());
    EXPECT_EQ(window->LaikasPanel->geometry(), clock);
    EXPECT_LE(window->LearnerPanel->geometry().right(), clock.left());
    EXPECT_EQ(window->LearnerPanel->font(), window->LaikasPanel->font());
    EXPECT_TRUE(fakes.messages.messages.empty());
}

TEST_F(LearnerProgressTest, GradedEntriesAreListedChartedExportedAndAGoodOneTicksTheMenu) {
    auto window = makeWindow();
    window->openProgress();
    QAction* topic = topicAction(*window);
    topic->trigger();  // 7 of 10: grade 7
    windows->score = 10;
    topic->trigger();  // grade 10

    const std::vector<progress::AttemptSummary> attempts = window->progress().attempts();
    ASSERT_EQ(attempts.size(), 2u);
    EXPECT_EQ(attempts[0].menuPath, QString::fromUtf8("Rašyba > Nosinės raidės"));
    EXPECT_EQ(attempts[0].menuRowId, 1);
    EXPECT_EQ(attempts[0].grade, 7);
    EXPECT_EQ(attempts[0].courseId, courseId(programPaths().programDir));
    EXPECT_FALSE(attempts[0].incomplete);
    EXPECT_EQ(window->progress().store()->attempt(attempts[1].id)->exercises.size(), 1u);
    EXPECT_TRUE(topicAction(*window)->isChecked());

    ProgressWindow progressWindow(window->progress());
    const QAbstractItemModel* topics = progressWindow.topicsView()->model();
    ASSERT_EQ(topics->rowCount(), 1);
    EXPECT_EQ(topics->index(0, 0).data().toString(), attempts[0].menuPath);
    EXPECT_EQ(topics->index(0, 1).data().toInt(), 2);
    EXPECT_EQ(topics->index(0, 2).data().toString(), QStringLiteral("10"));
    EXPECT_EQ(topics->index(0, 3).data().toString(), QStringLiteral("10"));
    EXPECT_EQ(progressWindow.attemptsView()->model()->rowCount(), 2);
    EXPECT_EQ(progressWindow.chartPoints(), 2);
    // Dates and points are shown whole.
    const QTableView* attemptsView = progressWindow.attemptsView();
    const QFontMetrics metrics = attemptsView->fontMetrics();
    for (const int column : {0, 2}) {
        const QString text = attemptsView->model()->index(0, column).data().toString();
        EXPECT_GT(attemptsView->columnWidth(column), metrics.horizontalAdvance(text)) << column;
    }
    EXPECT_GT(progressWindow.topicsView()->columnWidth(4),
              metrics.horizontalAdvance(topics->index(0, 4).data().toString()));

    std::vector<content::ExerciseResult> reviewed;
    progressWindow.setReviewOpener(
        [&](const std::vector<content::ExerciseResult>& done) { reviewed = done; });
    progressWindow.openAttempt(1);  // the older one, listed last
    ASSERT_EQ(reviewed.size(), 1u);
    EXPECT_EQ(reviewed[0].points.score, 7);

    const QString csvPath = data.filePath(QStringLiteral("bandymai.csv"));
    progressWindow.setExportPathChooser([&] { return csvPath; });
    progressWindow.exportAttempts();
    QFile csv(csvPath);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QList<QByteArray> lines = bytes.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 3);  // the header and one line an attempt
    EXPECT_TRUE(lines[1].contains(";7;"));
    EXPECT_TRUE(lines[2].contains(";10;"));
}
