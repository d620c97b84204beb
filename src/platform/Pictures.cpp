#include "platform/Pictures.h"

#include "platform/Error.h"
#include "platform/ProgramPaths.h"

#include <QFileInfo>

namespace lentora {

QImage loadImage(const QString& path) {
    QImage image;
    const QString resolved = resolvePath(path);
    // Only a regular file: a pipe or device could block the reader.
    if (!QFileInfo(resolved).isFile() || !image.load(resolved) || image.isNull()) {
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
