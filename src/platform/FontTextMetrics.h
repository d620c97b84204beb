// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TextMetrics.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>

#include <map>

namespace lentora {

// Measures with the real font. Widths are cached per text and style for the life of the object.
class FontTextMetrics : public TextMetrics {
public:
    explicit FontTextMetrics(const QFont& baseFont);

    QFont font(const TextStyle& style) const;
    int width(QByteArrayView text, const TextStyle& style = {}) override;
    int lineHeight(const TextStyle& style = {}) override;
    int ascent(const TextStyle& style = {});

private:
    struct Measures {
        QFont font;
        QFontMetrics metrics;
        QHash<QByteArray, int> widths;
    };
    Measures& measures(const TextStyle& style);

    QFont baseFont_;
    std::map<TextStyle, Measures> measures_;
};

}  // namespace lentora
