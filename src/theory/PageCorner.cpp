// SPDX-License-Identifier: GPL-3.0-or-later
#include "theory/PageCorner.h"

#include <QMouseEvent>
#include <QPainter>

namespace lentora {

PageCorner::PageCorner(QWidget* parent, const QRect& geometry, const QString& hint)
    : QWidget(parent) {
    setGeometry(geometry);
    setToolTip(hint);
    setCursor(Qt::UpArrowCursor);
}

void PageCorner::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void PageCorner::paintEvent(QPaintEvent*) {
    if (!picture_.isNull()) {
        QPainter painter(this);
        painter.drawPixmap(0, 0, picture_);
    }
}

void PageCorner::mousePressEvent(QMouseEvent* event) {
    // Accepting the press makes the release, and with it the click, come here.
    event->setAccepted(event->button() == Qt::LeftButton);
}

void PageCorner::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

}  // namespace lentora
