// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/ContentTable.h"
#include "exercises/marked_words/TTestoSuIsbrPabrZodziaisForma.h"

#include "content/DataPacket.h"
#include "controls/TPictureButton.h"
#include "exercises/marked_words/MarkedWordsView.h"
#include "platform/CodePage1257.h"
#include "platform/Error.h"
#include "platform/FrameMetrics.h"
#include "support/FakeServices.h"
#include "support/TempProgramDir.h"
#include "support/WhenShown.h"

#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace lentora {
namespace {

using content::memoField;
using content::numberField;
using content::textField;

struct Exercise {
    int id;
    const char16_t* caption;
    const char16_t* text;
    const char* kind;
    int outerHeight;
    int outerWidth;
};

void writeTable(const testing::TempProgramDir& dir, const std::vector<Exercise>& exercises) {
    // The first three fields are read by position, so their names here differ from the course's.
    content::TableData table;
    table.fields = {numberField("Nr"),         textField("Kaip", 255),
                    textField("Ka", 255),      memoField("Tekstas"),
                    textField("PabrIsbr", 20), numberField("Lango aukstis"),
                    numberField("Lango ilgis")};
    table.keyFields = {0};
    for (const Exercise& e : exercises) {
        table.rows.push_back({double(e.id), toCp1257(e.caption),
                              toCp1257(u"Pabraukite veiksmažodžius"), toCp1257(e.text),
                              QByteArray(e.kind), double(e.outerHeight), double(e.outerWidth)});
    }
    dir.writeFile(QStringLiteral("Data/TestPabr.cds"), content::writeDataPacket(table));
}

// Runs Execute with `drive` acting on the shown window.
bool runExercise(TTestoSuIsbrPabrZodziaisForma& form, int id, std::int32_t& score,
                 std::int32_t& maxScore, std::function<void()> drive) {
    QTimer::singleShot(0, &form, [&form, drive] {
        drive();
        if (form.isVisible()) {
            form.done(0);  // keeps a failing test from hanging
        }
    });
    return form.Execute(id, score, maxScore);
}

QPoint centreOf(const TTestoSuIsbrPabrZodziaisForma& form, int token) {
    return form.tokens()[std::size_t(token)].rect().center();
}

void clickToken(TTestoSuIsbrPabrZodziaisForma& form, int token,
                Qt::MouseButton button = Qt::LeftButton) {
    const QPoint at = centreOf(form, token);
    QTest::mouseMove(form.textArea(), at);
    QTest::mouseClick(form.textArea(), button, {}, at);
}

TEST(TTestoSuIsbrPabrZodziaisForma, MarksWithMouseAndKeyboardAndScores) {
    testing::ScopedFakeServices services;
    testing::ShortDoubleClickInterval shortInterval;
    testing::TempProgramDir dir;
    dir.writeFile(QStringLiteral("Testai/Isbrauk/Garsai/BRAUK/A.WAV"), "RIFF");
    dir.writeFile(QStringLiteral("Testai/Isbrauk/Garsai/TRINT/B.WAV"), "RIFF");
    writeTable(dir, {{3, u"Testas", u"Vaikas @bėga, t@axi @namas.", "Pabraukiami", 300, 500}});

    TTestoSuIsbrPabrZodziaisForma form;
    std::int32_t score = 10;
    std::int32_t maxScore = 5;
    // Tokens: Vaikas(0) " "(1) bėga(2) ","(3) " "(4) taxi(5) " "(6) namas(7) "."(8) " "(9).
    const bool found = runExercise(form, 3, score, maxScore, [&] {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Pratimas"));
        EXPECT_FALSE(form.crossOut());
        EXPECT_FALSE(form.nextButton()->isVisible());
        EXPECT_TRUE(form.finishButton()->isVisible());
        // A mark repaints the word from the kept layout, in its new style.
        const QPoint paper(form.textArea()->width() - 2, 2);
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        // A word clicked and clicked again looks as before: no focus frame stays on it.
        const QRect word = form.tokens()[2].rect();
        const QImage plain = form.textArea()->grab(word).toImage();
        QSignalSpy layouts(form.textArea(), &marked_words::MarkedWordsView::pageLaidOut);
        clickToken(form, 2);
        EXPECT_NE(form.textArea()->grab(word).toImage(), plain);
        clickToken(form, 2);  // unmarked again
        EXPECT_EQ(form.textArea()->grab(word).toImage(), plain);
        EXPECT_EQ(layouts.count(), 0);
        clickToken(form, 3);  // the comma
        clickToken(form, 5);  // contains "x"
        clickToken(form, 0, Qt::RightButton);
        QTest::mouseMove(form.textArea(), paper);
        QTest::mouseClick(form.textArea(), Qt::LeftButton, {}, paper);
        EXPECT_EQ(form.session()->focused(), std::optional<int>(2));
        const QRect next = form.tokens()[7].rect().adjusted(-1, 0, 1, 0);
        const QImage unframed = form.textArea()->grab(next).toImage();
        QTest::keyClick(form.textArea(), Qt::Key_Tab);
        EXPECT_EQ(form.session()->focused(), std::optional<int>(7));
        EXPECT_NE(form.textArea()->grab(next).toImage(), unframed);  // the key shows the frame
        QTest::keyClick(form.textArea(), Qt::Key_Space);
        QTest::keyClick(form.textArea(), Qt::Key_Left);
        QTest::keyClick(form.textArea(), Qt::Key_Left);
        QTest::keyClick(form.textArea(), Qt::Key_Space);  // Vaikas, not a target
        QTest::qWait(5);  // past the finish button's guard after the window showed
        QTest::keyClick(form.textArea(), Qt::Key_Return);
    });
    ASSERT_TRUE(found);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.tokens()[7].Marked);
    EXPECT_FALSE(form.tokens()[2].Marked);
    // Targets bėga, taxi, namas: namas right, Vaikas wrong.
    EXPECT_EQ(maxScore, 5 + 3);
    EXPECT_EQ(score, 10 + 1 - 1);
    ASSERT_EQ(services.sound.played.size(), 4);
    EXPECT_TRUE(services.sound.played[0].endsWith(QStringLiteral("BRAUK/A.WAV")));
    EXPECT_TRUE(services.sound.played[1].endsWith(QStringLiteral("TRINT/B.WAV")));
}

