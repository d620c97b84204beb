// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as a marked-words text over any text area, run as a session with
// fixed metrics, page by page, as the window does. Every markable token is reached once, in
// order, where a click finds it; pages always advance and start with nothing under the pointer
// and the focus on their own words; marks clicked at random keep the score between minus the
// markable words and the targets, and never move a word.
#include "FuzzCheck.h"
#include "exercises/marked_words/MarkedWordsLogic.h"
#include "exercises/marked_words/MarkedWordsSession.h"
#include "support/FixedTextMetrics.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
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

// The shown page from `start`: tokens drawn in order from it, only blank line ends passed over,
// each markable one found at its centre. Returns the drawn tokens.
std::vector<int> checkPage(const Tokens& tokens, const PageLayout& layout, int start, int width,
                           int height) {
    std::vector<int> drawn;
    const int end = layout.nextStart.value_or(int(tokens.size()));
    check(end >= start && end <= int(tokens.size()));
    int next = start;
    for (const DrawItem& item : layout.items) {
        if (item.token < 0) {
            continue;
        }
        while (next < item.token) {
            check(tokens[std::size_t(next++)].Text == " ");
        }
        check(item.token == next++ && item.token < end);
        drawn.push_back(item.token);
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
    return drawn;
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
    const int lineHeight = input.ConsumeIntegralInRange(1, 80);
    std::minstd_rand random(input.ConsumeIntegral<std::uint32_t>());
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArrayView text(rest.data(), qsizetype(rest.size()));

    MarkedWordsSession session(text, crossOut, bound);
    checkTokens(text, session.tokens());
    session.setArea({width, height}, std::make_unique<FixedTextMetrics>(byteWidth, lineHeight));
    FixedTextMetrics metrics(byteWidth, lineHeight);

    int markable = 0;
    int targets = 0;
    for (const WordToken& token : session.tokens()) {
        markable += isMarkable(token) ? 1 : 0;
        targets += token.Target ? 1 : 0;
    }

    int reached = 0;  // markable tokens drawn so far
    int lastMarkable = -1;
    for (;;) {
        const int start = session.pageStart();
        check(start >= 0 && !session.hovered());
        check(!session.focused() ||
              (*session.focused() >= start &&
               isMarkable(session.tokens()[std::size_t(*session.focused())])));
        const std::vector<int> drawn =
            checkPage(session.tokens(), session.pageLayout(), start, width, height);
        for (int index : drawn) {
            if (isMarkable(session.tokens()[std::size_t(index)])) {
                check(index > lastMarkable);
                lastMarkable = index;
                ++reached;
            }
        }

        // Clicks at random on this page's words toggle their marks.
        const std::vector<int> words = markableOnPage(session.tokens(), start);
        for (int clicks = 0; clicks < 24 && !words.empty(); ++clicks) {
            const int word =
                words[std::uniform_int_distribution<std::size_t>(0, words.size() - 1)(random)];
            const QPoint centre = session.tokens()[std::size_t(word)].rect().center();
            session.moveTo(centre);
            check(session.hovered() == word);
            check(session.pressAt(centre, Qt::LeftButton).markSound.has_value());
            check(session.focused() == word);
            const Points points = session.points();
            check(points.maxScore == targets);
            check(points.score >= -markable && points.score <= targets);
        }
        // Laid out again with its marks, the page stands as before.
        Tokens again = session.tokens();
        const PageLayout layout = layoutPage(again, start, width, height, bound, metrics, crossOut);
        check(checkPage(again, layout, start, width, height) == drawn &&
              layout.nextStart == session.pageLayout().nextStart);

        if (!session.hasNextPage()) {
            break;
        }
        check(session.turnPage().pageChanged);
        check(session.pageStart() > start);
    }
    // Every markable word was shown, unless the text outran the last page.
    check(reached == markable || session.currentPage() == kLastPage);
    return 0;
}
