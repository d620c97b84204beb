// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FrameMetrics.h"
#include "platform/WindowDescription.h"

#include <QPoint>
#include <QSize>

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

    // The client size for the content's outer size: never smaller than the arrow.
    QSize clientSize(QSize outer) const { return clientSizeForContent(outer, arrow); }
    QPoint buttonPlace(QSize outer) const {
        return buttonPosition(outer, arrow, buttonRightGap, buttonBottomGap);
    }
    // Rows end above the arrow, which stands over the boxes' column.
    int rowsBottom(QSize outer) const { return buttonPlace(outer).y() - pad; }
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
};

}  // namespace lentora::movable_words
