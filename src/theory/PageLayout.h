// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TextMetrics.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QList>

namespace lentora::theory {

// The style of a token in the book: body text, bold, or title (bold and two points larger).
TextStyle pageTextStyle(bool bold, bool title);

// One word token drawn on a page, markers removed, with its text cell.
struct PlacedToken {
    int index = 0;
    QByteArray text;
    bool bold = false;
    bool title = false;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct PageLayout {
    QList<PlacedToken> placed;
    int endIndex = 0;  // the first token of the next page
};

// Lays out the tokens from `start` on a page of width × height, line by line, until the tokens
// run out or the next word does not fit. A word wider than the page is placed alone on its
// line, its cell cut at the page edge; every page takes at least one token.
PageLayout layoutPage(const QByteArrayList& tokens, int start, int width, int height,
                      TextMetrics& metrics);

}  // namespace lentora::theory
