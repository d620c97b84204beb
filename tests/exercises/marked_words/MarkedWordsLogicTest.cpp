// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/marked_words/MarkedWordsLogic.h"
#include "exercises/marked_words/MarkedWordsSession.h"
#include "support/FixedTextMetrics.h"

#include <gtest/gtest.h>

using namespace lentora;
using namespace lentora::marked_words;

namespace {

QByteArrayList texts(const Tokens& tokens) {
    QByteArrayList result;
    for (const WordToken& token : tokens) {
        result.append(token.Text);
    }
    return result;
}

std::vector<int> drawnTokens(const PageLayout& page) {
    std::vector<int> result;
    for (const DrawItem& item : page.items) {
        if (item.token >= 0) {
            result.push_back(item.token);
        }
    }
    return result;
}

}  // namespace

TEST(MarkedWordsTokenizer, TargetFlagAnywhereInTheWord) {
    for (const char* text : {"Jis @bėga.", "Jis bė@ga.", "Jis bėga@."}) {
        const Tokens tokens = tokenize(text);
        ASSERT_EQ(texts(tokens), QByteArrayList({"Jis", " ", "bėga", ".", " "})) << text;
        EXPECT_FALSE(tokens[0].Target);
        EXPECT_TRUE(tokens[2].Target) << text;
        EXPECT_TRUE(tokens[2].Glued);
        EXPECT_FALSE(tokens[3].Target);
        EXPECT_TRUE(tokens[4].EndOfLine);
    }
}

TEST(MarkedWordsTokenizer, LineEndsAndLostFlags) {
    // "@" before a separator is lost; "@" right before a line end flags the " " line end.
    const Tokens tokens = tokenize("a@ b\r\n@\r\nc");
    ASSERT_EQ(texts(tokens), QByteArrayList({"a", " ", "b", " ", "c"}));
    EXPECT_TRUE(tokens[0].Target);
    EXPECT_TRUE(tokens[2].EndOfLine);
    EXPECT_FALSE(tokens[2].Glued);
    EXPECT_TRUE(tokens[3].Target);
    EXPECT_TRUE(tokens[3].EndOfLine);
    EXPECT_FALSE(isMarkable(tokens[3]));

    const Tokens empty = tokenize("");
    ASSERT_EQ(texts(empty), QByteArrayList({" "}));
    EXPECT_EQ(scoreTokens(empty).maxScore, 0);
}

TEST(MarkedWordsTokenizer, CutAtTheByteLimitAndTheWordLimit) {
    const QByteArray text = QByteArray(5997, ' ') + "@abcdef";
    const Tokens tokens = tokenize(text);
    EXPECT_EQ(tokens.back().Text, "ab");
    EXPECT_TRUE(tokens.back().Target);
    EXPECT_TRUE(tokens.back().EndOfLine);

    EXPECT_EQ(tokenize(QByteArray(200, 'a')).front().Text.size(), kMaxTokenBytes);
}

