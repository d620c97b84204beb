// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowDescription.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <algorithm>

namespace lentora::theory {

// The theory book window as designed: a fixed client area holding the book picture, the two
// page areas the text is laid out on and the page corners that turn the spreads.
struct TheoryBookDescription {
    WindowDescription window;
    QSize clientSize;
    QRect book;  // the book picture's place and size; it is drawn at its own size
    QRect leftPage;
    QRect rightPage;
    QRect previousCorner;  // lifted lower-left page corner
    QRect nextCorner;      // lifted lower-right page corner
    int titleExtraPoints;  // the title paragraph is this much larger than the body

    // The narrower page: a word wider than it is cut on whichever page it falls.
    constexpr int narrowerPageWidth() const {
        return std::min(leftPage.width(), rightPage.width());
    }
    // A page area in the book picture's own coordinates.
    constexpr QRect pageInBook(const QRect& page) const { return page.translated(-book.topLeft()); }
};

inline constexpr TheoryBookDescription kTheoryBook{
    {"Teorijos langas", 14, "Times New Roman", 5},
    {714, 518},
    {8, 8, 705, 505},
    {46, 32, 267, 425},
    {400, 32, 265, 425},
    {31, 438, 59, 54},
    {625, 427, 50, 63},
    2,
};

}  // namespace lentora::theory
