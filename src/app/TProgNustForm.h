// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/SettingsDialogModel.h"

#include <QDialog>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace lentora {

// What the font chooser presets and returns: face, size in points, colour number.
struct FontChoice {
    QString family;
    int points = 10;
    int color = 0;
};

// Shows the font chooser (and a colour chooser); nothing when the learner cancels.
using FontChooser =
    std::function<std::optional<FontChoice>(QWidget* parent, const FontChoice& preset)>;

// The program's font chooser with its colour choice (TSriftoForma).
std::optional<FontChoice> chooseFontAndColour(QWidget* parent, const FontChoice& preset);

// The settings dialog: the fonts of the four window kinds and the main window's background.
class TProgNustForm : public QDialog {
    Q_OBJECT

public:
    explicit TProgNustForm(QWidget* parent = nullptr, FontChooser chooser = chooseFontAndColour);

    const SettingsDialogModel& model() const { return model_; }

    // "Keisti" of a row (Button1Click..Button4Click).
    void changeFont(int row);
    // f1Click..f5Click.
    void chooseBackground(int option);
    // "Gerai": writes the settings, then closes (also when the writing failed).
    void BitBtn1Click();
    // "Pagalba": help topic 2.
    void BitBtn3Click();

    QTabWidget* TabbedNotebook1;
    std::array<QLabel*, FontRowCount> rowLabels{};
    std::array<QLineEdit*, FontRowCount> namesBoxes{};
    std::array<QLineEdit*, FontRowCount> sizeBoxes{};
    std::array<QPushButton*, FontRowCount> changeButtons{};
    std::array<QRadioButton*, 5> backgroundButtons{};
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;

private:
    void FormCreate();
    void showRow(int row);
    // The installed face a window kind draws with when its settings name none.
    static QString faceInUse(int row);

    SettingsDialogModel model_;
    FontChooser chooser_;
};

}  // namespace lentora
