// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QColor>
#include <QFont>
#include <QString>

namespace lentora {

// Font sizes in points become pixels at 96 dpi.
int pointsToPixels(int points);

// The installed face that stands in for a face name of the content ("MS Sans Serif",
// "Arial", "TimesLT"); other names are returned as they are.
QString installedFaceFor(const QString& faceName);

// A font of that face (mapped as above) and size in points, sized in pixels at 96 dpi.
QFont makeFont(const QString& faceName, int points);
// Sets the size in points on an existing font, in pixels at 96 dpi.
void setFontPoints(QFont& font, int points);
int fontPoints(const QFont& font);

// A colour number of the settings and content: red in the lowest byte, then green, then blue.
QColor colorFromNumber(int number);
int numberFromColor(const QColor& color);

}  // namespace lentora
