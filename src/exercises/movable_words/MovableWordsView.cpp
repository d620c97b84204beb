#include "exercises/movable_words/MovableWordsView.h"

#include "platform/CodePage1257.h"
#include "platform/Error.h"
#include "platform/FontTextMetrics.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace lentora {

using movable_words::BoxRef;

namespace {

constexpr int kFocusMargin = 3;
const QPoint kCarryOffset(12, 10);  // keeps the carried word off the pointer's hot spot

}  // namespace

MovableWordsView::MovableWordsView(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

MovableWordsView::~MovableWordsView() = default;

void MovableWordsView::setExercise(std::vector<movable_words::SentenceToken> tokens,
                                   movable_words::Exercise* exercise, const QFont& font,
                                   const QColor& color, int boxWidth) {
    tokens_ = std::move(tokens);
    exercise_ = exercise;
    font_ = font;
    color_ = color;
    boxWidth_ = boxWidth;
    metrics_ = std::make_unique<FontTextMetrics>(font);
    page_ = 0;
    start_ = {};
    carry_ = Carry::None;
    focus_ = 0;
    relayout();
}

void MovableWordsView::setBackground(const QImage& picture) {
    background_ = picture;
    scaledBackground_ = QPixmap();
    update();
}

void MovableWordsView::setRowsBottom(int y) {
    rowsBottom_ = std::max(0, y);
    relayout();
}

void MovableWordsView::relayout() {
    if (exercise_ == nullptr || !metrics_) {
        return;
    }
    const int bottom = rowsBottom_ > 0 ? std::min(height(), rowsBottom_) : height();
    const movable_words::PageGeometry geometry{width(), bottom, boxWidth_, metrics_->lineHeight()};
    layout_ = movable_words::layOutPage(tokens_, *exercise_, start_, geometry, *metrics_);
    update();
    emit pageLaidOut(layout_.hasNextPage);
}

bool MovableWordsView::nextPage() {
    if (!layout_.hasNextPage) {
        return false;
    }
    putBack();
    ++page_;
    start_ = layout_.next;
    focus_ = 0;
    relayout();
    return true;
}

std::optional<BoxRef> MovableWordsView::carried() const {
    if (carry_ == Carry::None) {
        return std::nullopt;
    }
    return source_;
}

std::optional<BoxRef> MovableWordsView::focusedBox() const {
    const std::vector<BoxRef> order = layout_.focusOrder();
    if (order.empty()) {
        return std::nullopt;
    }
    return order[std::size_t(focus_) % order.size()];
}

bool MovableWordsView::event(QEvent* event) {
    // Tab walks the boxes instead of leaving the view.
    if (event->type() == QEvent::KeyPress) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (keyEvent->key() == Qt::Key_Tab || keyEvent->key() == Qt::Key_Backtab) {
            guarded([&] { key(keyEvent->key()); });
            return true;
        }
    }
    return QWidget::event(event);
}

void MovableWordsView::resizeEvent(QResizeEvent*) {
    guarded([this] { relayout(); });
}

void MovableWordsView::paintBox(QPainter& painter, const QRect& box, const QByteArray& word,
                                bool lifted) {
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    if (word.isEmpty()) {
        return;
    }
    painter.setPen(lifted ? QColor(Qt::gray) : color_);
    painter.save();
    painter.setClipRect(box.adjusted(1, 1, -1, -1), Qt::IntersectClip);
    painter.drawText(box.topLeft() + QPoint(4, movable_words::kPad + metrics_->ascent()),
                     fromCp1257(word));
    painter.restore();
}

