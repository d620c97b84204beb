// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace lentora {

// How a piece of text is drawn on top of a window's base font.
struct TextStyle {
    bool bold = false;
    int extraPoints = 0;  // added to the base font's size
    bool underline = false;
    bool strikeOut = false;

    friend bool operator==(const TextStyle&, const TextStyle&) = default;
    friend auto operator<=>(const TextStyle&, const TextStyle&) = default;
};

// Text measures for the custom-painted windows and their layouts. Text is code page 1257.
class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    virtual int width(QByteArrayView text, const TextStyle& style = {}) = 0;
    // The height of a text cell (a line) in that style.
    virtual int lineHeight(const TextStyle& style = {}) = 0;
};

}  // namespace lentora
