// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/IniFile.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QTime>

namespace lentora {

// What the main window takes from the settings file.
struct MainSettings {
    QByteArray background = "Fonas1";  // picture name without extension
    FontSetting statusFont{"TimesLT", 10, 0};
};

MainSettings readMainSettings(const IniFile& settings);

// TestaiDir + name + ".bmp".
QString backgroundPicturePath(const QString& testaiDir, const QByteArray& background);

// The time in the locale's long time format, without a time zone; hours, minutes and seconds
// even when the locale's format leaves seconds out.
QString clockText(const QTime& time, const QLocale& locale);

}  // namespace lentora
