// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FrameMetrics.h"
#include "platform/WindowDescription.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <algorithm>
#include <cstdint>

namespace lentora::simple_test {

// The simple test window as designed. Every place and size of a test comes from its rows; the
// window adds only these: its first size and font, its colour, the arrow and the way question
// boxes hold their question and answer controls.
struct SimpleTestDescription {
    WindowDescription window;
    int designFontPoints;       // the design font, until the exercise font replaces it
    QSize designClientSize;     // before a test sets its size
    std::uint32_t windowColor;  // 0xRRGGBB, of the window and of every question box
    QSize arrowSize;
    QPoint designArrowPlace;
    int arrowRightGap;     // the arrow's right edge this far inside the outer width
    int arrowBottomGap;    // its bottom edge this far inside the outer height
    QPoint questionPlace;  // the question's text inside its box
    int answerHeight;      // the answer controls' standard height
    int answerRightGap;    // an answer control ends this far inside its box's right edge
    int answerMark;        // an answer's text begins this far into its control
    // A review's colours, readable on the window's colour: a ticked right answer, and a
    // ticked wrong one or the outline of a right one left unticked.
    std::uint32_t reviewRightColor;
    std::uint32_t reviewWrongColor;
    int reviewStripMargin;  // above and below the summary line's text

    // The arrow's place in the client area for a test's outer size.
    QPoint arrowPlace(QSize outer) const {
        return buttonPosition(outer, arrowSize, arrowRightGap, arrowBottomGap);
    }
    // An answer control at `place` inside a box `boxWidth` wide; its text is cut at its edge.
    constexpr QRect answerControl(int boxWidth, QPoint place) const {
        return {place.x(), place.y(), std::max(0, boxWidth - place.x() - answerRightGap),
                answerHeight};
    }
};

inline constexpr SimpleTestDescription kSimpleTest{
    {"Paprastas testas", 10, "MS Sans Serif", 7},
    8,
    {487, 341},
    0xE4FEE4,  // RGB(228, 254, 228)
    {59, 69},
    {416, 261},
    15,
    30,
    {5, 5},
    17,
    2,
    26,
    0x006400,  // dark green
    0xC00000,  // dark red
    3,
};

}  // namespace lentora::simple_test
