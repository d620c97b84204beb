// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/simple_test/TPaprTestForma.h"

#include "content/ContentTable.h"
#include "content/DataPacket.h"
#include "controls/TPictureButton.h"
#include "exercises/simple_test/SimpleTestProgram.h"
#include "platform/CodePage1257.h"
#include "platform/Error.h"
#include "platform/FrameMetrics.h"
#include "support/FakeServices.h"
#include "support/TempProgramDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace lentora {
namespace {

using namespace simple_test_support;

template <class Control>
QList<Control*> controlsOf(QFrame* panel) {
    return panel->findChildren<Control*>(Qt::FindDirectChildrenOnly);
}

QList<QFrame*> panelsOf(TPaprTestForma& form) {
    QList<QFrame*> panels;
    for (QFrame* frame : form.content()->findChildren<QFrame*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<QLabel*>(frame) == nullptr) {
            panels.append(frame);
        }
    }
    return panels;
}

TEST(TPaprTestForma, BuildsTheTestAndAddsItsPoints) {
    testing::ScopedFakeServices services;
    TestProgram program;
    program.addTest(7, 500, 400, "Testas");
    program.addQuestion(7, 1, QRect(10, 10, 300, 90), "Kuris žodis teisingas?", kRadio);
    program.addAnswer(7, 1, 1, "žasis", false, {12, 25});
    program.addAnswer(7, 1, 2, "žąsis", true, {12, 45});
    program.addAnswer(7, 1, 3, "žęsis", false, {12, 65});
    program.addQuestion(7, 2, QRect(10, 110, 400, 130), "Pažymėkite teisingus.", kCheck);
    const char* words[] = {"ąžuolas", "ižengti", "įlipti", "žuvįs", "knygą"};
    const bool right[] = {true, false, true, false, true};
    for (int i = 0; i < 5; ++i) {
        program.addAnswer(7, 2, i + 1, words[i], right[i], {250, 25 + 20 * i});
    }
    program.addQuestion(7, 3, QRect(10, 250, 300, 50), "Mažosios raidės",
                        "pasirenkamasis mygtukas");
    program.addAnswer(7, 3, 1, "taip", true, {12, 25});
    program.addTest(8, 500, 400, "Kitas");  // another test's rows stay out
    program.addQuestion(8, 1, QRect(0, 0, 100, 50), "Ne šio testo", kRadio);
    program.addAnswer(8, 1, 1, "ne", true, {12, 25});
    program.write();

    TPaprTestForma form;
    std::int32_t score = 5;
    std::int32_t maxScore = 10;
    whenShown(form, [&] {
        EXPECT_EQ(form.windowTitle(), "Pratimas");
        EXPECT_EQ(form.size(), clientSizeForOuter(QSize(500, 400)));
        EXPECT_EQ(form.button()->geometry(), QRect(426, 301, 59, 69));
        EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);

        const QList<QFrame*> panels = panelsOf(form);
        ASSERT_EQ(panels.size(), 3);
        EXPECT_EQ(panels[0]->geometry(), QRect(10, 10, 300, 90));
        const auto radios = controlsOf<QRadioButton>(panels[0]);
        ASSERT_EQ(radios.size(), 3);
        EXPECT_EQ(radios[1]->text(), QString::fromUtf8("žąsis"));
        radios[0]->click();
        radios[1]->click();  // one choice per question
        EXPECT_FALSE(radios[0]->isChecked());

        const auto boxes = controlsOf<QCheckBox>(panels[1]);
        ASSERT_EQ(boxes.size(), 5);
        // Cut 2 pixels inside the panel's right edge, at the standard height.
        EXPECT_EQ(boxes[0]->geometry(), QRect(250, 25, 400 - 250 - 2, 17));
        boxes[0]->click();
        boxes[2]->click();
        boxes[3]->click();

        // A lower-case kind gives a check box.
        EXPECT_EQ(controlsOf<QRadioButton>(panels[2]).size(), 0);
        EXPECT_EQ(controlsOf<QCheckBox>(panels[2]).size(), 1);
        pressArrow(form.button());
    });
    EXPECT_TRUE(form.Execute(7, score, maxScore));
    // Radio: +1 of 1. Check boxes: two right, one wrong = +1 of 3. Unticked kind check: 0 of 1.
    EXPECT_EQ(score, 5 + 1 + 1);
    EXPECT_EQ(maxScore, 10 + 1 + 3 + 1);
    EXPECT_TRUE(services.messages.errors.isEmpty());
}

