// Plays the whole sample course through the real windows: every linked menu item is chosen,
// a learner who knows every answer gets 10 for each item with exercises, one who answers
// nothing gets 3.
#include "app/LentoraWindowFactory.h"
#include "app/TPagrindineForma.h"
#include "content/ContentTable.h"
#include "content/MemoLines.h"
#include "exercises/simple_test/SimpleTestProgram.h"
#include "exercises/simple_test/TPaprTestForma.h"
#include "platform/CodePage1257.h"
#include "support/FakeServices.h"
#include "support/TempProgramDir.h"
#include "theory/TTeorijosForma.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDirIterator>
#include <QFrame>
#include <QLabel>
#include <QSet>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>

namespace lentora {
namespace {

const QString kProgram = QStringLiteral(LENTORA_TEST_PROGRAM_DIR);

// The right (question, answer) pairs of every test, as a learner who read the key knows them.
QSet<QString> rightAnswers(const QString& dir) {
    content::ContentTable questions, answers;
    questions.load(dir + "Data/PaprTest.cds");
    answers.load(dir + "Data/PaprAtsa.cds");
    answers.linkToMaster(questions, {"TestoID", "KlausimoID"}, {"TestoID", "KlausimoID"});
    QSet<QString> right;
    for (questions.first(); !questions.eof(); questions.next()) {
        for (answers.first(); !answers.eof(); answers.next()) {
            if (answers.asFlag("Teisingas")) {
                right.insert(fromCp1257(questions.asText("Klausimas")) + '\n' +
                             fromCp1257(answers.asText("Atsakymas")));
            }
        }
    }
    return right;
}

// Answers every test window that comes up (or leaves it untouched) and closes every book.
class Learner : public QObject {
public:
    Learner(QSet<QString> right, bool answers) : right_(std::move(right)), answers_(answers) {
        connect(&poll_, &QTimer::timeout, this, [this] { step(); });
        poll_.start(5);
    }
    int books = 0;
    int tests = 0;

private:
    void step() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == handled_ || !modal->isVisible()) {
            return;
        }
        handled_ = modal;
        if (auto* book = qobject_cast<TTeorijosForma*>(modal)) {
            ++books;
            EXPECT_FALSE(book->tokens().isEmpty());
            book->Udaryti1Click();
        } else if (auto* test = qobject_cast<TPaprTestForma*>(modal)) {
            ++tests;
            if (answers_) {
                answer(*test);
            }
            simple_test_support::pressArrow(test->button());
        } else {
            ADD_FAILURE() << "unexpected window " << modal->metaObject()->className() << " "
                          << modal->windowTitle().toStdString();
            modal->close();
        }
    }

    void answer(TPaprTestForma& test) {
        for (QFrame* panel : test.content()->findChildren<QFrame*>(Qt::FindDirectChildrenOnly)) {
            auto* label = panel->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
            if (qobject_cast<QLabel*>(panel) || label == nullptr) {
                continue;
            }
            for (QAbstractButton* control :
                 panel->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly)) {
                if (right_.contains(label->text() + '\n' + control->text())) {
                    control->click();
                }
            }
        }
    }

    QSet<QString> right_;
    bool answers_;
    QTimer poll_;
    QPointer<QWidget> handled_;
};

TEST(CoursePlay, EveryMenuItemGivesTenWhenAllIsRightAndThreeWhenNothingIsAnswered) {
    testing::ScopedFakeServices services;
    testing::TempProgramDir program;
    QDirIterator files(kProgram, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        if (!QFileInfo(path).isExecutable()) {
            program.copyFile(path, QDir(kProgram).relativeFilePath(path));
        }
    }
    // The arrow takes presses once a double-click time has passed since it was shown.
    const int doubleClick = QApplication::doubleClickInterval();
    QApplication::setDoubleClickInterval(1);

    // Menu rows with exercises: the simple test is the course's scored kind on this build.
    content::ContentTable menu;
    menu.load(program.filePath("Data/Meniu.cds"));
    std::map<int, bool> scored;
    for (menu.first(); !menu.eof(); menu.next()) {
        scored[menu.asInt("Id")] =
            menu.asText("Komandos").contains(toCp1257(QStringLiteral("Paprastas pratimas")));
    }

    TPagrindineForma window(std::make_unique<LentoraWindowFactory>());
    std::vector<int> grades;
    window.setGradeReward([&grades](int grade) { grades.push_back(grade); });
    ASSERT_GE(window.menuLinks().size(), 30u);

    for (const bool answers : {true, false}) {
        Learner learner(rightAnswers(program.path()), answers);
        int scoredItems = 0;
        for (const MenuLink& link : window.menuLinks()) {
            grades.clear();
            window.DispatchCommand(link.command);
            const bool hasExercises = scored[link.menuId];
            scoredItems += hasExercises;
            EXPECT_EQ(grades,
                      hasExercises ? std::vector<int>{answers ? 10 : 3} : std::vector<int>{})
                << "menu row " << link.menuId;
        }
        EXPECT_GE(scoredItems, 30);
        EXPECT_GE(learner.books, 31);
        EXPECT_GE(learner.tests, 60);
    }
    EXPECT_TRUE(services.messages.messages.empty());
    QApplication::setDoubleClickInterval(doubleClick);
}

}  // namespace
}  // namespace lentora
