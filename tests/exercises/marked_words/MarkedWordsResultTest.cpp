// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/marked_words/MarkedWordsResult.h"
#include "exercises/marked_words/MarkedWordsSession.h"
#include "support/FixedTextMetrics.h"

#include <gtest/gtest.h>

using namespace lentora;
using namespace lentora::marked_words;

namespace {

using content::ItemResult;

// "Vaikas @bėga, @namas." with Vaikas (no target) and namas marked, bėga missed.
ShownExercise markedExercise() {
    ShownExercise shown{QStringLiteral("Pratimas"), QString::fromUtf8("Pabraukite veiksmažodžius"),
                        QSize(500, 300), true, tokenize("Vaikas @b\xEBga, @namas.")};
    shown.tokens[0].Marked = true;
    shown.tokens[5].Marked = true;
    return shown;
}

TEST(MarkedWordsResult, TargetsAndWrongMarksAreItemsAndTheSnapshotComesBack) {
    const ShownExercise shown = markedExercise();
    const content::ExerciseResult result = exerciseResult(shown, 12);
    EXPECT_EQ(result.kind, content::ExerciseKind::MarkedWords);
    EXPECT_EQ(result.record, 12);
    EXPECT_EQ(result.points, (Points{1 - 1, 2}));
    EXPECT_EQ(wrongMarks(shown.tokens), 1);
    const QString bega = QString::fromUtf8("bėga");
    EXPECT_EQ(result.items, (std::vector<ItemResult>{{0, QStringLiteral("Vaikas"), {}, false},
                                                     {1, {}, bega, false},
                                                     {2, "namas", "namas", true}}));

    const std::optional<ShownExercise> restored = restoreExercise(result);
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored->caption, shown.caption);
    EXPECT_EQ(restored->heading, shown.heading);
    EXPECT_EQ(restored->outer, shown.outer);
    EXPECT_TRUE(restored->crossOut);
    ASSERT_EQ(restored->tokens.size(), shown.tokens.size());
    for (std::size_t i = 0; i < shown.tokens.size(); ++i) {
        const WordToken& a = shown.tokens[i];
        const WordToken& b = restored->tokens[i];
        EXPECT_EQ(std::tie(a.Text, a.Marked, a.Target, a.EndOfLine, a.Glued),
                  std::tie(b.Text, b.Marked, b.Target, b.EndOfLine, b.Glued))
            << i;
    }
    EXPECT_EQ(exerciseResult(*restored, 12), result);
}

TEST(MarkedWordsResult, ABrokenOrForeignSnapshotGivesNone) {
    const content::ExerciseResult good = exerciseResult(markedExercise(), 1);
    std::vector<content::ExerciseResult> broken(6, good);
    broken[0].shown.chop(5);
    broken[1].shown.replace("\"tokens\"", "\"tokenz\"");
    broken[2].shown.replace("\"Vaikas\"", "\"\"");                 // layout reads a first byte
    broken[3].shown.replace("[\"Vaikas\",9]", "[\"Vaikas\",99]");  // marked, glued
    broken[4].kind = content::ExerciseKind::SimpleTest;
    broken[5].skipped = true;
    for (std::size_t i = 0; i < broken.size(); ++i) {
        EXPECT_TRUE(i >= 4 || broken[i].shown != good.shown) << i;  // each really broken
        EXPECT_FALSE(restoreExercise(broken[i])) << i;
    }
}

// 10 px a byte, 20 px a line, one line a page: a review turns back and leaves past either end,
// and nothing marks.
TEST(MarkedWordsSession, AReviewTurnsBothWaysAndMarksNothing) {
    std::unique_ptr<MarkedWordsSession> review =
        MarkedWordsSession::review(tokenize("@aa\r\nbb\r\ncc"), false, 200);
    review->setArea({100, 20}, std::make_unique<FixedTextMetrics>(10, 20));
    EXPECT_EQ(review->keyPress(Qt::Key_PageUp).leave, Reaction::Leave::Previous);
    review->keyPress(Qt::Key_Space);
    review->moveTo(review->tokens()[0].rect().center());
    review->pressAt({}, Qt::LeftButton);
    review->toggle(1);
    EXPECT_EQ(review->points(), (Points{0, 1}));
    EXPECT_FALSE(review->hovered());
    EXPECT_TRUE(review->keyPress(Qt::Key_PageDown).pageChanged);
    EXPECT_TRUE(review->keyPress(Qt::Key_PageDown).pageChanged);
    EXPECT_EQ(review->currentPage(), 2);
    EXPECT_EQ(review->keyPress(Qt::Key_PageDown).leave, Reaction::Leave::Next);
    EXPECT_TRUE(review->keyPress(Qt::Key_PageUp).pageChanged);
    EXPECT_EQ(review->currentPage(), 1);
    EXPECT_EQ(review->pageStart(), 1);

    // An exercise still turns only forward.
    MarkedWordsSession exercise("aa\r\nbb", false, 200);
    exercise.setArea({100, 20}, std::make_unique<FixedTextMetrics>(10, 20));
    exercise.turnPage();
    EXPECT_FALSE(exercise.turnBack().pageChanged);
    EXPECT_EQ(exercise.keyPress(Qt::Key_PageUp).leave, Reaction::Leave::None);
    EXPECT_EQ(exercise.currentPage(), 1);
}

}  // namespace
