// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/movable_words/TMovableWordsForm.h"

#include "content/DataPacket.h"
#include "content/MovableWordsRow.h"
#include "content/Schema.h"
#include "controls/TPictureButton.h"
#include "exercises/movable_words/MovableWordsView.h"
#include "platform/CodePage1257.h"
#include "support/FakeServices.h"
#include "support/TempProgramDir.h"
#include "support/WhenShown.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>

namespace lentora {
namespace {

using movable_words::BoxRef;

QByteArray cp(const char* utf8) {
    return toCp1257(QString::fromUtf8(utf8));
}

// A program directory with Data/Nesioj.cds and one background.
struct MovableProgram {
    MovableProgram() {
        table = content::movableWordsSchema().emptyTable();
        QImage picture(80, 60, QImage::Format_RGB32);
        picture.fill(QColor(40, 120, 60));
        dir.makeDir("Testai/Nesioj/PIESIN");
        picture.save(dir.filePath("Testai/Nesioj/PIESIN/pievos.bmp"), "BMP");
    }
    void add(int id, const QByteArrayList& sentences, const QByteArrayList& words, int height,
             int type, int width = 620) {
        table.rows.push_back(content::MovableWordsRow{id, cp("Įrašykite žodžius"), sentences, words,
                                                      width, height, 150, type}
                                 .values());
        dir.writeFile("Data/Nesioj.cds", content::writeDataPacket(table));
    }

    testing::TempProgramDir dir;
    content::TableData table;
};

void whenShown(TMovableWordsForm& form, std::function<void()> action) {
    testing::whenShown(form, std::move(action), [&form] { emit form.finishButton()->OnClick(); });
}

QPoint centreOf(const TMovableWordsForm& form, BoxRef box) {
    return form.session()->pageLayout().boxRect(box).value().center();
}

void drag(const TMovableWordsForm& form, BoxRef from, BoxRef to) {
    MovableWordsView* view = form.view();
    const QPoint start = centreOf(form, from);
    const QPoint end = centreOf(form, to);
    QTest::mousePress(view, Qt::LeftButton, {}, start);
    QTest::mouseMove(view, (start + end) / 2);
    QTest::mouseMove(view, end);
    QTest::mouseRelease(view, Qt::LeftButton, {}, end);
}

int poolHolding(const movable_words::Exercise& exercise, const QByteArray& word) {
    const auto& all = exercise.wordSlots();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].poolWord == word) {
            return int(i);
        }
    }
    return -1;
}

// The picture button stands over the boxes' column: no box of the page may lie under it.
void expectNoBoxUnder(const TMovableWordsForm& form, const TPictureButton* button) {
    for (const auto& row : form.session()->pageLayout().rows) {
        EXPECT_FALSE(row.gapBox.intersects(button->geometry())) << "row " << row.slot;
        EXPECT_FALSE(row.poolBox && row.poolBox->intersects(button->geometry()))
            << "row " << row.slot;
    }
}

