// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FrameMetrics.h"
#include "platform/WindowDescription.h"

#include <QPoint>
#include <QSize>

#include <algorithm>

namespace lentora::movable_words {

// The movable-words windows' fixed numbers: their settings and font, the gaps around the rows
// and boxes, and where the arrow stands.
struct MovableWordsDescription {
    WindowDescription window;
    int spacing;         // between rows, between the sentence frame and the boxes
    int topMargin;       // half the first row's distance from the top
    int rightMargin;     // between the pool boxes and the right edge
    int pad;             // around a box's text, above and below
    int textLeft;        // where a row's text starts
    int boxTextLeft;     // a box's word from its left edge
    int focusMargin;     // the focus frame reaches this far outside a box
    QPoint carryOffset;  // x: a keyboard-carried word's shift right of its focused box
    QSize arrow;
    int buttonRightGap;  // the arrow's right and bottom edges inside the outer size
    int buttonBottomGap;
    int smallestTextWidth;  // the least room for a row's text the window keeps
    // A review's marks, 0xRRGGBB: dark enough to read on the white boxes and strong enough
    // against any background picture around them.
    unsigned rightColour;
    unsigned wrongColour;

    // The client size for the content's outer size: never smaller than the arrow.
    QSize clientSize(QSize outer) const { return clientSizeForContent(outer, arrow); }
    QPoint buttonPlace(QSize outer) const {
        return buttonPosition(outer, arrow, buttonRightGap, buttonBottomGap);
    }
    // Rows end above the arrow, which stands over the boxes' column.
    int rowsBottom(QSize outer) const { return buttonPlace(outer).y() - pad; }
    // The smallest outer size that still shows one row with its frame and boxes above the
    // arrow: a smaller row grows to it, so every page can be done and left.
    QSize minimumOuter(int textHeight, int boxWidth) const {
        const QSize frame = outerSizeForClient({0, 0});
        const int width = std::max(frame.width() + textLeft + smallestTextWidth +
                                       2 * (std::max(0, boxWidth) + spacing) + rightMargin,
                                   frame.width() + arrow.width() + buttonRightGap);
        const int boxHeight = textHeight + 2 * pad;
        const int height = 2 * topMargin + boxHeight + pad + arrow.height() + buttonBottomGap;
        return {width, std::max(height, frame.height() + arrow.height())};
    }
    // A review's summary strip, reserved at the page's top above the first row.
    int reviewStrip(int textHeight) const { return textHeight + 2 * pad; }
    // The room a review gives a right word on a line of its own below its row.
    int reviewAnswerLine(int textHeight) const { return textHeight + 4 * pad; }
    // The smallest outer size of a review: one row with its right word below the summary.
    QSize minimumReviewOuter(int textHeight, int boxWidth) const {
        return minimumOuter(textHeight, boxWidth) +
               QSize(0, reviewStrip(textHeight) + reviewAnswerLine(textHeight));
    }
};

inline constexpr MovableWordsDescription kMovableWords{
    {"Testas su nesiojamais zodziais", 14, "MS Sans Serif", 6},
    14,
    10,
    10,
    3,
    8,
    4,
    3,
    QPoint(12, 10),
    QSize(59, 69),
    10,
    28,
    80,
    0x137a1e,
    0xc8141e,
};

}  // namespace lentora::movable_words