TEST(TPaprTestForma, OnlyTheArrowLeavesTheWindowAndF1AsksForHelp) {
    testing::ScopedFakeServices services;
    TestProgram program;
    program.addTest(3, 520, 330, "Savikontrolės testas");
    program.write();
    program.dir.writeFile("LENTORA.INI",
                          "[Paprastas testas]\r\nSriftName=Arial\r\n"
                          "SriftSize=12\r\nSriftColor=255\r\n");

    TPaprTestForma form;
    std::int32_t score = 0;
    std::int32_t maxScore = 0;
    whenShown(form, [&] {
        EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Savikontrolės testas"));
        EXPECT_EQ(form.font().pixelSize(), 16);
        EXPECT_EQ(form.palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QTest::keyClick(&form, Qt::Key_Escape);
        form.close();
        QApplication::processEvents();
        EXPECT_TRUE(form.isVisible());
        QTest::keyClick(&form, Qt::Key_F1);
        EXPECT_EQ(services.help.topics, std::vector<int>{7});
        pressArrow(form.button());
    });
    EXPECT_TRUE(form.Execute(3, score, maxScore));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(score, 0);
    EXPECT_EQ(maxScore, 0);
}

// The program directory holds no arrow pictures: the window draws the built-in arrow, and its
// over picture while the pointer is on it.
TEST(TPaprTestForma, DrawsTheBuiltInArrowAndItsOverPicture) {
    testing::ScopedFakeServices services;
    TestProgram program;
    program.addTest(1, 500, 400, "Testas");
    program.write();
    TPaprTestForma form;
    std::int32_t score = 0;
    std::int32_t maxScore = 0;
    whenShown(form, [&] {
        TPictureButton* arrow = form.button();
        auto countShown = [&](auto isWanted) {
            const QImage shown = arrow->grab().toImage().scaled(arrow->size());
            int count = 0;
            // Inside the focus frame.
            for (int y = 2; y + 2 < shown.height(); ++y) {
                for (int x = 2; x + 2 < shown.width(); ++x) {
                    count += isWanted(QColor(shown.pixel(x, y)));
                }
            }
            return count;
        };
        auto blue = [](QColor c) { return c.blue() > 190 && c.red() < 120 && c.green() < 170; };
        auto red = [](QColor c) { return c.red() > 180 && c.green() < 60 && c.blue() < 80; };
        EXPECT_GT(countShown(blue), 200);
        EXPECT_EQ(countShown(red), 0);
        QMouseEvent move(QEvent::MouseMove, QPointF(40, 19), arrow->mapToGlobal(QPointF(40, 19)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(arrow, &move);
        ASSERT_EQ(arrow->currentPicture(), picture_button::Picture::Over);
        EXPECT_GT(countShown(red), 50);
        EXPECT_EQ(countShown(blue), 0);
        pressArrow(arrow);
    });
    EXPECT_TRUE(form.Execute(1, score, maxScore));
    EXPECT_TRUE(services.messages.errors.isEmpty());
}

// The second press of a double click on the previous window's arrow, and a held key, must not
// leave a window the learner has not seen.
TEST(TPaprTestForma, APressJustAfterShowingAndARepeatedKeyDoNotLeave) {
    testing::ScopedFakeServices services;
    TestProgram program;
    program.addTest(1, 500, 400, "Testas");
    program.addQuestion(1, 1, QRect(10, 10, 300, 60), "Klausimas", kRadio);
    program.addAnswer(1, 1, 1, "taip", true, {12, 25});
    program.write();
    TPaprTestForma form;
    std::int32_t score = 0;
    std::int32_t maxScore = 0;
    whenShown(form, [&] {
        TPictureButton* arrow = form.button();
        QWidget* answer = form.focusWidget();  // the window opens with the answer focused
        EXPECT_NE(answer, arrow);
        ASSERT_FALSE(arrow->takesPresses());
        QTest::mouseClick(arrow, Qt::LeftButton, {}, QPoint(40, 19));
        QApplication::processEvents();
        EXPECT_TRUE(form.isVisible());
        QKeyEvent repeated(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QString(" "), true);
        QApplication::sendEvent(arrow, &repeated);
        QApplication::processEvents();
        EXPECT_TRUE(form.isVisible());
        // Once the moment has passed, Tab from the answer reaches the arrow and Space leaves.
        ASSERT_TRUE(QTest::qWaitFor([arrow] { return arrow->takesPresses(); }));
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        answer->setFocus();
        QTest::keyClick(answer, Qt::Key_Tab);
        EXPECT_EQ(form.focusWidget(), arrow);
        QTest::keyClick(arrow, Qt::Key_Tab, Qt::ShiftModifier);
        EXPECT_EQ(form.focusWidget(), answer);
        QTest::keyClick(answer, Qt::Key_Backtab);
        EXPECT_EQ(form.focusWidget(), arrow);
        QTest::keyClick(arrow, Qt::Key_Space);
    });
    EXPECT_TRUE(form.Execute(1, score, maxScore));
}

TEST(TPaprTestForma, EveryCheckBoxIsReachedAndTickedByKeyAndEnterLeavesFromAnAnswer) {
    testing::ScopedFakeServices services;
    TestProgram program;
    program.addTest(1, 500, 400, "Testas");
    program.addQuestion(1, 1, QRect(10, 10, 300, 90), "Pažymėkite", kCheck);
    program.addAnswer(1, 1, 1, "a", true, {12, 25});
    program.addAnswer(1, 1, 2, "b", false, {12, 45});
    program.addAnswer(1, 1, 3, "c", true, {12, 65});
    program.addQuestion(1, 2, QRect(10, 110, 300, 60), "Kuris?", kRadio);
    program.addAnswer(1, 2, 1, "taip", true, {12, 25});
    program.write();
    TPaprTestForma form;
    std::int32_t score = 0;
    std::int32_t maxScore = 0;
    whenShown(form, [&] {
        ASSERT_TRUE(QTest::qWaitFor([&] { return form.button()->takesPresses(); }));
        const auto boxes = controlsOf<QCheckBox>(panelsOf(form)[0]);
        ASSERT_EQ(form.focusWidget(), boxes[0]);
        QTest::keyClick(boxes[0], Qt::Key_Up);  // round to the last box
        EXPECT_EQ(form.focusWidget(), boxes[2]);
        QTest::keyClick(boxes[2], Qt::Key_Space);
        QTest::keyClick(boxes[2], Qt::Key_Down);
        EXPECT_EQ(form.focusWidget(), boxes[0]);
        QTest::keyClick(boxes[0], Qt::Key_Space);
        QTest::keyClick(boxes[0], Qt::Key_Tab);  // on to the next question, not the next box
        QWidget* radio = form.focusWidget();
        EXPECT_TRUE(qobject_cast<QRadioButton*>(radio));
        QTest::keyClick(radio, Qt::Key_Escape);
        EXPECT_TRUE(form.isVisible());
        QTest::keyClick(radio, Qt::Key_Return);
    });
    EXPECT_TRUE(form.Execute(1, score, maxScore));
    EXPECT_EQ(score, 2);
    EXPECT_EQ(maxScore, 3);
}

TEST(TPaprTestForma, MissingTestShowsNothing) {
    testing::ScopedFakeServices services;
    TestProgram program;
    program.addTest(1, 500, 400, "Testas");
    program.write();
    TPaprTestForma form;
    std::int32_t score = 4;
    std::int32_t maxScore = 6;
    EXPECT_FALSE(form.Execute(2, score, maxScore));
    EXPECT_EQ(score, 4);
    EXPECT_EQ(maxScore, 6);
}

TEST(TPaprTestForma, MissingBackgroundEndsTheRunWithTheFileError) {
    testing::ScopedFakeServices services;
    TestProgram program;
    program.addTest(1, 500, 400, "Testas");
    program.write();
    QFile::remove(program.dir.filePath("Testai/Papr/FONAS.BMP"));
    TPaprTestForma form;
    std::int32_t score = 0;
    std::int32_t maxScore = 0;
    try {
        form.Execute(1, score, maxScore);
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_TRUE(error.text().startsWith("Cannot open file")) << error.text().toStdString();
        EXPECT_TRUE(error.text().contains("FONAS.BMP", Qt::CaseInsensitive));
    }
    EXPECT_FALSE(form.isVisible());
}

// The caller reports why the test cannot open (once per command) and skips it; the closed
// table's follow-on error is of its own kind, never shown.
TEST(TPaprTestForma, MissingTablesAreTheCallersToReport) {
    testing::ScopedFakeServices services;
    TestProgram program;  // no tables written
    TPaprTestForma form;
    EXPECT_TRUE(services.messages.errors.isEmpty());
    EXPECT_TRUE(form.openFailure().contains("TestLang.cds"));
    std::int32_t score = 0;
    std::int32_t maxScore = 0;
    EXPECT_THROW(form.Execute(1, score, maxScore), content::ClosedTableError);
}

TEST(TPaprTestForma, BrokenSizesKeepTheArrowReachable) {
    testing::ScopedFakeServices services;
    TestProgram program;
    program.addTest(1, -50, 1e12, "Testas");
    program.addQuestion(1, 1, QRect(-20, 5, 0, 0), "", kRadio);  // a question with no answers
    program.write();
    TPaprTestForma form;
    std::int32_t score = 0;
    std::int32_t maxScore = 0;
    whenShown(form, [&] {
        EXPECT_LE(form.height(), 4000);
        EXPECT_TRUE(form.rect().contains(form.button()->geometry()));
        pressArrow(form.button());
    });
    EXPECT_TRUE(form.Execute(1, score, maxScore));
    EXPECT_EQ(maxScore, 0);
}

TEST(TPaprTestForma, ATestTallerThanTheScreenScrollsWithTheArrowInSightAndEnterLeavesIt) {
    testing::ScopedFakeServices services;
    TestProgram program;
    program.addTest(1, 500, 40000, "Testas");
    program.addQuestion(1, 1, QRect(10, 3800, 300, 50), "Apačioje", kRadio);
    program.addAnswer(1, 1, 1, "taip", true, {12, 25});
    program.write();
    TPaprTestForma form;
    std::int32_t score = 0;
    std::int32_t maxScore = 0;
    whenShown(form, [&] {
        const QRect screen = form.screen()->availableGeometry();
        EXPECT_LE(outerSizeForClient(form.size()).height(), screen.height());
        // The content keeps its size (cut as every content size is), and scrolls.
        EXPECT_EQ(form.content()->height(), clientSizeForContent(QSize(500, 40000)).height());
        EXPECT_GT(form.content()->height(), form.height());
        // The arrow keeps its margins from the corner in sight, clear of the scroll bar.
        auto* scroller = form.findChild<QScrollArea*>();
        ASSERT_TRUE(scroller);
        const QRect inSight(QPoint(0, 0), scroller->viewport()->size());
        EXPECT_TRUE(inSight.contains(form.button()->geometry()));
        EXPECT_EQ(form.button()->geometry().bottom(), inSight.height() - 1 - 30 + 25);

        // A held Enter left over from the previous window does not leave; a fresh one does.
        QKeyEvent repeated(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(&form, &repeated);
        EXPECT_TRUE(form.isVisible());
        QTest::keyClick(&form, Qt::Key_Return);
    });
    EXPECT_TRUE(form.Execute(1, score, maxScore));
    EXPECT_EQ(maxScore, 1);
}

}  // namespace
}  // namespace lentora
