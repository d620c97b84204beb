// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/PageButtons.h"

#include "controls/TPictureButton.h"
#include "controls/WindowPictures.h"

namespace lentora {

PageButtons PageButtons::create(QWidget* window) {
    PageButtons buttons{new TPictureButton(window), new TPictureButton(window)};
    buttons.next->setObjectName(QStringLiteral("BitBtn1"));
    buttons.finish->setObjectName(QStringLiteral("BitBtn2"));
    for (TPictureButton* button : {buttons.next, buttons.finish}) {
        button->setBounds(0, 0, kSize.width(), kSize.height());
        button->setFocusPolicy(Qt::NoFocus);
        loadToliauPictures(*button);
    }
    buttons.finish->hide();
    return buttons;
}

void PageButtons::showFor(bool hasNextPage) const {
    next->setVisible(hasNextPage);
    finish->setVisible(!hasNextPage);
}

void PageButtons::place(QPoint topLeft) const {
    for (TPictureButton* button : {next, finish}) {
        button->move(topLeft);
        button->raise();
    }
}

TPictureButton* PageButtons::shown() const {
    return next->isHidden() ? finish : next;
}

void PageButtons::pressShown() const {
    TPictureButton* button = shown();
    if (button->takesPresses()) {
        emit button->OnClick();
    }
}

}  // namespace lentora
