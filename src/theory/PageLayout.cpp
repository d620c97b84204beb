#include "theory/PageLayout.h"

#include "theory/TheoryText.h"

namespace lentora::theory {

TextStyle pageTextStyle(bool bold, bool title) {
    TextStyle style;
    style.bold = bold || title;
    style.extraPoints = title ? 2 : 0;
    return style;
}

PageLayout layoutPage(const QByteArrayList& tokens, int start, int width, int height,
                      TextMetrics& metrics) {
    PageLayout page;
    int index = std::max(start, 0);
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
        if (x + w > width || y + lineHeight > height) {
            break;
        }
        page.placed.append(
            {index, std::move(style.text), style.bold, style.title, x, y, w, lineHeight});
        x += w;
        ++index;
    }
    page.endIndex = index;
    return page;
}

}  // namespace lentora::theory
