// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/movable_words/MovableWordsSession.h"

#include "platform/CodePage1257.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
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
    auto session =
        std::make_unique<MovableWordsSession>(variant, row.sentences, row.words, order, geometry,
                                              kMovableWords.clientSize(outer), std::move(metrics));
    session->row_.id = row.id;
    session->row_.task = row.task;
    session->row_.outerWidth = row.outerWidth;
    session->row_.outerHeight = row.outerHeight;
    return session;
}

std::unique_ptr<MovableWordsSession> MovableWordsSession::openReview(
    const MovableWordsSnapshot& shown, QSize outer, std::unique_ptr<TextMetrics> metrics) {
    const int textHeight = metrics->lineHeight();
    const PageGeometry geometry =
        pageGeometryFor(outer, shown.boxWidth, textHeight, kMovableWords.reviewStrip(textHeight));
    if (rowsPerPage(geometry) == 0) {
        return nullptr;
    }
    auto session = std::make_unique<MovableWordsSession>(
        shown.variant, shown.sentences, shown.words, shown.order, geometry,
        kMovableWords.clientSize(outer), std::move(metrics));
    if (!session->exercise_.restoreLeft(shown.gapWords, shown.poolWords)) {
        return nullptr;
    }
    session->row_.task = shown.task;
    session->row_.outerWidth = shown.outer.width();
    session->row_.outerHeight = shown.outer.height();
    session->reviewing_ = true;
    session->layoutPage();
    return session;
}

MovableWordsSession::MovableWordsSession(Variant variant, const QByteArrayList& sentences,
                                         const QByteArrayList& words, const std::vector<int>& order,
                                         const PageGeometry& geometry, QSize viewSize,
                                         std::unique_ptr<TextMetrics> metrics)
    : order_(order),
      tokens_(tokenize(sentences)),
      exercise_(variant, words, order),
      geometry_(geometry),
      viewSize_(viewSize),
      metrics_(std::move(metrics)) {
    row_.sentences = sentences;
    row_.words = words;
    row_.boxWidth = geometry.boxWidth;
    row_.type = variant == Variant::Sorting ? 2 : 1;
    layoutPage();
}

void MovableWordsSession::layoutPage() {
    layout_ =
        movable_words::layoutPage(tokens_, exercise_, start_, geometry_, *metrics_, reviewing_);
}

MovableWordsSnapshot MovableWordsSession::snapshot() const {
    MovableWordsSnapshot shown;
    shown.variant = exercise_.variant();
    shown.task = row_.task;
    shown.sentences = row_.sentences;
    shown.words = row_.words;
    // The pool's order as the exercise used it: one line a slot, out-of-range lines as none.
    shown.order.resize(exercise_.wordSlots().size());
    for (std::size_t k = 0; k < shown.order.size(); ++k) {
        const int line = k < order_.size() ? order_[k] : int(k);
        shown.order[k] = line >= 0 && std::size_t(line) < shown.order.size() ? line : int(k);
    }
    for (const WordSlot& slot : exercise_.wordSlots()) {
        shown.gapWords.append(slot.gapWord);
        shown.poolWords.append(slot.poolWord);
    }
    shown.outer = QSize(row_.outerWidth, row_.outerHeight);
    shown.boxWidth = row_.boxWidth;
    return shown;
}

