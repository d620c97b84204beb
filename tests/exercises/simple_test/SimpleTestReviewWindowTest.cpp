// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/simple_test/TPaprTestForma.h"

#include "exercises/simple_test/SimpleTestDescription.h"
#include "exercises/simple_test/SimpleTestProgram.h"
#include "platform/FrameMetrics.h"
#include "support/FakeServices.h"
#include "support/TempProgramDir.h"
#include "support/WhenShown.h"

#include <QAbstractButton>
#include <QFrame>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace lentora {
namespace {

using namespace simple_test_support;

// A radio question answered wrong and a check-box question with a wrong tick, as the learner
// left them.
content::ExerciseResult doneTest() {
    TestProgram program;
    program.addTest(4, 500, 400, "Testas");
    program.addQuestion(4, 1, QRect(10, 10, 300, 90), "Kuris žodis teisingas?", kRadio);
    program.addAnswer(4, 1, 1, "žasis", false, {12, 25});
    program.addAnswer(4, 1, 2, "žąsis", true, {12, 45});
    program.addQuestion(4, 2, QRect(10, 110, 300, 90),
                        "Pažymėkite visus teisingai parašytus žodžius (klaida – minus taškas).",
                        kCheck);
    program.addAnswer(4, 2, 1, "a", true, {12, 25});
    program.addAnswer(4, 2, 2, "b", false, {12, 45});
    program.addAnswer(4, 2, 3, "c", true, {12, 65});
    program.write();
    TPaprTestForma form;
    EXPECT_FALSE(form.result());
    std::int32_t score = 0;
    std::int32_t maxScore = 0;
    whenShown(form, [&] {
        form.answerControl(0, 0)->click();
        form.answerControl(1, 0)->click();
        form.answerControl(1, 1)->click();
        pressArrow(form.button());
    });
    EXPECT_TRUE(form.Execute(4, score, maxScore));
    const std::optional<content::ExerciseResult> result = form.result();
    EXPECT_TRUE(result);
    return result.value_or(content::ExerciseResult{});
}

QColor textColour(const QAbstractButton* control) {
    return control->palette().color(QPalette::WindowText);
}

TEST(TPaprTestFormaReview, ShowsTheAnswersReadOnlyUnderTheSummaryAndLeavesByStep) {
    testing::ScopedFakeServices services;
    testing::ShortDoubleClickInterval shortInterval;
    const content::ExerciseResult result = doneTest();
    EXPECT_EQ(result.points, (content::Points{0, 3}));
    testing::TempProgramDir gone;  // the course's tables and background are gone since

    struct Exit {
        Qt::Key key;  // Qt::Key_unknown: the arrow
        ReviewStep step;
    };
    for (const Exit exit :
         {Exit{Qt::Key_unknown, ReviewStep::Next}, Exit{Qt::Key_PageDown, ReviewStep::Next},
          Exit{Qt::Key_PageUp, ReviewStep::Previous}, Exit{Qt::Key_Escape, ReviewStep::Close}}) {
        TPaprTestForma form;
        whenShown(form, [&] {
            EXPECT_TRUE(form.reviewing());
            EXPECT_EQ(form.summary()->text(),
                      QString::fromUtf8("0 iš 3 taškų (už klaidingas žymes atimta taškų: 1)"));
            // The strip sits above the test, which keeps its size and places.
            const int strip = form.summary()->height();
            EXPECT_EQ(form.size(), clientSizeForOuter(QSize(500, 400)) + QSize(0, strip));
            EXPECT_EQ(form.content()->mapTo(&form, QPoint()), QPoint(0, strip));
            EXPECT_EQ(form.button()->y(), 301 + strip);

            const QColor green(QRgb(simple_test::kSimpleTest.reviewRightColor));
            const QColor red(QRgb(simple_test::kSimpleTest.reviewWrongColor));
            EXPECT_TRUE(form.answerControl(0, 0)->isChecked());
            EXPECT_EQ(textColour(form.answerControl(0, 0)), red);
            EXPECT_EQ(textColour(form.answerControl(1, 0)), green);
            EXPECT_EQ(textColour(form.answerControl(1, 1)), red);
            EXPECT_NE(textColour(form.answerControl(1, 2)), green);
            // Exactly the right answers left unticked are outlined.
            for (int q = 0; q < 2; ++q) {
                for (int a = 0; a < 3 - (q == 0); ++a) {
                    const bool missed = (q == 0 && a == 1) || (q == 1 && a == 2);
                    EXPECT_EQ(form.answerOutline(q, a) != nullptr, missed) << q << "/" << a;
                }
            }
            EXPECT_EQ(form.questionPoints(0)->text(), QString::fromUtf8("0 iš 1 taško"));
            EXPECT_EQ(form.questionPoints(1)->text(), QString::fromUtf8("0 iš 2 taškų"));
            // The points never write over the question, however long it is.
            for (int q = 0; q < 2; ++q) {
                const QLabel* points = form.questionPoints(q);
                const auto* question = points->parentWidget()->findChild<QLabel*>();
                ASSERT_NE(question, points);
                EXPECT_FALSE(points->geometry().intersects(question->geometry())) << q;
                EXPECT_TRUE(points->parentWidget()->rect().contains(points->geometry())) << q;
            }

            // Nothing ticks.
            QAbstractButton* missed = form.answerControl(1, 2);
            QTest::mouseClick(missed, Qt::LeftButton, {}, QPoint(5, 8));
            EXPECT_FALSE(missed->isChecked());
            EXPECT_FALSE(form.session().questions()[1].answers[2].ticked);
            if (exit.step == ReviewStep::Close) {
                QTest::keyClick(&form, Qt::Key_F1);  // the review's own topic, not the test's
                EXPECT_EQ(services.help.topics, std::vector<int>{ExerciseDialog::kReviewHelpTopic});
            }

            if (exit.key == Qt::Key_unknown) {
                pressArrow(form.button());
            } else {
                QTest::keyClick(form.focusWidget(), exit.key);
            }
        });
        EXPECT_EQ(form.Review(result), exit.step) << exit.key;
        EXPECT_FALSE(form.isVisible());
    }
}

TEST(TPaprTestFormaReview, AResultItCannotShowGoesOnAtOnce) {
    testing::ScopedFakeServices services;
    testing::TempProgramDir dir;
    content::ExerciseResult broken;
    broken.shown = "{\"v\":1";
    TPaprTestForma form;
    EXPECT_EQ(form.Review(broken), ReviewStep::Next);
    EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace lentora
