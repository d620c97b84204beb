// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/TPictureButton.h"

#include "platform/Error.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

#include <utility>

namespace lentora {

using picture_button::Picture;
using picture_button::State;

namespace {

constexpr int kMaxCaptionLength = 255;

}  // namespace

TPictureButton::TPictureButton(QWidget* parent) : QWidget(parent) {
    setGeometry(0, 0, 50, 50);
    // Hover changes the picture, so moves matter without a button held.
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void TPictureButton::assign(OwnedPicture& owned, const QImage& picture) {
    owned.image = picture;
    owned.drawable = picture.isNull() ? QImage()
                                      : picture_button::withTransparency(
                                            picture, picture_button::transparentColorOf(picture));
}

void TPictureButton::setBitmapUp(const QImage& picture) {
    assign(up_, picture);
    upChanged();
}

void TPictureButton::setBitmapOver(const QImage& picture) {
    assign(over_, picture);
    overChanged();
}

void TPictureButton::setBitmapDown(const QImage& picture) {
    assign(down_, picture);
    update();
}

void TPictureButton::setBitmapDisabled(const QImage& picture) {
    assign(disabled_, picture);
    update();
}

void TPictureButton::upChanged() {
    setBounds(x(), y(), width(), height());
    // An empty up picture gives an empty mask: no point is a hit any more.
    transparentColor_ = picture_button::transparentColorOf(up_.image);
    mask_ = picture_button::HitMask(up_.image, transparentColor_);
    update();
}

void TPictureButton::overChanged() {
    if (up_.image.isNull() && !over_.image.isNull()) {
        setGeometry(QRect(pos(), picture_button::logicalSize(over_.image)));
        transparentColor_ = picture_button::transparentColorOf(over_.image);
        mask_ = picture_button::HitMask(over_.image, transparentColor_);
    }
    update();
}

void TPictureButton::setCaption(const QString& caption) {
    caption_ = caption;
    // The caption's accelerator character (after '&') clicks an enabled button.
    delete accelerator_;
    accelerator_ = nullptr;
    const QKeySequence key = QKeySequence::mnemonic(caption_.left(kMaxCaptionLength));
    if (!key.isEmpty()) {
        accelerator_ = new QShortcut(key, this);
        accelerator_->setAutoRepeat(false);
        connect(accelerator_, &QShortcut::activated, this, [this] {
            if (logic_.enabled()) {
                emit OnClick();
            }
        });
    }
    update();
}

void TPictureButton::setButtonEnabled(bool enabled) {
    if (logic_.setEnabled(enabled)) {
        update();
    }
}

void TPictureButton::setBounds(int left, int top, int width, int height) {
    if (!up_.image.isNull()) {
        const QSize size = picture_button::logicalSize(up_.image);
        width = size.width();
        height = size.height();
    }
    setGeometry(left, top, width, height);
}

bool TPictureButton::HitTest(QPoint point) const {
    return picture_button::hitTest(mask_, point);
}

Picture TPictureButton::currentPicture() const {
    return picture_button::choosePicture(logic_.state(), logic_.over(), !down_.image.isNull(),
                                         !over_.image.isNull(), !disabled_.image.isNull());
}

const TPictureButton::OwnedPicture& TPictureButton::picture(Picture which) const {
    switch (which) {
        case Picture::Down:
            return down_;
        case Picture::Over:
            return over_;
        case Picture::Disabled:
            return disabled_;
        case Picture::Up:
            break;
    }
    return up_;
}

void TPictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Only opaque pixels are drawn, so the parent shows through the transparent ones.
    const OwnedPicture& chosen = picture(currentPicture());
    if (!chosen.drawable.isNull()) {
        painter.drawImage(QPoint(0, 0), chosen.drawable);
    }
    if (!caption_.isEmpty()) {
        QRect area = rect();
        if (logic_.state() == State::Down) {
            area.translate(1, 1);
        }
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
                         caption_.left(kMaxCaptionLength));
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

bool TPictureButton::takesPresses() const {
    return !shown_.isValid() || shown_.elapsed() >= QApplication::doubleClickInterval();
}

bool TPictureButton::clickByKey(const QKeyEvent& event) {
    if (event.isAutoRepeat() || !logic_.enabled()) {
        return false;
    }
    emit OnClick();
    return true;
}

void TPictureButton::mousePressEvent(QMouseEvent* event) {
    if (!takesPresses()) {
        ignoringPress_ = true;
        return;
    }
    const QPoint point = event->position().toPoint();
    emit OnMouseDown(event->button(), event->modifiers(), point.x(), point.y());
    if (logic_.press(event->button() == Qt::LeftButton, HitTest(point))) {
        repaint();
    }
}

void TPictureButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is one more press.
    mousePressEvent(event);
}

void TPictureButton::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    emit OnMouseMove(event->modifiers(), point.x(), point.y());
    if (logic_.moveTo(HitTest(point))) {
        update();
    }
}

void TPictureButton::mouseReleaseEvent(QMouseEvent* event) {
    if (std::exchange(ignoringPress_, false)) {
        return;
    }
    const QPoint point = event->position().toPoint();
    emit OnMouseUp(event->button(), event->modifiers(), point.x(), point.y());
    const auto result = logic_.release(HitTest(point));
    if (result.redraw) {
        repaint();
    }
    if (result.click) {
        emit OnClick();
    }
}

void TPictureButton::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (logic_.leave()) {
        update();
    }
}

void TPictureButton::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        update();
    }
}

void TPictureButton::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Sent when the button or its window is shown.
    shown_.start();
    ignoringPress_ = false;
}

void TPictureButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        clickByKey(*event);
        return;
    }
    QWidget::keyPressEvent(event);
}

void TPictureButton::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void TPictureButton::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

}  // namespace lentora