TEST(TMovableWordsForm, GapFillingByMouseAndKeyboardOverTwoPages) {
    testing::ScopedFakeServices services;
    testing::ShortDoubleClickInterval shortInterval;
    MovableProgram program;
    QByteArrayList sentences, words;
    for (int i = 0; i < 14; ++i) {
        sentences.append(cp("Sakinys apie ______ numeris ") + QByteArray::number(i) + ".");
        words.append(cp("žodis") + QByteArray::number(i));
    }
    program.add(3, sentences, words, 400, 1);

    TNesiotiForm form;
    std::int32_t score = 1, maxScore = 2;
    whenShown(form, [&] {
        MovableWordsView* view = form.view();
        const movable_words::Exercise& exercise = form.session()->exercise();
        EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Įrašykite žodžius"));
        EXPECT_TRUE(form.nextButton()->isVisible());
        EXPECT_FALSE(form.finishButton()->isVisible());
        EXPECT_EQ(form.nextButton()->pos(), form.finishButton()->pos());
        const std::size_t firstPageRows = form.session()->pageLayout().rows.size();
        ASSERT_GE(firstPageRows, 3u);
        ASSERT_LT(firstPageRows, 14u);
        expectNoBoxUnder(form, form.nextButton());

        // Drag row 0's word from its pool box into row 0's gap.
        const int j = poolHolding(exercise, words[0]);
        ASSERT_GE(j, 0);
        ASSERT_LT(j, int(firstPageRows));  // offered on the row's own page
        drag(form, {BoxRef::Pool, j}, {BoxRef::Gap, 0});
        EXPECT_EQ(exercise.wordIn({BoxRef::Gap, 0}), words[0]);
        EXPECT_TRUE(exercise.wordIn({BoxRef::Pool, j}).isEmpty());

        // A filled gap refuses; the word stays where it was.
        const int k = poolHolding(exercise, words[1]);
        drag(form, {BoxRef::Pool, k}, {BoxRef::Gap, 0});
        EXPECT_EQ(exercise.wordIn({BoxRef::Gap, 0}), words[0]);
        EXPECT_EQ(exercise.wordIn({BoxRef::Pool, k}), words[1]);

        // Back to the empty pool box, then in again by click and click.
        drag(form, {BoxRef::Gap, 0}, {BoxRef::Pool, j});
        EXPECT_TRUE(exercise.wordIn({BoxRef::Gap, 0}).isEmpty());
        QTest::mouseClick(view, Qt::LeftButton, {}, centreOf(form, {BoxRef::Pool, j}));
        EXPECT_EQ(form.session()->carried(), (BoxRef{BoxRef::Pool, j}));
        QTest::mouseClick(view, Qt::LeftButton, {}, centreOf(form, {BoxRef::Gap, 0}));
        EXPECT_EQ(exercise.wordIn({BoxRef::Gap, 0}), words[0]);
        EXPECT_FALSE(form.session()->carried());

        // Keyboard: focus to row 1's word, Space, walk to row 1's gap, Space.
        while (form.session()->focusedBox() != BoxRef{BoxRef::Pool, k}) {
            QTest::keyClick(view, Qt::Key_Tab);
        }
        QTest::keyClick(view, Qt::Key_Space);
        EXPECT_TRUE(form.session()->carried());
        QTest::keyClick(view, Qt::Key_Escape);  // puts it back
        EXPECT_FALSE(form.session()->carried());
        QTest::keyClick(view, Qt::Key_Space);
        QTest::keyClick(view, Qt::Key_Left);  // to row k's gap, then along the gaps
        for (int i = 0; i < 10 && form.session()->focusedBox() != BoxRef{BoxRef::Gap, 1}; ++i) {
            QTest::keyClick(view, k > 1 ? Qt::Key_Up : Qt::Key_Down);
        }
        QTest::keyClick(view, Qt::Key_Space);
        EXPECT_EQ(exercise.wordIn({BoxRef::Gap, 1}), words[1]);
        EXPECT_TRUE(form.isVisible());

        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_F1);
        QTest::keyClick(view, Qt::Key_Return);  // next page
        EXPECT_EQ(form.session()->page(), 1);
        EXPECT_EQ(form.session()->pageLayout().rows.front().slot, int(firstPageRows));
        EXPECT_TRUE(form.finishButton()->isVisible());
        EXPECT_FALSE(form.nextButton()->isVisible());
        QTest::keyClick(view, Qt::Key_Escape);  // does not close
        EXPECT_TRUE(form.isVisible());
        QTest::qWait(5);  // the finish button has just shown
        QTest::keyClick(view, Qt::Key_Return);
    });
    EXPECT_TRUE(form.Execute(3, score, maxScore));
    EXPECT_EQ(score, 1 + 2);
    EXPECT_EQ(maxScore, 2 + 14);
    EXPECT_EQ(services.help.topics, std::vector<int>({6}));

    TNesiotiForm missing;
    EXPECT_FALSE(missing.Execute(99, score, maxScore));
    EXPECT_EQ(maxScore, 16);
}

