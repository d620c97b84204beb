#include "theory/FontPageMetrics.h"

#include "platform/CodePage1257.h"
#include "platform/Fonts.h"

namespace lentora::theory {

FontPageMetrics::FontPageMetrics(const QFont& baseFont) {
    fonts_[Body] = baseFont;
    fonts_[Bold] = baseFont;
    fonts_[Bold].setBold(true);
    fonts_[Title] = fonts_[Bold];
    setFontPoints(fonts_[Title], fontPoints(baseFont) + 2);
}

FontPageMetrics::Kind FontPageMetrics::kindOf(bool bold, bool title) {
    return title ? Title : (bold ? Bold : Body);
}

QFont FontPageMetrics::font(bool bold, bool title) const {
    return fonts_[kindOf(bold, title)];
}

const QFontMetrics& FontPageMetrics::metrics(Kind kind) {
    if (!metrics_[kind]) {
        metrics_[kind].emplace(fonts_[kind]);
    }
    return *metrics_[kind];
}

int FontPageMetrics::width(QByteArrayView text, bool bold, bool title) {
    const Kind kind = kindOf(bold, title);
    QHash<QByteArray, int>& cache = widths_[kind];
    const QByteArray key = text.toByteArray();
    auto found = cache.constFind(key);
    if (found != cache.constEnd()) {
        return *found;
    }
    const int w = metrics(kind).horizontalAdvance(fromCp1257(text));
    cache.insert(key, w);
    return w;
}

int FontPageMetrics::lineHeight(bool bold, bool title) {
    return metrics(kindOf(bold, title)).height();
}

int FontPageMetrics::ascent(bool bold, bool title) {
    return metrics(kindOf(bold, title)).ascent();
}

}  // namespace lentora::theory
