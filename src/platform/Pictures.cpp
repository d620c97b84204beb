// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Pictures.h"

#include "platform/Error.h"
#include "platform/FileListing.h"
#include "platform/ProgramPaths.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cstdlib>

namespace lentora {

namespace {

// A BMP file shorter than its header says: the reader would show the missing rows black.
bool isTruncatedBmp(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray header = file.read(34);
    if (header.size() < 2 || !header.startsWith("BM")) {
        return false;
    }
    if (header.size() < 34) {
        return true;
    }
    const auto* bytes = reinterpret_cast<const uchar*>(header.constData());
    const qint64 size = file.size();
    const qint64 declaredSize = qFromLittleEndian<quint32>(bytes + 2);
    const qint64 pixelOffset = qFromLittleEndian<quint32>(bytes + 10);
    const quint32 infoSize = qFromLittleEndian<quint32>(bytes + 14);
    if (size < declaredSize) {
        return true;
    }
    if (infoSize < 40) {
        return false;  // the old core header: its pixel rows are left to the reader
    }
    const qint64 width = qFromLittleEndian<qint32>(bytes + 18);
    const qint64 height = std::llabs(qFromLittleEndian<qint32>(bytes + 22));
    const qint64 bitsPerPixel = qFromLittleEndian<quint16>(bytes + 28);
    const quint32 compression = qFromLittleEndian<quint32>(bytes + 30);
    // Only uncompressed rows have a size that the header fixes.
    if (compression != 0 && compression != 3) {
        return false;
    }
    const qint64 rowBytes = (std::llabs(width) * bitsPerPixel + 31) / 32 * 4;
    return size < pixelOffset + rowBytes * height;
}

}  // namespace

QImage loadImage(const QString& path) {
    QImage image;
    const QString resolved = resolvePath(path);
    // Only a regular file: a pipe or device could block the reader.
    if (!QFileInfo(resolved).isFile() || isTruncatedBmp(resolved) || !image.load(resolved) ||
        image.isNull()) {
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

QString pickRandomPicture(const QString& directory, const QString& pattern, int steps) {
    const QString name = pickRandomFile(directory, pattern, steps);
    if (name.isEmpty()) {
        throw Error(QStringLiteral("Cannot find any picture in %1").arg(directory));
    }
    return name;
}

}  // namespace lentora
