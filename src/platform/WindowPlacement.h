// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

namespace lentora {

// The screen the window is on, else the primary one; null without any screen.
QScreen* screenOf(const QWidget* window);

// Where a window's frame of that outer size goes: centred in the available area, but never
// above or left of it, so that a window taller or wider than the area keeps its title bar
// (and its menu bar) on the screen.
QPoint centredKeepingTopVisible(QSize outer, const QRect& available);

// Moves a top-level window so that its frame is centred on the screen it is on, its top
// kept on the screen.
void centreOnScreen(QWidget* window);

// The client size a window may take: the wanted one, cut so that the window with its frame
// stays inside the screen's available area.
QSize clientSizeWithin(QSize wantedClient, const QRect& available);

// The same on the screen the window is on; the wanted size where there is no screen.
QSize clientSizeOnScreen(const QWidget* window, QSize wantedClient);

// A window whose outer size comes from the content, cut to the screen the window is on.
struct ScreenFit {
    QSize client;  // to fix the window to
    QSize outer;   // to place controls from: the content's own when the window was not cut
};
ScreenFit fitContentToScreen(const QWidget* window, QSize outer, QSize minimumClient);

}  // namespace lentora
