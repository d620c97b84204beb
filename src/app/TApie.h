// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;

namespace lentora {

// The about window: one of the about pictures at its own size from the top-left corner.
class TApie : public QDialog {
    Q_OBJECT

public:
    explicit TApie(QWidget* parent = nullptr);

    // Loads a picture chosen at random (0 to 9 steps through ApieDir's *.BMP) and shows the
    // window modally. Throws Error when there is no picture to load.
    void ShowAbout();
    void loadPicture();

    const QLabel* image() const { return Image1; }

protected:
    void keyPressEvent(QKeyEvent* event) override;  // FormKeyDown

private:
    QLabel* Image1;
};

}  // namespace lentora
