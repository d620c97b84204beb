#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QList>

namespace lentora::theory {

// Text measures of the book's fonts: body, bold, title (bold and larger).
class PageMetrics {
public:
    virtual ~PageMetrics() = default;
    virtual int width(QByteArrayView text, bool bold, bool title) = 0;
    virtual int lineHeight(bool bold, bool title) = 0;
};

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
// run out or the next word does not fit. A word wider than the page ends the page unplaced.
PageLayout layoutPage(const QByteArrayList& tokens, int start, int width, int height,
                      PageMetrics& metrics);

}  // namespace lentora::theory
