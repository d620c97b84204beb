// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/movable_words/MovableWordsLogic.h"
#include "exercises/movable_words/MovableWordsSession.h"

#include "content/MovableWordsRow.h"
#include "platform/CodePage1257.h"
#include "support/FixedTextMetrics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace lentora::movable_words {
namespace {

QByteArray cp(const char* utf8) {
    return toCp1257(QString::fromUtf8(utf8));
}

struct Tok {
    const char* text;
    bool underlined, endOfLine, glued;
};

void expectTokens(const QByteArrayList& lines, std::vector<Tok> expected) {
    const std::vector<SentenceToken> tokens = tokenize(lines);
    ASSERT_EQ(tokens.size(), expected.size());
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(tokens[i].text, cp(expected[i].text));
        EXPECT_EQ(tokens[i].underlined, expected[i].underlined);
        EXPECT_EQ(tokens[i].endOfLine, expected[i].endOfLine);
        EXPECT_EQ(tokens[i].glued, expected[i].glued);
    }
}

TEST(MovableWordsTokenizer, SplitsWordsMarksAndOnePunctuationCharacter) {
    expectTokens({cp("Sunku vasarą vežti, bet ______ žiemą pešti.  ")}, {{"Sunku", 0, 0, 0},
                                                                         {"vasarą", 0, 0, 0},
                                                                         {"vežti", 0, 0, 1},
                                                                         {",", 0, 0, 0},
                                                                         {"bet", 0, 0, 0},
                                                                         {"______", 0, 0, 0},
                                                                         {"žiemą", 0, 0, 0},
                                                                         {"pešti", 0, 0, 1},
                                                                         {".", 0, 1, 0}});
    expectTokens({cp("Atvyko  grupė Latvijos @biznesmenų."), "langus brazdant... .", "   ", ""},
                 {{"Atvyko", 0, 0, 0},
                  {"grupė", 0, 0, 0},
                  {"Latvijos", 0, 0, 0},
                  {"biznesmenų", 1, 0, 1},
                  {".", 0, 1, 0},
                  {"langus", 0, 0, 0},
                  {"brazdant..", 0, 0, 1},
                  {".", 0, 0, 0},
                  {"", 0, 0, 1},
                  {".", 0, 1, 0},
                  {"", 0, 1, 0},
                  {"", 0, 1, 0}});
}

