// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the whole sample course through the real windows: every linked menu item is chosen,
// a learner who knows every answer gets 10 for each item with exercises, one who answers
// nothing gets 3.
#include "app/LentoraWindowFactory.h"
#include "app/TPagrindineForma.h"
#include "content/CommandLine.h"
#include "content/ContentTable.h"
#include "content/MemoLines.h"
#include "content/Rows.h"
#include "content/Schema.h"
#include "exercises/marked_words/MarkedWordsView.h"
#include "exercises/marked_words/TTestoSuIsbrPabrZodziaisForma.h"
#include "exercises/movable_words/MovableWordsView.h"
#include "exercises/movable_words/TMovableWordsForm.h"
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
#include <QPointer>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace lentora {
namespace {

const QString kProgram = QStringLiteral(LENTORA_TEST_PROGRAM_DIR);

// The right (question, answer) pairs of every test, as a learner who read the key knows them.
QSet<QString> rightAnswers(const QString& dir) {
    using content::AnswerFields;
    using content::QuestionFields;
    content::ContentTable questions, answers;
    questions.load(dir + content::questionSchema().file);
    answers.load(dir + content::answerSchema().file);
    answers.linkToMaster(questions, {AnswerFields::testId, AnswerFields::questionId},
                         {QuestionFields::testId, QuestionFields::questionId});
    QSet<QString> right;
    for (questions.first(); !questions.eof(); questions.next()) {
        const content::QuestionRow question = content::QuestionRow::read(questions);
        for (answers.first(); !answers.eof(); answers.next()) {
            const content::AnswerRow answer = content::AnswerRow::read(answers);
            if (answer.correct) {
                right.insert(fromCp1257(question.question) + '\n' + fromCp1257(answer.answer));
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
    int movable = 0;
    int marked = 0;

private:
    void step() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) {
            return;
        }
        // Paged windows: one page a step, so the page turned to is painted and laid out.
        if (auto* form = qobject_cast<TMovableWordsForm*>(modal)) {
            if (newPage(form, form->session()->page())) {
                movable += page_ == 0;
                if (answers_) {
                    answer(*form);
                }
            }
            QTest::keyClick(form->view(), Qt::Key_Return);
            return;
        }
        if (auto* form = qobject_cast<TTestoSuIsbrPabrZodziaisForma*>(modal)) {
            form->textArea()->repaint();
            if (newPage(form, form->currentPage())) {
                marked += page_ == 0;
                if (answers_) {
                    answer(*form);
                }
            }
            QTest::keyClick(form->textArea(), Qt::Key_Return);
            return;
        }
        if (modal == handled_) {
            return;
        }
        handled_ = modal;
        if (auto* book = qobject_cast<TTeorijosForma*>(modal)) {
            ++books;
            EXPECT_FALSE(book->session().tokens().isEmpty());
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

    // True once for each page of a paged window; a window that stays on a page is closed.
    bool newPage(QDialog* window, int page) {
        if (window != pagedWindow_) {
            pagedWindow_ = window;
            page_ = -1;
        }
        if (page != page_) {
            page_ = page;
            stuck_ = 0;
            return true;
        }
        if (++stuck_ > 200) {
            ADD_FAILURE() << "stuck on page " << page << " of "
                          << window->windowTitle().toStdString();
            window->done(0);
        }
        return false;
    }

    // Carries each gap's answer in with the keyboard: Tab to the box, Space, Tab, Space.
    void answer(TMovableWordsForm& form) {
        MovableWordsView* view = form.view();
        const movable_words::MovableWordsSession& session = *form.session();
        const movable_words::Exercise& exercise = session.exercise();
        const auto tabTo = [view, &session](movable_words::BoxRef box) {
            const size_t boxes = session.pageLayout().focusOrder().size();
            for (size_t i = 0; i <= boxes && session.focusedBox() != box; ++i) {
                QTest::keyClick(view, Qt::Key_Tab);
            }
            ASSERT_EQ(session.focusedBox(), box);
        };
        using movable_words::BoxRef;
        for (const movable_words::LaidOutRow& row : session.pageLayout().rows) {
            const QByteArray& answer = exercise.wordSlots()[size_t(row.slot)].answer;
            std::optional<BoxRef> source;
            if (exercise.variant() == movable_words::Variant::Sorting) {
                const qsizetype category = exercise.categories().indexOf(answer);
                source = category >= 0 ? std::optional(BoxRef{BoxRef::Pool, int(category)})
                                       : std::nullopt;
            } else {
                for (const movable_words::LaidOutRow& other : session.pageLayout().rows) {
                    if (exercise.wordSlots()[size_t(other.slot)].poolWord == answer) {
                        source = BoxRef{BoxRef::Pool, other.slot};
                    }
                }
            }
            ASSERT_TRUE(source) << "row " << row.slot << " of " << form.windowTitle().toStdString()
                                << ": its answer is not on its page";
            tabTo(*source);
            QTest::keyClick(view, Qt::Key_Space);
            tabTo({BoxRef::Gap, row.slot});
            QTest::keyClick(view, Qt::Key_Space);
        }
    }

    // Walks the page's words with Tab and marks each target with Space.
    void answer(TTestoSuIsbrPabrZodziaisForma& form) {
        marked_words::MarkedWordsView* view = form.textArea();
        QSet<int> seen;
        while (const std::optional<int> focused = form.session()->focused()) {
            if (seen.contains(*focused)) {
                break;
            }
            seen.insert(*focused);
            const marked_words::WordToken& token = form.tokens()[size_t(*focused)];
            if (token.Target && !token.Marked) {
                QTest::keyClick(view, Qt::Key_Space);
            }
            QTest::keyClick(view, Qt::Key_Tab);
        }
    }

    QSet<QString> right_;
    bool answers_;
    QPointer<QDialog> pagedWindow_;
    int page_ = -1;
    int stuck_ = 0;
    QTimer poll_;
    QPointer<QWidget> handled_;
};

// Turns the book to its end by PageDown and leaves it by Escape; answers every test by keys
// alone (Space and the arrow keys within a question, Tab to the next one) and leaves by Enter.
class KeyboardLearner : public QObject {
public:
    explicit KeyboardLearner(QSet<QString> right) : right_(std::move(right)) {
        connect(&poll_, &QTimer::timeout, this, [this] { step(); });
        poll_.start(5);
    }
    int books = 0;
    int tests = 0;

private:
    void step() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible() || modal == handled_) {
            return;
        }
        handled_ = modal;
        if (auto* book = qobject_cast<TTeorijosForma*>(modal)) {
            ++books;
            for (int turns = 0; book->session().nextCornerShown() && turns < 100; ++turns) {
                QTest::keyClick(book, Qt::Key_PageDown);
            }
            EXPECT_FALSE(book->session().nextCornerShown());
            QTest::keyClick(book, Qt::Key_Escape);
        } else if (auto* test = qobject_cast<TPaprTestForma*>(modal)) {
            ++tests;
            ASSERT_TRUE(QTest::qWaitFor([test] { return test->button()->takesPresses(); }));
            answer(*test);
            const simple_test::Points points = test->session().points();
            EXPECT_EQ(points.score, points.maxScore) << test->windowTitle().toStdString();
            QTest::keyClick(test->focusWidget(), Qt::Key_Return);
        } else {
            handled_ = nullptr;  // the other kinds are left page by page without answers
            QTest::keyClick(modal->focusWidget() ? modal->focusWidget() : modal, Qt::Key_Return);
        }
    }

    void answer(TPaprTestForma& test) {
        for (QFrame* panel : test.content()->findChildren<QFrame*>(Qt::FindDirectChildrenOnly)) {
            auto* label = panel->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
            const auto controls = panel->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly);
            if (qobject_cast<QLabel*>(panel) || label == nullptr || controls.isEmpty()) {
                continue;
            }
            ASSERT_EQ(test.focusWidget(), controls[0]);
            const bool radio = qobject_cast<QRadioButton*>(controls[0]) != nullptr;
            for (int i = 0; i < controls.size(); ++i) {
                QAbstractButton* focused = controls[i];
                ASSERT_EQ(test.focusWidget(), focused);
                if (right_.contains(label->text() + '\n' + focused->text())) {
                    if (!radio || !focused->isChecked()) {
                        QTest::keyClick(focused, Qt::Key_Space);
                    }
                    if (radio) {
                        break;
                    }
                }
                if (i + 1 < controls.size()) {
                    QTest::keyClick(focused, Qt::Key_Down);
                }
            }
            QTest::keyClick(test.focusWidget(), Qt::Key_Tab);
        }
        EXPECT_EQ(test.focusWidget(), test.button());
    }

    QSet<QString> right_;
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

    // Menu rows with exercises: every kind but theory is scored.
    content::ContentTable menu;
    menu.load(program.filePath(content::menuSchema().file));
    std::map<int, bool> scored;
    for (menu.first(); !menu.eof(); menu.next()) {
        const content::MenuRow row = content::MenuRow::read(menu);
        scored[row.id] = false;
        for (const content::CommandKind kind :
             {content::CommandKind::SimpleTest, content::CommandKind::MovableWords,
              content::CommandKind::MarkedWords}) {
            scored[row.id] |= row.commands.contains(content::kindName(kind));
        }
    }

    TPagrindineForma window(std::make_unique<LentoraWindowFactory>());
    std::vector<int> grades;
    window.setGradeReward(
        [&grades](const EntryOutcome& outcome) { grades.push_back(outcome.grade); });
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
        EXPECT_GE(learner.movable, 28);
        EXPECT_GE(learner.marked, 15);
    }
    EXPECT_TRUE(services.messages.messages.empty());
    QApplication::setDoubleClickInterval(doubleClick);
}

