#include "platform/WindowPlacement.h"

#include "platform/FrameMetrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace lentora {

QScreen* screenOf(const QWidget* window) {
    QScreen* screen = window->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

void centreOnScreen(QWidget* window) {
    const QScreen* screen = screenOf(window);
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

QSize clientSizeWithin(QSize wantedClient, const QRect& available) {
    const QSize room = clientSizeForOuter(available.size());
    return {std::max(0, std::min(wantedClient.width(), room.width())),
            std::max(0, std::min(wantedClient.height(), room.height()))};
}

QSize clientSizeOnScreen(const QWidget* window, QSize wantedClient) {
    const QScreen* screen = screenOf(window);
    return screen ? clientSizeWithin(wantedClient, screen->availableGeometry()) : wantedClient;
}

ScreenFit fitContentToScreen(const QWidget* window, QSize outer, QSize minimumClient) {
    const QSize wanted = clientSizeForContent(outer, minimumClient);
    const QSize client = clientSizeOnScreen(window, wanted);
    return {client, client == wanted ? outer : outerSizeForClient(client)};
}

}  // namespace lentora
