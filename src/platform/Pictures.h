#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

namespace lentora {

// Loads a picture file (path resolved without regard to letter case).
// Throws Error("Cannot open file <path>") when it cannot be read.
QImage loadImage(const QString& path);
QPixmap loadPixmap(const QString& path);

}  // namespace lentora