TEST(CoursePlay, ATopicWithTheoryAndTestsIsPlayedByKeysAloneWithFullMarksToTheGrade) {
    testing::ScopedFakeServices services;
    testing::TempProgramDir program;
    QDirIterator files(kProgram, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        if (!QFileInfo(path).isExecutable()) {
            program.copyFile(path, QDir(kProgram).relativeFilePath(path));
        }
    }
    const int doubleClick = QApplication::doubleClickInterval();
    QApplication::setDoubleClickInterval(1);
    content::ContentTable menu;
    menu.load(program.filePath(content::menuSchema().file));
    std::set<int> theoryAndTests;
    for (menu.first(); !menu.eof(); menu.next()) {
        const content::MenuRow row = content::MenuRow::read(menu);
        if (row.commands.contains(content::kindName(content::CommandKind::Theory)) &&
            row.commands.contains(content::kindName(content::CommandKind::SimpleTest))) {
            theoryAndTests.insert(row.id);
        }
    }
    TPagrindineForma window(std::make_unique<LentoraWindowFactory>());
    std::vector<int> grades;
    window.setGradeReward(
        [&grades](const EntryOutcome& outcome) { grades.push_back(outcome.grade); });
    KeyboardLearner learner(rightAnswers(program.path()));
    for (const MenuLink& link : window.menuLinks()) {
        if (theoryAndTests.count(link.menuId) != 0) {
            window.DispatchCommand(link.command);
            break;
        }
    }
    EXPECT_EQ(learner.books, 1);
    EXPECT_GE(learner.tests, 1);
    EXPECT_EQ(grades.size(), 1u);
    QApplication::setDoubleClickInterval(doubleClick);
}

}  // namespace
}  // namespace lentora
