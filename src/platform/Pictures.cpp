#include "platform/Pictures.h"

#include "platform/Error.h"
#include "platform/ProgramPaths.h"

namespace lentora {

QImage loadImage(const QString& path) {
    QImage image;
    if (path.isEmpty() || !image.load(resolvePath(path)) || image.isNull()) {
        throw Error(QStringLiteral("Cannot open file %1").arg(path));
    }
    return image;
}

QPixmap loadPixmap(const QString& path) {
    QPixmap pixmap = QPixmap::fromImage(loadImage(path));
    if (pixmap.isNull()) {
        throw Error(QStringLiteral("Cannot open file %1").arg(path));
    }
    return pixmap;
}

}  // namespace lentora
