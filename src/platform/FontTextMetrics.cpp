// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FontTextMetrics.h"

#include "platform/CodePage1257.h"
#include "platform/Fonts.h"

namespace lentora {

FontTextMetrics::FontTextMetrics(const QFont& baseFont) : baseFont_(baseFont) {}

QFont FontTextMetrics::font(const TextStyle& style) const {
    QFont styled = baseFont_;
    styled.setBold(style.bold || baseFont_.bold());
    styled.setUnderline(style.underline || baseFont_.underline());
    styled.setStrikeOut(style.strikeOut || baseFont_.strikeOut());
    if (style.extraPoints != 0) {
        setFontPoints(styled, fontPoints(baseFont_) + style.extraPoints);
    }
    return styled;
}

FontTextMetrics::Measures& FontTextMetrics::measures(const TextStyle& style) {
    auto found = measures_.find(style);
    if (found == measures_.end()) {
        QFont styled = font(style);
        found = measures_.emplace(style, Measures{styled, QFontMetrics(styled), {}}).first;
    }
    return found->second;
}

int FontTextMetrics::width(QByteArrayView text, const TextStyle& style) {
    Measures& m = measures(style);
    const QByteArray key = text.toByteArray();
    auto found = m.widths.constFind(key);
    if (found != m.widths.constEnd()) {
        return *found;
    }
    const int w = m.metrics.horizontalAdvance(fromCp1257(text));
    m.widths.insert(key, w);
    return w;
}

int FontTextMetrics::lineHeight(const TextStyle& style) {
    return measures(style).metrics.height();
}

int FontTextMetrics::ascent(const TextStyle& style) {
    return measures(style).metrics.ascent();
}

}  // namespace lentora