void MovableWordsView::paintEvent(QPaintEvent* event) {
    guarded([&] {
        QPainter painter(this);
        painter.setClipRegion(event->region());
        if (background_.isNull()) {
            painter.fillRect(rect(), Qt::white);
        } else {
            // Stretched once per size, not on every paint.
            if (scaledBackground_.size() != size()) {
                scaledBackground_ = QPixmap::fromImage(
                    background_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            }
            painter.drawPixmap(0, 0, scaledBackground_);
        }
        if (exercise_ == nullptr) {
            return;
        }
        QFont underlined = font_;
        underlined.setUnderline(true);
        const int ascent = metrics_->ascent();
        const QRect dirty = event->rect();
        const std::optional<BoxRef> lifted = carried();
        for (const movable_words::LaidOutRow& row : layout_.rows) {
            // A drag repaints a box or two: rows outside that strip cost nothing.
            const QRect band(0, row.gapBox.top() - kFocusMargin, width(),
                             row.gapBox.height() + 2 * kFocusMargin);
            if (!dirty.intersects(band)) {
                continue;
            }
            if (row.frame) {
                painter.setPen(Qt::black);
                painter.setBrush(Qt::white);
                painter.drawRect(row.frame->adjusted(0, 0, -1, -1));
            }
            painter.setPen(color_);
            for (const movable_words::DrawnText& text : row.texts) {
                // A space token only advances the pen; spaces are never underlined.
                if (text.text == " ") {
                    continue;
                }
                painter.setFont(text.underlined ? underlined : font_);
                painter.drawText(text.at + QPoint(0, ascent), fromCp1257(text.text));
            }
            painter.setFont(font_);
            const BoxRef gap{BoxRef::Gap, row.slot};
            paintBox(painter, row.gapBox, exercise_->wordIn(gap), lifted == gap);
            if (row.poolBox) {
                const BoxRef pool{BoxRef::Pool, row.slot};
                paintBox(painter, *row.poolBox, exercise_->wordIn(pool), lifted == pool);
            }
        }
        painter.setFont(font_);
        for (std::size_t i = 0; i < layout_.poolColumn.size(); ++i) {
            const BoxRef pool{BoxRef::Pool, int(i)};
            paintBox(painter, layout_.poolColumn[i], exercise_->wordIn(pool), false);
        }
        if (hasFocus()) {
            if (const auto box = focusedBox()) {
                if (const auto area = layout_.boxRect(*box)) {
                    painter.setPen(QPen(QColor(0, 90, 200), 2, Qt::DotLine));
                    painter.setBrush(Qt::NoBrush);
                    painter.drawRect(area->adjusted(-2, -2, 1, 1));
                }
            }
        }
        if (lifted) {
            // Opaque: the words beneath would show through the carried one.
            const QRect area = carryRect();
            paintBox(painter, area, exercise_->wordIn(*lifted), false);
        }
    });
}

QRect MovableWordsView::carryRect() const {
    const int boxHeight = metrics_ ? metrics_->lineHeight() + 2 * movable_words::kPad : 0;
    QRect area(pointer_ + kCarryOffset, QSize(boxWidth_, boxHeight));
    if (carry_ == Carry::Keyboard) {
        // Beside the focus frame, just below it.
        if (const auto box = focusedBox()) {
            if (const auto focused = layout_.boxRect(*box)) {
                area = QRect(focused->topLeft() + QPoint(kCarryOffset.x(), boxHeight - 2),
                             focused->size());
            }
        }
    }
    // Kept whole inside the view: the pool boxes stand at its right edge.
    area.moveLeft(std::clamp(area.left(), 0, std::max(0, width() - area.width())));
    area.moveTop(std::clamp(area.top(), 0, std::max(0, height() - area.height())));
    return area;
}

void MovableWordsView::updateCarryImage() {
    update(shownCarry_);
    shownCarry_ = carry_ == Carry::None ? QRect() : carryRect();
    update(shownCarry_);
}

void MovableWordsView::updateBox(BoxRef box) {
    if (const auto area = layout_.boxRect(box)) {
        update(area->adjusted(-kFocusMargin, -kFocusMargin, kFocusMargin, kFocusMargin));
    }
}

void MovableWordsView::updateCursor() {
    if (carry_ == Carry::None || exercise_ == nullptr) {
        unsetCursor();
        return;
    }
    const std::optional<BoxRef> target = layout_.hit(pointer_);
    const bool accepts = target && exercise_->accepts(source_, *target);
    setCursor(accepts ? Qt::ClosedHandCursor : Qt::ForbiddenCursor);
}

void MovableWordsView::putBack() {
    if (carry_ == Carry::None) {
        return;
    }
    carry_ = Carry::None;
    updateBox(source_);
    updateCarryImage();
    updateCursor();
}

void MovableWordsView::dropOn(std::optional<BoxRef> target) {
    if (carry_ == Carry::None || exercise_ == nullptr) {
        return;
    }
    const BoxRef source = source_;
    if (target && exercise_->drop(source, *target)) {
        carry_ = Carry::None;
        // Only the two boxes involved change.
        updateBox(*target);
        updateBox(source);
        updateCarryImage();
        updateCursor();
        return;
    }
    putBack();
}

void MovableWordsView::mousePressEvent(QMouseEvent* event) {
    guarded([&] { pressAt(event->button(), event->position().toPoint()); });
}

void MovableWordsView::mouseMoveEvent(QMouseEvent* event) {
    guarded([&] { moveTo(event->position().toPoint()); });
}

void MovableWordsView::mouseReleaseEvent(QMouseEvent* event) {
    guarded([&] { releaseAt(event->button(), event->position().toPoint()); });
}

void MovableWordsView::contextMenuEvent(QContextMenuEvent* event) {
    // A right click that put a carried word back opens no menu.
    if (swallowContextMenu_) {
        swallowContextMenu_ = false;
        event->accept();
        return;
    }
    event->ignore();
}

void MovableWordsView::pressAt(Qt::MouseButton button, QPoint point) {
    if (exercise_ == nullptr) {
        return;
    }
    pointer_ = point;
    if (button != Qt::LeftButton) {
        swallowContextMenu_ = carry_ != Carry::None;
        putBack();
        return;
    }
    if (carry_ == Carry::Picked || carry_ == Carry::Keyboard) {
        dropOn(layout_.hit(point));
        return;
    }
    const std::optional<BoxRef> box = layout_.hit(point);
    if (!box || exercise_->wordIn(*box).isEmpty()) {
        putBack();
        return;
    }
    const std::optional<BoxRef> oldFocus = focusedBox();
    const std::vector<BoxRef> order = layout_.focusOrder();
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i] == *box) {
            focus_ = int(i);
        }
    }
    if (oldFocus) {
        updateBox(*oldFocus);
    }
    carry_ = Carry::Pressed;
    source_ = *box;
    pressPoint_ = point;
    updateBox(source_);
    updateCarryImage();
    updateCursor();
}

