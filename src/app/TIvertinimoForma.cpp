// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TIvertinimoForma.h"

#include "app/Grade.h"
#include "platform/FrameMetrics.h"
#include "platform/Pictures.h"
#include "platform/WindowPlacement.h"

#include <QLabel>

namespace lentora {

TIvertinimoForma::TIvertinimoForma(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint),
      Image1(new QLabel(this)) {
    setWindowTitle(QString::fromUtf8("Įvertinimas"));
    setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    Image1->setAlignment(Qt::AlignCenter);
}

void TIvertinimoForma::prepare(const QString& picturePath, const QString& caption, int grade) {
    if (!picturePath.isEmpty()) {
        Image1->setPixmap(loadPixmap(picturePath));
    }
    const QSize client = clientSizeForOuter(gradeWindowOuterSize(grade));
    setFixedSize(client);
    Image1->setGeometry(0, 0, client.width(), client.height());
    setWindowTitle(caption);
    centreOnScreen(this);
}

void TIvertinimoForma::ShowGradeWindow(const QString& picturePath, const QString& caption,
                                       int grade) {
    prepare(picturePath, caption, grade);
    repaint();
    exec();
}

}  // namespace lentora
