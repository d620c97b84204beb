// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

namespace lentora {

// Loads a picture file (path resolved without regard to letter case).
// Throws Error("Cannot open file <path>") when it cannot be read, also when a BMP file is
// shorter than its header says.
QImage loadImage(const QString& path);
QPixmap loadPixmap(const QString& path);

// The file name that pickRandomFile draws in a picture directory. Throws
// Error("Cannot find any picture in <directory>") when none matches the pattern.
QString pickRandomPicture(const QString& directory, const QString& pattern, int steps);

}  // namespace lentora
