// SPDX-License-Identifier: GPL-3.0-or-later
#include "theory/TheoryBookSession.h"

#include "theory/TheoryText.h"

namespace lentora::theory {

TheoryBookSession::TheoryBookSession(QSize leftPage, QSize rightPage)
    : leftSize_(leftPage), rightSize_(rightPage) {}

void TheoryBookSession::open(QByteArrayView memo) {
    text_ = memo.toByteArray();
    tokens_ = bookTokens(text_);
    spreads_.reset();
    layoutSpread();
}

void TheoryBookSession::setMetrics(TextMetrics* metrics) {
    metrics_ = metrics;
    layoutSpread();
}

void TheoryBookSession::resizePages(QSize leftPage, QSize rightPage) {
    leftSize_ = leftPage;
    rightSize_ = rightPage;
    layoutSpread();
}

void TheoryBookSession::layoutSpread() {
    if (metrics_ == nullptr || tokens_.isEmpty()) {
        leftPage_ = {};
        rightPage_ = {};
        return;
    }
    // The right page begins where the left page of this spread ends, and records where the
    // next spread begins.
    leftPage_ = layoutPage(tokens_, spreads_.leftPageStart(), leftSize_.width(), leftSize_.height(),
                           *metrics_);
    spreads_.leftPageLaidOut(leftPage_.endIndex);
    rightPage_ = layoutPage(tokens_, spreads_.rightPageStart(), rightSize_.width(),
                            rightSize_.height(), *metrics_);
    spreads_.rightPageLaidOut(rightPage_.endIndex, int(tokens_.size()));
}

BookReaction TheoryBookSession::clickPrevious() {
    BookReaction reaction{true, true, spreads_.turnBack()};
    if (reaction.spreadTurned) {
        layoutSpread();
    }
    return reaction;
}

BookReaction TheoryBookSession::clickNext() {
    BookReaction reaction{true, true, spreads_.turnForward()};
    if (reaction.spreadTurned) {
        layoutSpread();
    }
    return reaction;
}

BookReaction TheoryBookSession::keyPress(Qt::Key key, Qt::KeyboardModifiers) {
    switch (key) {
        case Qt::Key_PageDown:
        case Qt::Key_Right:
            return nextCornerShown() ? clickNext() : BookReaction{true};
        case Qt::Key_PageUp:
        case Qt::Key_Left:
            return previousCornerShown() ? clickPrevious() : BookReaction{true};
        default:
            return {};
    }
}

QStringList TheoryBookSession::printLines() const {
    return theory::printLines(text_);
}

}  // namespace lentora::theory
