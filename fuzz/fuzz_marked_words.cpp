// libFuzzer target: any bytes as a marked-words text over any text area, tokenized and laid out
// page by page with fixed metrics, as the window does. Every markable token is reached once, in
// order, where a click finds it; pages always advance; marks toggled at random keep the score
// between minus the markable words and the targets, and never move a word.
#include "FuzzCheck.h"
#include "exercises/marked_words/MarkedWordsLogic.h"
#include "support/FixedTextMetrics.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

using namespace lentora;
using namespace lentora::marked_words;

namespace {

void checkTokens(QByteArrayView text, const Tokens& tokens) {
    const QByteArrayView used = text.first(std::min(text.size(), kMaxTextBytes));
    check(std::count_if(tokens.begin(), tokens.end(), [](const WordToken& token) {
              return token.EndOfLine;
          }) == used.count('\r') + 1);
    check(!tokens.empty() && tokens.back().EndOfLine);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const WordToken& token = tokens[i];
        check(!token.Text.isEmpty() && token.Text.size() <= kMaxTokenBytes);
        check(!token.Marked);
        for (char byte : {'\r', '\n', '@'}) {
            check(!token.Text.contains(byte));
        }
        // A blank line end may carry a lost target; a separator never does.
        if (isSeparator(token.Text.front())) {
            check(token.Text.size() == 1 && !token.Glued && (!token.Target || token.EndOfLine));
        }
        if (token.Glued) {
            check(i + 1 < tokens.size() && isSeparator(tokens[i + 1].Text.front()));
        }
    }
}

struct PageResult {
    PageLayout layout;
    std::vector<int> drawn;
};

// The page from `start`: tokens drawn in order from it, only blank line ends passed over,
// each markable one found at its centre.
PageResult layOut(Tokens& tokens, int start, int width, int height, int bound, TextMetrics& metrics,
                  bool crossOut) {
    PageResult page{layoutPage(tokens, start, width, height, bound, metrics, crossOut), {}};
    const int end = page.layout.nextStart.value_or(int(tokens.size()));
    check(end >= start && end <= int(tokens.size()));
    int next = start;
    for (const DrawItem& item : page.layout.items) {
        if (item.token < 0) {
            continue;
        }
        while (next < item.token) {
            check(tokens[std::size_t(next++)].Text == " ");
        }
        check(item.token == next++ && item.token < end);
        page.drawn.push_back(item.token);
        const WordToken& token = tokens[std::size_t(item.token)];
        check(token.Drawn && token.Left == item.left && token.Top == item.top);
        // Only a line taller than the area reaches past its bottom, standing alone.
        check(token.Top >= 0 && (token.Top + token.Height <= height || token.Top == 0));
        // Only a word wider than the area reaches past its edge, standing alone.
        check(token.Left + token.Width <= width || token.Left == 0);
        if (isMarkable(token)) {
            const QPoint centre = token.rect().center();
            check(markableAt(tokens, start, centre.x(), centre.y()) == item.token);
        }
    }
    while (next < end) {
        check(tokens[std::size_t(next++)].Text == " ");
    }
    return page;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool crossOut = input.ConsumeBool();
    const int width = input.ConsumeIntegralInRange(0, 4000);
    const int height = input.ConsumeIntegralInRange(0, 4000);
    // The window's outer height, below which the text area lies.
    const int bound = input.ConsumeIntegralInRange(height, 4000);
    const int byteWidth = input.ConsumeIntegralInRange(1, 40);
    FixedTextMetrics metrics(byteWidth, input.ConsumeIntegralInRange(1, 80));
    std::minstd_rand random(input.ConsumeIntegral<std::uint32_t>());
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArrayView text(rest.data(), qsizetype(rest.size()));

    Tokens tokens = tokenize(text);
    checkTokens(text, tokens);

    int markable = 0;
    int targets = 0;
    for (const WordToken& token : tokens) {
        markable += isMarkable(token) ? 1 : 0;
        targets += token.Target ? 1 : 0;
    }

    Paging paging;
    paging.pageStart[0] = 0;
    int reached = 0;  // markable tokens drawn so far
    int lastMarkable = -1;
    for (;;) {
        const int start = *paging.currentStart();
        const PageResult page = layOut(tokens, start, width, height, bound, metrics, crossOut);
        for (int index : page.drawn) {
            if (isMarkable(tokens[std::size_t(index)])) {
                check(index > lastMarkable);
                lastMarkable = index;
                ++reached;
            }
        }

        // Clicks at random on this page's words toggle their marks.
        const std::vector<int> words = markableOnPage(tokens, start);
        for (int clicks = 0; clicks < 24 && !words.empty(); ++clicks) {
            const int word =
                words[std::uniform_int_distribution<std::size_t>(0, words.size() - 1)(random)];
            tokens[std::size_t(word)].Marked = !tokens[std::size_t(word)].Marked;
            const Points points = scoreTokens(tokens);
            check(points.maxScore == targets);
            check(points.score >= -markable && points.score <= targets);
        }
        // Repainted with its marks, the page stands as before.
        const PageResult again = layOut(tokens, start, width, height, bound, metrics, crossOut);
        check(again.drawn == page.drawn && again.layout.nextStart == page.layout.nextStart);

        const bool more = paging.finishLayout(page.layout.nextStart);
        if (!more) {
            break;
        }
        check(*page.layout.nextStart > start);
        check(paging.turn());
    }
    // Every markable word was shown, unless the text outran the last page.
    check(reached == markable || paging.currentPage == kLastPage);
    return 0;
}
