// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/movable_words/MovableWordsSession.h"
#include "exercises/movable_words/MovableWordsSnapshot.h"

#include "platform/CodePage1257.h"
#include "support/FixedTextMetrics.h"

#include <gtest/gtest.h>

namespace lentora::movable_words {
namespace {

QByteArray cp(const char* utf8) {
    return toCp1257(QString::fromUtf8(utf8));
}

// 10 px a byte, 16 px a line, boxes 100 wide: a 600 x 200 page of six rows.
std::unique_ptr<MovableWordsSession> session(Variant variant, const QByteArrayList& words) {
    QByteArrayList sentences;
    std::vector<int> order;
    for (int i = 0; i < int(words.size()); ++i) {
        sentences.append(cp("Sakinys ") + QByteArray::number(i) + ".");
        order.push_back(i);
    }
    return std::make_unique<MovableWordsSession>(variant, sentences, words, order,
                                                 PageGeometry{600, 200, 100, 16}, QSize(600, 260),
                                                 std::make_unique<FixedTextMetrics>(10, 16));
}

void drop(MovableWordsSession& session, BoxRef from, BoxRef to) {
    const auto centre = [&](BoxRef box) {
        return session.pageLayout().boxRect(box).value().center();
    };
    session.pressAt(centre(from), Qt::LeftButton);
    session.releaseAt(centre(from), Qt::LeftButton);
    session.pressAt(centre(to), Qt::LeftButton);
}

std::unique_ptr<MovableWordsSession> review(const content::ExerciseResult& result,
                                            QSize outer = {640, 400}) {
    const std::optional<MovableWordsSnapshot> shown = MovableWordsSnapshot::fromResult(result);
    if (!shown) {
        return nullptr;
    }
    return MovableWordsSession::openReview(*shown, outer,
                                           std::make_unique<FixedTextMetrics>(10, 16));
}

std::vector<Mark> marks(const MovableWordsSession& session) {
    std::vector<Mark> all;
    for (const LaidOutRow& row : session.pageLayout().rows) {
        all.push_back(row.mark);
        EXPECT_EQ(row.rightWord.has_value(), row.mark == Mark::Wrong) << "row " << row.slot;
    }
    return all;
}

TEST(MovableWordsReview, AGapFillingResultMarksTheWrongAndEmptyGapsAndRoundTrips) {
    const QByteArrayList words{cp("žodis"), cp("upė"), cp("šaltinis"), "kelias"};
    auto done = session(Variant::Gaps, words);
    drop(*done, {BoxRef::Pool, 0}, {BoxRef::Gap, 0});  // right
    drop(*done, {BoxRef::Pool, 2}, {BoxRef::Gap, 1});  // wrong; gap 2 stays empty
    drop(*done, {BoxRef::Pool, 3}, {BoxRef::Gap, 3});  // right
    const content::ExerciseResult result = done->result(12, "pievos.bmp");
    EXPECT_EQ(result.kind, content::ExerciseKind::GapFilling);
    EXPECT_EQ(result.record, 12);
    EXPECT_EQ(result.points, done->points());
    EXPECT_EQ(result.points, (Points{2, 4}));
    EXPECT_EQ(result.items, (std::vector<content::ItemResult>{
                                {0, QString::fromUtf8("žodis"), QString::fromUtf8("žodis"), true},
                                {1, QString::fromUtf8("šaltinis"), QString::fromUtf8("upė"), false},
                                {2, "", QString::fromUtf8("šaltinis"), false},
                                {3, "kelias", "kelias", true}}));
    // Unicode inside the JSON, code page 1257 back out of it.
    EXPECT_TRUE(result.shown.contains(QString::fromUtf8("šaltinis").toUtf8()));
    MovableWordsSnapshot expected = done->snapshot();
    expected.picture = "pievos.bmp";
    EXPECT_EQ(MovableWordsSnapshot::fromResult(result), expected);

    auto shown = review(result);
    ASSERT_TRUE(shown);
    EXPECT_TRUE(shown->reviewing());
    EXPECT_EQ(shown->points(), result.points);
    EXPECT_EQ(marks(*shown),
              (std::vector<Mark>{Mark::Right, Mark::Wrong, Mark::Wrong, Mark::Right}));
    // The first row starts below the summary strip.
    EXPECT_GE(shown->pageLayout().rows.front().frame->top(), shown->geometry().top);
    // Nothing moves a word in a review; the page keys ask to leave past either end.
    const BoxRef gap0{BoxRef::Gap, 0}, pool2{BoxRef::Pool, 2};
    shown->pressAt(shown->pageLayout().boxRect(gap0)->center(), Qt::LeftButton);
    shown->releaseAt(shown->pageLayout().boxRect(pool2)->center(), Qt::LeftButton);
    shown->keyPress(Qt::Key_Space);
    EXPECT_FALSE(shown->carried());
    EXPECT_EQ(shown->exercise().wordIn(gap0), cp("žodis"));
    EXPECT_TRUE(shown->keyPress(Qt::Key_PageDown).leaveForward);
    EXPECT_TRUE(shown->keyPress(Qt::Key_PageUp).leaveBack);
    EXPECT_FALSE(shown->keyPress(Qt::Key_Escape).handled);  // the window closes
}

TEST(MovableWordsReview, ASortingResultMarksTheWrongAndEmptyRowsAndRoundTrips) {
    auto done = session(Variant::Sorting, {"A", "B", "@A", "@B"});
    drop(*done, {BoxRef::Pool, 0}, {BoxRef::Gap, 0});  // right
    drop(*done, {BoxRef::Pool, 0}, {BoxRef::Gap, 1});  // A for B; row 2 stays empty
    drop(*done, {BoxRef::Pool, 1}, {BoxRef::Gap, 3});  // right
    const content::ExerciseResult result = done->result(5);
    EXPECT_EQ(result.kind, content::ExerciseKind::Sorting);
    EXPECT_EQ(result.points, (Points{2, 4}));
    ASSERT_EQ(result.items.size(), 4u);
    EXPECT_EQ(result.items[1], (content::ItemResult{1, "A", "B", false}));
    EXPECT_EQ(result.items[2], (content::ItemResult{2, "", "A", false}));
    EXPECT_TRUE(result.items[0].correct && result.items[3].correct);

    auto shown = review(result);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->exercise().categories(), QByteArrayList({"A", "B"}));
    EXPECT_EQ(marks(*shown),
              (std::vector<Mark>{Mark::Right, Mark::Wrong, Mark::Wrong, Mark::Right}));
    shown->pressAt(shown->pageLayout().poolColumn[1].center(), Qt::LeftButton);
    shown->releaseAt(shown->pageLayout().boxRect({BoxRef::Gap, 1})->center(), Qt::LeftButton);
    EXPECT_EQ(shown->exercise().wordIn({BoxRef::Gap, 1}), "A");

