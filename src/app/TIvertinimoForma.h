// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;

namespace lentora {

// The grade window: the grade's picture centred on white, the grade in the caption.
class TIvertinimoForma : public QDialog {
    Q_OBJECT

public:
    explicit TIvertinimoForma(QWidget* parent = nullptr);

    // Loads the picture (none when the path is empty), sizes the window from the grade's
    // picture size, sets the caption, then shows the window modally until it is closed.
    void ShowGradeWindow(const QString& picturePath, const QString& caption, int grade);

    // Everything ShowGradeWindow does before showing the window.
    void prepare(const QString& picturePath, const QString& caption, int grade);

    const QLabel* image() const { return Image1; }

private:
    QLabel* Image1;
};

}  // namespace lentora