TEST(MarkedWordsRules, Markability) {
    // The first token of each text.
    struct Case {
        const char* name;
        const char* text;
        bool markable;
    } const cases[] = {
        {"a plain word", "namas", true},
        {"a target", "@namas", true},
        {"a word holding x", "taxi", false},
        {"a word holding X", "Xeroksas", false},
        {"a word holding *", "*žodis", false},
        {"a punctuation mark", ",", false},
        {"a lone dash in code page 1257", "\x96", false},
        {"a word after an opening quote",
         "\x84"
         "A\xE8i\xFB",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(isMarkable(tokenize(c.text).front()), c.markable);
    }
}

TEST(MarkedWordsRules, ScoreCountsMarksOnlyWhenEveryMarkIsATarget) {
    Tokens tokens = tokenize("@taxi, @Xeroksas *žodis @namas namai");
    tokens[7].Marked = true;  // target
    tokens[9].Marked = true;  // not a target
    const Points points = scoreTokens(tokens);
    EXPECT_EQ(points.maxScore, 3);
    EXPECT_EQ(points.score, 0);
}

TEST(MarkedWordsLayout, SpacesAndPunctuationOnTheWordsLine) {
    FixedTextMetrics metrics(10, 20);
    Tokens tokens = tokenize("ab cd, ef");
    // Width 60: "ab" + drawn space... "cd" + "," would end at 90, so "cd" moves down.
    PageLayout page = layoutPage(tokens, 0, 60, 100, 200, metrics, false);
    EXPECT_EQ(tokens[0].Left, 0);
    EXPECT_EQ(tokens[1].Left, 20);  // the space token
    EXPECT_EQ(tokens[2].Left, 0);
    EXPECT_EQ(tokens[2].Top, 20);
    EXPECT_EQ(tokens[3].Left, 20);
    EXPECT_FALSE(page.nextStart);

    // Wide enough: two space widths between words.
    page = layoutPage(tokens, 0, 200, 100, 200, metrics, false);
    EXPECT_EQ(tokens[2].Left, 40);
    EXPECT_EQ(tokens[2].Top, 0);
    ASSERT_GE(page.items.size(), 4u);
    EXPECT_EQ(page.items[2].token, -1);
    EXPECT_EQ(page.items[2].left, 30);
}

TEST(MarkedWordsLayout, PagesAndAWordWiderThanTheArea) {
    FixedTextMetrics metrics(10, 20);
    Tokens tokens = tokenize("aa\rbb\rcc\rdddddddddddd ee");
    Paging paging;
    paging.pageStart[0] = 0;
    PageLayout page = layoutPage(tokens, 0, 50, 40, 60, metrics, false);
    EXPECT_EQ(drawnTokens(page), std::vector<int>({0, 1}));
    ASSERT_TRUE(paging.finishLayout(page.nextStart));
    ASSERT_TRUE(paging.turn());

    page = layoutPage(tokens, *paging.currentStart(), 50, 40, 60, metrics, false);
    // The wide word stands alone, cut by the painter, and is still markable there.
    EXPECT_EQ(drawnTokens(page), std::vector<int>({2, 3}));
    EXPECT_EQ(tokens[3].Left, 0);
    EXPECT_EQ(markableAt(tokens, 2, 5, 25), std::optional<int>(3));
    ASSERT_TRUE(paging.finishLayout(page.nextStart));
    ASSERT_TRUE(paging.turn());

    page = layoutPage(tokens, *paging.currentStart(), 50, 40, 60, metrics, false);
    // The space token at the page break was dropped.
    EXPECT_EQ(drawnTokens(page), std::vector<int>({5}));
    EXPECT_FALSE(paging.finishLayout(page.nextStart));
    EXPECT_FALSE(paging.turn());
    EXPECT_EQ(paging.currentPage, 2);
}

TEST(MarkedWordsLayout, ALineTallerThanTheAreaStandsAloneOnItsPage) {
    // A large exercise font in a low window: each page still takes a line.
    FixedTextMetrics metrics(10, 20);
    Tokens tokens = tokenize("aa bb\rcc");
    PageLayout page = layoutPage(tokens, 0, 200, 15, 60, metrics, false);
    EXPECT_EQ(drawnTokens(page), std::vector<int>({0, 1, 2}));
    EXPECT_EQ(markableAt(tokens, 0, 45, 5), std::optional<int>(2));
    ASSERT_EQ(page.nextStart, std::optional<int>(3));
    page = layoutPage(tokens, 3, 200, 15, 60, metrics, false);
    EXPECT_EQ(drawnTokens(page), std::vector<int>({3}));
    EXPECT_FALSE(page.nextStart);
}

TEST(MarkedWordsLayout, HitTestOnlyOnDrawnMarkableWords) {
    FixedTextMetrics metrics(10, 20);
    Tokens tokens = tokenize("ab, cd\rlast");
    const PageLayout page = layoutPage(tokens, 0, 200, 20, 40, metrics, false);
    ASSERT_EQ(page.nextStart, std::optional<int>(4));
    EXPECT_EQ(markableAt(tokens, 0, 5, 5), std::optional<int>(0));
    EXPECT_FALSE(markableAt(tokens, 0, 25, 5));   // the comma
    EXPECT_FALSE(markableAt(tokens, 0, 195, 5));  // empty paper
    // "last" was measured but not drawn: nothing there.
    EXPECT_FALSE(markableAt(tokens, 0, 5, 25));
}

TEST(MarkedWordsFocus, MovesOverMarkableWords) {
    FixedTextMetrics metrics(10, 20);
    Tokens tokens = tokenize("aa, xx bb\rcccccc dd");
    layoutPage(tokens, 0, 200, 100, 200, metrics, false);
    // Markable: aa(0), bb(5), cccccc(6), dd(8); bb and dd stand one above the other.
    struct Case {
        const char* name;
        std::optional<int> from;
        FocusMove move;
        int to;
    } const cases[] = {
        {"nothing focused goes to the first word", std::nullopt, FocusMove::Next, 0},
        {"next skips what cannot be marked", 0, FocusMove::Next, 5},
        {"previous stops at the first word", 0, FocusMove::Previous, 0},
        {"down goes to the next line", 0, FocusMove::Down, 6},
        {"down keeps the column", 5, FocusMove::Down, 8},
        {"up keeps the column", 8, FocusMove::Up, 5},
        {"down stays on the last line", 8, FocusMove::Down, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(moveFocus(tokens, 0, c.from, c.move), c.to);
    }
}

// The whole exercise without a window: 10 px a byte, 20 px a line, two lines a page.
TEST(MarkedWordsSession, MarksPagesAndScores) {
    MarkedWordsSession session("@aa bb\r\ncc\r\n@dd ee", false, 200);
    session.setArea({100, 40}, std::make_unique<FixedTextMetrics>(10, 20));
    // Tokens: aa(0) " "(1) bb(2) cc(3) dd(4) " "(5) ee(6); a line end ends bb, cc and ee.
    ASSERT_TRUE(session.hasNextPage());
    EXPECT_EQ(session.focused(), std::optional<int>(0));
    session.moveTo(session.tokens()[2].rect().center());
    EXPECT_EQ(session.hovered(), std::optional<int>(2));
    Reaction click = session.pressAt({}, Qt::LeftButton);
    EXPECT_EQ(click.markSound, std::optional<bool>(false));
    EXPECT_EQ(session.focused(), std::optional<int>(2));
    EXPECT_EQ(session.keyPress(Qt::Key_Space).markSound, std::optional<bool>(true));  // erased
    session.keyPress(Qt::Key_Tab, Qt::ShiftModifier);
    session.keyPress(Qt::Key_Space);  // aa, a target
    EXPECT_TRUE(session.keyPress(Qt::Key_Return).pressShownButton);

    // PageDown and Space before any paint: the mark lands on the new page's first word.
    EXPECT_TRUE(session.keyPress(Qt::Key_PageDown).pageChanged);
    EXPECT_EQ(session.currentPage(), 1);
    EXPECT_FALSE(session.hovered());
    session.keyPress(Qt::Key_Space);
    EXPECT_TRUE(session.tokens()[4].Marked);
    EXPECT_FALSE(session.tokens()[2].Marked);
    EXPECT_FALSE(session.hasNextPage());
    EXPECT_FALSE(session.keyPress(Qt::Key_PageDown).pageChanged);
    EXPECT_EQ(session.points(), (Points{2, 2}));
}

// The smallest window holds the heading, one whole line above the arrow and no more.
TEST(MarkedWordsWindowSize, TheSmallestOuterSizeHoldsOneLineAboveTheArrow) {
    for (const int line : {13, 16, 40}) {
        const QSize outer = kMarkedWords.minimumOuter(line, line);
        const QRect area = kMarkedWords.textArea(outer, kMarkedWords.headingHeight(line));
        EXPECT_EQ(area.height(), line) << line;
        EXPECT_GT(area.width(), 2 * line) << line;
        const QPoint button = kMarkedWords.buttonPlace(outer);
        EXPECT_LE(area.bottom(), button.y()) << line;
        const QSize client = clientSizeForOuter(outer);
        EXPECT_TRUE(QRect(QPoint(), client).contains(QRect(button, kMarkedWords.arrow))) << line;

        Tokens tokens = tokenize("aa bb\r\ncc");
        FixedTextMetrics metrics(5, line);
        const PageLayout page =
            layoutPage(tokens, 0, area.width(), area.height(), outer.height(), metrics, false);
        EXPECT_TRUE(tokens[0].Drawn && tokens[2].Drawn) << line;
        EXPECT_FALSE(tokens[3].Drawn) << line;
        EXPECT_EQ(page.nextStart, std::optional<int>(3)) << line;
    }
}

// The dotted focus frame shows only once a key moved the focus; a mouse press hides it.
TEST(MarkedWordsSession, TheFocusFrameFollowsKeysNotTheMouse) {
    MarkedWordsSession session("aa bb cc", false, 200);
    session.setArea({200, 40}, std::make_unique<FixedTextMetrics>(10, 20));
    EXPECT_FALSE(session.focusFrameShown());
    session.moveTo(session.tokens()[2].rect().center());
    EXPECT_FALSE(session.pressAt({}, Qt::LeftButton).repaint.empty());
    EXPECT_FALSE(session.focusFrameShown());
    Reaction moved = session.keyPress(Qt::Key_Right);
    EXPECT_TRUE(session.focusFrameShown());
    EXPECT_EQ(session.focused(), std::optional<int>(4));
    EXPECT_FALSE(moved.repaint.empty());
    session.keyPress(Qt::Key_Space);
    EXPECT_TRUE(session.focusFrameShown());
    session.moveTo({-5, -5});
    // A press off every word still hides the frame, and repaints where it stood.
    const Reaction pressed = session.pressAt({-5, -5}, Qt::LeftButton);
    EXPECT_FALSE(session.focusFrameShown());
    ASSERT_EQ(pressed.repaint.size(), 1u);
    EXPECT_TRUE(pressed.repaint.front().contains(session.tokens()[4].rect()));
    // At the last word a key that cannot move still shows the frame.
    session.keyPress(Qt::Key_Right);
    EXPECT_TRUE(session.focusFrameShown());
}
