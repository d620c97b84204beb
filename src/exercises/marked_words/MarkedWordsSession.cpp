// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/marked_words/MarkedWordsSession.h"

#include <utility>

namespace lentora::marked_words {

MarkedWordsSession::MarkedWordsSession(QByteArrayView text, bool crossOut, int boundHeight)
    : tokens_(tokenize(text)), crossOut_(crossOut), boundHeight_(boundHeight) {
    paging_.pageStart[0] = 0;
}

MarkedWordsSession::MarkedWordsSession(Tokens tokens, bool crossOut, int boundHeight)
    : tokens_(std::move(tokens)), crossOut_(crossOut), boundHeight_(boundHeight) {
    paging_.pageStart[0] = 0;
}

std::unique_ptr<MarkedWordsSession> MarkedWordsSession::review(Tokens tokens, bool crossOut,
                                                               int boundHeight) {
    std::unique_ptr<MarkedWordsSession> session(
        new MarkedWordsSession(std::move(tokens), crossOut, boundHeight));
    session->reviewing_ = true;
    return session;
}

void MarkedWordsSession::setArea(QSize size, std::unique_ptr<TextMetrics> metrics) {
    size_ = size;
    metrics_ = std::move(metrics);
    layoutPage();
}

bool MarkedWordsSession::setSize(QSize size) {
    if (size == size_ || !metrics_) {
        size_ = size;
        return false;
    }
    size_ = size;
    layoutPage();
    return true;
}

void MarkedWordsSession::layoutPage() {
    if (!metrics_) {
        return;
    }
    layout_ = marked_words::layoutPage(tokens_, pageStart(), size_.width(), size_.height(),
                                       boundHeight_, *metrics_, crossOut_);
    if (laidOutPage_ != paging_.currentPage) {
        // A fresh page: nothing under the pointer yet, the focus frame on its first word.
        laidOutPage_ = paging_.currentPage;
        hovered_.reset();
        focused_ = moveFocus(tokens_, pageStart(), std::nullopt, FocusMove::Next);
    }
    hasNextPage_ = paging_.finishLayout(layout_.nextStart);
}

void MarkedWordsSession::repaintToken(Reaction& reaction, std::optional<int> token) const {
    if (token && *token >= 0 && *token < int(tokens_.size())) {
        reaction.repaint.push_back(tokens_[std::size_t(*token)].rect().adjusted(-2, -2, 2, 2));
    }
}

void MarkedWordsSession::moveFocusTo(Reaction& reaction, std::optional<int> token) {
    if (token == focused_) {
        return;
    }
    repaintToken(reaction, focused_);
    focused_ = token;
    repaintToken(reaction, focused_);
}

Reaction MarkedWordsSession::turnPage() {
    Reaction reaction;
    if (paging_.turn()) {
        // Laid out at once, so a key pressed before the next paint acts on the new page.
        layoutPage();
        reaction.pageChanged = true;
    }
    return reaction;
}

Reaction MarkedWordsSession::turnBack() {
    Reaction reaction;
    if (reviewing_ && paging_.turnBack()) {
        layoutPage();
        reaction.pageChanged = true;
    }
    return reaction;
}

Reaction MarkedWordsSession::toggle(int token) {
    Reaction reaction;
    if (reviewing_ || token < 0 || token >= int(tokens_.size())) {
        return reaction;
    }
    WordToken& word = tokens_[std::size_t(token)];
    word.Marked = !word.Marked;
    reaction.markSound = !word.Marked;
    // Marks change no width: the word repaints from the kept layout.
    repaintToken(reaction, token);
    return reaction;
}

Reaction MarkedWordsSession::moveTo(QPoint point) {
    // A review's words take no marks, so the pointer shows none as markable.
    if (!reviewing_) {
        hovered_ = markableAt(tokens_, pageStart(), point.x(), point.y());
    }
    return {};
}

Reaction MarkedWordsSession::pressAt(QPoint, Qt::MouseButton button) {
    Reaction reaction;
    if (reviewing_) {
        return reaction;
    }
    if (focusFrameShown_) {
        focusFrameShown_ = false;
        repaintToken(reaction, focused_);
    }
    if (button == Qt::LeftButton && hovered_) {
        const int token = *hovered_;
        moveFocusTo(reaction, token);
        Reaction marked = toggle(token);
        reaction.markSound = marked.markSound;
        reaction.repaint.insert(reaction.repaint.end(), marked.repaint.begin(),
                                marked.repaint.end());
    }
    return reaction;
}

Reaction MarkedWordsSession::reviewKeyPress(Qt::Key key) {
    Reaction reaction;
    switch (key) {
        case Qt::Key_PageDown:
            reaction = turnPage();
            if (!reaction.pageChanged) {
                reaction.leave = Reaction::Leave::Next;
            }
            break;
        case Qt::Key_PageUp:
            reaction = turnBack();
            if (!reaction.pageChanged) {
                reaction.leave = Reaction::Leave::Previous;
            }
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            reaction.pressShownButton = true;
            break;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Space:
            break;  // nothing to mark, so nothing to move to
        default:
            return reaction;
    }
    reaction.handled = true;
    return reaction;
}

Reaction MarkedWordsSession::keyPress(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    if (reviewing_) {
        return reviewKeyPress(key);
    }
    Reaction reaction;
    reaction.handled = true;
    if (key == Qt::Key_Tab && modifiers.testFlag(Qt::ShiftModifier)) {
        key = Qt::Key_Backtab;
    }
    auto move = [&](FocusMove direction) {
        if (!focusFrameShown_) {
            focusFrameShown_ = true;
            repaintToken(reaction, focused_);
        }
        moveFocusTo(reaction, moveFocus(tokens_, pageStart(), focused_, direction));
    };
    switch (key) {
        case Qt::Key_Tab:
        case Qt::Key_Right:
            move(FocusMove::Next);
            break;
        case Qt::Key_Backtab:
        case Qt::Key_Left:
            move(FocusMove::Previous);
            break;
        case Qt::Key_Up:
            move(FocusMove::Up);
            break;
        case Qt::Key_Down:
            move(FocusMove::Down);
            break;
        case Qt::Key_Space:
            if (focused_) {
                reaction = toggle(*focused_);
                reaction.handled = true;
            }
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            reaction.pressShownButton = true;
            break;
        case Qt::Key_PageDown:
            reaction = turnPage();
            reaction.handled = true;
            break;
        default:
            reaction.handled = false;
    }
    return reaction;
}

}  // namespace lentora::marked_words
