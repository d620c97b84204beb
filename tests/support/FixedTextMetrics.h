// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TextMetrics.h"

namespace lentora {

// Every byte is `byteWidth` pixels wide (`boldExtraWidth` more in bold) and a line `lineHeight`
// high; each extra point of size adds `extraPointLineHeight` to the line height.
class FixedTextMetrics : public TextMetrics {
public:
    FixedTextMetrics(int byteWidth, int lineHeight)
        : byteWidth_(byteWidth), lineHeight_(lineHeight) {}

    int width(QByteArrayView text, const TextStyle& style = {}) override {
        return int(text.size()) * (byteWidth_ + (style.bold ? boldExtraWidth : 0));
    }
    int lineHeight(const TextStyle& style = {}) override {
        return lineHeight_ + style.extraPoints * extraPointLineHeight;
    }

    int extraPointLineHeight = 0;
    int boldExtraWidth = 0;

private:
    int byteWidth_;
    int lineHeight_;
};

}  // namespace lentora
