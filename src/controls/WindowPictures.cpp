// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/WindowPictures.h"

#include "controls/TPictureButton.h"
#include "platform/BuiltInPictures.h"
#include "platform/Error.h"
#include "platform/Fonts.h"

namespace lentora {

namespace {

const QSize kArrowSize(59, 69);
const QSize kStripSize(580, 95);

}  // namespace

ToliauPictures toliauPictures(qreal devicePixelRatio) {
    return {
        builtInImage(QStringLiteral(":/controls/toliau.svg"), kArrowSize, devicePixelRatio),
        builtInImage(QStringLiteral(":/controls/toliau_virs.svg"), kArrowSize, devicePixelRatio)};
}

void loadToliauPictures(TPictureButton& button) {
    QFont font(installedFaceFor(QStringLiteral("Arial")));
    font.setPixelSize(13);
    button.setFont(font);
    try {
        const ToliauPictures pictures = toliauPictures(button.devicePixelRatioF());
        button.setBitmapUp(pictures.up);
        button.setBitmapOver(pictures.over);
    } catch (const Error&) {
        // Without pictures every point of the button is a hit and the caption shows what it is.
        button.setCaption(QStringLiteral("Toliau..."));
        button.setGeometry(button.x(), button.y(), kArrowSize.width(), kArrowSize.height());
    }
}

QPixmap markedWordsStripPicture(qreal devicePixelRatio) {
    return builtInPicture(QStringLiteral(":/controls/marked_words_strip.svg"), kStripSize,
                          devicePixelRatio);
}

}  // namespace lentora