TEST(TMovableWordsForm, AWindowLargerThanTheScreenShowsEveryRowOverItsPages) {
    testing::ScopedFakeServices services;
    MovableProgram program;
    QByteArrayList sentences, words;
    for (int i = 0; i < 60; ++i) {
        sentences.append("Eilute ______ " + QByteArray::number(i));
        words.append("w" + QByteArray::number(i));
    }
    program.add(4, sentences, words, 3000, 1, 3000);

    TNesiotiForm form;
    std::int32_t score = 0, maxScore = 0;
    std::vector<int> shownSlots;
    whenShown(form, [&] {
        MovableWordsView* view = form.view();
        const QSize room = form.screen()->availableGeometry().size();
        EXPECT_LE(form.width(), room.width());
        EXPECT_LE(form.height(), room.height());
        for (int page = 0; page < 60; ++page) {
            const movable_words::PageLayout& layout = form.session()->pageLayout();
            TPictureButton* shown = layout.hasNextPage ? form.nextButton() : form.finishButton();
            EXPECT_TRUE(shown->isVisible());
            EXPECT_TRUE(form.rect().contains(shown->geometry()));
            expectNoBoxUnder(form, shown);
            // Each row's answer waits in a pool box of the same page.
            QByteArrayList pool, answers;
            for (const auto& row : layout.rows) {
                EXPECT_TRUE(view->rect().contains(row.gapBox)) << "row " << row.slot;
                shownSlots.push_back(row.slot);
                pool.append(form.session()->exercise().wordSlots()[std::size_t(row.slot)].poolWord);
                answers.append(words[row.slot]);
            }
            std::sort(pool.begin(), pool.end());
            std::sort(answers.begin(), answers.end());
            EXPECT_EQ(pool, answers) << "page " << page;
            if (!layout.hasNextPage) {
                break;
            }
            emit form.nextButton()->OnClick();
        }
        emit form.finishButton()->OnClick();
    });
    EXPECT_TRUE(form.Execute(4, score, maxScore));
    std::vector<int> all(60);
    std::iota(all.begin(), all.end(), 0);
    EXPECT_EQ(shownSlots, all);
    EXPECT_EQ(maxScore, 60);
}

// A row too small for its content grows until one row with its boxes and the arrow show, so
// every page can be done and left.
TEST(TMovableWordsForm, ARowTooSmallGrowsToShowARowAndTheArrow) {
    testing::ScopedFakeServices services;
    testing::ShortDoubleClickInterval shortInterval;
    MovableProgram program;
    QByteArrayList sentences, words;
    for (int i = 0; i < 3; ++i) {
        sentences.append("Eilute ______ " + QByteArray::number(i));
        words.append("w" + QByteArray::number(i));
    }
    program.add(7, sentences, words, 50, 1, 50);
    TNesiotiForm form;
    std::int32_t score = 0, maxScore = 0;
    int presses = 0;
    whenShown(form, [&] {
        MovableWordsView* view = form.view();
        const int textHeight = form.session()->geometry().textHeight;
        EXPECT_EQ(form.size(), movable_words::kMovableWords.clientSize(
                                   movable_words::kMovableWords.minimumOuter(textHeight, 150)));
        const movable_words::PageLayout& layout = form.session()->pageLayout();
        ASSERT_EQ(layout.rows.size(), 1u);
        const movable_words::LaidOutRow& row = layout.rows.front();
        ASSERT_TRUE(row.frame);
        EXPECT_TRUE(view->rect().contains(*row.frame));
        EXPECT_FALSE(row.texts.empty());
        EXPECT_TRUE(view->rect().contains(row.gapBox));
        ASSERT_TRUE(row.poolBox);
        EXPECT_TRUE(view->rect().contains(*row.poolBox));
        expectNoBoxUnder(form, form.nextButton());
        EXPECT_TRUE(form.rect().contains(form.nextButton()->geometry()));
        while (form.nextButton()->isVisible() && presses < 20) {
            QTest::keyClick(view, Qt::Key_PageDown);
            ++presses;
        }
        EXPECT_TRUE(form.finishButton()->isVisible());
        EXPECT_TRUE(form.rect().contains(form.finishButton()->geometry()));
        QTest::qWait(QApplication::doubleClickInterval() + 20);
        QTest::keyClick(view, Qt::Key_Return);
        EXPECT_FALSE(form.isVisible());
    });
    EXPECT_TRUE(form.Execute(7, score, maxScore));
    EXPECT_EQ(presses, 2);
    EXPECT_EQ(maxScore, 3);
}

// Holding Enter, or pressing it before the window could be seen, never leaves the exercise:
// the key obeys the arrow's own guard.
TEST(TMovableWordsForm, AHeldOrEarlyEnterDoesNotLeave) {
    testing::ScopedFakeServices services;
    MovableProgram program;
    program.add(6, {cp("Vakar ______.")}, {cp("lijo")}, 300, 1);
    TNesiotiForm form;
    std::int32_t score = 0, maxScore = 0;
    whenShown(form, [&] {
        MovableWordsView* view = form.view();
        QTest::keyClick(view, Qt::Key_Return);  // at once
        EXPECT_TRUE(form.isVisible());
        // A click on the arrow's hollow leaves the keyboard with the page.
        QTest::mouseClick(form.finishButton(), Qt::LeftButton, {}, QPoint(1, 1));
        EXPECT_NE(QApplication::focusWidget(), form.finishButton());
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(view, &held);
        EXPECT_TRUE(form.isVisible());
        QTest::keyClick(view, Qt::Key_Return);
        EXPECT_FALSE(form.isVisible());
    });
    EXPECT_TRUE(form.Execute(6, score, maxScore));
}

