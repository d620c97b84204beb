// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TextMetrics.h"
#include "theory/PageLayout.h"
#include "theory/SpreadState.h"
#include "theory/TheoryBookDescription.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QSize>
#include <QStringList>
#include <Qt>

namespace lentora::theory {

// What the window does after a click on a corner or a key.
struct BookReaction {
    bool handled = false;  // the key is the book's; nothing else sees it
    bool playPageTurnSound = false;
    bool spreadTurned = false;  // both pages and both corners changed: show them again
};

// One theory text in the book from its row to the window's close: the whole text (printed),
// its tokens, the spreads seen so far and the layout of the two pages of the current spread.
// The spread is laid out when the text, the page sizes or the font change and when it turns,
// never while the pages paint.
class TheoryBookSession {
public:
    explicit TheoryBookSession(QSize leftPage = kTheoryBook.leftPage.size(),
                               QSize rightPage = kTheoryBook.rightPage.size());

    // The row's text; the book opens on its first spread.
    void open(QByteArrayView memo);
    // The measures of the book's font, kept by the caller while the session uses them; nothing
    // is laid out before they are given.
    void setMetrics(TextMetrics* metrics);
    void resizePages(QSize leftPage, QSize rightPage);

    const QByteArray& text() const { return text_; }
    const QByteArrayList& tokens() const { return tokens_; }
    const SpreadState& spreads() const { return spreads_; }
    const PageLayout& leftPage() const { return leftPage_; }
    const PageLayout& rightPage() const { return rightPage_; }
    bool previousCornerShown() const { return spreads_.previousVisible(); }
    bool nextCornerShown() const { return spreads_.nextVisible(); }

    // A click on a corner plays the sound even where the book cannot turn further.
    BookReaction clickPrevious();
    BookReaction clickNext();
    // PageDown and Right turn forward, PageUp and Left back, each only where its corner shows,
    // whatever the modifiers.
    BookReaction keyPress(Qt::Key key, Qt::KeyboardModifiers modifiers);

    // The whole text as printed, line by line, without the markup.
    QStringList printLines() const;

private:
    void layoutSpread();

    QSize leftSize_;
    QSize rightSize_;
    TextMetrics* metrics_ = nullptr;
    QByteArray text_;
    QByteArrayList tokens_;
    SpreadState spreads_;
    PageLayout leftPage_;
    PageLayout rightPage_;
};

}  // namespace lentora::theory
