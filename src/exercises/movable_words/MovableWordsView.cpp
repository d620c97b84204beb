// SPDX-License-Identifier: GPL-3.0-or-later
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

namespace lentora {

using movable_words::BoxRef;
using movable_words::kMovableWords;
using movable_words::MovableWordsSession;

MovableWordsView::MovableWordsView(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

MovableWordsView::~MovableWordsView() = default;

void MovableWordsView::setSession(MovableWordsSession* session, const QFont& font,
                                  const QColor& color) {
    session_ = session;
    font_ = font;
    color_ = color;
    // The session measures this font already: its ascent needs no second measurer.
    if (auto* shared = dynamic_cast<FontTextMetrics*>(&session->metrics())) {
        ascent_ = shared->ascent();
    } else {
        ascent_ = FontTextMetrics(font).ascent();
    }
    session_->setDragDistance(QApplication::startDragDistance());
    movable_words::Reaction reaction;
    reaction.pageChanged = true;
    apply(reaction);
}

void MovableWordsView::setBackground(const QImage& picture) {
    background_ = picture;
    scaledBackground_ = QPixmap();
    update();
}

void MovableWordsView::nextPage() {
    if (session_ != nullptr) {
        apply(session_->nextPage());
    }
}

void MovableWordsView::setSummary(const QString& text) {
    summary_ = text;
    update();
}

void MovableWordsView::apply(const movable_words::Reaction& reaction) {
    if (reaction.pageChanged) {
        update();
        emit pageLaidOut(session_->hasNextPage());
    } else {
        for (const QRect& area : reaction.repaint) {
            update(area);
        }
    }
    switch (session_->pointer()) {
        case MovableWordsSession::Pointer::Plain:
            unsetCursor();
            break;
        case MovableWordsSession::Pointer::Accepts:
            setCursor(Qt::ClosedHandCursor);
            break;
        case MovableWordsSession::Pointer::Refuses:
            setCursor(Qt::ForbiddenCursor);
            break;
    }
    if (reaction.swallowContextMenu) {
        swallowContextMenu_ = true;
    }
    if (reaction.pressShownButton) {
        emit pressShownButton();
    }
    if (reaction.leaveForward) {
        emit leaveForward();
    }
    if (reaction.leaveBack) {
        emit leaveBack();
    }
}

void MovableWordsView::paintBox(QPainter& painter, const QRect& box, const QByteArray& word,
                                bool lifted, const QColor& wordColor) {
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    if (word.isEmpty()) {
        return;
    }
    painter.setPen(lifted ? QColor(Qt::gray) : wordColor);
    painter.save();
    painter.setClipRect(box.adjusted(1, 1, -1, -1), Qt::IntersectClip);
    painter.drawText(box.topLeft() + QPoint(kMovableWords.boxTextLeft, kMovableWords.pad + ascent_),
                     fromCp1257(word));
    painter.restore();
}

void MovableWordsView::paintReviewMarks(QPainter& painter, const movable_words::LaidOutRow& row) {
    const bool right = row.mark == movable_words::Mark::Right;
    const QColor mark(QRgb(right ? kMovableWords.rightColour : kMovableWords.wrongColour));
    painter.setPen(QPen(mark, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(row.gapBox.adjusted(1, 1, -1, -1));
    if (!row.rightWord) {
        return;
    }
    const QColor rightColour(QRgb(kMovableWords.rightColour));
    const movable_words::RightWord& word = *row.rightWord;
    // A frame of its own, on white: the right word never looks like one placed.
    painter.setPen(rightColour);
    painter.setBrush(word.ownLine ? QBrush(Qt::white) : QBrush(Qt::NoBrush));
    painter.drawRect(word.cell.adjusted(0, 0, -1, -1));
    const movable_words::WordSlot& slot = session_->exercise().wordSlots()[std::size_t(row.slot)];
    painter.save();
    painter.setClipRect(word.cell.adjusted(1, 1, -1, -1), Qt::IntersectClip);
    painter.drawText(word.at + QPoint(0, ascent_), fromCp1257(slot.answer));
    painter.restore();
}

void MovableWordsView::paintSummary(QPainter& painter) {
    const int pad = kMovableWords.pad;
    const int inset = kMovableWords.boxTextLeft;
    const int left = kMovableWords.spacing / 2;
    const int textWidth = session_->metrics().width(toCp1257(summary_));
    const QRect box(left, kMovableWords.topMargin - pad,
                    std::min(textWidth + 2 * inset, std::max(0, width() - 2 * left)),
                    session_->geometry().boxHeight());
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.save();
    painter.setClipRect(box.adjusted(1, 1, -1, -1), Qt::IntersectClip);
    painter.setPen(color_);
    painter.drawText(box.topLeft() + QPoint(inset, pad + ascent_), summary_);
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
        if (session_ == nullptr) {
            return;
        }
        const movable_words::Exercise& exercise = session_->exercise();
        const movable_words::PageLayout& layout = session_->pageLayout();
        QFont underlined = font_;
        underlined.setUnderline(true);
        const int ascent = ascent_;
        const int margin = kMovableWords.focusMargin;
        const QRect dirty = event->rect();
        const std::optional<BoxRef> lifted = session_->carried();
        const bool reviewing = session_->reviewing();
        if (reviewing && !summary_.isEmpty()) {
            painter.setFont(font_);
            paintSummary(painter);
        }
        // Only the shown page's rows; a drag repaints a box or two, so rows outside that strip
        // cost nothing.
        for (const movable_words::LaidOutRow& row : layout.rows) {
            QRect band(0, row.gapBox.top() - margin, width(), row.gapBox.height() + 2 * margin);
            if (row.rightWord) {
                band |= row.rightWord->cell;
            }
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
            QColor gapColor = color_;
            if (row.mark != movable_words::Mark::None) {
                gapColor = QColor(QRgb(row.mark == movable_words::Mark::Right
                                           ? kMovableWords.rightColour
                                           : kMovableWords.wrongColour));
            }
            paintBox(painter, row.gapBox, exercise.wordIn(gap), lifted == gap, gapColor);
            if (row.poolBox) {
                const BoxRef pool{BoxRef::Pool, row.slot};
                paintBox(painter, *row.poolBox, exercise.wordIn(pool), lifted == pool, color_);
            }
            if (row.mark != movable_words::Mark::None) {
                paintReviewMarks(painter, row);
            }
        }
        painter.setFont(font_);
        for (std::size_t i = 0; i < layout.poolColumn.size(); ++i) {
            if (!dirty.intersects(layout.poolColumn[i])) {
                continue;
            }
            const BoxRef pool{BoxRef::Pool, int(i)};
            paintBox(painter, layout.poolColumn[i], exercise.wordIn(pool), false, color_);
        }
        if (hasFocus() && session_->showsFocusFrame()) {
            if (const auto box = session_->focusedBox()) {
                if (const auto area = layout.boxRect(*box)) {
                    painter.setPen(QPen(QColor(0, 90, 200), 2, Qt::DotLine));
                    painter.setBrush(Qt::NoBrush);
                    painter.drawRect(area->adjusted(-2, -2, 1, 1));
                }
            }
        }
        if (lifted) {
            // Opaque: the words beneath would show through the carried one.
            paintBox(painter, session_->carryRect(), exercise.wordIn(*lifted), false, color_);
        }
    });
}

void MovableWordsView::mousePressEvent(QMouseEvent* event) {
    guarded([&] {
        if (session_ != nullptr) {
            apply(session_->pressAt(event->position().toPoint(), event->button()));
        }
    });
}

void MovableWordsView::mouseMoveEvent(QMouseEvent* event) {
    guarded([&] {
        if (session_ != nullptr) {
            apply(session_->moveTo(event->position().toPoint()));
        }
    });
}

void MovableWordsView::mouseReleaseEvent(QMouseEvent* event) {
    guarded([&] {
        if (session_ != nullptr) {
            apply(session_->releaseAt(event->position().toPoint(), event->button()));
        }
    });
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

void MovableWordsView::keyPressEvent(QKeyEvent* event) {
    bool handled = false;
    guarded([&] {
        if (session_ != nullptr) {
            movable_words::Reaction reaction =
                session_->keyPress(Qt::Key(event->key()), event->modifiers());
            // A held key never presses the button nor leaves a review: it would leave
            // exercises the learner has not seen.
            if (event->isAutoRepeat()) {
                reaction.pressShownButton = false;
                reaction.leaveForward = false;
                reaction.leaveBack = false;
            }
            handled = reaction.handled;
            apply(reaction);
        }
    });
    if (!handled) {
        QWidget::keyPressEvent(event);
    }
}

bool MovableWordsView::focusNextPrevChild(bool next) {
    // Tab walks the boxes instead of leaving the view.
    guarded([&] {
        if (session_ != nullptr) {
            apply(session_->keyPress(next ? Qt::Key_Tab : Qt::Key_Backtab));
        }
    });
    return true;
}

}  // namespace lentora