TEST(TTestoSuIsbrPabrZodziaisForma, PagesForwardToTheFinishButton) {
    testing::ScopedFakeServices services;
    testing::ShortDoubleClickInterval shortInterval;
    testing::TempProgramDir dir;
    QString longText;
    for (int i = 0; i < 40; ++i) {
        longText += QStringLiteral("Eilutė @numeris %1.\n").arg(i);
    }
    const std::u16string text = longText.toStdU16String();
    writeTable(dir, {{1, u"Išbraukimas", text.c_str(), "Isbraukiami", 260, 400}});

    TTestoSuIsbrPabrZodziaisForma form;
    std::int32_t score = 0;
    std::int32_t maxScore = 0;
    EXPECT_FALSE(form.Execute(2, score, maxScore));
    int pages = 1;
    ASSERT_TRUE(runExercise(form, 1, score, maxScore, [&] {
        EXPECT_TRUE(form.crossOut());
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Išbraukimas"));
        clickToken(form, 2);  // marked, with no sound files
        QTest::keyClick(form.textArea(), Qt::Key_F1);
        while (form.nextButton()->isVisible() && pages < 100) {
            EXPECT_FALSE(form.finishButton()->isVisible());
            QTest::keyClick(form.textArea(), Qt::Key_PageDown);
            QApplication::processEvents();
            form.textArea()->repaint();
            ++pages;
        }
        QTest::keyClick(form.textArea(), Qt::Key_PageDown);  // no page after the last
        QTest::qWait(5);                                     // the finish button has just shown
        QTest::keyClick(form.textArea(), Qt::Key_Return);
    }));
    EXPECT_GT(pages, 2);
    EXPECT_LT(pages, 40);
    EXPECT_EQ(form.currentPage(), pages - 1);
    EXPECT_TRUE(services.sound.played.isEmpty());
    EXPECT_EQ(services.help.topics, std::vector<int>({4}));
    EXPECT_EQ(maxScore, 40);
    EXPECT_EQ(score, 1);
}

// Holding Enter, or pressing it before the window could be seen, never leaves the exercise.
TEST(TTestoSuIsbrPabrZodziaisForma, AHeldOrEarlyEnterDoesNotLeave) {
    testing::ScopedFakeServices services;
    testing::TempProgramDir dir;
    writeTable(dir, {{1, u"Pratimas", u"Mama @skaito.", "Pabraukiami", 380, 560}});
    TTestoSuIsbrPabrZodziaisForma form;
    std::int32_t score = 0;
    std::int32_t maxScore = 0;
    ASSERT_TRUE(runExercise(form, 1, score, maxScore, [&] {
        QTest::keyClick(form.textArea(), Qt::Key_Return);  // at once
        EXPECT_TRUE(form.isVisible());
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(form.textArea(), &held);
        EXPECT_TRUE(form.isVisible());
        QTest::keyClick(form.textArea(), Qt::Key_Return);
        EXPECT_FALSE(form.isVisible());
    }));
    EXPECT_EQ(maxScore, 1);
}