TEST(TMovableWordsForm, SortingCopiesFromTheColumnAndExchangesGaps) {
    testing::ScopedFakeServices services;
    testing::ShortDoubleClickInterval shortInterval;
    MovableProgram program;
    program.add(5, {cp("Auksinės rankos."), cp("Auksinis žiedas."), cp("Šaltas vanduo."), "   "},
                {cp("Perkeltinė reikšmė"), cp("Tiesioginė reikšmė"), cp("@Tiesioginė reikšmė"),
                 cp("@Perkeltinė reikšmė")},
                300, 2);
    TNesMazForm form;
    std::int32_t score = 0, maxScore = 0;
    whenShown(form, [&] {
        MovableWordsView* view = form.view();
        const movable_words::Exercise& exercise = form.session()->exercise();
        EXPECT_TRUE(form.finishButton()->isVisible());
        ASSERT_EQ(form.session()->pageLayout().rows.size(), 4u);  // the blank line keeps its row
        ASSERT_EQ(exercise.categories().size(), 2);
        const int perkelt = exercise.categories().indexOf(cp("Perkeltinė reikšmė"));
        const int tiesiog = 1 - perkelt;
        drag(form, {BoxRef::Pool, perkelt}, {BoxRef::Gap, 1});
        drag(form, {BoxRef::Pool, tiesiog}, {BoxRef::Gap, 0});
        drag(form, {BoxRef::Pool, tiesiog}, {BoxRef::Gap, 2});
        EXPECT_EQ(exercise.wordIn({BoxRef::Pool, tiesiog}), cp("Tiesioginė reikšmė"));
        // Exchange gaps 0 and 1 by keyboard.
        while (form.session()->focusedBox() != BoxRef{BoxRef::Gap, 0}) {
            QTest::keyClick(view, Qt::Key_Tab);
        }
        QTest::keyClick(view, Qt::Key_Space);
        QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_Space);
        EXPECT_EQ(exercise.wordIn({BoxRef::Gap, 0}), cp("Perkeltinė reikšmė"));
        EXPECT_EQ(exercise.wordIn({BoxRef::Gap, 1}), cp("Tiesioginė reikšmė"));
        QTest::keyClick(view, Qt::Key_PageDown);  // no next page
        EXPECT_EQ(form.session()->page(), 0);
        QTest::qWait(5);  // past the finish button's guard after the window showed
        QTest::keyClick(view, Qt::Key_Enter);
    });
    EXPECT_TRUE(form.Execute(5, score, maxScore));
    EXPECT_EQ(score, 3);
    EXPECT_EQ(maxScore, 4);
}

std::vector<movable_words::Mark> marksShown(const TMovableWordsForm& form) {
    std::vector<movable_words::Mark> marks;
    for (const auto& row : form.session()->pageLayout().rows) {
        marks.push_back(row.mark);
        EXPECT_EQ(row.rightWord.has_value(), row.mark == movable_words::Mark::Wrong) << row.slot;
        if (row.rightWord) {
            EXPECT_TRUE(form.view()->rect().contains(row.rightWord->cell)) << row.slot;
        }
    }
    return marks;
}

// Runs the exercise of `record` in a window of that kind with `moves` done in it; its result.
template <typename Form>
std::optional<content::ExerciseResult> resultOfRun(int record, std::function<void(Form&)> moves) {
    Form form;
    EXPECT_FALSE(form.result());
    whenShown(form, [&] {
        moves(form);
        emit form.finishButton()->OnClick();
    });
    std::int32_t score = 0, maxScore = 0;
    EXPECT_TRUE(form.Execute(record, score, maxScore));
    return form.result();
}

