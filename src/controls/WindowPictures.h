// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPixmap>

namespace lentora {

class TPictureButton;

// The "Toliau..." arrow pictures that every exercise window's picture buttons use, built into
// the program: 59 x 69 logical pixels, transparent around the arrow, rendered at the ratio.
struct ToliauPictures {
    QImage up;
    QImage over;
};
ToliauPictures toliauPictures(qreal devicePixelRatio);

// Gives the button the arrow pictures at its own device pixel ratio, with the caption font of
// the exercise windows.
void loadToliauPictures(TPictureButton& button);

// The marked-words window's picture strip: 580 x 95 logical pixels of flowers, leaves and
// raindrops on white.
QPixmap markedWordsStripPicture(qreal devicePixelRatio);

}  // namespace lentora
