// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FrameMetrics.h"

#include <algorithm>

namespace lentora {

namespace {

QSize cutToContentExtent(QSize size) {
    return {std::clamp(size.width(), 0, kMaxContentExtent),
            std::clamp(size.height(), 0, kMaxContentExtent)};
}

}  // namespace

QSize clientSizeForContent(QSize outer, QSize minimum) {
    return clientSizeForOuter(cutToContentExtent(outer)).expandedTo(minimum).expandedTo({0, 0});
}

QPoint buttonPosition(QSize outer, QSize button, int rightGap, int bottomGap) {
    const QSize cut = cutToContentExtent(outer);
    const QSize client = clientSizeForContent(cut, button);
    const int left = cut.width() - button.width() - rightGap;
    const int top = cut.height() - button.height() - bottomGap;
    return {std::clamp(left, 0, std::max(0, client.width() - button.width())),
            std::clamp(top, 0, std::max(0, client.height() - button.height()))};
}

}  // namespace lentora
