#include "exercises/marked_words/MarkedWordsView.h"

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

void MarkedWordsView::setPage(Tokens* tokens, Paging* paging, bool crossOut, int boundHeight) {
    tokens_ = tokens;
    paging_ = paging;
    crossOut_ = crossOut;
    boundHeight_ = boundHeight;
    hovered_.reset();
    focused_.reset();
    laidOutPage_ = -1;
    layoutValid_ = false;
    update();
}

FontTextMetrics& MarkedWordsView::metrics() {
    if (!metrics_) {
        metrics_ = std::make_unique<FontTextMetrics>(font());
    }
    return *metrics_;
}

int MarkedWordsView::pageStart() const {
    if (!tokens_ || !paging_) {
        return -1;
    }
    return paging_->currentStart().value_or(-1);
}

void MarkedWordsView::relayout() {
    if (!tokens_ || !paging_) {
        return;
    }
    layout_ =
        layoutPage(*tokens_, pageStart(), width(), height(), boundHeight_, metrics(), crossOut_);
    layoutValid_ = true;
    if (laidOutPage_ != paging_->currentPage) {
        // A fresh page: the focus frame starts on its first markable word.
        laidOutPage_ = paging_->currentPage;
        hovered_.reset();
        focused_ = moveFocus(*tokens_, pageStart(), std::nullopt, FocusMove::Next);
    }
    emit pageLaidOut(paging_->finishLayout(layout_.nextStart));
}

void MarkedWordsView::repaintToken(int token) {
    if (tokens_ && token >= 0 && token < int(tokens_->size())) {
        update((*tokens_)[std::size_t(token)].rect().adjusted(-2, -2, 2, 2));
    }
}

bool MarkedWordsView::layoutKept() const {
    // Marks change no width, so a mark repaint draws from the last layout.
    return layoutValid_ && paging_ && laidOutPage_ == paging_->currentPage;
}

void MarkedWordsView::paintEvent(QPaintEvent* event) {
    guarded([&] {
        QPainter painter(this);
        const QRect dirty = event->rect();
        painter.fillRect(dirty, Qt::white);
        if (!layoutKept()) {
            relayout();
        }
        if (!tokens_) {
            return;
        }
        FontTextMetrics& measures = metrics();
        const QColor text = palette().color(QPalette::WindowText);
        painter.setPen(text);
        const int spaceWidth = measures.width(" ");
        for (const DrawItem& item : layout_.items) {
            const bool space = item.token < 0;
            const WordToken* token = space ? nullptr : &(*tokens_)[std::size_t(item.token)];
            const TextStyle style = styleFor(token && token->Marked, crossOut_);
            const QRect cell =
                token ? token->rect()
                      : QRect(item.left, item.top, spaceWidth, measures.lineHeight(style));
            // Glyphs may reach a pixel or two past their cell.
            if (!cell.adjusted(-2, -2, 2, 2).intersects(dirty)) {
                continue;
            }
            painter.setFont(measures.font(style));
            painter.drawText(item.left, item.top + measures.ascent(style),
                             space ? QStringLiteral(" ") : fromCp1257(token->Text));
        }
        if (focused_ && hasFocus()) {
            const QRect frame = (*tokens_)[std::size_t(*focused_)].rect().adjusted(-1, 0, 1, 0);
            QPen pen(text, 1, Qt::DotLine);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(frame.adjusted(0, 0, -1, -1));
        }
    });
}

void MarkedWordsView::mouseMoveEvent(QMouseEvent* event) {
    guarded([&] {
        if (!tokens_) {
            return;
        }
        const QPoint at = event->position().toPoint();
        hovered_ = markableAt(*tokens_, pageStart(), at.x(), at.y());
        if (hovered_) {
            setCursor(Qt::UpArrowCursor);
        } else {
            unsetCursor();
        }
    });
}

void MarkedWordsView::mousePressEvent(QMouseEvent* event) {
    guarded([&] {
        if (event->button() == Qt::LeftButton && hovered_) {
            moveFocusTo(hovered_);
            emit toggleRequested(*hovered_);
        }
    });
}

void MarkedWordsView::moveFocusTo(std::optional<int> token) {
    if (token == focused_) {
        return;
    }
    if (focused_) {
        repaintToken(*focused_);
    }
    focused_ = token;
    if (focused_) {
        repaintToken(*focused_);
    }
}

void MarkedWordsView::keyPressEvent(QKeyEvent* event) {
    guarded([&] {
        if (!tokens_) {
            QWidget::keyPressEvent(event);
            return;
        }
        auto move = [&](FocusMove direction) {
            moveFocusTo(moveFocus(*tokens_, pageStart(), focused_, direction));
        };
        switch (event->key()) {
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
                    emit toggleRequested(*focused_);
                }
                break;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                emit pressButtonRequested();
                break;
            case Qt::Key_PageDown:
                emit nextPageRequested();
                break;
            default:
                QWidget::keyPressEvent(event);
        }
    });
}

bool MarkedWordsView::focusNextPrevChild(bool) {
    // Tab moves between words, never out of the text.
    return false;
}

void MarkedWordsView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        metrics_.reset();
        layoutValid_ = false;
    }
    QWidget::changeEvent(event);
}

void MarkedWordsView::resizeEvent(QResizeEvent* event) {
    layoutValid_ = false;
    QWidget::resizeEvent(event);
}

}  // namespace lentora::marked_words
