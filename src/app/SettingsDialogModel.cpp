// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SettingsDialogModel.h"

#include "exercises/marked_words/MarkedWordsDescription.h"
#include "exercises/movable_words/MovableWordsDescription.h"
#include "exercises/simple_test/SimpleTestDescription.h"
#include "platform/Fonts.h"
#include "platform/IniFile.h"
#include "theory/TheoryBookDescription.h"

#include <climits>

namespace lentora {

const WindowDescription& windowOfRow(int row) {
    switch (row) {
        case TheoryRow:
            return theory::kTheoryBook.window;
        case MovableWordsRow:
            return movable_words::kMovableWords.window;
        case MarkedWordsRow:
            return marked_words::kMarkedWords.window;
        default:
            return simple_test::kSimpleTest.window;
    }
}

QByteArray fontSection(int row) {
    return windowOfRow(row).settingsSection;
}

namespace {

// What the size box shows: the size the window really uses, so that "Gerai" changes nothing
// by itself. Text that is no whole number is shown as it is (changing it reports it).
QByteArray shownSize(const IniFile& settings, QByteArrayView section, int windowDefault) {
    const int low = settings.readInt(section, "SriftSize", INT_MIN);
    const int high = settings.readInt(section, "SriftSize", INT_MAX);
    if (low == high) {
        return QByteArray::number(clampFontPoints(low));
    }
    const QByteArray text = settings.readText(section, "SriftSize", "");
    if (text.trimmed().isEmpty()) {
        return QByteArray::number(windowDefault);
    }
    return text;
}

}  // namespace

int windowDefaultPoints(int row) {
    return windowOfRow(row).defaultFontPoints;
}

QString windowDefaultFace(int row) {
    return QString::fromLatin1(windowOfRow(row).designFace);
}

SettingsDialogModel readSettingsDialogModel(const IniFile& settings) {
    SettingsDialogModel model;
    for (int row = 0; row < FontRowCount; ++row) {
        const QByteArray section = fontSection(row);
        model.rows[row].name = settings.readText(section, "SriftName", "");
        model.rows[row].size = shownSize(settings, section, windowDefaultPoints(row));
        model.rows[row].color = settings.readInt(section, "SriftColor", 0);
    }
    model.colourCount = settings.readText("Spalvos", "Spalvu skaicius", "256");
    model.background = settings.readText("Fonas", "Fono failas", "Fonas1");
    return model;
}

void writeSettingsDialogModel(IniFile& settings, const SettingsDialogModel& model) {
    for (int row = 0; row < FontRowCount; ++row) {
        const QByteArray section = fontSection(row);
        settings.setText(section, "SriftName", model.rows[row].name);
        settings.setText(section, "SriftSize", model.rows[row].size);
        settings.setInt(section, "SriftColor", model.rows[row].color);
    }
    settings.setText("Spalvos", "Spalvu skaicius", model.colourCount);
    settings.setText("Fonas", "Fono failas", model.background);
    settings.save();
}

int backgroundOption(const QByteArray& background) {
    for (int option = 1; option <= 5; ++option) {
        if (background == backgroundForOption(option)) {
            return option;
        }
    }
    return 0;
}

QByteArray backgroundForOption(int option) {
    return "Fonas" + QByteArray::number(option);
}

}  // namespace lentora