    // A sorting snapshot is no gap-filling result.
    content::ExerciseResult foreign = result;
    foreign.kind = content::ExerciseKind::GapFilling;
    EXPECT_FALSE(MovableWordsSnapshot::fromResult(foreign));
}

TEST(MovableWordsReview, ABrokenOrForeignSnapshotGivesNone) {
    auto done = session(Variant::Gaps, {"a", "b"});
    const content::ExerciseResult result = done->result(1, "x.bmp");
    const QByteArray json = result.shown;
    // Every cut of it.
    for (qsizetype n = 0; n < json.size(); ++n) {
        EXPECT_FALSE(MovableWordsSnapshot::fromJson(json.left(n))) << n;
    }
    const auto edited = [&](const char* from, const char* to) {
        QByteArray changed = json;
        changed.replace(from, to);
        EXPECT_NE(changed, json) << from;
        return MovableWordsSnapshot::fromJson(changed);
    };
    EXPECT_FALSE(edited("\"order\":[0,1]", "\"order\":[0,2]"));
    EXPECT_FALSE(edited("\"order\":[0,1]", "\"order\":[0,0.5]"));
    EXPECT_FALSE(edited("\"gaps\":[\"\",\"\"]", "\"gaps\":[\"\"]"));
    EXPECT_FALSE(edited("\"gaps\":[\"\",\"\"]", "\"gaps\":[\"\",2]"));
    EXPECT_FALSE(edited("\"version\":1", "\"version\":2"));
    EXPECT_FALSE(edited("gap_filling", "marked_words"));
    EXPECT_FALSE(edited("x.bmp", "../x.bmp"));
    EXPECT_FALSE(MovableWordsSnapshot::fromJson("[]"));
    content::ExerciseResult skipped = result;
    skipped.skipped = true;
    EXPECT_FALSE(MovableWordsSnapshot::fromResult(skipped));
    // Sizes from a snapshot are content sizes: cut, never trusted.
    const auto huge = edited("\"width\":0", "\"width\":1e300");
    ASSERT_TRUE(huge);
    EXPECT_LE(huge->outer.width(), 4000);
}

TEST(MovableWordsReview, RightWordsTakeTheGapsRoomOrALineBelowAndPagesTurnBothWays) {
    // Short answers fit in the gap; a long one takes the line below, inside the view.
    QByteArrayList words{"ab", "a long answer", "cd", "ef", "gh", "ij", "kl", "mn"};
    auto done = session(Variant::Gaps, words);
    drop(*done, {BoxRef::Pool, 0}, {BoxRef::Gap, 2});  // "ab" in row 2's gap: wrong, room left
    auto shown = review(done->result(1), QSize(640, 330));
    ASSERT_TRUE(shown);
    const PageGeometry& geometry = shown->geometry();
    const std::vector<LaidOutRow>& rows = shown->pageLayout().rows;
    ASSERT_GE(rows.size(), 4u);
    const QRect view(0, 0, geometry.width, geometry.height);
    for (const LaidOutRow& row : rows) {
        ASSERT_TRUE(row.rightWord);
        EXPECT_TRUE(view.contains(row.rightWord->cell)) << row.slot;
    }
    EXPECT_FALSE(rows[0].rightWord->ownLine);
    EXPECT_TRUE(rows[0].gapBox.contains(rows[0].rightWord->cell));
    ASSERT_TRUE(rows[1].rightWord->ownLine);
    EXPECT_GE(rows[1].rightWord->cell.width(), 13 * 10);
    EXPECT_GT(rows[1].rightWord->cell.top(), rows[1].gapBox.bottom());
    EXPECT_GT(rows[2].gapBox.top(), rows[1].rightWord->cell.bottom());  // the next row moves down
    EXPECT_FALSE(rows[2].rightWord->ownLine);
    EXPECT_GT(rows[2].rightWord->cell.left(), rows[2].gapBox.left() + 2 * 10);  // after "ab"

    ASSERT_TRUE(shown->hasNextPage());
    const int firstSlot = rows.front().slot;
    const int secondSlot = int(rows.size());
    EXPECT_FALSE(shown->keyPress(Qt::Key_PageDown).leaveForward);
    EXPECT_EQ(shown->pageLayout().rows.front().slot, secondSlot);
    EXPECT_FALSE(shown->keyPress(Qt::Key_PageUp).leaveBack);
    EXPECT_EQ(shown->page(), 0);
    EXPECT_EQ(shown->pageLayout().rows.front().slot, firstSlot);
    // An exercise never turns back.
    done->keyPress(Qt::Key_PageDown);
    EXPECT_FALSE(done->keyPress(Qt::Key_PageUp).handled);
    EXPECT_EQ(done->page(), 1);
}

}  // namespace
}  // namespace lentora::movable_words
