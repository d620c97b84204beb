// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScrollArea>
#include <QSize>

namespace lentora {

// The part of the content that a scroll area of `visible` size shows, scroll bars of `extent`
// taking their room only where the content does not fit.
QSize scrollViewportSize(QSize content, QSize visible, int scrollBarExtent);

// The whole client area of a window whose content may be larger than the screen: the window
// takes the content's size cut to the screen, and the content scrolls when it was cut.
// Controls that must stay in sight (the arrow) stay children of the window, above this.
class ScrollingClient : public QScrollArea {
public:
    explicit ScrollingClient(QWidget* window);

    // The widget that holds the content; the window's background shows through it.
    QWidget* content() const { return widget(); }

    // Sizes the content and fixes the window's client size to it, cut to the screen the window
    // is on. Returns the part of the content in sight.
    QSize fit(QSize contentSize);
};

}  // namespace lentora
