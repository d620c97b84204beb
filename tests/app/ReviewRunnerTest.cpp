// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ReviewRunner.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

using namespace lentora;
using namespace lentora::testing;

namespace {

content::ExerciseResult exercise(content::ExerciseKind kind, int record, bool skipped = false) {
    content::ExerciseResult result;
    result.kind = kind;
    result.record = record;
    result.skipped = skipped;
    return result;
}

// Review windows that leave by the scripted steps and note the records shown.
struct ScriptedReviews : WindowFactory {
    std::vector<ReviewStep> steps;
    std::vector<int> shown;
    ScriptedReviews() {
        for (const content::ExerciseKind kind :
             {content::ExerciseKind::SimpleTest, content::ExerciseKind::MarkedWords}) {
            addReview(kind, [this](const content::ExerciseResult& result, QWidget*) {
                shown.push_back(result.record);
                if (shown.size() > steps.size()) {
                    return ReviewStep::Close;
                }
                return steps[shown.size() - 1];
            });
        }
    }
};

}  // namespace

TEST(ReviewRunner, StepsThroughTheExercisesAsEachWasLeft) {
    ScopedFakeServices fakes;
    const std::vector<content::ExerciseResult> done{
        exercise(content::ExerciseKind::SimpleTest, 1),
        exercise(content::ExerciseKind::MarkedWords, 2),
        exercise(content::ExerciseKind::GapFilling, 3),  // no review of its kind here
        exercise(content::ExerciseKind::SimpleTest, 4)};
    ScriptedReviews reviews;
    using enum ReviewStep;
    // Previous before the first stays on the first; Next past the last ends it.
    reviews.steps = {Previous, Next, Next, Previous, Next, Next};
    runReview(done, reviews, nullptr);
    EXPECT_EQ(reviews.shown, (std::vector<int>{1, 1, 2, 4, 2, 4}));
    EXPECT_TRUE(fakes.messages.messages.empty());

    ScriptedReviews closing;
    closing.steps = {Next, Close};
    runReview(done, closing, nullptr);
    EXPECT_EQ(closing.shown, (std::vector<int>{1, 2}));
}

TEST(ReviewRunner, ASkippedExerciseIsToldInOneLineAndTheRestShown) {
    ScopedFakeServices fakes;
    const std::vector<content::ExerciseResult> done{
        exercise(content::ExerciseKind::MarkedWords, 7, true),
        exercise(content::ExerciseKind::SimpleTest, 1)};
    ScriptedReviews reviews;
    reviews.steps = {ReviewStep::Next};
    EXPECT_TRUE(canReview(done));
    runReview(done, reviews, nullptr);
    EXPECT_EQ(reviews.shown, std::vector<int>{1});
    ASSERT_EQ(fakes.messages.messages.size(), 1u);
    const QString text = fakes.messages.messages[0].second;
    EXPECT_FALSE(text.contains(u'\n'));
    EXPECT_TRUE(text.contains(QString::fromUtf8("neužbaigtas"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Nr. 7")));
    EXPECT_FALSE(canReview({}));
}
