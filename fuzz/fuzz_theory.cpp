// libFuzzer target: any bytes as a theory text, tokenized and laid out spread by spread with
// fixed metrics as the book does. Every token is reached in order, pages keep to their size,
// and every spread starts after the one before began.
#include "FuzzCheck.h"
#include "support/FixedTextMetrics.h"
#include "theory/PageLayout.h"
#include "theory/SpreadState.h"
#include "theory/TheoryText.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

using namespace lentora;
using namespace lentora::theory;

namespace {

void checkTokens(QByteArrayView text, const QByteArrayList& tokens) {
    // One word per blank, a word and a paragraph end per carriage return.
    check(tokens.size() == text.count(' ') + 2 * text.count('\r'));
    for (const QByteArray& token : tokens) {
        if (isParagraphEnd(token)) {
            check(token == "~");
            continue;
        }
        const QByteArray word = decodeToken(token).text;
        check(word.startsWith(' '));
        const QByteArray shown = word.trimmed();
        for (char marker : {' ', '@', '#', '\r', '\n'}) {
            check(!shown.contains(marker));
        }
    }
}

// The page's tokens: every word from `start` to its end, in order, inside the page; only the
// first token may stand taller than the page.
void checkPage(const QByteArrayList& tokens, int start, const PageLayout& page, int width,
               int height) {
    check(page.endIndex <= tokens.size());
    check(start >= tokens.size() ? page.endIndex == start : page.endIndex > start);
    int next = start;
    for (const PlacedToken& placed : page.placed) {
        while (next < placed.index && isParagraphEnd(tokens[next])) {
            ++next;
        }
        check(placed.index == next++);
        check(placed.x >= 0 && placed.y >= 0 && placed.width >= 0);
        check(placed.x + placed.width <= width);
        check(placed.index == start || placed.y + placed.height <= height);
    }
    while (next < page.endIndex && isParagraphEnd(tokens[next])) {
        ++next;
    }
    check(next == page.endIndex);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int width = input.ConsumeIntegralInRange(1, 1200);
    const int height = input.ConsumeIntegralInRange(1, 1200);
    const int byteWidth = input.ConsumeIntegralInRange(1, 40);
    const int lineHeight = input.ConsumeIntegralInRange(1, 80);
    FixedTextMetrics metrics(byteWidth, lineHeight);
    metrics.extraPointLineHeight = input.ConsumeIntegralInRange(0, 20);
    metrics.boldExtraWidth = 1;
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArrayView text(rest.data(), qsizetype(rest.size()));

    checkTokens(text, tokenizeTheory(text));
    const QByteArrayList tokens = bookTokens(text);

    SpreadState spreads;
    int previousStart = -1;
    for (;;) {
        const int left = spreads.leftPageStart();
        check(left > previousStart);
        previousStart = left;
        const PageLayout leftPage = layoutPage(tokens, left, width, height, metrics);
        checkPage(tokens, left, leftPage, width, height);
        spreads.leftPageLaidOut(leftPage.endIndex);
        const int right = spreads.rightPageStart();
        check(right == leftPage.endIndex);
        const PageLayout rightPage = layoutPage(tokens, right, width, height, metrics);
        checkPage(tokens, right, rightPage, width, height);
        spreads.rightPageLaidOut(rightPage.endIndex, int(tokens.size()));
        if (!spreads.nextVisible()) {
            // Only the closing paragraph end may be left.
            check(rightPage.endIndex >= tokens.size() - 1);
            break;
        }
        if (!spreads.turnForward()) {
            check(spreads.spreadNo() == SpreadState::kSpreadCount - 1);  // the book's last
            break;
        }
    }
    // Back to the first spread through the starts recorded on the way.
    const int last = spreads.spreadNo();
    while (spreads.turnBack()) {
        check(spreads.leftPageStart() < previousStart);
        previousStart = spreads.leftPageStart();
    }
    check(last == 0 || spreads.leftPageStart() == 0);
    return 0;
}
