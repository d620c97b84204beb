#include "support/FixedTextMetrics.h"
#include "theory/PageLayout.h"
#include "theory/SpreadState.h"
#include "theory/TheoryText.h"

#include <gtest/gtest.h>

namespace lentora::theory {
namespace {

// Every byte is 10 pixels wide; a line is 20 pixels high, 24 in the title font.
FixedTextMetrics fixedMetrics() {
    FixedTextMetrics metrics(10, 20);
    metrics.extraPointLineHeight = 2;
    return metrics;
}

// A page of 100 × 64: ten bytes a line; the title line and two body lines, or three body lines.
constexpr int kWidth = 100;
constexpr int kHeight = 64;

PageLayout page(const QByteArrayList& tokens, int start) {
    FixedTextMetrics metrics = fixedMetrics();
    return layoutPage(tokens, start, kWidth, kHeight, metrics);
}

// Lays out one spread as the window does: the left page, then the right page from its end.
void showSpread(const QByteArrayList& tokens, SpreadState& spreads) {
    spreads.leftPageLaidOut(page(tokens, spreads.leftPageStart()).endIndex);
    spreads.rightPageLaidOut(page(tokens, spreads.rightPageStart()).endIndex, int(tokens.size()));
}

TEST(PageLayout, WordsWrapAndThePageEndsBeforeTheWordThatDoesNotFit) {
    // Tokens: "$ T" "~" "     aaaa" " bbbb" " cccc" " dddd" " eeee" " ffff" " gggg" "~"
    const QByteArrayList tokens = bookTokens("T\raaaa bbbb cccc dddd eeee ffff gggg");
    const PageLayout first = page(tokens, 0);
    ASSERT_EQ(first.placed.size(), 4);
    EXPECT_TRUE(first.placed[0].title);
    EXPECT_EQ(first.placed[0].y, 0);
    // The title line is 24 high, so the paragraph starts below it.
    EXPECT_EQ(first.placed[1].text, "     aaaa");
    EXPECT_EQ(first.placed[1].x, 0);
    EXPECT_EQ(first.placed[1].y, 24);
    EXPECT_EQ(first.placed[2].y, 44);  // " bbbb" does not fit behind the indent
    EXPECT_EQ(first.placed[3].x, 50);
    EXPECT_EQ(first.placed[3].y, 44);
    // " dddd" would start a line at 64 + 20 > 64.
    EXPECT_EQ(first.endIndex, 5);
    EXPECT_EQ(tokens[first.endIndex], " dddd");

    const PageLayout second = page(tokens, first.endIndex);
    ASSERT_EQ(second.placed.size(), 4);
    EXPECT_EQ(second.placed[0].x, 0);
    EXPECT_EQ(second.placed[0].y, 0);
    EXPECT_EQ(second.placed[3].y, 20);
    EXPECT_EQ(second.endIndex, tokens.size());
}

TEST(PageLayout, AParagraphEndBelowAFullPageIsTakenOnThatPage) {
    // "$ T" (24 high), "~", "     " (an empty paragraph), "~", "     abcd" fills the page to
    // its foot, then its "~" is still taken.
    const QByteArrayList tokens = tokenizeTheory("T\r\rabcd\rnext\r");
    const PageLayout full = page(tokens, 0);
    EXPECT_EQ(full.placed.last().text, "     abcd");
    EXPECT_EQ(full.placed.last().y, 44);
    EXPECT_EQ(full.endIndex, 6);
    EXPECT_EQ(tokens[full.endIndex], "     next");

    const PageLayout next = page(tokens, full.endIndex);
    ASSERT_EQ(next.placed.size(), 1);
    EXPECT_EQ(next.placed[0].y, 0);
    EXPECT_EQ(next.placed[0].x, 0);
}

TEST(PageLayout, AWordWiderThanThePageStandsAloneCutAtTheEdgeAndThePagesGoOn) {
    // " waytoolongword" is 150 wide on a page of 100.
    const QByteArrayList tokens = bookTokens("T\rok waytoolongword end");
    const PageLayout first = page(tokens, 0);
    ASSERT_EQ(first.placed.size(), 3);
    EXPECT_EQ(first.placed[2].text, " waytoolongword");
    EXPECT_EQ(first.placed[2].x, 0);
    EXPECT_EQ(first.placed[2].y, 44);
    EXPECT_EQ(first.placed[2].width, kWidth);
    EXPECT_EQ(tokens[first.endIndex], " end");  // the next word follows on the next page
    const PageLayout second = page(tokens, first.endIndex);
    ASSERT_EQ(second.placed.size(), 1);
    EXPECT_EQ(second.endIndex, tokens.size());

    // A page that could take nothing still takes its first word: pages always advance.
    FixedTextMetrics metrics = fixedMetrics();
    const PageLayout tiny = layoutPage(tokens, 2, 5, 10, metrics);
    ASSERT_EQ(tiny.placed.size(), 1);
    EXPECT_EQ(tiny.endIndex, 3);
}

TEST(PageLayout, TheNextArrowFollowsWhatIsLeftBehindTheRightPage) {
    // The left page holds the title and two lines; "last" ends the right page's third line.
    const char* text = "T\r1234 6789 1234 6789 1234 6789 1234 6789 last";
    SpreadState spreads;
    const QByteArrayList endsWithWord = bookTokens(text);
    showSpread(endsWithWord, spreads);
    EXPECT_GT(spreads.rightPageStart(), 0);
    EXPECT_FALSE(spreads.nextVisible());  // only the final "~" is left
    EXPECT_FALSE(spreads.previousVisible());

    // A text ending in a line break leaves an empty paragraph for another spread.
    spreads.reset();
    const QByteArrayList endsWithBreak = bookTokens(QByteArray(text) + "\r\n");
    showSpread(endsWithBreak, spreads);
    EXPECT_TRUE(spreads.nextVisible());
}

TEST(SpreadState, TurningStaysWithinTheThousandSpreads) {
    const QByteArrayList tokens = bookTokens("T\rone two three four five six seven eight nine");
    SpreadState spreads;
    showSpread(tokens, spreads);
    const int secondStart = spreads.rightPageStart();
    ASSERT_TRUE(spreads.turnForward());
    showSpread(tokens, spreads);
    EXPECT_TRUE(spreads.previousVisible());

    ASSERT_TRUE(spreads.turnBack());
    EXPECT_EQ(spreads.spreadNo(), 0);
    EXPECT_FALSE(spreads.leftPageCurrent());
    showSpread(tokens, spreads);
    EXPECT_FALSE(spreads.previousVisible());
    EXPECT_EQ(spreads.rightPageStart(), secondStart);
    EXPECT_FALSE(spreads.turnBack());

    for (int i = 0; i < SpreadState::kSpreadCount - 1; ++i) {
        ASSERT_TRUE(spreads.turnForward());
    }
    EXPECT_EQ(spreads.spreadNo(), 999);
    showSpread(tokens, spreads);  // records nothing past the last spread
    EXPECT_FALSE(spreads.turnForward());
    EXPECT_EQ(spreads.spreadNo(), 999);
}

}  // namespace
}  // namespace lentora::theory
