// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TApie.h"

#include "platform/FileListing.h"
#include "platform/Pictures.h"
#include "platform/ProgramPaths.h"
#include "platform/WindowPlacement.h"

#include <QKeyEvent>
#include <QLabel>

namespace lentora {

TApie::TApie(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint),
      Image1(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Apie"));
    setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    setFixedSize(520, 515);
    Image1->setGeometry(0, 0, 520, 515);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    centreOnScreen(this);
}

void TApie::loadPicture() {
    const QString directory = resolvePath(programPaths().apieDir);
    const QString name = pickRandomPicture(directory, QStringLiteral("*.BMP"), randomBelow(10));
    Image1->setPixmap(loadPixmap(joinPath(directory, name)));
}

void TApie::ShowAbout() {
    loadPicture();
    exec();
}

void TApie::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
    }
}

}  // namespace lentora