TEST(TMovableWordsForm, AGapFillingReviewMarksTheWrongGapsAndLeavesByEachWay) {
    testing::ScopedFakeServices services;
    testing::ShortDoubleClickInterval shortInterval;
    MovableProgram program;
    program.add(8, {cp("Vakar ______."), cp("Šiandien ______."), cp("Rytoj ______.")},
                {cp("lijo"), cp("šviečia"), cp("snigs")}, 300, 1);
    const auto result = resultOfRun<TNesiotiForm>(8, [](TNesiotiForm& form) {
        const movable_words::Exercise& exercise = form.session()->exercise();
        drag(form, {BoxRef::Pool, poolHolding(exercise, cp("lijo"))}, {BoxRef::Gap, 0});
        drag(form, {BoxRef::Pool, poolHolding(exercise, cp("snigs"))}, {BoxRef::Gap, 1});
    });
    ASSERT_TRUE(result);
    EXPECT_EQ(result->points, (content::Points{1, 3}));

    using movable_words::Mark;
    const struct {
        const char* name;
        std::function<void(TMovableWordsForm&)> leave;
        ReviewStep step;
    } ways[] = {
        {"PageDown on the last page",
         [](TMovableWordsForm& form) { QTest::keyClick(form.view(), Qt::Key_PageDown); },
         ReviewStep::Next},
        {"PageUp on the first page",
         [](TMovableWordsForm& form) { QTest::keyClick(form.view(), Qt::Key_PageUp); },
         ReviewStep::Previous},
        {"Escape", [](TMovableWordsForm& form) { QTest::keyClick(form.view(), Qt::Key_Escape); },
         ReviewStep::Close},
        {"the arrow", [](TMovableWordsForm& form) { emit form.finishButton()->OnClick(); },
         ReviewStep::Next},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        TNesiotiForm form;
        whenShown(form, [&] {
            EXPECT_EQ(form.view()->summary(), QString::fromUtf8("1 iš 3 taškų"));
            EXPECT_EQ(marksShown(form), (std::vector<Mark>{Mark::Right, Mark::Wrong, Mark::Wrong}));
            EXPECT_TRUE(form.finishButton()->isVisible());
            // Read-only: a drag and the keys that carry move nothing.
            drag(form, {BoxRef::Gap, 1}, {BoxRef::Gap, 2});
            QTest::keyClick(form.view(), Qt::Key_Space);
            EXPECT_EQ(form.session()->exercise().wordIn({BoxRef::Gap, 1}), cp("snigs"));
            EXPECT_FALSE(form.session()->carried());
            EXPECT_TRUE(form.isVisible());
            way.leave(form);
            EXPECT_FALSE(form.isVisible());
        });
        EXPECT_EQ(form.Review(*result), way.step);
    }

    // A result of another kind opens nothing and goes on.
    content::ExerciseResult foreign = *result;
    foreign.kind = content::ExerciseKind::MarkedWords;
    TNesiotiForm form;
    EXPECT_EQ(form.Review(foreign), ReviewStep::Next);
    EXPECT_FALSE(form.isVisible());
}

TEST(TMovableWordsForm, ASortingReviewMarksEachRowAndTurnsItsPagesBothWays) {
    testing::ScopedFakeServices services;
    testing::ShortDoubleClickInterval shortInterval;
    MovableProgram program;
    QByteArrayList sentences, words;
    for (int i = 0; i < 12; ++i) {
        sentences.append("Sakinys " + QByteArray::number(i) + ".");
        words.append(i == 0 ? "Vienas" : i == 1 ? "Kitas" : i % 2 ? "@Kitas" : "@Vienas");
    }
    program.add(9, sentences, words, 300, 2);
    const auto result = resultOfRun<TNesMazForm>(9, [](TNesMazForm& form) {
        const int vienas = form.session()->exercise().categories().indexOf("Vienas");
        drag(form, {BoxRef::Pool, vienas}, {BoxRef::Gap, 0});  // right
        drag(form, {BoxRef::Pool, vienas}, {BoxRef::Gap, 1});  // wrong
    });
    ASSERT_TRUE(result);
    EXPECT_EQ(result->points, (content::Points{1, 12}));

    TNesMazForm form;
    whenShown(form, [&] {
        const std::vector<movable_words::Mark> marks = marksShown(form);
        ASSERT_GE(marks.size(), 2u);
        EXPECT_EQ(marks[0], movable_words::Mark::Right);
        EXPECT_EQ(std::count(marks.begin(), marks.end(), movable_words::Mark::Right), 1);
        ASSERT_TRUE(form.session()->hasNextPage());
        EXPECT_TRUE(form.finishButton()->isVisible());  // the arrow goes on to the next exercise
        QTest::keyClick(form.view(), Qt::Key_PageDown);
        EXPECT_EQ(form.session()->page(), 1);
        const std::vector<movable_words::Mark> later = marksShown(form);
        EXPECT_EQ(std::count(later.begin(), later.end(), movable_words::Mark::Right), 0);
        QTest::keyClick(form.view(), Qt::Key_PageUp);
        EXPECT_EQ(form.session()->page(), 0);
        EXPECT_TRUE(form.isVisible());
        QTest::keyClick(form.view(), Qt::Key_PageUp);
    });
    EXPECT_EQ(form.Review(*result), ReviewStep::Previous);
}

}  // namespace
}  // namespace lentora
