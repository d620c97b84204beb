// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Fonts.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace lentora {

namespace {

// Pixel sizes are kept within what a window can show; a broken settings value must not ask
// the font engine for giant glyphs.
constexpr int kMinPixels = 1;
constexpr int kMaxPixels = 500;

}  // namespace

int pointsToPixels(int points) {
    const double pixels = std::round(points * 96.0 / 72.0);
    return static_cast<int>(std::clamp(pixels, double(INT_MIN), double(INT_MAX)));
}

QString installedFaceFor(const QString& faceName) {
    struct Substitute {
        const char* content;
        const char* installed;
    };
    // Faces of the Windows original and the installed faces with the same letters and widths.
    static constexpr Substitute kSubstitutes[] = {
        {"MS Sans Serif", "Liberation Sans"},
        {"Arial", "Liberation Sans"},
        {"Arial Baltic", "Liberation Sans"},
        {"Arial Narrow", "Liberation Sans Narrow"},
        {"Tahoma", "DejaVu Sans"},
        {"Verdana", "DejaVu Sans"},
        {"MS Serif", "Liberation Serif"},
        {"TimesLT", "Liberation Serif"},
        {"Times New Roman", "Liberation Serif"},
        {"Times New Roman Baltic", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
        {"Courier New Baltic", "Liberation Mono"},
    };
    const QString trimmed = faceName.trimmed();
    for (const Substitute& substitute : kSubstitutes) {
        if (trimmed.compare(QLatin1String(substitute.content), Qt::CaseInsensitive) == 0) {
            return QString::fromLatin1(substitute.installed);
        }
    }
    return faceName;
}

QFont makeFont(const QString& faceName, int points) {
    QFont font(installedFaceFor(faceName));
    setFontPoints(font, points);
    return font;
}

void setFontPoints(QFont& font, int points) {
    font.setPixelSize(std::clamp(pointsToPixels(points), kMinPixels, kMaxPixels));
}

int fontPoints(const QFont& font) {
    if (font.pixelSize() > 0) {
        return static_cast<int>(std::lround(font.pixelSize() * 72.0 / 96.0));
    }
    return static_cast<int>(std::lround(font.pointSizeF()));
}

QColor colorFromNumber(int number) {
    const auto value = static_cast<unsigned>(number);
    if ((value & 0xFF000000u) == 0x80000000u) {
        // A Windows system colour (0x80000000 + colour index), as a font dialog may have saved
        // it; shown in the classic scheme's colour.
        switch (value & 0xFFu) {
            case 5:   // window
            case 9:   // caption text
            case 14:  // highlighted text
                return QColor(Qt::white);
            case 13:  // highlight
                return QColor(0, 0, 128);
            case 15:  // button face
                return QColor(192, 192, 192);
            case 16:  // button shadow
            case 17:  // grey text
                return QColor(128, 128, 128);
            case 24:  // tooltip background
                return QColor(255, 255, 225);
            default:  // window text, button text and the rest of the text colours
                return QColor(Qt::black);
        }
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int numberFromColor(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

}  // namespace lentora
