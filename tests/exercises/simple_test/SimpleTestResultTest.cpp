// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/simple_test/SimpleTestResult.h"
#include "platform/ContentLimits.h"

#include <gtest/gtest.h>

namespace lentora::simple_test {
namespace {

using content::ItemResult;

content::AnswerRow answer(const char* text, bool right, int y) {
    content::AnswerRow row;
    row.answer = text;
    row.correct = right;
    row.x = 12;
    row.y = y;
    return row;
}

// A radio question answered wrong, a check-box question with a wrong tick and one answered
// right; texts in code page 1257 ("\xFE" is "ž").
SimpleTestSession answeredTest() {
    content::QuestionRow radio;
    radio.question = "Kuris?";
    radio.x = 10;
    radio.y = 10;
    radio.width = 300;
    radio.height = 90;
    radio.kind = "Pasirenkamasis mygtukas";
    content::QuestionRow check = radio;
    check.y = 110;
    check.kind = "\xDEymimasis laukelis";
    content::TestWindowRow test;
    test.width = 500;
    test.height = 400;
    test.caption = "Testas";
    SimpleTestSession session;
    session.open(test,
                 {{radio,
                   {answer("\xFE"
                           "asis",
                           false, 25),
                    answer("b", true, 45)}},
                  {check, {answer("d", true, 25), answer("e", false, 45), answer("f", true, 65)}},
                  {check, {answer("g", true, 25), answer("h", false, 45)}}});
    session.pressAnswer(0, 0);
    session.pressAnswer(1, 0);
    session.pressAnswer(1, 1);
    session.pressAnswer(1, 2);
    session.pressAnswer(2, 0);
    return session;
}

TEST(SimpleTestResult, TheWrongAnswersAreTheWrongItemsAndTheSnapshotComesBack) {
    const SimpleTestSession session = answeredTest();
    const content::ExerciseResult result = exerciseResult(session, 7);
    EXPECT_EQ(result.kind, content::ExerciseKind::SimpleTest);
    EXPECT_EQ(result.record, 7);
    EXPECT_EQ(result.points, session.points());
    EXPECT_EQ(wrongTicks(session), 1);
    EXPECT_EQ(result.items, (std::vector<ItemResult>{{0, QString::fromUtf8("žasis"), "b", false},
                                                     {1, "d; e; f", "d; f", false},
                                                     {2, "g", "g", true}}));
    EXPECT_EQ(answerMark(session.questions()[0].answers[1]), AnswerMark::MissedRight);

    const std::optional<SimpleTestSession> restored = restoreSession(result);
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored->caption(), session.caption());
    EXPECT_EQ(restored->outerSize(), session.outerSize());
    ASSERT_EQ(restored->questions().size(), session.questions().size());
    for (std::size_t q = 0; q < session.questions().size(); ++q) {
        const QuestionItem& a = session.questions()[q];
        const QuestionItem& b = restored->questions()[q];
        EXPECT_EQ(std::tie(a.text, a.box, a.radio), std::tie(b.text, b.box, b.radio)) << q;
        ASSERT_EQ(a.answers.size(), b.answers.size()) << q;
        for (std::size_t i = 0; i < a.answers.size(); ++i) {
            const AnswerItem& x = a.answers[i];
            const AnswerItem& y = b.answers[i];
            EXPECT_EQ(std::tie(x.text, x.place, x.right, x.ticked),
                      std::tie(y.text, y.place, y.right, y.ticked))
                << q << "/" << i;
        }
    }
    EXPECT_EQ(exerciseResult(*restored, 7), result);
}

TEST(SimpleTestResult, ABrokenOrForeignSnapshotGivesNone) {
    const content::ExerciseResult good = exerciseResult(answeredTest(), 1);
    std::vector<content::ExerciseResult> broken(5, good);
    broken[0].shown.chop(3);
    broken[1].shown.replace("\"ticked\":true", "\"ticked\":1");
    broken[2].shown.replace("\"v\":1", "\"v\":2");
    broken[3].kind = content::ExerciseKind::MarkedWords;
    broken[4].shown = "[]";
    for (std::size_t i = 0; i < broken.size(); ++i) {
        EXPECT_TRUE(i >= 3 || broken[i].shown != good.shown) << i;  // each really broken
        EXPECT_FALSE(restoreSession(broken[i])) << i;
    }
    // Places beyond any screen are cut as the rows' are.
    content::ExerciseResult far = good;
    far.shown.replace("\"width\":500", "\"width\":1e300");
    const std::optional<SimpleTestSession> cut = restoreSession(far);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->outerSize().width(), kMaxContentExtent);
}

}  // namespace
}  // namespace lentora::simple_test
