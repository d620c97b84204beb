// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainSettings.h"

#include "platform/CodePage1257.h"
#include "platform/ProgramPaths.h"

namespace lentora {

MainSettings readMainSettings(const IniFile& settings) {
    MainSettings result;
    result.background = settings.readText("Fonas", "Fono failas", "Fonas1");
    result.statusFont.name = settings.readText("Status Bar", "SriftName", "TimesLT");
    result.statusFont.points = settings.readInt("Status Bar", "SriftSize", 10);
    return result;
}

QString backgroundPicturePath(const QString& testaiDir, const QByteArray& background) {
    return joinPath(testaiDir, fromCp1257(background) + QStringLiteral(".bmp"));
}

QString clockText(const QTime& time, const QLocale& locale) {
    // Drop the time-zone fields ("t", "tt", ...) outside quoted text.
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString withoutZone;
    bool quoted = false;
    for (QChar c : format) {
        if (c == u'\'') {
            quoted = !quoted;
        }
        if (quoted || c != u't') {
            withoutZone += c;
        }
    }
    withoutZone = withoutZone.trimmed();
    bool hasSeconds = false;
    quoted = false;
    for (QChar c : withoutZone) {
        if (c == u'\'') {
            quoted = !quoted;
        }
        hasSeconds = hasSeconds || (!quoted && c == u's');
    }
    return locale.toString(time, hasSeconds ? withoutZone : QStringLiteral("HH:mm:ss"));
}

}  // namespace lentora
