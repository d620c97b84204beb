// SPDX-License-Identifier: GPL-3.0-or-later
#include "theory/PaintBox.h"

#include <QPainter>

namespace lentora {

PaintBox::PaintBox(QWidget* parent, Painter painter)
    : QWidget(parent), painter_(std::move(painter)) {
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
}

void PaintBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (painter_) {
        painter_(painter);
    }
}

}  // namespace lentora
