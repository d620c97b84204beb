// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FixedTextMetrics.h"
#include "theory/PageLayout.h"
#include "theory/TheoryBookSession.h"
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
constexpr QSize kPage(100, 64);

// A page's lines as "top:left+width left+width; top:...", one cell per word.
std::string linesOf(const PageLayout& page) {
    std::string lines;
    int top = -1;
    for (const PlacedToken& token : page.placed) {
        if (token.y != top) {
            lines += (top < 0 ? "" : "; ") + std::to_string(token.y) + ":";
            top = token.y;
        } else {
            lines += " ";
        }
        lines += std::to_string(token.x) + "+" + std::to_string(token.width);
    }
    return lines;
}

struct PageCase {
    const char* name;
    const char* text;
    int start;
    QSize page;
    const char* lines;
    const char* nextToken;  // empty when the page takes every token

    friend void PrintTo(const PageCase& c, std::ostream* out) { *out << c.name; }
};

class PageLines : public ::testing::TestWithParam<PageCase> {};

TEST_P(PageLines, LinesAndTheFirstTokenOfTheNextPage) {
    const PageCase& c = GetParam();
    const QByteArrayList tokens = bookTokens(c.text);
    FixedTextMetrics metrics = fixedMetrics();
    const PageLayout page = layoutPage(tokens, c.start, c.page.width(), c.page.height(), metrics);
    EXPECT_EQ(linesOf(page), c.lines);
    EXPECT_EQ(page.endIndex < tokens.size() ? tokens[page.endIndex] : QByteArray(),
              QByteArray(c.nextToken));
}

INSTANTIATE_TEST_SUITE_P(
    PageLayout, PageLines,
    ::testing::Values(
        // The title line is 24 high; " bbbb" does not fit behind the indented first word, and
        // " dddd" would end at 84 > 64.
        PageCase{"WordsWrapAndThePageEndsBeforeTheWordBelowIt",
                 "T\raaaa bbbb cccc dddd eeee ffff gggg", 0, kPage,
                 "0:0+20; 24:0+90; 44:0+50 50+50", " dddd"},
        PageCase{"TheNextPageStartsAtItsTopLeft", "T\raaaa bbbb cccc dddd eeee ffff gggg", 5, kPage,
                 "0:0+50 50+50; 20:0+50 50+50", ""},
        // The "~" behind the full page's last line is still taken on that page.
        PageCase{"AParagraphEndBelowAFullPageIsTakenOnThatPage", "T\r\rabcd\rnext", 0, kPage,
                 "0:0+20; 24:0+50; 44:0+90", "     next"},
        PageCase{"AWordWiderThanThePageStandsAloneCutAtTheEdge", "T\rok waytoolongword end", 0,
                 kPage, "0:0+20; 24:0+70; 44:0+100", " end"},
        // A page that could take nothing still takes its first word: pages always advance.
        PageCase{"ATooSmallPageTakesOneWord", "T\rok waytoolongword end", 2, QSize(5, 10), "0:0+5",
                 " waytoolongword"},
        PageCase{"ATitleRunsOnInItsLargerLines", "aaaa bbbb cccc dddd eeee ffff", 0, kPage,
                 "0:0+50 50+50; 24:0+50 50+50", "$ eeee"},
        PageCase{"AnEmptyTextShowsOneTitleBlank", "", 0, kPage, "0:0+10", ""}),
    [](const ::testing::TestParamInfo<PageCase>& info) { return std::string(info.param.name); });

// The left page holds the title and two lines; "last" ends the right page's third line.
constexpr const char* kTwoPages = "T\r1234 6789 1234 6789 1234 6789 1234 6789 last";

TEST(TheoryBookSession, TheNextCornerShowsOnlyWhileAWordIsLeftBehindTheRightPage) {
    FixedTextMetrics metrics = fixedMetrics();
    TheoryBookSession session(kPage, kPage);
    session.setMetrics(&metrics);
    session.open(kTwoPages);
    EXPECT_EQ(session.rightPage().placed.last().text, " last");
    EXPECT_FALSE(session.nextCornerShown());  // only the final "~" is left
    EXPECT_FALSE(session.previousCornerShown());

    // A text ending in a line break leaves an empty paragraph for another spread.
    session.open(QByteArray(kTwoPages) + "\r\n");
    EXPECT_TRUE(session.nextCornerShown());
    EXPECT_TRUE(session.keyPress(Qt::Key_PageDown, Qt::NoModifier).spreadTurned);
    EXPECT_EQ(linesOf(session.leftPage()), "0:0+50");
    EXPECT_TRUE(session.rightPage().placed.isEmpty());
}

TEST(TheoryBookSession, TheSpreadIsLaidOutAgainWhenTheFontOrThePagesChange) {
    FixedTextMetrics metrics = fixedMetrics();
    TheoryBookSession session(kPage, kPage);
    session.open(kTwoPages);
    EXPECT_TRUE(session.leftPage().placed.isEmpty());  // nothing to measure with yet
    session.setMetrics(&metrics);
    const int rightEnd = session.rightPage().endIndex;

    FixedTextMetrics wider(20, 20);
    session.setMetrics(&wider);
    EXPECT_LT(session.rightPage().endIndex, rightEnd);
    EXPECT_TRUE(session.nextCornerShown());

    session.setMetrics(&metrics);
    session.resizePages(kPage, QSize(100, 20));
    EXPECT_EQ(linesOf(session.rightPage()), "0:0+50 50+50");
    EXPECT_TRUE(session.nextCornerShown());
}

TEST(TheoryBookSession, CornersAndKeysTurnWithinTheThousandSpreads) {
    FixedTextMetrics metrics = fixedMetrics();
    TheoryBookSession session(kPage, kPage);
    session.setMetrics(&metrics);
    session.open("T\rone two three four five six seven eight nine");
    const int secondStart = session.rightPage().endIndex;

    // A key where no corner shows is the book's, and does nothing; a click still sounds.
    BookReaction back = session.keyPress(Qt::Key_Left, Qt::NoModifier);
    EXPECT_TRUE(back.handled);
    EXPECT_FALSE(back.playPageTurnSound);
    back = session.clickPrevious();
    EXPECT_TRUE(back.playPageTurnSound);
    EXPECT_FALSE(back.spreadTurned);
    EXPECT_FALSE(session.keyPress(Qt::Key_Home, Qt::NoModifier).handled);

    const BookReaction forward = session.keyPress(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_TRUE(forward.playPageTurnSound && forward.spreadTurned);
    EXPECT_EQ(session.spreads().leftPageStart(), secondStart);
    EXPECT_TRUE(session.previousCornerShown());
    ASSERT_TRUE(session.keyPress(Qt::Key_PageUp, Qt::NoModifier).spreadTurned);
    EXPECT_EQ(session.spreads().spreadNo(), 0);
    EXPECT_FALSE(session.previousCornerShown());
    EXPECT_EQ(session.rightPage().endIndex, secondStart);

    // Past the text the pages stay empty, up to the book's last spread.
    for (int i = 0; i < SpreadState::kSpreadCount - 1; ++i) {
        ASSERT_TRUE(session.clickNext().spreadTurned);
    }
    EXPECT_EQ(session.spreads().spreadNo(), 999);
    const BookReaction atEnd = session.clickNext();
    EXPECT_TRUE(atEnd.playPageTurnSound);
    EXPECT_FALSE(atEnd.spreadTurned);
    EXPECT_EQ(session.spreads().spreadNo(), 999);
}

}  // namespace
}  // namespace lentora::theory
