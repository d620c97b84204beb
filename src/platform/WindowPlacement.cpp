// SPDX-License-Identifier: GPL-3.0-or-later
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

QPoint centredKeepingTopVisible(QSize outer, const QRect& available) {
    return {available.x() + std::max(0, (available.width() - outer.width()) / 2),
            available.y() + std::max(0, (available.height() - outer.height()) / 2)};
}

void centreOnScreen(QWidget* window) {
    const QScreen* screen = screenOf(window);
    if (!screen) {
        return;
    }
    // The frame is not known before the window is shown; the nominal one stands in.
    // move() places the frame's top-left corner.
    window->move(
        centredKeepingTopVisible(outerSizeForClient(window->size()), screen->availableGeometry()));
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
