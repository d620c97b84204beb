// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/Points.h"
#include "exercises/movable_words/MovableWordsDescription.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QRect>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace lentora {
class TextMetrics;
}

namespace lentora::movable_words {

// Gap filling (pool box beside each row, words move) or category sorting (one pool column,
// words are copied).
enum class Variant { Gaps, Sorting };

struct SentenceToken {
    QByteArray text;
    bool underlined = false;  // the word carried a '@'
    bool endOfLine = false;   // the row's boxes follow it
    bool glued = false;       // the next token is punctuation split off this word
};

// The tokens of all sentence lines in order. A line with nothing but spaces gives one empty
// end-of-row token, so its row still gets its boxes.
std::vector<SentenceToken> tokenize(const QByteArrayList& lines);

bool isPunctuation(char c);

// A uniform whole number from 0 to bound - 1.
using RandomSource = std::function<int(int bound)>;

// Line indices 0..n-1 shuffled within consecutive blocks of rowsPerBlock, so each block's
// pool words are the answers of that block's own rows.
std::vector<int> blockShuffle(int n, int rowsPerBlock, const RandomSource& random);

struct WordSlot {
    QByteArray poolWord;  // Gaps: the word in the row's pool box; empty when moved away
    QByteArray gapWord;   // the word in the gap box; empty at the start
    QByteArray answer;    // the right gap word
};

// Which box: a row's gap or pool box (index = slot), or an entry of the sorting pool column
// (index = category).
struct BoxRef {
    enum Kind { Gap, Pool };
    Kind kind = Gap;
    int index = 0;
    friend bool operator==(const BoxRef&, const BoxRef&) = default;
};

using content::Points;

// The words of one exercise and the rules for moving them.
class Exercise {
public:
    // words: the Zodziai lines; order: which line's word each slot's pool box starts with.
    Exercise(Variant variant, const QByteArrayList& words, const std::vector<int>& order);

    Variant variant() const { return variant_; }
    const std::vector<WordSlot>& wordSlots() const { return slots_; }
    // Sorting only: each distinct pool word (a line without '@') once, in the order the pool
    // first offers it.
    const QByteArrayList& categories() const { return categories_; }

    QByteArray wordIn(BoxRef box) const;
    bool accepts(BoxRef source, BoxRef target) const;
    // Carries the source's word to the target when accepted; false leaves every word as it was.
    bool drop(BoxRef source, BoxRef target);

    Points score() const;
    // Whether the slot's gap holds its answer, exactly as score() counts it.
    bool isRight(std::size_t slot) const;
    // Puts back what a learner left in each slot, for a review; false, changing nothing, when
    // the lists do not hold one word per slot.
    bool restoreLeft(const QByteArrayList& gapWords, const QByteArrayList& poolWords);

private:
    bool valid(BoxRef box) const;
    QByteArray* word(BoxRef box);

    Variant variant_;
    std::vector<WordSlot> slots_;
    QByteArrayList categories_;
};

struct PageGeometry {
    int width = 0;  // of the drawing area
    int height = 0;
    int boxWidth = 0;    // LangIlgis
    int textHeight = 0;  // of "M" in the exercise font
    int top = 0;         // a review's summary strip above the first row
    int boxHeight() const { return textHeight + 2 * kMovableWords.pad; }
    // Right end of the sentence frames.
    int frameRight() const {
        return width - kMovableWords.rightMargin - 2 * (boxWidth + kMovableWords.spacing);
    }
};

// Rows one page shows; also the shuffle block, so every row's answer is on its page.
int rowsPerPage(const PageGeometry& geometry);

// The page area of a window of that outer size: the rows end above the arrow, or use the whole
// height when that leaves no room for one row. `top` is kept free above the rows.
PageGeometry pageGeometryFor(QSize outer, int boxWidth, int textHeight, int top = 0);

struct DrawnText {
    QPoint at;  // top-left of the text cell
    QByteArray text;
    bool underlined = false;
};

// A review's mark on a row's gap.
enum class Mark { None, Right, Wrong };

// Where a review shows the right word of a wrong gap, framed so that it never looks placed:
// in the gap's room after the word placed, or on a line of its own below the row, a white
// cell. The word is cut at the cell's frame.
struct RightWord {
    QRect cell;
    QPoint at;             // top-left of the word's text cell
    bool ownLine = false;  // otherwise inside the gap box
};

struct LaidOutRow {
    int slot = 0;
    std::optional<QRect> frame;    // none when the frame would not fit the page
    std::vector<DrawnText> texts;  // spaces included
    QRect gapBox;
    std::optional<QRect> poolBox;  // Gaps only
    Mark mark = Mark::None;        // reviews only
    std::optional<RightWord> rightWord;
};

struct PageStart {
    int token = 0;
    int slot = 0;
    friend bool operator==(const PageStart&, const PageStart&) = default;
};

struct PageLayout {
    std::vector<LaidOutRow> rows;
    std::vector<QRect> poolColumn;  // Sorting: box of each category
    PageStart next;
    bool hasNextPage = false;  // otherwise the finish button shows

    std::optional<QRect> boxRect(BoxRef box) const;
    // The box under the point: pool boxes first, then gap boxes.
    std::optional<BoxRef> hit(QPoint point) const;
    // Reading order for the keyboard: Gaps: each row's gap then pool box; Sorting: the gaps,
    // then the pool column.
    std::vector<BoxRef> focusOrder() const;
};

// A review marks each row and gives a wrong one its right word, on a line of its own when the
// gap has no room for it: such a row goes to the next page when that line would not fit.
PageLayout layoutPage(const std::vector<SentenceToken>& tokens, const Exercise& exercise,
                      PageStart start, const PageGeometry& geometry, TextMetrics& metrics,
                      bool review = false);

}  // namespace lentora::movable_words