TEST(MovableWordsShuffle, ArrangesEachBlockOfRowsAmongItself) {
    std::mt19937 engine(7);
    const RandomSource random = [&](int bound) {
        return std::uniform_int_distribution<int>(0, bound - 1)(engine);
    };
    std::vector<int> order = blockShuffle(11, 11, random);
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, std::vector<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));

    order = blockShuffle(14, 9, random);
    ASSERT_EQ(order.size(), 14u);
    EXPECT_EQ(std::set<int>(order.begin(), order.begin() + 9),
              std::set<int>({0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(std::set<int>(order.begin() + 9, order.end()), std::set<int>({9, 10, 11, 12, 13}));
    // A random source out of range cannot index outside the block.
    order = blockShuffle(5, 2, [](int) { return 99; });
    EXPECT_EQ(std::set<int>(order.begin(), order.end()), std::set<int>({0, 1, 2, 3, 4}));
}

std::vector<int> identity(int n) {
    std::vector<int> order(std::size_t(n), 0);
    for (int i = 0; i < n; ++i) {
        order[std::size_t(i)] = i;
    }
    return order;
}

TEST(MovableWordsRules, GapFillingMovesIntoEmptyBoxesOnly) {
    const QByteArrayList words = {"akmuo nuo širdies nukrito ", "du", "trys"};
    Exercise exercise(Variant::Gaps, words, {1, 0, 2});
    const BoxRef pool0{BoxRef::Pool, 0}, pool1{BoxRef::Pool, 1}, gap0{BoxRef::Gap, 0},
        gap1{BoxRef::Gap, 1};
    EXPECT_EQ(exercise.score().maxScore, 3);
    EXPECT_EQ(exercise.score().score, 0);

    EXPECT_TRUE(exercise.drop(pool1, gap0));  // the long answer with its trailing space
    EXPECT_TRUE(exercise.wordIn(pool1).isEmpty());
    EXPECT_FALSE(exercise.drop(pool0, gap0));  // a filled gap refuses
    EXPECT_EQ(exercise.wordIn(pool0), "du");
    EXPECT_FALSE(exercise.drop(gap1, pool1));  // an empty source carries nothing
    EXPECT_TRUE(exercise.drop(pool0, gap1));
    EXPECT_TRUE(exercise.drop(gap1, pool1));  // back to an empty pool box empties the gap
    EXPECT_TRUE(exercise.wordIn(gap1).isEmpty());
    EXPECT_EQ(exercise.wordIn(pool1), "du");
    EXPECT_EQ(exercise.score().score, 1);
}

TEST(MovableWordsRules, SortingCopiesFromThePoolAndExchangesGaps) {
    const QByteArrayList words = {"Tiesioginė", "@Tiesioginė", "Perkeltinė", "@Perkeltinė"};
    Exercise exercise(Variant::Sorting, words, identity(4));
    EXPECT_EQ(exercise.categories(), QByteArrayList({"Tiesioginė", "Perkeltinė"}));
    const BoxRef tiesiog{BoxRef::Pool, 0}, perkelt{BoxRef::Pool, 1};
    EXPECT_TRUE(exercise.drop(tiesiog, {BoxRef::Gap, 0}));
    EXPECT_TRUE(exercise.drop(tiesiog, {BoxRef::Gap, 1}));
    EXPECT_TRUE(exercise.drop(perkelt, {BoxRef::Gap, 1}));           // replaces
    EXPECT_EQ(exercise.wordIn(tiesiog), "Tiesioginė");               // the pool keeps its word
    EXPECT_FALSE(exercise.drop({BoxRef::Gap, 0}, perkelt));          // never back into the pool
    EXPECT_TRUE(exercise.drop({BoxRef::Gap, 0}, {BoxRef::Gap, 1}));  // exchange
    EXPECT_EQ(exercise.wordIn({BoxRef::Gap, 0}), "Perkeltinė");
    EXPECT_EQ(exercise.wordIn({BoxRef::Gap, 1}), "Tiesioginė");
    EXPECT_TRUE(exercise.drop(perkelt, {BoxRef::Gap, 3}));
    // Row 1's answer is "@Tiesioginė" with its '@' removed.
    EXPECT_EQ(exercise.score().score, 2);
    EXPECT_EQ(exercise.score().maxScore, 4);
}

// 10 px a byte, 16 px a line: boxes 22 high, rows 30 apart.
struct PageFixture : ::testing::Test {
    FixedTextMetrics metrics{10, 16};
    PageGeometry geometry{600, 200, 100, 16};
};

TEST(MovableWordsPaging, RowsPerPage) {
    // Rows 16 px high and 30 apart, below a 20 px top margin.
    struct Case {
        const char* name;
        int height, textHeight, rows;
    } const cases[] = {
        {"one pixel too low for a row", 35, 16, 0},
        {"exactly one row", 36, 16, 1},
        {"one pixel short of a second row", 65, 16, 1},
        {"exactly two rows", 66, 16, 2},
        {"a page of 200 px", 200, 16, 6},
        {"a text taller than the page", 200, 400, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rowsPerPage({600, c.height, 100, c.textHeight}), c.rows);
    }
}

// The smallest window shows one row with its frame, text room and both boxes above the arrow.
TEST(MovableWordsWindowSize, TheSmallestOuterSizeShowsOneRowAboveTheArrow) {
    for (const int textHeight : {13, 16, 40}) {
        for (const int boxWidth : {0, 150}) {
            SCOPED_TRACE(testing::Message() << textHeight << " " << boxWidth);
            const QSize outer = kMovableWords.minimumOuter(textHeight, boxWidth);
            const PageGeometry geometry = pageGeometryFor(outer, boxWidth, textHeight);
            EXPECT_EQ(geometry.height, kMovableWords.rowsBottom(outer));  // above the arrow
            EXPECT_EQ(rowsPerPage(geometry), 1);
            EXPECT_GE(geometry.frameRight() - kMovableWords.textLeft,
                      kMovableWords.smallestTextWidth);

            FixedTextMetrics metrics(1, textHeight);
            const auto tokens = tokenize({"a ______", "b ______"});
            Exercise exercise(Variant::Gaps, {"x", "y"}, {0, 1});
            const PageLayout page = layoutPage(tokens, exercise, {}, geometry, metrics);
            ASSERT_EQ(page.rows.size(), 1u);
            EXPECT_TRUE(page.rows[0].frame);
            EXPECT_TRUE(page.hasNextPage);
            const QRect client(QPoint(), kMovableWords.clientSize(outer));
            const QRect arrow(kMovableWords.buttonPlace(outer), kMovableWords.arrow);
            EXPECT_TRUE(client.contains(arrow));
            for (const QRect& box : {page.rows[0].gapBox, *page.rows[0].poolBox}) {
                EXPECT_TRUE(client.contains(box));
                EXPECT_FALSE(box.intersects(arrow));
            }
        }
    }
}

TEST_F(PageFixture, PagesFollowRowsPerPageAndTheLastPageShowsFinish) {
    QByteArrayList sentences, words;
    for (int i = 0; i < 8; ++i) {
        sentences.append("Sakinys " + QByteArray::number(i) + ".");
        words.append("w" + QByteArray::number(i));
    }
    const auto tokens = tokenize(sentences);
    std::mt19937 engine(3);
    const int perPage = rowsPerPage(geometry);
    Exercise exercise(Variant::Gaps, words, blockShuffle(8, perPage, [&](int bound) {
                          return std::uniform_int_distribution<int>(0, bound - 1)(engine);
                      }));
    const PageLayout first = layoutPage(tokens, exercise, {}, geometry, metrics);
    ASSERT_EQ(first.rows.size(), 6u);
    EXPECT_TRUE(first.hasNextPage);
    EXPECT_EQ(first.rows[1].gapBox, QRect(600 - 10 - 228 + 14, 47, 100, 22));
    EXPECT_EQ(first.rows[1].poolBox, QRect(490, 47, 100, 22));
    EXPECT_EQ(first.rows[0].frame, QRect(7, 17, 362 - 7, 22));
    // The first word gets a space before it too; the full stop gets none.
    EXPECT_EQ(first.rows[0].texts[1].at, QPoint(18, 20));
    EXPECT_EQ(first.rows[0].texts.back().text, ".");
    const PageLayout second = layoutPage(tokens, exercise, first.next, geometry, metrics);
    ASSERT_EQ(second.rows.size(), 2u);
    EXPECT_FALSE(second.hasNextPage);
    // Every row's answer is offered on that row's own page.
    for (const PageLayout* page : {&first, &second}) {
        std::multiset<QByteArray> offered, answers;
        for (const LaidOutRow& row : page->rows) {
            offered.insert(exercise.wordSlots()[std::size_t(row.slot)].poolWord);
            answers.insert(exercise.wordSlots()[std::size_t(row.slot)].answer);
        }
        EXPECT_EQ(offered, answers);
    }
    EXPECT_EQ(first.hit({495, 50}), (BoxRef{BoxRef::Pool, 1}));
    EXPECT_EQ(first.hit({376, 68}), (BoxRef{BoxRef::Gap, 1}));
    EXPECT_FALSE(first.hit({370, 50}));
    EXPECT_EQ(first.focusOrder().size(), 12u);
    EXPECT_EQ(first.focusOrder()[1], (BoxRef{BoxRef::Pool, 0}));
}

TEST_F(PageFixture, ARowTooWideStopsAtTheFirstTokenThatDoesNotFitButKeepsItsBoxes) {
    // Frame right edge 362: "a" ends at 28, " bbbb..." from 28 would pass it.
    const auto tokens = tokenize({"a " + QByteArray(33, 'b') + " c", "d"});
    Exercise exercise(Variant::Gaps, {"x", "y"}, identity(2));
    const PageLayout page = layoutPage(tokens, exercise, {}, geometry, metrics);
    ASSERT_EQ(page.rows.size(), 2u);
    QByteArrayList drawn;
    for (const DrawnText& text : page.rows[0].texts) {
        drawn.append(text.text);
    }
    EXPECT_EQ(drawn, QByteArrayList({" ", "a", " "}));
    EXPECT_EQ(page.rows[0].gapBox.top(), 17);
    EXPECT_FALSE(page.hasNextPage);
}

TEST_F(PageFixture, SortingColumnOffersEveryCategoryOnEveryPageInsideTheArea) {
    QByteArrayList sentences, words;
    for (int i = 0; i < 9; ++i) {
        sentences.append("S" + QByteArray::number(i));
        words.append(i == 0 ? "A" : i == 1 ? "B" : i % 2 ? "@A" : "@B");
    }
    const auto tokens = tokenize(sentences);
    Exercise exercise(Variant::Sorting, words, identity(9));
    const PageLayout first = layoutPage(tokens, exercise, {}, geometry, metrics);
    ASSERT_EQ(first.rows.size(), 6u);
    EXPECT_FALSE(first.rows[0].poolBox);
    ASSERT_EQ(first.poolColumn.size(), 2u);
    EXPECT_EQ(first.poolColumn[0].top(), 20 + 2 * 30 - 3);  // (6 - 2) / 2 pitches down
    const PageLayout second = layoutPage(tokens, exercise, first.next, geometry, metrics);
    ASSERT_EQ(second.rows.size(), 3u);
    ASSERT_EQ(second.poolColumn.size(), 2u);
    EXPECT_EQ(second.poolColumn[0].top(), 20 + 15 - 3);
    EXPECT_EQ(second.hit(second.poolColumn[1].center()), (BoxRef{BoxRef::Pool, 1}));
    EXPECT_EQ(second.focusOrder().back(), (BoxRef{BoxRef::Pool, 1}));

    // More categories than rows: the column stays inside the drawing area.
    Exercise many(Variant::Sorting, {"A", "B", "C", "D", "E"}, identity(5));
    const PageLayout one = layoutPage(tokenize({"S"}), many, {}, geometry, metrics);
    EXPECT_GE(one.poolColumn.front().top(), 0);
    EXPECT_LE(one.poolColumn.back().bottom(), geometry.height);
}

TEST_F(PageFixture, NoSentencesOrNoWordsGiveALastPageWithoutRows) {
    Exercise noWords(Variant::Gaps, {}, {});
    const PageLayout page = layoutPage(tokenize({"a"}), noWords, {}, geometry, metrics);
    EXPECT_TRUE(page.rows.empty());
    EXPECT_FALSE(page.hasNextPage);
    Exercise words(Variant::Gaps, {"a", "b"}, identity(2));
    EXPECT_FALSE(layoutPage({}, words, {}, geometry, metrics).hasNextPage);
    EXPECT_EQ(words.score().maxScore, 2);
}

TEST_F(PageFixture, SortingColumnStaysBetweenThePageTopAndTheArrow) {
    // A last page of one row: the column starts at the row, not at the window's top.
    QByteArrayList sentences, words;
    for (int i = 0; i < 7; ++i) {
        sentences.append("S" + QByteArray::number(i));
        words.append(i == 0 ? "A" : i == 1 ? "B" : "@A");
    }
    const auto tokens = tokenize(sentences);
    Exercise two(Variant::Sorting, words, identity(7));
    const PageLayout first = layoutPage(tokens, two, {}, geometry, metrics);
    const PageLayout last = layoutPage(tokens, two, first.next, geometry, metrics);
    ASSERT_EQ(last.rows.size(), 1u);
    EXPECT_EQ(last.poolColumn.front().top(), last.rows.front().gapBox.top());

    // Seven categories on a page with room for six rows: inside the area, none over another.
    QByteArrayList categories;
    for (char c = 'A'; c < 'H'; ++c) {
        categories.append(QByteArray(1, c));
    }
    Exercise many(Variant::Sorting, categories, identity(7));
    const PageLayout page = layoutPage(tokenize({"S"}), many, {}, geometry, metrics);
    ASSERT_EQ(page.poolColumn.size(), 7u);
    EXPECT_EQ(page.poolColumn.front().top(), page.rows.front().gapBox.top());
    EXPECT_LE(page.poolColumn.back().bottom(), geometry.height);
    for (std::size_t i = 1; i < page.poolColumn.size(); ++i) {
        EXPECT_FALSE(page.poolColumn[i].intersects(page.poolColumn[i - 1])) << i;
    }
}

}  // namespace
}  // namespace lentora::movable_words

