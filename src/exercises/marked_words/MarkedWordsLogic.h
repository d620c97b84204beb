// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/Points.h"
#include "exercises/marked_words/MarkedWordsDescription.h"

#include "platform/TextMetrics.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QRect>

#include <cstdint>
#include <optional>
#include <vector>

namespace lentora::marked_words {

// Only this much of an exercise text is used.
inline constexpr qsizetype kMaxTextBytes = 6000;
// Longer words are cut to this many bytes.
inline constexpr qsizetype kMaxTokenBytes = 80;
// Pages are numbered 0 to kLastPage.
inline constexpr int kLastPage = 99;

struct WordToken {
    QByteArray Text;
    bool Marked = false;
    bool Target = false;
    bool EndOfLine = false;
    bool Glued = false;
    // Where it was last drawn in the text area; Width and Height as last measured.
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Drawn = false;  // drawn on the page last laid out

    QRect rect() const { return QRect(Left, Top, Width, Height); }
};

using Tokens = std::vector<WordToken>;

bool isSeparator(char byte);

// Words, separators and line ends of the first kMaxTextBytes of `text` (code page 1257);
// "@" flags the next word completed as a target.
Tokens tokenize(QByteArrayView text);

// Not a separator, without "x", "X" or "*", and with a letter or digit (a lone dash or quote
// is not a word).
bool isMarkable(const WordToken& token);

// One drawing step of a page, in order: a space drawn before a word, or a token.
struct DrawItem {
    int token = -1;  // -1 for the space drawn before a word
    int left = 0;
    int top = 0;
};

struct PageLayout {
    std::vector<DrawItem> items;
    // The first token not drawn, or nullopt when the text ended on this page.
    std::optional<int> nextStart;
};

// Lays out the page beginning at token `start`: fills Left, Top, Width, Height and Drawn of
// the tokens drawn. `boundHeight` is how far down the loop goes before it gives up (the
// window's outer height). A word wider than the area stands alone on its line, cut at the
// edge, and a line taller than the area alone on its page, so every page advances.
PageLayout layoutPage(Tokens& tokens, int start, int areaWidth, int areaHeight, int boundHeight,
                      TextMetrics& metrics, bool crossOut);

// The style a token is drawn in.
TextStyle styleFor(bool marked, bool crossOut);

// The first drawn token from `start` on whose rectangle holds the point, if it is markable.
std::optional<int> markableAt(const Tokens& tokens, int start, int x, int y);

using content::Points;

// +1 for a marked target, -1 for any other marked token; every target adds 1 to maxScore.
Points scoreTokens(const Tokens& tokens);

// Keyboard focus over the markable tokens drawn on the page (in text order).
std::vector<int> markableOnPage(const Tokens& tokens, int start);
enum class FocusMove { Next, Previous, Up, Down };
// The token focus moves to from `current` (or the first markable one when there is none).
std::optional<int> moveFocus(const Tokens& tokens, int start, std::optional<int> current,
                             FocusMove move);

// Pages: PageStart entries and the shown page.
struct Paging {
    std::vector<std::optional<int>> pageStart = std::vector<std::optional<int>>(kLastPage + 1);
    int currentPage = 0;

    std::optional<int> currentStart() const { return pageStart[std::size_t(currentPage)]; }
    // Records the layout's next start; true when a next page exists (the next-page button).
    bool finishLayout(std::optional<int> nextStart);
    // Turns forward when allowed; true when it did.
    bool turn();
    // Back a page, for a review only; true when it did.
    bool turnBack();
};

}  // namespace lentora::marked_words
