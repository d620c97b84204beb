#pragma once

#include <QSize>

namespace lentora {

// Window sizes in the content are outer sizes (frame and caption included). Qt sizes the
// client area, so every window converts through these nominal metrics.
inline constexpr int kFrameWidth = 3;  // on each side
inline constexpr int kCaptionHeight = 19;

inline QSize clientSizeForOuter(QSize outer) {
    return {outer.width() - 2 * kFrameWidth, outer.height() - 2 * kFrameWidth - kCaptionHeight};
}

inline QSize outerSizeForClient(QSize client) {
    return {client.width() + 2 * kFrameWidth, client.height() + 2 * kFrameWidth + kCaptionHeight};
}

}  // namespace lentora
