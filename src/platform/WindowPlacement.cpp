#include "platform/WindowPlacement.h"

#include "platform/FrameMetrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace lentora {

void centreOnScreen(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect available = screen->availableGeometry();
    // The frame is not known before the window is shown; the nominal one stands in.
    const QSize outer = outerSizeForClient(window->size());
    // move() places the frame's top-left corner.
    window->move(available.x() + (available.width() - outer.width()) / 2,
                 available.y() + (available.height() - outer.height()) / 2);
}

}  // namespace lentora
