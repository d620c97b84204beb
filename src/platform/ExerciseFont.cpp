// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ExerciseFont.h"

#include "platform/CodePage1257.h"
#include "platform/Fonts.h"

namespace lentora {

void applyFontSetting(const FontSetting& setting, QFont& font) {
    if (!setting.name.isEmpty()) {
        font.setFamily(installedFaceFor(fromCp1257(setting.name.left(31))));
    }
    setFontPoints(font, clampFontPoints(setting.points));
}

ExerciseFont readExerciseFont(const IniFile& settings, QByteArrayView section, int defaultPoints,
                              const QString& designFace) {
    const FontSetting setting = readFontSetting(settings, section, defaultPoints);
    ExerciseFont result{makeFont(designFace, setting.points), colorFromNumber(setting.color)};
    applyFontSetting(setting, result.font);
    return result;
}

}  // namespace lentora