void MovableWordsView::moveTo(QPoint point) {
    pointer_ = point;
    if (carry_ == Carry::None || carry_ == Carry::Keyboard) {
        return;
    }
    if (carry_ == Carry::Pressed &&
        (point - pressPoint_).manhattanLength() >= QApplication::startDragDistance()) {
        carry_ = Carry::Dragging;
    }
    updateCarryImage();
    updateCursor();
}

void MovableWordsView::releaseAt(Qt::MouseButton button, QPoint point) {
    pointer_ = point;
    if (button != Qt::LeftButton) {
        return;
    }
    if (carry_ == Carry::Pressed) {
        // A click without moving picks the word up; the next click puts it down.
        carry_ = Carry::Picked;
    } else if (carry_ == Carry::Dragging) {
        dropOn(layout_.hit(point));
    }
}

void MovableWordsView::keyPressEvent(QKeyEvent* event) {
    bool handled = false;
    guarded([&] { handled = key(event->key()); });
    if (!handled) {
        QWidget::keyPressEvent(event);
    }
}

void MovableWordsView::moveFocus(int step) {
    const std::vector<BoxRef> order = layout_.focusOrder();
    if (order.empty()) {
        return;
    }
    if (const auto old = focusedBox()) {
        updateBox(*old);
    }
    const int n = int(order.size());
    focus_ = ((focus_ % n) + step + n) % n;
    updateBox(order[std::size_t(focus_)]);
    updateCarryImage();
}

bool MovableWordsView::key(int key) {
    switch (key) {
        case Qt::Key_Tab:
        case Qt::Key_Down:
        case Qt::Key_Right:
            moveFocus(1);
            return true;
        case Qt::Key_Backtab:
        case Qt::Key_Up:
        case Qt::Key_Left:
            moveFocus(-1);
            return true;
        case Qt::Key_Space:
            if (exercise_ == nullptr) {
                return true;
            }
            if (carry_ != Carry::None) {
                dropOn(focusedBox());
            } else if (const auto box = focusedBox(); box && !exercise_->wordIn(*box).isEmpty()) {
                carry_ = Carry::Keyboard;
                source_ = *box;
                updateBox(source_);
                updateCarryImage();
            }
            return true;
        case Qt::Key_Escape:
            putBack();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit buttonRequested();
            return true;
        case Qt::Key_PageDown:
            nextPage();
            return true;
        default:
            return false;
    }
}

}  // namespace lentora
