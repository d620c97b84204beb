// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as a theory text, tokenized and laid out spread by spread with
// fixed metrics by the book's session. Every token is reached in order, pages keep to their size,
// and every spread starts after the one before began.
#include "FuzzCheck.h"
#include "support/FixedTextMetrics.h"
#include "theory/PageLayout.h"
#include "theory/TheoryBookSession.h"
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

    checkTokens(text, tokenize(text));

    TheoryBookSession book(QSize(width, height), QSize(width, height));
    book.setMetrics(&metrics);
    book.open(text);
    const QByteArrayList& tokens = book.tokens();
    check(tokens == bookTokens(text));

    int previousStart = -1;
    for (;;) {
        const SpreadState& spreads = book.spreads();
        const int left = spreads.leftPageStart();
        check(left > previousStart);
        previousStart = left;
        checkPage(tokens, left, book.leftPage(), width, height);
        const int right = spreads.rightPageStart();
        check(right == book.leftPage().endIndex);
        checkPage(tokens, right, book.rightPage(), width, height);
        if (!book.nextCornerShown()) {
            // Only the closing paragraph end may be left.
            check(book.rightPage().endIndex >= tokens.size() - 1);
            break;
        }
        if (!book.clickNext().spreadTurned) {
            check(spreads.spreadNo() == SpreadState::kSpreadCount - 1);  // the book's last
            break;
        }
    }
    // Back to the first spread through the starts recorded on the way.
    const int last = book.spreads().spreadNo();
    while (book.clickPrevious().spreadTurned) {
        check(book.spreads().leftPageStart() < previousStart);
        previousStart = book.spreads().leftPageStart();
    }
    check(last == 0 || book.spreads().leftPageStart() == 0);
    return 0;
}
