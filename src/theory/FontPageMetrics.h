#pragma once

#include "theory/PageLayout.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>

#include <optional>

namespace lentora::theory {

// The book's real fonts: the base font for body text, the base font in bold, and the title
// font (bold, two points larger). Widths are cached per word and font for one layout only.
class FontPageMetrics : public PageMetrics {
public:
    explicit FontPageMetrics(const QFont& baseFont);

    QFont font(bool bold, bool title) const;
    int width(QByteArrayView text, bool bold, bool title) override;
    int lineHeight(bool bold, bool title) override;
    int ascent(bool bold, bool title);

private:
    enum Kind { Body, Bold, Title };
    static Kind kindOf(bool bold, bool title);
    const QFontMetrics& metrics(Kind kind);

    QFont fonts_[3];
    std::optional<QFontMetrics> metrics_[3];
    QHash<QByteArray, int> widths_[3];
};

}  // namespace lentora::theory
