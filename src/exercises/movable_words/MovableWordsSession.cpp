// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/movable_words/MovableWordsSession.h"

#include <algorithm>
#include <utility>

namespace lentora::movable_words {

std::unique_ptr<MovableWordsSession> MovableWordsSession::open(Variant variant,
                                                               const content::MovableWordsRow& row,
                                                               QSize outer,
                                                               std::unique_ptr<TextMetrics> metrics,
                                                               const RandomSource& random) {
    const PageGeometry geometry = pageGeometryFor(outer, row.boxWidth, metrics->lineHeight());
    const int rows = rowsPerPage(geometry);
    if (rows == 0) {
        return nullptr;
    }
    const std::vector<int> order = blockShuffle(int(row.words.size()), rows, random);
    return std::make_unique<MovableWordsSession>(variant, row.sentences, row.words, order, geometry,
                                                 kMovableWords.clientSize(outer),
                                                 std::move(metrics));
}

MovableWordsSession::MovableWordsSession(Variant variant, const QByteArrayList& sentences,
                                         const QByteArrayList& words, const std::vector<int>& order,
                                         const PageGeometry& geometry, QSize viewSize,
                                         std::unique_ptr<TextMetrics> metrics)
    : tokens_(tokenize(sentences)),
      exercise_(variant, words, order),
      geometry_(geometry),
      viewSize_(viewSize),
      metrics_(std::move(metrics)) {
    layoutPage();
}

void MovableWordsSession::layoutPage() {
    layout_ = movable_words::layoutPage(tokens_, exercise_, start_, geometry_, *metrics_);
}

std::optional<BoxRef> MovableWordsSession::carried() const {
    if (carry_ == Carry::Idle) {
        return std::nullopt;
    }
    return source_;
}

std::optional<BoxRef> MovableWordsSession::focusedBox() const {
    const std::vector<BoxRef> order = layout_.focusOrder();
    if (order.empty()) {
        return std::nullopt;
    }
    return order[std::size_t(focus_) % order.size()];
}

QRect MovableWordsSession::carryRect() const {
    if (carry_ == Carry::Idle) {
        return {};
    }
    const int boxHeight = geometry_.boxHeight();
    const QPoint offset = kMovableWords.carryOffset;
    QRect area(pointer_ + offset, QSize(geometry_.boxWidth, boxHeight));
    if (carry_ == Carry::Keyboard) {
        // Beside the focus frame, just below it.
        if (const auto box = focusedBox()) {
            if (const auto focused = layout_.boxRect(*box)) {
                area =
                    QRect(focused->topLeft() + QPoint(offset.x(), boxHeight - 2), focused->size());
            }
        }
    }
    // Kept whole inside the view: the pool boxes stand at its right edge.
    area.moveLeft(std::clamp(area.left(), 0, std::max(0, viewSize_.width() - area.width())));
    area.moveTop(std::clamp(area.top(), 0, std::max(0, viewSize_.height() - area.height())));
    return area;
}

MovableWordsSession::Pointer MovableWordsSession::pointer() const {
    if (carry_ == Carry::Idle || carry_ == Carry::Keyboard) {
        return Pointer::Plain;
    }
    const std::optional<BoxRef> target = layout_.hit(pointer_);
    return target && exercise_.accepts(source_, *target) ? Pointer::Accepts : Pointer::Refuses;
}

void MovableWordsSession::repaintBox(Reaction& reaction, BoxRef box) const {
    if (const auto area = layout_.boxRect(box)) {
        const int margin = kMovableWords.focusMargin;
        reaction.repaint.push_back(area->adjusted(-margin, -margin, margin, margin));
    }
}

void MovableWordsSession::repaintCarry(Reaction& reaction) {
    reaction.repaint.push_back(shownCarry_);
    shownCarry_ = carryRect();
    reaction.repaint.push_back(shownCarry_);
}

void MovableWordsSession::putBack(Reaction& reaction) {
    if (carry_ == Carry::Idle) {
        return;
    }
    carry_ = Carry::Idle;
    repaintBox(reaction, source_);
    repaintCarry(reaction);
}

void MovableWordsSession::dropOn(Reaction& reaction, std::optional<BoxRef> target) {
    if (carry_ == Carry::Idle) {
        return;
    }
    if (target && exercise_.drop(source_, *target)) {
        carry_ = Carry::Idle;
        // Only the two boxes involved change.
        repaintBox(reaction, *target);
        repaintBox(reaction, source_);
        repaintCarry(reaction);
        return;
    }
    putBack(reaction);
}

Reaction MovableWordsSession::nextPage() {
    Reaction reaction;
    if (!layout_.hasNextPage) {
        return reaction;
    }
    putBack(reaction);
    ++page_;
    start_ = layout_.next;
    focus_ = 0;
    layoutPage();
    reaction.pageChanged = true;
    return reaction;
}

Reaction MovableWordsSession::pressAt(QPoint point, Qt::MouseButton button) {
    Reaction reaction;
    pointer_ = point;
    if (button != Qt::LeftButton) {
        reaction.swallowContextMenu = carry_ != Carry::Idle;
        putBack(reaction);
        return reaction;
    }
    if (carry_ == Carry::Picked || carry_ == Carry::Keyboard) {
        dropOn(reaction, layout_.hit(point));
        return reaction;
    }
    const std::optional<BoxRef> box = layout_.hit(point);
    if (!box || exercise_.wordIn(*box).isEmpty()) {
        putBack(reaction);
        return reaction;
    }
    if (const auto oldFocus = focusedBox()) {
        repaintBox(reaction, *oldFocus);
    }
    const std::vector<BoxRef> order = layout_.focusOrder();
    const auto at = std::find(order.begin(), order.end(), *box);
    if (at != order.end()) {
        focus_ = int(at - order.begin());
    }
    carry_ = Carry::Pressed;
    source_ = *box;
    pressPoint_ = point;
    repaintBox(reaction, source_);
    repaintCarry(reaction);
    return reaction;
}

Reaction MovableWordsSession::moveTo(QPoint point) {
    Reaction reaction;
    pointer_ = point;
    if (carry_ == Carry::Idle || carry_ == Carry::Keyboard) {
        return reaction;
    }
    if (carry_ == Carry::Pressed && (point - pressPoint_).manhattanLength() >= dragDistance_) {
        carry_ = Carry::Dragging;
    }
    repaintCarry(reaction);
    return reaction;
}

Reaction MovableWordsSession::releaseAt(QPoint point, Qt::MouseButton button) {
    Reaction reaction;
    pointer_ = point;
    if (button != Qt::LeftButton) {
        return reaction;
    }
    if (carry_ == Carry::Pressed) {
        // A click without moving picks the word up; the next click puts it down.
        carry_ = Carry::Picked;
    } else if (carry_ == Carry::Dragging) {
        dropOn(reaction, layout_.hit(point));
    }
    return reaction;
}

void MovableWordsSession::moveFocus(Reaction& reaction, int step) {
    const std::vector<BoxRef> order = layout_.focusOrder();
    if (order.empty()) {
        return;
    }
    if (const auto old = focusedBox()) {
        repaintBox(reaction, *old);
    }
    const int n = int(order.size());
    focus_ = ((focus_ % n) + step + n) % n;
    repaintBox(reaction, order[std::size_t(focus_)]);
    repaintCarry(reaction);
}

Reaction MovableWordsSession::keyPress(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    Reaction reaction;
    reaction.handled = true;
    if (key == Qt::Key_Tab && modifiers.testFlag(Qt::ShiftModifier)) {
        key = Qt::Key_Backtab;
    }
    switch (key) {
        case Qt::Key_Tab:
        case Qt::Key_Down:
        case Qt::Key_Right:
            moveFocus(reaction, 1);
            break;
        case Qt::Key_Backtab:
        case Qt::Key_Up:
        case Qt::Key_Left:
            moveFocus(reaction, -1);
            break;
        case Qt::Key_Space:
            if (carry_ != Carry::Idle) {
                dropOn(reaction, focusedBox());
            } else if (const auto box = focusedBox(); box && !exercise_.wordIn(*box).isEmpty()) {
                carry_ = Carry::Keyboard;
                source_ = *box;
                repaintBox(reaction, source_);
                repaintCarry(reaction);
            }
            break;
        case Qt::Key_Escape:
            putBack(reaction);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            reaction.pressShownButton = true;
            break;
        case Qt::Key_PageDown:
            reaction = nextPage();
            reaction.handled = true;
            break;
        default:
            reaction.handled = false;
    }
    return reaction;
}

}  // namespace lentora::movable_words