content::ExerciseResult MovableWordsSession::result(std::int32_t record,
                                                    const QString& picture) const {
    content::ExerciseResult result;
    result.kind = exerciseKind(exercise_.variant());
    result.record = record;
    result.points = points();
    const std::vector<WordSlot>& left = exercise_.wordSlots();
    for (std::size_t k = 0; k < left.size(); ++k) {
        result.items.push_back({int(k), fromCp1257(left[k].gapWord), fromCp1257(left[k].answer),
                                exercise_.isRight(k)});
    }
    MovableWordsSnapshot shown = snapshot();
    shown.picture = picture;
    result.shown = shown.toJson();
    return result;
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
    // The point where the word was grabbed stays under the pointer.
    QRect area(pointer_ - grabOffset_, QSize(geometry_.boxWidth, boxHeight));
    if (carry_ == Carry::Keyboard) {
        // Beside the focus frame, just below it.
        if (const auto box = focusedBox()) {
            if (const auto focused = layout_.boxRect(*box)) {
                area =
                    QRect(focused->topLeft() + QPoint(kMovableWords.carryOffset.x(), boxHeight - 2),
                          focused->size());
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
    earlierStarts_.push_back(start_);
    start_ = layout_.next;
    focus_ = 0;
    layoutPage();
    reaction.pageChanged = true;
    return reaction;
}

Reaction MovableWordsSession::previousPage() {
    Reaction reaction;
    if (!reviewing_ || earlierStarts_.empty()) {
        return reaction;
    }
    --page_;
    start_ = earlierStarts_.back();
    earlierStarts_.pop_back();
    focus_ = 0;
    layoutPage();
    reaction.pageChanged = true;
    return reaction;
}

Reaction MovableWordsSession::pressAt(QPoint point, Qt::MouseButton button) {
    Reaction reaction;
    pointer_ = point;
    if (reviewing_) {
        return reaction;
    }
    if (focusFrame_) {
        // The pointer took over: the frame goes until a key moves the focus again.
        focusFrame_ = false;
        if (const auto box = focusedBox()) {
            repaintBox(reaction, *box);
        }
    }
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
    grabOffset_ = point - layout_.boxRect(*box).value_or(QRect(point, QSize())).topLeft();
    repaintBox(reaction, source_);
    repaintCarry(reaction);
    return reaction;
}

Reaction MovableWordsSession::moveTo(QPoint point) {
    Reaction reaction;
    pointer_ = point;
    if (reviewing_ || carry_ == Carry::Idle || carry_ == Carry::Keyboard) {
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
    if (reviewing_ || button != Qt::LeftButton) {
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

void MovableWordsSession::showFocusFrame(Reaction& reaction) {
    if (!focusFrame_) {
        focusFrame_ = true;
        if (const auto box = focusedBox()) {
            repaintBox(reaction, *box);
        }
    }
}

void MovableWordsSession::focusOn(Reaction& reaction, BoxRef box) {
    const std::vector<BoxRef> order = layout_.focusOrder();
    const auto at = std::find(order.begin(), order.end(), box);
    if (at == order.end()) {
        return;
    }
    moveFocus(reaction, int(at - order.begin()) - focus_ % int(order.size()));
}

std::optional<BoxRef> MovableWordsSession::arrowTarget(Qt::Key key) const {
    const std::optional<BoxRef> from = focusedBox();
    const std::vector<LaidOutRow>& rows = layout_.rows;
    const std::vector<QRect>& column = layout_.poolColumn;
    if (!from) {
        return std::nullopt;
    }
    // The box of `boxes` whose middle is level with y, or nearest to it; the upper one on a tie.
    auto nearest = [y = layout_.boxRect(*from).value_or(QRect()).center().y()](
                       const std::vector<QRect>& boxes) -> std::optional<std::size_t> {
        std::optional<std::size_t> best;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (!best ||
                std::abs(boxes[i].center().y() - y) < std::abs(boxes[*best].center().y() - y)) {
                best = i;
            }
        }
        return best;
    };
    const bool sorting = exercise_.variant() == Variant::Sorting;
    if (sorting && from->kind == BoxRef::Pool) {
        const int i = from->index;
        if (key == Qt::Key_Up && i > 0) {
            return BoxRef{BoxRef::Pool, i - 1};
        }
        if (key == Qt::Key_Down && std::size_t(i + 1) < column.size()) {
            return BoxRef{BoxRef::Pool, i + 1};
        }
        if (key == Qt::Key_Left) {
            std::vector<QRect> gaps;
            for (const LaidOutRow& row : rows) {
                gaps.push_back(row.gapBox);
            }
            if (const auto j = nearest(gaps)) {
                return BoxRef{BoxRef::Gap, rows[*j].slot};
            }
        }
        return std::nullopt;
    }
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [&](const LaidOutRow& r) { return r.slot == from->index; });
    if (row == rows.end()) {
        return std::nullopt;
    }
    switch (key) {
        case Qt::Key_Up:
            if (row != rows.begin()) {
                return BoxRef{from->kind, std::prev(row)->slot};
            }
            break;
        case Qt::Key_Down:
            if (std::next(row) != rows.end()) {
                return BoxRef{from->kind, std::next(row)->slot};
            }
            break;
        case Qt::Key_Left:
            if (from->kind == BoxRef::Pool) {
                return BoxRef{BoxRef::Gap, row->slot};
            }
            break;
        case Qt::Key_Right:
            if (from->kind == BoxRef::Gap) {
                if (sorting) {
                    if (const auto j = nearest(column)) {
                        return BoxRef{BoxRef::Pool, int(*j)};
                    }
                } else if (row->poolBox) {
                    return BoxRef{BoxRef::Pool, row->slot};
                }
            }
            break;
        default:
            break;
    }
    return std::nullopt;
}

void MovableWordsSession::moveFocus(Reaction& reaction, int step) {
    const std::vector<BoxRef> order = layout_.focusOrder();
    if (order.empty()) {
        return;
    }
    focusFrame_ = true;
    if (const auto old = focusedBox()) {
        repaintBox(reaction, *old);
    }
    const int n = int(order.size());
    focus_ = ((focus_ % n) + step + n) % n;
    repaintBox(reaction, order[std::size_t(focus_)]);
    repaintCarry(reaction);
}

Reaction MovableWordsSession::reviewKeyPress(Qt::Key key) {
    Reaction reaction;
    switch (key) {
        case Qt::Key_PageDown:
            reaction = nextPage();
            reaction.leaveForward = !reaction.pageChanged;
            break;
        case Qt::Key_PageUp:
            reaction = previousPage();
            reaction.leaveBack = !reaction.pageChanged;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            reaction.pressShownButton = true;
            break;
        default:
            // Escape and the rest belong to the window: a review moves no word.
            return reaction;
    }
    reaction.handled = true;
    return reaction;
}

Reaction MovableWordsSession::keyPress(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    if (reviewing_) {
        return reviewKeyPress(key);
    }
    Reaction reaction;
    reaction.handled = true;
    if (key == Qt::Key_Tab && modifiers.testFlag(Qt::ShiftModifier)) {
        key = Qt::Key_Backtab;
    }
    switch (key) {
        case Qt::Key_Tab:
            moveFocus(reaction, 1);
            break;
        case Qt::Key_Backtab:
            moveFocus(reaction, -1);
            break;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
            showFocusFrame(reaction);
            if (const auto target = arrowTarget(key)) {
                focusOn(reaction, *target);
            }
            break;
        case Qt::Key_Space:
            // What Space acts on must show.
            showFocusFrame(reaction);
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
