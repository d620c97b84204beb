// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace lentora {

// The font chooser of the settings dialog: the installed faces, a size in points, one of the
// sixteen standard colours and a preview of the Lithuanian letters. The settings keep no
// style or effects, so none is offered: the preview is always upright and regular.
class TSriftoForma : public QDialog {
    Q_OBJECT
public:
    // The preset's family is chosen when it is installed; its style is not taken.
    TSriftoForma(QWidget* parent, const QFont& preset, const QColor& presetColour);

    // The face's family name alone, without the foundry the chooser may add ("[UKWN]").
    QString familyName() const;
    int points() const;
    QColor colour() const;

    QListWidget* familyList() const { return familyList_; }
    QSpinBox* sizeBox() const { return sizeBox_; }
    QComboBox* colourBox() const { return colourBox_; }
    QLabel* preview() const { return preview_; }
    QPushButton* okButton() const { return okButton_; }

private:
    void showPreview();

    QListWidget* familyList_;
    QSpinBox* sizeBox_;
    QComboBox* colourBox_;
    QLabel* preview_;
    QPushButton* okButton_;
};

// A family name as the font chooser lists it, without the foundry in brackets.
QString familyWithoutFoundry(const QString& family);

}  // namespace lentora
