// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ContentLimits.h"

#include <QPoint>
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

// The client size for an outer size from the content, each side cut to 0..kMaxContentExtent,
// and never smaller than `minimum` (a button the learner must be able to reach).
QSize clientSizeForContent(QSize outer, QSize minimum = {});

// The client-area place of a button whose right and bottom edges lie rightGap and bottomGap
// pixels inside the outer size; kept inside clientSizeForContent(outer, button).
QPoint buttonPosition(QSize outer, QSize button, int rightGap, int bottomGap);

}  // namespace lentora
