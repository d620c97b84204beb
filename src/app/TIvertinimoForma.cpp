// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TIvertinimoForma.h"

#include "app/Grade.h"
#include "platform/FrameMetrics.h"
#include "platform/Pictures.h"
#include "platform/WindowPlacement.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>

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

void TIvertinimoForma::setPoints(content::Points points, bool canReview) {
    canReview_ = canReview;
    QString tip = content::pointsText(points) + u'.';
    if (canReview) {
        tip += QString::fromUtf8(" R – peržiūrėti klaidas");
    }
    setToolTip(tip);
    Image1->setToolTip(tip);
}

void TIvertinimoForma::requestReview() {
    reviewRequested_ = true;
    accept();
}

void TIvertinimoForma::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (canReview_ && !event->isAutoRepeat() && (enter || event->key() == Qt::Key_R)) {
        requestReview();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TIvertinimoForma::contextMenuEvent(QContextMenuEvent* event) {
    if (!canReview_) {
        QDialog::contextMenuEvent(event);
        return;
    }
    QMenu menu(this);
    menu.addAction(QString::fromUtf8("Peržiūrėti klaidas"), this, &TIvertinimoForma::requestReview);
    menu.exec(event->globalPos());
}

void TIvertinimoForma::ShowGradeWindow(const QString& picturePath, const QString& caption,
                                       int grade) {
    prepare(picturePath, caption, grade);
    repaint();
    exec();
}

}  // namespace lentora
