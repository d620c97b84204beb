// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace lentora {

// Renders a picture built into the program (an SVG resource such as ":/controls/toliau.svg") at
// logicalSize times the device pixel ratio, on a transparent background; the result carries the
// ratio, so it draws at logicalSize and stays crisp. Throws Error when the resource cannot be
// rendered.
QImage builtInImage(const QString& resourcePath, QSize logicalSize, qreal devicePixelRatio);
QPixmap builtInPicture(const QString& resourcePath, QSize logicalSize, qreal devicePixelRatio);

}  // namespace lentora
