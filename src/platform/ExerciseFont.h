// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/IniFile.h"

#include <QByteArrayView>
#include <QColor>
#include <QFont>
#include <QString>

namespace lentora {

// Name (when not empty, cut to 31 characters), size (kept within the font range); style
// unchanged.
void applyFontSetting(const FontSetting& setting, QFont& font);

// A window's text font and colour from its settings section.
struct ExerciseFont {
    QFont font;
    QColor color;
};

// The window's design face at the section's size (defaultPoints when unset), replaced by the
// section's face when it names one; the style stays normal.
ExerciseFont readExerciseFont(const IniFile& settings, QByteArrayView section, int defaultPoints,
                              const QString& designFace);

}  // namespace lentora
