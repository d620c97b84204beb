// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <array>

namespace lentora {

class IniFile;
struct WindowDescription;

// The values the settings dialog edits, as they are kept in the settings file (code page 1257
// texts; sizes kept as the text of their boxes).
struct FontRow {
    QByteArray name;
    QByteArray size = "10";
    int color = 0;
};

enum FontRowIndex { TheoryRow, MovableWordsRow, MarkedWordsRow, SimpleTestRow, FontRowCount };

struct SettingsDialogModel {
    std::array<FontRow, FontRowCount> rows;
    QByteArray colourCount = "256";    // SpalvuSkaicius, kept as read
    QByteArray background = "Fonas1";  // FonoFailas
};

// The window kind each font row sets.
const WindowDescription& windowOfRow(int row);
// The settings file section of each font row.
QByteArray fontSection(int row);

// The size each window kind uses when its section names none.
int windowDefaultPoints(int row);
// The face each window kind uses when its section names none.
QString windowDefaultFace(int row);

// Sizes are shown as the windows use them: within the font range, and the window's own
// default when the key is missing.
SettingsDialogModel readSettingsDialogModel(const IniFile& settings);

// Sets every key in the dialog's order and saves the file once: all keys reach it or none
// (a file left half old, half new would mix two sets of settings).
// Throws Error("Unable to write to ...") when it cannot be written.
void writeSettingsDialogModel(IniFile& settings, const SettingsDialogModel& model);

// 1..5 for "Fonas1".."Fonas5", 0 for any other name.
int backgroundOption(const QByteArray& background);
QByteArray backgroundForOption(int option);

}  // namespace lentora
