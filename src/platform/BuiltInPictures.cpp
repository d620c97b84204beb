// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/BuiltInPictures.h"

#include "platform/Error.h"

#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

namespace lentora {

QImage builtInImage(const QString& resourcePath, QSize logicalSize, qreal devicePixelRatio) {
    // Ratios outside what any screen uses would only waste memory.
    const qreal ratio = std::clamp(devicePixelRatio, 1.0, 4.0);
    QSvgRenderer renderer(resourcePath);
    if (!renderer.isValid() || logicalSize.isEmpty()) {
        throw Error(QStringLiteral("Cannot open file %1").arg(resourcePath));
    }
    QImage image(int(std::ceil(logicalSize.width() * ratio)),
                 int(std::ceil(logicalSize.height() * ratio)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(image.size())));
    }
    image.setDevicePixelRatio(ratio);
    return image;
}

QPixmap builtInPicture(const QString& resourcePath, QSize logicalSize, qreal devicePixelRatio) {
    return QPixmap::fromImage(builtInImage(resourcePath, logicalSize, devicePixelRatio));
}

}  // namespace lentora