TEST(TTestoSuIsbrPabrZodziaisForma, AWindowLargerThanTheScreenKeepsTheArrowInSight) {
    testing::ScopedFakeServices services;
    testing::TempProgramDir dir;
    writeTable(dir, {{1, u"Pratimas", u"Vaikas @bėga.", "Pabraukiami", 3000, 3000}});
    TTestoSuIsbrPabrZodziaisForma form;
    std::int32_t score = 0;
    std::int32_t maxScore = 0;
    ASSERT_TRUE(runExercise(form, 1, score, maxScore, [&] {
        const QSize room = form.screen()->availableGeometry().size();
        EXPECT_LE(form.width(), room.width());
        EXPECT_LE(form.height(), room.height());
        EXPECT_TRUE(form.rect().contains(form.finishButton()->geometry()));
        EXPECT_TRUE(form.rect().contains(form.textArea()->geometry()));
        EXPECT_LE(form.textArea()->geometry().bottom(), form.finishButton()->y());
    }));
}

// A row too small for its content grows until the heading, a line and the arrow show, so the
// exercise can be read page by page and left.
TEST(TTestoSuIsbrPabrZodziaisForma, ARowTooSmallGrowsToShowALineAndTheArrow) {
    testing::ScopedFakeServices services;
    testing::ShortDoubleClickInterval shortInterval;
    testing::TempProgramDir dir;
    writeTable(dir, {{1, u"Pratimas", u"Mama @skaito.\nTėtis @rašo.\nVaikas @bėga.", "Pabraukiami",
                      50, 50}});
    TTestoSuIsbrPabrZodziaisForma form;
    std::int32_t score = 0;
    std::int32_t maxScore = 0;
    int presses = 0;
    ASSERT_TRUE(runExercise(form, 1, score, maxScore, [&] {
        const auto* heading = form.findChild<QLabel*>(QStringLiteral("Label1"));
        ASSERT_NE(heading, nullptr);
        const QSize smallest = marked_words::kMarkedWords.minimumOuter(
            QFontMetrics(heading->font()).height(), QFontMetrics(form.textArea()->font()).height());
        EXPECT_EQ(form.size(), clientSizeForOuter(smallest));
        EXPECT_GE(heading->height(), QFontMetrics(heading->font()).height());
        const marked_words::WordToken& first = form.tokens().front();
        EXPECT_TRUE(first.Drawn);
        EXPECT_TRUE(QRect(QPoint(), form.textArea()->size()).contains(first.rect()));
        EXPECT_TRUE(form.rect().contains(form.nextButton()->geometry()));
        while (form.nextButton()->isVisible() && presses < 20) {
            QTest::keyClick(form.textArea(), Qt::Key_PageDown);
            ++presses;
        }
        EXPECT_TRUE(form.finishButton()->isVisible());
        EXPECT_TRUE(form.rect().contains(form.finishButton()->geometry()));
        QTest::qWait(QApplication::doubleClickInterval() + 20);
        QTest::keyClick(form.textArea(), Qt::Key_Return);
        EXPECT_FALSE(form.isVisible());
    }));
    EXPECT_GE(presses, 2);
    EXPECT_LT(presses, 20);
    EXPECT_EQ(maxScore, 3);
}

// The command that opened the window tells the learner once and skips it; the window itself
// says nothing, and its closed table's follow-on error is of its own kind.
TEST(TTestoSuIsbrPabrZodziaisForma, ATableThatCannotBeReadIsTheCallersToReport) {
    testing::ScopedFakeServices services;
    testing::TempProgramDir dir;
    TTestoSuIsbrPabrZodziaisForma form;
    EXPECT_TRUE(services.messages.errors.isEmpty());
    EXPECT_TRUE(form.openFailure().contains(QStringLiteral("TestPabr.cds")));
    std::int32_t score = 0;
    std::int32_t maxScore = 0;
    EXPECT_THROW(form.Execute(1, score, maxScore), content::ClosedTableError);
}

// Runs Review with `drive` acting on the shown window.
ReviewStep runReview(TTestoSuIsbrPabrZodziaisForma& form, const content::ExerciseResult& result,
                     std::function<void()> drive) {
    QTimer::singleShot(0, &form, [&form, drive] {
        drive();
        if (form.isVisible()) {
            form.done(0);  // keeps a failing test from hanging
        }
    });
    return form.Review(result);
}

void clickArrow(TPictureButton* button) {
    ASSERT_TRUE(QTest::qWaitFor([button] { return button->takesPresses(); }));
    for (int y = 0; y < button->height(); ++y) {
        for (int x = 0; x < button->width(); ++x) {
            if (button->HitTest({x, y})) {
                QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(x, y));
                return;
            }
        }
    }
    ADD_FAILURE() << "the arrow has no opaque point";
}

