// SPDX-License-Identifier: GPL-3.0-or-later
#include "theory/PageLayout.h"

#include "theory/TheoryBookDescription.h"
#include "theory/TheoryText.h"

#include <algorithm>

namespace lentora::theory {

TextStyle pageTextStyle(bool bold, bool title) {
    TextStyle style;
    style.bold = bold || title;
    style.extraPoints = title ? kTheoryBook.titleExtraPoints : 0;
    return style;
}

PageLayout layoutPage(const QByteArrayList& tokens, int start, int width, int height,
                      TextMetrics& metrics) {
    PageLayout page;
    const int first = std::max(start, 0);
    int index = first;
    int x = 0;
    int y = 0;
    int lineHeight = 0;
    while (index < tokens.size()) {
        const QByteArray& token = tokens[index];
        if (isParagraphEnd(token)) {
            // Taken without a fit test, also below the last line of a full page.
            x = 0;
            y += lineHeight;
            ++index;
            continue;
        }
        TokenStyle style = decodeToken(token);
        const int w = metrics.width(style.text, pageTextStyle(style.bold, style.title));
        lineHeight = metrics.lineHeight(pageTextStyle(style.bold, style.title));
        if (x + w > width && x > 0) {
            x = 0;
            y += lineHeight;
        }
        // A page that has taken nothing yet takes this word anyway, so that pages always
        // advance.
        if (y + lineHeight > height && index > first) {
            break;
        }
        // A word wider than the page stands alone on its line, cut at the page edge.
        const int cell = std::max(0, std::min(w, width - x));
        page.placed.append(
            {index, std::move(style.text), style.bold, style.title, x, y, cell, lineHeight});
        x += cell;
        ++index;
    }
    page.endIndex = index;
    return page;
}

}  // namespace lentora::theory
