#include "app/SettingsDialogModel.h"

#include "platform/IniFile.h"

namespace lentora {

QByteArray fontSection(int row) {
    switch (row) {
        case TheoryRow:
            return "Teorijos langas";
        case MovableWordsRow:
            return "Testas su nesiojamais zodziais";
        case MarkedWordsRow:
            return "Pabraukiami zodziai";
        default:
            return "Paprastas testas";
    }
}

SettingsDialogModel readSettingsDialogModel(const IniFile& settings) {
    SettingsDialogModel model;
    for (int row = 0; row < FontRowCount; ++row) {
        const QByteArray section = fontSection(row);
        model.rows[row].name = settings.readText(section, "SriftName", "");
        model.rows[row].size = settings.readText(section, "SriftSize", "10");
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
