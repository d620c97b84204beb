#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>

class QComboBox;
class QFontDialog;
class QLabel;
class QPushButton;

namespace lentora {

// The font chooser of the settings dialog: Qt's font chooser embedded without its buttons,
// beside a choice of the sixteen standard colours and a preview of the Lithuanian letters.
class TSriftoForma : public QDialog {
    Q_OBJECT
public:
    TSriftoForma(QWidget* parent, const QFont& preset, const QColor& presetColour);

    // The face's family name alone, without the foundry the chooser may add ("[UKWN]").
    QString familyName() const;
    int points() const;
    QColor colour() const;

    QFontDialog* fontPart() const { return fontPart_; }
    QComboBox* colourBox() const { return colourBox_; }
    QLabel* preview() const { return preview_; }
    QPushButton* okButton() const { return okButton_; }

private:
    void showPreview();

    QFontDialog* fontPart_;
    QComboBox* colourBox_;
    QLabel* preview_;
    QPushButton* okButton_;
};

// A family name as the font chooser lists it, without the foundry in brackets.
QString familyWithoutFoundry(const QString& family);

}  // namespace lentora
