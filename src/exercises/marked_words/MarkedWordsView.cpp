// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/marked_words/MarkedWordsView.h"

#include "exercises/marked_words/MarkedWordsResult.h"
#include "platform/CodePage1257.h"
#include "platform/Error.h"
#include "platform/FontTextMetrics.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace lentora::marked_words {

MarkedWordsView::MarkedWordsView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

MarkedWordsView::~MarkedWordsView() = default;

void MarkedWordsView::setSession(MarkedWordsSession* session) {
    session_ = session;
    layOutAgain();
}

void MarkedWordsView::layOutAgain() {
    if (session_ == nullptr) {
        return;
    }
    session_->setArea(size(), std::make_unique<FontTextMetrics>(font()));
    Reaction reaction;
    reaction.pageChanged = true;
    apply(reaction);
}

void MarkedWordsView::turnPage() {
    if (session_ != nullptr) {
        apply(session_->turnPage());
    }
}

void MarkedWordsView::turnBack() {
    if (session_ != nullptr) {
        apply(session_->turnBack());
    }
}

MarkedWordsView::TokenLook MarkedWordsView::lookOf(int token) const {
    TokenLook look{palette().color(QPalette::WindowText), false};
    if (session_ == nullptr || !session_->reviewing() || token < 0 ||
        token >= int(session_->tokens().size())) {
        return look;
    }
    auto colour = [](Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); };
    switch (tokenMark(session_->tokens()[std::size_t(token)])) {
        case TokenMark::MarkedTarget:
            look.text = colour(kMarkedWords.reviewRight);
            break;
        case TokenMark::WrongMark:
            look.text = colour(kMarkedWords.reviewWrong);
            break;
        case TokenMark::MissedTarget:
            look.outlined = true;
            break;
        case TokenMark::Plain:
            break;
    }
    return look;
}

FontTextMetrics& MarkedWordsView::metrics() {
    // The session measured this font already: painting reuses its measures.
    if (session_ != nullptr) {
        if (auto* shared = dynamic_cast<FontTextMetrics*>(session_->metrics())) {
            return *shared;
        }
    }
    if (!metrics_) {
        metrics_ = std::make_unique<FontTextMetrics>(font());
    }
    return *metrics_;
}

void MarkedWordsView::apply(const Reaction& reaction) {
    if (reaction.pageChanged) {
        update();
        emit pageLaidOut(session_->hasNextPage());
    } else {
        for (const QRect& area : reaction.repaint) {
            update(area);
        }
    }
    if (session_->hovered()) {
        setCursor(Qt::UpArrowCursor);
    } else {
        unsetCursor();
    }
    if (reaction.markSound) {
        emit marked(*reaction.markSound);
    }
    if (reaction.pressShownButton) {
        emit pressShownButton();
    }
    if (reaction.leave != Reaction::Leave::None) {
        emit leaveReview(reaction.leave == Reaction::Leave::Next);
    }
}

void MarkedWordsView::paintEvent(QPaintEvent* event) {
    guarded([&] {
        QPainter painter(this);
        const QRect dirty = event->rect();
        painter.fillRect(dirty, Qt::white);
        if (session_ == nullptr) {
            return;
        }
        const Tokens& tokens = session_->tokens();
        FontTextMetrics& measures = metrics();
        const QColor text = palette().color(QPalette::WindowText);
        painter.setPen(text);
        const int spaceWidth = measures.width(" ");
        for (const DrawItem& item : session_->pageLayout().items) {
            const bool space = item.token < 0;
            const WordToken* token = space ? nullptr : &tokens[std::size_t(item.token)];
            const TextStyle style = styleFor(token && token->Marked, session_->crossOut());
            const QRect cell =
                token ? token->rect()
                      : QRect(item.left, item.top, spaceWidth, measures.lineHeight(style));
            // Glyphs may reach a pixel or two past their cell.
            if (!cell.adjusted(-2, -2, 2, 2).intersects(dirty)) {
                continue;
            }
            const TokenLook look = space ? TokenLook{text, false} : lookOf(item.token);
            painter.setPen(look.text);
            painter.setFont(measures.font(style));
            painter.drawText(item.left, item.top + measures.ascent(style),
                             space ? QStringLiteral(" ") : fromCp1257(token->Text));
            if (look.outlined) {
                painter.setBrush(Qt::NoBrush);
                painter.setPen(QColor(kMarkedWords.reviewWrong.red, kMarkedWords.reviewWrong.green,
                                      kMarkedWords.reviewWrong.blue));
                painter.drawRect(token->rect().adjusted(-1, 0, 0, -1));
            }
        }
        if (const auto focused = session_->focused();
            focused && session_->focusFrameShown() && hasFocus()) {
            const QRect frame = tokens[std::size_t(*focused)].rect().adjusted(-1, 0, 1, 0);
            QPen pen(text, 1, Qt::DotLine);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(frame.adjusted(0, 0, -1, -1));
        }
    });
}

void MarkedWordsView::mouseMoveEvent(QMouseEvent* event) {
    guarded([&] {
        if (session_ != nullptr) {
            apply(session_->moveTo(event->position().toPoint()));
        }
    });
}

void MarkedWordsView::mousePressEvent(QMouseEvent* event) {
    guarded([&] {
        if (session_ != nullptr) {
            apply(session_->pressAt(event->position().toPoint(), event->button()));
        }
    });
}

void MarkedWordsView::keyPressEvent(QKeyEvent* event) {
    bool handled = false;
    guarded([&] {
        if (session_ != nullptr) {
            Reaction reaction = session_->keyPress(Qt::Key(event->key()), event->modifiers());
            // A held key never presses the button: it would leave exercises the learner has
            // not seen.
            reaction.pressShownButton = reaction.pressShownButton && !event->isAutoRepeat();
            // Nor does it leave a review, which would run through every exercise after it.
            if (event->isAutoRepeat()) {
                reaction.leave = Reaction::Leave::None;
            }
            handled = reaction.handled;
            apply(reaction);
        }
    });
    if (!handled) {
        QWidget::keyPressEvent(event);
    }
}

bool MarkedWordsView::focusNextPrevChild(bool next) {
    // Tab moves between words, never out of the text.
    guarded([&] {
        if (session_ != nullptr) {
            apply(session_->keyPress(next ? Qt::Key_Tab : Qt::Key_Backtab));
        }
    });
    return true;
}

void MarkedWordsView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        metrics_.reset();
        guarded([this] { layOutAgain(); });
    }
}

void MarkedWordsView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    guarded([this] {
        if (session_ != nullptr && session_->setSize(size())) {
            Reaction reaction;
            reaction.pageChanged = true;
            apply(reaction);
        }
    });
}

}  // namespace lentora::marked_words
