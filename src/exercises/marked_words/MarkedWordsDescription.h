// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FrameMetrics.h"
#include "platform/WindowDescription.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <algorithm>

namespace lentora::marked_words {

struct Rgb {
    int red;
    int green;
    int blue;
};

// The marked-words window's fixed numbers: its settings and font, the heading, the picture
// strip, the text area and where the arrow stands.
struct MarkedWordsDescription {
    WindowDescription window;
    QSize designClient;  // before a row sizes the window
    int stripHeight;     // the picture strip along the bottom
    Rgb headingBackground;
    Rgb headingText;
    int headingExtra;       // the heading is a line of its font and this much higher
    int textLeft;           // the text area's left edge
    int textTop;            // below the heading
    int textNarrower;       // the text area is this much narrower than the outer width
    int textAboveArrow;     // the text area ends this far above the arrow
    int smallestTextWidth;  // the least width of the text area the window keeps
    QSize arrow;
    int buttonRightGap;  // the arrow's right and bottom edges inside the outer size
    int buttonBottomGap;
    // A review's colours, readable on the white text area: a target marked, and a wrong mark
    // or the outline of a target missed.
    Rgb reviewRight;
    Rgb reviewWrong;
    int reviewStripMargin;  // above and below the summary line's text

    int headingHeight(int fontLineHeight) const { return fontLineHeight + headingExtra; }
    // The smallest outer size that still shows the heading, one line of text and the arrow:
    // a smaller row grows to it, so every page can be read and left.
    QSize minimumOuter(int headingLineHeight, int textLineHeight) const {
        const int width =
            std::max({textNarrower + smallestTextWidth, arrow.width() + buttonRightGap,
                      outerSizeForClient(arrow).width()});
        const int height = headingHeight(headingLineHeight) + textTop + textLineHeight +
                           textAboveArrow + arrow.height() + buttonBottomGap;
        return {width, std::max(height, outerSizeForClient(arrow).height())};
    }
    QPoint buttonPlace(QSize outer) const {
        return buttonPosition(outer, arrow, buttonRightGap, buttonBottomGap);
    }
    // The text area of a window of that outer size under a heading that high.
    QRect textArea(QSize outer, int headingHeight) const {
        const int top = headingHeight + textTop;
        return {textLeft, top, std::max(0, outer.width() - textNarrower),
                std::max(0, buttonPlace(outer).y() - top - textAboveArrow)};
    }
};

inline constexpr MarkedWordsDescription kMarkedWords{
    {"Pabraukiami zodziai", 12, "MS Sans Serif", 4},
    QSize(524, 341),
    77,
    {167, 225, 162},
    {128, 0, 0},
    2,
    15,
    4,
    42,
    3,
    82,
    QSize(59, 69),
    10,
    30,
    {0, 100, 0},  // dark green
    {192, 0, 0},  // dark red
    3,
};

}  // namespace lentora::marked_words
