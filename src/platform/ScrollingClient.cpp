// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ScrollingClient.h"

#include "platform/WindowPlacement.h"

#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace lentora {

QSize scrollViewportSize(QSize content, QSize visible, int scrollBarExtent) {
    bool horizontal = content.width() > visible.width();
    bool vertical = content.height() > visible.height();
    // One scroll bar can make the other needed.
    vertical = vertical || (horizontal && content.height() > visible.height() - scrollBarExtent);
    horizontal = horizontal || (vertical && content.width() > visible.width() - scrollBarExtent);
    return {std::max(0, visible.width() - (vertical ? scrollBarExtent : 0)),
            std::max(0, visible.height() - (horizontal ? scrollBarExtent : 0))};
}

ScrollingClient::ScrollingClient(QWidget* window) : QScrollArea(window) {
    setFrameShape(QFrame::NoFrame);
    // Not a stop of its own on the Tab chain; focusing a control inside scrolls it into sight.
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    auto* holder = new QWidget;
    holder->setAutoFillBackground(false);
    setWidget(holder);
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

QSize ScrollingClient::fit(QSize contentSize) {
    QWidget* window = parentWidget();
    const QSize client = clientSizeOnScreen(window, contentSize);
    window->setFixedSize(client);
    setGeometry(0, 0, client.width(), client.height());
    widget()->resize(contentSize);
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return scrollViewportSize(contentSize, client, extent);
}

}  // namespace lentora
