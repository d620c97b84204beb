// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BevelPanel.h"

#include <qdrawutil.h>
#include <QPainter>

namespace lentora {

BevelPanel::BevelPanel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
}

void BevelPanel::setBevels(Bevel outer, Bevel inner) {
    outer_ = outer;
    inner_ = inner;
    update();
}

void BevelPanel::setText(const QString& text) {
    text_ = text;
    update();
}

void BevelPanel::setTextAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void BevelPanel::setTextColor(const QColor& color) {
    textColor_ = color;
    update();
}

void BevelPanel::setBackground(const QColor& color) {
    QPalette colours = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setColor(group, QPalette::Window, color);
    }
    setPalette(colours);
}

void BevelPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect area = rect();
    // Light above and left, shadow below and right for a raised bevel; the other way round
    // for a lowered one.
    const QPalette colours = palette();
    for (Bevel bevel : {outer_, inner_}) {
        if (bevel == Bevel::None) {
            continue;
        }
        qDrawShadePanel(&painter, area, colours, bevel == Bevel::Lowered, 1);
        area.adjust(1, 1, -1, -1);
    }
    if (!text_.isEmpty()) {
        painter.setPen(textColor_);
        painter.setFont(font());
        painter.drawText(area.adjusted(1, 0, -1, 0), int(alignment_ | Qt::AlignVCenter), text_);
    }
}

}  // namespace lentora