namespace lentora::movable_words {
namespace {

TEST(MovableWordsRules, SortingOffersEachOfManyRepeatedCategoriesOnceInPoolOrder) {
    // Many lines with few categories, and many distinct categories: both stay fast.
    QByteArrayList words;
    for (int i = 0; i < 60000; ++i) {
        words.append(i % 3 == 0 ? QByteArray("C") : "K" + QByteArray::number(i));
    }
    Exercise exercise(Variant::Sorting, words, identity(60000));
    EXPECT_EQ(exercise.categories().size(), 1 + 40000);
    EXPECT_EQ(exercise.categories()[0], "C");
    EXPECT_EQ(exercise.categories()[1], "K1");
    EXPECT_EQ(exercise.categories().back(), "K59999");
}

// Five gap rows on a 200 px page (6 rows a page): the whole exercise without a window.
struct SessionFixture : ::testing::Test {
    MovableWordsSession session{Variant::Gaps,
                                {"S0", "S1", "S2", "S3", "S4", "S5", "S6", "S7"},
                                {"w0", "w1", "w2", "w3", "w4", "w5", "w6", "w7"},
                                {1, 0, 2, 3, 4, 5, 7, 6},
                                {600, 200, 100, 16},
                                {600, 260},
                                std::make_unique<FixedTextMetrics>(10, 16)};
    QPoint centre(BoxRef box) const { return session.pageLayout().boxRect(box).value().center(); }
    QByteArray word(BoxRef box) const { return session.exercise().wordIn(box); }
};

TEST_F(SessionFixture, DragClickToCarryAndKeyboardCarryFillTheGaps) {
    const BoxRef pool0{BoxRef::Pool, 0}, pool1{BoxRef::Pool, 1}, gap0{BoxRef::Gap, 0},
        gap1{BoxRef::Gap, 1};
    // Drag: press, move past the drag distance, release on the gap.
    session.pressAt(centre(pool1), Qt::LeftButton);
    EXPECT_EQ(session.carry(), MovableWordsSession::Carry::Pressed);
    EXPECT_FALSE(session.moveTo(centre(gap0)).repaint.empty());
    EXPECT_EQ(session.carry(), MovableWordsSession::Carry::Dragging);
    EXPECT_EQ(session.pointer(), MovableWordsSession::Pointer::Accepts);
    session.releaseAt(centre(gap0), Qt::LeftButton);
    EXPECT_EQ(word(gap0), "w0");
    EXPECT_FALSE(session.carried());
    EXPECT_TRUE(session.carryRect().isNull());

    // Click to carry, refused by a filled gap: the word goes back.
    session.pressAt(centre(pool0), Qt::LeftButton);
    session.releaseAt(centre(pool0), Qt::LeftButton);
    EXPECT_EQ(session.carry(), MovableWordsSession::Carry::Picked);
    EXPECT_EQ(session.focusedBox(), pool0);  // the press moved the focus
    session.pressAt(centre(gap0), Qt::LeftButton);
    EXPECT_EQ(word(pool0), "w1");
    EXPECT_FALSE(session.carried());
    // Right click puts a picked word back and keeps the context menu shut.
    session.pressAt(centre(pool0), Qt::LeftButton);
    session.releaseAt(centre(pool0), Qt::LeftButton);
    EXPECT_TRUE(session.pressAt(centre(gap1), Qt::RightButton).swallowContextMenu);
    EXPECT_FALSE(session.pressAt(centre(gap1), Qt::RightButton).swallowContextMenu);
    EXPECT_EQ(word(pool0), "w1");

    // Keyboard: the focus is on pool 0; Space, Shift+Tab to gap 0 ... gap 1 is two back.
    EXPECT_TRUE(session.keyPress(Qt::Key_Space).handled);
    EXPECT_EQ(session.carry(), MovableWordsSession::Carry::Keyboard);
    EXPECT_TRUE(session.keyPress(Qt::Key_Escape).handled);
    EXPECT_FALSE(session.carried());
    session.keyPress(Qt::Key_Space);
    session.keyPress(Qt::Key_Tab);
    EXPECT_EQ(session.focusedBox(), gap1);
    session.keyPress(Qt::Key_Space);
    EXPECT_EQ(word(gap1), "w1");
    EXPECT_EQ(session.points(), (Points{2, 8}));
    EXPECT_FALSE(session.keyPress(Qt::Key_A).handled);
    EXPECT_TRUE(session.keyPress(Qt::Key_Return).pressShownButton);
}

TEST_F(SessionFixture, TheCarriedWordKeepsItsGrabbedPointUnderThePointer) {
    const QRect pool1 = session.pageLayout().boxRect({BoxRef::Pool, 1}).value();
    session.pressAt(pool1.topLeft() + QPoint(30, 5), Qt::LeftButton);
    session.moveTo({200, 100});
    EXPECT_EQ(session.carryRect(), QRect(QPoint(170, 95), pool1.size()));
    session.moveTo(centre({BoxRef::Gap, 1}));
    session.releaseAt(centre({BoxRef::Gap, 1}), Qt::LeftButton);
    // The keyboard carry stands just below and right of its box.
    session.keyPress(Qt::Key_Left);
    session.keyPress(Qt::Key_Space);
    const QRect gap1 = session.pageLayout().boxRect({BoxRef::Gap, 1}).value();
    EXPECT_EQ(session.carryRect().topLeft(), gap1.topLeft() + QPoint(12, 20));
}

TEST_F(SessionFixture, ArrowsMoveBetweenRowsAndColumnsAndTheFrameShowsOnlyAfterAKey) {
    const BoxRef gap0{BoxRef::Gap, 0}, gap1{BoxRef::Gap, 1}, pool0{BoxRef::Pool, 0},
        pool1{BoxRef::Pool, 1};
    EXPECT_FALSE(session.showsFocusFrame());
    EXPECT_TRUE(session.keyPress(Qt::Key_Up).handled);
    EXPECT_EQ(session.focusedBox(), gap0);  // nothing above the first row
    EXPECT_TRUE(session.showsFocusFrame());
    session.keyPress(Qt::Key_Left);
    EXPECT_EQ(session.focusedBox(), gap0);
    session.keyPress(Qt::Key_Right);
    EXPECT_EQ(session.focusedBox(), pool0);
    session.keyPress(Qt::Key_Right);
    EXPECT_EQ(session.focusedBox(), pool0);
    session.keyPress(Qt::Key_Down);
    EXPECT_EQ(session.focusedBox(), pool1);
    session.keyPress(Qt::Key_Left);
    EXPECT_EQ(session.focusedBox(), gap1);
    for (int i = 0; i < 9; ++i) {
        session.keyPress(Qt::Key_Down);
    }
    EXPECT_EQ(session.focusedBox(), (BoxRef{BoxRef::Gap, 5}));  // the page's last row
    session.keyPress(Qt::Key_Tab);
    EXPECT_EQ(session.focusedBox(), (BoxRef{BoxRef::Pool, 5}));
    session.keyPress(Qt::Key_Tab);
    EXPECT_EQ(session.focusedBox(), gap0);  // Tab still walks the reading order round

    // A click hides the frame on the clicked box; the next key shows it again.
    session.pressAt(centre(pool1), Qt::LeftButton);
    session.releaseAt(centre(pool1), Qt::LeftButton);
    EXPECT_EQ(session.focusedBox(), pool1);
    EXPECT_FALSE(session.showsFocusFrame());
    session.pressAt(centre(pool1), Qt::LeftButton);
    EXPECT_FALSE(session.showsFocusFrame());
    EXPECT_FALSE(session.keyPress(Qt::Key_Up).repaint.empty());
    EXPECT_TRUE(session.showsFocusFrame());
}

TEST(MovableWordsSession, SortingArrowsCrossBetweenGapsAndTheNearestCategory) {
    // Four rows 30 px apart; the two categories stand level with rows 1 and 2.
    MovableWordsSession session{Variant::Sorting,
                                {"S0", "S1", "S2", "S3"},
                                {"A", "B", "@A", "@B"},
                                {0, 1, 2, 3},
                                {600, 200, 100, 16},
                                {600, 260},
                                std::make_unique<FixedTextMetrics>(10, 16)};
    const BoxRef cat0{BoxRef::Pool, 0}, cat1{BoxRef::Pool, 1};
    session.keyPress(Qt::Key_Right);
    EXPECT_EQ(session.focusedBox(), cat0);
    session.keyPress(Qt::Key_Down);
    EXPECT_EQ(session.focusedBox(), cat1);
    session.keyPress(Qt::Key_Down);
    EXPECT_EQ(session.focusedBox(), cat1);
    session.keyPress(Qt::Key_Left);
    EXPECT_EQ(session.focusedBox(), (BoxRef{BoxRef::Gap, 2}));
    session.keyPress(Qt::Key_Down);
    session.keyPress(Qt::Key_Right);
    EXPECT_EQ(session.focusedBox(), cat1);
    session.keyPress(Qt::Key_Up);
    session.keyPress(Qt::Key_Left);
    EXPECT_EQ(session.focusedBox(), (BoxRef{BoxRef::Gap, 1}));
}

TEST_F(SessionFixture, PagingShowsOnlyTheNextRowsAndPutsACarriedWordBack) {
    ASSERT_TRUE(session.hasNextPage());
    EXPECT_EQ(session.pageLayout().rows.size(), 6u);
    session.keyPress(Qt::Key_Space);  // carries pool 0's word
    session.keyPress(Qt::Key_Backtab, {});
    const Reaction turned = session.keyPress(Qt::Key_PageDown);
    EXPECT_TRUE(turned.pageChanged);
    EXPECT_FALSE(session.carried());
    EXPECT_EQ(session.page(), 1);
    ASSERT_EQ(session.pageLayout().rows.size(), 2u);
    EXPECT_EQ(session.pageLayout().rows.front().slot, 6);
    EXPECT_EQ(session.focusedBox(), (BoxRef{BoxRef::Gap, 6}));
    EXPECT_FALSE(session.hasNextPage());
    EXPECT_FALSE(session.nextPage().pageChanged);
    // What the learner left in each slot stays for a review.
    EXPECT_EQ(session.results().size(), 8u);
    EXPECT_EQ(session.results()[7].answer, "w7");
}

}  // namespace
}  // namespace lentora::movable_words