// Three lines, a page each; Vaikas (no target) and namas marked, bėga, skaito and rašo missed.
TEST(TTestoSuIsbrPabrZodziaisFormaReview, ShowsTheMarksReadOnlyAndTurnsPagesBothWays) {
    testing::ScopedFakeServices services;
    testing::ShortDoubleClickInterval shortInterval;
    std::optional<content::ExerciseResult> result;
    QSize exerciseSize;
    {
        testing::TempProgramDir dir;
        writeTable(dir, {{1, u"Pratimas", u"Vaikas @bėga, @namas.\r\nMama @skaito.\r\nTėtis @rašo.",
                          "Pabraukiami", 50, 560}});
        TTestoSuIsbrPabrZodziaisForma form;
        EXPECT_FALSE(form.result());
        std::int32_t score = 0;
        std::int32_t maxScore = 0;
        ASSERT_TRUE(runExercise(form, 1, score, maxScore, [&] {
            exerciseSize = form.size();
            clickToken(form, 0);
            clickToken(form, 5);
        }));
        result = form.result();
    }
    ASSERT_TRUE(result);
    EXPECT_EQ(result->points, (content::Points{0, 4}));
    testing::TempProgramDir gone;  // the course's table is gone since

    const QColor green = QColor(0, 100, 0);
    const QColor red = QColor(192, 0, 0);
    {
        TTestoSuIsbrPabrZodziaisForma form;
        EXPECT_EQ(
            runReview(form, *result,
                      [&] {
                          EXPECT_EQ(form.summary()->text(),
                                    QString::fromUtf8("0 iš 4 taškų (už klaidingus "
                                                      "žymėjimus atimta: 1)"));
                          const int strip = form.summary()->height();
                          EXPECT_EQ(form.heading()->y(), strip);
                          EXPECT_EQ(form.size(), exerciseSize + QSize(0, strip));
                          const auto* view = form.textArea();
                          const QColor plain = view->palette().color(QPalette::WindowText);
                          for (int i = 0; i < int(form.tokens().size()); ++i) {
                              const auto look = view->lookOf(i);
                              EXPECT_EQ(look.text, i == 0 ? red : i == 5 ? green : plain) << i;
                              EXPECT_EQ(look.outlined, i == 2 || i == 10 || i == 15) << i;
                          }
                          // Nothing marks.
                          clickToken(form, 2);
                          QTest::keyClick(form.textArea(), Qt::Key_Space);
                          EXPECT_FALSE(form.tokens()[2].Marked);
                          EXPECT_TRUE(form.tokens()[5].Marked);
                          QTest::keyClick(form.textArea(), Qt::Key_PageUp);
                      }),
            ReviewStep::Previous);
    }
    {
        TTestoSuIsbrPabrZodziaisForma form;
        EXPECT_EQ(runReview(form, *result,
                            [&] {
                                QTest::keyClick(form.textArea(), Qt::Key_PageDown);
                                QTest::keyClick(form.textArea(), Qt::Key_PageDown);
                                EXPECT_TRUE(form.finishButton()->isVisible());
                                QTest::keyClick(form.textArea(), Qt::Key_PageUp);
                                EXPECT_EQ(form.currentPage(), 1);
                                EXPECT_TRUE(form.nextButton()->isVisible());
                                clickArrow(form.nextButton());  // turns the page
                                EXPECT_EQ(form.currentPage(), 2);
                                EXPECT_TRUE(form.isVisible());
                                clickArrow(form.finishButton());
                            }),
                  ReviewStep::Next);
    }
    {
        TTestoSuIsbrPabrZodziaisForma form;
        EXPECT_EQ(runReview(form, *result,
                            [&] {
                                for (int i = 0; i < 2; ++i) {
                                    QTest::keyClick(form.textArea(), Qt::Key_PageDown);
                                }
                                // A held key stays on the last page.
                                QKeyEvent held(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier,
                                               QString(), true);
                                QApplication::sendEvent(form.textArea(), &held);
                                EXPECT_TRUE(form.isVisible());
                                QTest::keyClick(form.textArea(), Qt::Key_PageDown);
                            }),
                  ReviewStep::Next);
    }
    {
        TTestoSuIsbrPabrZodziaisForma form;
        EXPECT_EQ(runReview(form, *result,
                            [&] {
                                QTest::keyClick(form.textArea(), Qt::Key_Escape);
                                EXPECT_FALSE(form.isVisible());
                            }),
                  ReviewStep::Close);
        content::ExerciseResult broken = *result;
        broken.shown = "{}";
        EXPECT_EQ(form.Review(broken), ReviewStep::Next);
    }
}

}  // namespace
}  // namespace lentora
