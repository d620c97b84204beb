// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/simple_test/SimpleTestDescription.h"
#include "exercises/simple_test/SimpleTestSession.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lentora::simple_test {
namespace {

content::AnswerRow answer(const char* text, bool right, int y) {
    content::AnswerRow row;
    row.answer = text;
    row.correct = right;
    row.x = 12;
    row.y = y;
    return row;
}

// A radio question (one right of three) at (10, 10) and a check-box question (two right of
// three) at (10, 110), both 300 wide.
std::vector<QuestionRows> twoQuestions() {
    content::QuestionRow radio;
    radio.x = 10;
    radio.y = 10;
    radio.width = 300;
    radio.height = 90;
    radio.kind = "Pasirenkamasis mygtukas";
    content::QuestionRow check = radio;
    check.y = 110;
    check.kind = "\xDEymimasis laukelis";
    return {{radio, {answer("a", false, 25), answer("b", true, 45), answer("c", false, 65)}},
            {check, {answer("d", true, 25), answer("e", false, 45), answer("f", true, 65)}}};
}

content::TestWindowRow testRow(const char* caption) {
    content::TestWindowRow row;
    row.width = 500;
    row.height = 400;
    row.caption = caption;
    return row;
}

std::vector<bool> ticks(const SimpleTestSession& session, int question) {
    std::vector<bool> result;
    for (const AnswerItem& item : session.questions()[size_t(question)].answers) {
        result.push_back(item.ticked);
    }
    return result;
}

TEST(SimpleTestSession, KeysAndClicksTickScoreAndLeaveEveryAnswersResult) {
    SimpleTestSession session;
    session.open(testRow("Testas"), twoQuestions());
    EXPECT_EQ(session.caption(), QStringLiteral("Pratimas"));
    EXPECT_EQ(session.focus(), (FocusSlot{0, 0}));

    // Space on the first radio button selects it; a click on the right one moves the choice.
    EXPECT_EQ(session.keyPress(Qt::Key_Space, Qt::NoModifier).changedQuestion, 0);
    EXPECT_EQ(ticks(session, 0), (std::vector<bool>{true, false, false}));
    const QPoint secondRadio = QPoint(10, 10) + QPoint(12, 45) + QPoint(40, 8);
    const TestReaction click = session.pressAt(secondRadio);
    EXPECT_TRUE(click.focusMoved);
    EXPECT_EQ(session.focus(), (FocusSlot{0, 1}));
    EXPECT_EQ(ticks(session, 0), (std::vector<bool>{false, true, false}));
    // A press beside every control, or 2 px inside a box's right edge, ticks nothing.
    EXPECT_EQ(session.pressAt(QPoint(10 + 299, 10 + 50)).changedQuestion, -1);
    EXPECT_EQ(session.pressAt(QPoint(400, 300)).changedQuestion, -1);

    // Tab goes on to the check-box question, whose answers the arrow keys reach, round: tick
    // "d" and "e", then Space again takes "e" back.
    session.keyPress(Qt::Key_Tab, Qt::NoModifier);
    EXPECT_EQ(session.focus(), (FocusSlot{1, 0}));
    session.keyPress(Qt::Key_Space, Qt::NoModifier);
    EXPECT_TRUE(session.keyPress(Qt::Key_Down, Qt::NoModifier).focusMoved);
    session.keyPress(Qt::Key_Space, Qt::NoModifier);
    EXPECT_EQ(session.points(), (Points{1 + 0, 1 + 2}));  // a ticked wrong box costs one
    session.keyPress(Qt::Key_Space, Qt::NoModifier);
    EXPECT_EQ(ticks(session, 1), (std::vector<bool>{true, false, false}));
    session.keyPress(Qt::Key_Up, Qt::NoModifier);
    session.keyPress(Qt::Key_Left, Qt::NoModifier);
    EXPECT_EQ(session.focus(), (FocusSlot{1, 2}));
    session.keyPress(Qt::Key_Right, Qt::NoModifier);
    EXPECT_EQ(session.focus(), (FocusSlot{1, 0}));

    // The arrow comes after the last question, and the order runs round both ways, entering a
    // radio question at its selected answer.
    session.keyPress(Qt::Key_Tab, Qt::NoModifier);
    EXPECT_TRUE(session.focus().isArrow());
    EXPECT_TRUE(session.keyPress(Qt::Key_Space, Qt::NoModifier).pressShownButton);
    session.keyPress(Qt::Key_Tab, Qt::NoModifier);
    EXPECT_EQ(session.focus(), (FocusSlot{0, 1}));
    session.keyPress(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_TRUE(session.focus().isArrow());
    session.keyPress(Qt::Key_Backtab, Qt::NoModifier);
    EXPECT_EQ(session.focus(), (FocusSlot{1, 0}));
    EXPECT_TRUE(session.keyPress(Qt::Key_Return, Qt::NoModifier).pressShownButton);
    session.keyPress(Qt::Key_Backtab, Qt::NoModifier);
    EXPECT_FALSE(session.keyPress(Qt::Key_Down, Qt::NoModifier).handled);

    EXPECT_EQ(session.pointsOf(0), (Points{1, 1}));
    EXPECT_EQ(session.pointsOf(1), (Points{1, 2}));
    EXPECT_EQ(session.points(), (Points{2, 3}));
    // What the learner gave and what was right stay for every answer.
    const AnswerItem& missed = session.questions()[1].answers[2];
    EXPECT_EQ(missed.text, "f");
    EXPECT_TRUE(missed.right);
    EXPECT_FALSE(missed.ticked);
}

TEST(SimpleTestSession, BrokenRowsAreCutAndATestWithoutAnswersFocusesTheArrow) {
    content::TestWindowRow test = testRow("Kitas");
    test.width = -50;
    test.height = 1e12;
    content::QuestionRow question;
    question.x = -1e9;
    question.width = std::nan("");
    SimpleTestSession session;
    session.open(test, {{question, {}}});
    EXPECT_EQ(session.caption(), QStringLiteral("Kitas"));
    EXPECT_EQ(session.outerSize(), QSize(0, kMaxContentExtent));
    EXPECT_EQ(session.questions()[0].box, QRect(-kMaxContentExtent, 0, 0, 0));
    EXPECT_TRUE(session.focus().isArrow());
    session.keyPress(Qt::Key_Backtab, Qt::NoModifier);
    EXPECT_TRUE(session.focus().isArrow());
    EXPECT_EQ(session.points(), (Points{0, 0}));
}

TEST(SimpleTestDescription, TheArrowStaysInsideTheClientAreaOfAnySize) {
    EXPECT_EQ(kSimpleTest.arrowPlace(QSize(500, 400)), QPoint(426, 301));
    for (const QSize outer : {QSize(0, 0), QSize(60, 1000000), QSize(kMaxContentExtent, 30)}) {
        const QRect client(QPoint(0, 0), clientSizeForContent(outer, kSimpleTest.arrowSize));
        EXPECT_TRUE(client.contains(QRect(kSimpleTest.arrowPlace(outer), kSimpleTest.arrowSize)))
            << outer.width() << "x" << outer.height();
    }
    EXPECT_EQ(kSimpleTest.answerControl(100, QPoint(120, 5)).width(), 0);
}

}  // namespace
}  // namespace lentora::simple_test
