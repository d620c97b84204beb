// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/marked_words/MarkedWordsLogic.h"

#include "platform/CodePage1257.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace lentora::marked_words {

bool isSeparator(char byte) {
    switch (byte) {
        case ' ':
        case '!':
        case ',':
        case '-':
        case '.':
        case ':':
        case ';':
        case '?':
            return true;
        default:
            return false;
    }
}

Tokens tokenize(QByteArrayView text) {
    Tokens tokens;
    QByteArray word;
    bool target = false;
    auto append = [&tokens](QByteArray tokenText, bool isTarget, bool endOfLine, bool glued) {
        WordToken token;
        token.Text = std::move(tokenText);
        token.Target = isTarget;
        token.EndOfLine = endOfLine;
        token.Glued = glued;
        tokens.push_back(std::move(token));
    };
    const QByteArrayView used = text.first(std::min(text.size(), kMaxTextBytes));
    // Every text ends with a line end of its own.
    const qsizetype count = used.size() + 1;
    for (qsizetype i = 0; i < count; ++i) {
        const char byte = i < used.size() ? used[i] : '\r';
        if (byte == '\r') {
            append(word.isEmpty() ? QByteArray(" ") : word, target, true, false);
            word.clear();
            target = false;
        } else if (byte == '@') {
            target = true;
        } else if (byte == '\n') {
        } else if (isSeparator(byte)) {
            if (!word.isEmpty()) {
                append(word, target, false, true);
            }
            target = false;
            append(QByteArray(1, byte), false, false, false);
            word.clear();
        } else if (word.size() < kMaxTokenBytes) {
            word.append(byte);
        }
    }
    return tokens;
}

bool isMarkable(const WordToken& token) {
    if (token.Text.isEmpty() || isSeparator(token.Text.front())) {
        return false;
    }
    if (token.Text.contains('x') || token.Text.contains('X') || token.Text.contains('*')) {
        return false;
    }
    // A dash or a quote standing alone is punctuation to the learner, never a word to mark.
    const QString text = fromCp1257(token.Text);
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLetterOrNumber(); });
}

TextStyle styleFor(bool marked, bool crossOut) {
    TextStyle style;
    if (marked) {
        (crossOut ? style.strikeOut : style.underline) = true;
    }
    return style;
}

PageLayout layoutPage(Tokens& tokens, int start, int areaWidth, int areaHeight, int boundHeight,
                      TextMetrics& metrics, bool crossOut) {
    PageLayout page;
    const int count = int(tokens.size());
    if (start < 0 || start >= count) {
        return page;
    }
    for (int i = start; i < count; ++i) {
        tokens[std::size_t(i)].Drawn = false;
    }
    const int spaceWidth = metrics.width(" ");
    int x = 0;
    int y = 0;
    int t = start;
    while (t < count && y <= boundHeight) {
        if (x == 0 && tokens[std::size_t(t)].Text == " ") {
            if (++t >= count) {
                break;
            }
        }
        WordToken& token = tokens[std::size_t(t)];
        const bool wordAfterSomething = x != 0 && !isSeparator(token.Text.front());
        const int space = wordAfterSomething ? spaceWidth : 0;
        const int w = metrics.width(token.Text);
        token.Width = w;
        const TextStyle style = styleFor(token.Marked, crossOut);
        const int n =
            token.Glued && t + 1 < count ? metrics.width(tokens[std::size_t(t + 1)].Text) : 0;
        // A zero line height would never reach the bound.
        const int h = std::max(1, metrics.lineHeight(style));
        token.Height = h;
        const bool fitsAcross = x + space + w + n <= areaWidth;
        // A word too wide for any line is drawn alone, cut at the edge; a line too tall for the
        // area is drawn alone on its page, cut at the bottom.
        if ((!fitsAcross && x != 0) || (y + h > areaHeight && y != 0)) {
            x = 0;
            y += h;
            continue;
        }
        if (space != 0) {
            page.items.push_back({-1, x, y});
            x += space;
        }
        page.items.push_back({t, x, y});
        token.Left = x;
        token.Top = y;
        token.Drawn = true;
        if (token.EndOfLine) {
            x = 0;
            y += h;
        } else {
            x += w;
        }
        ++t;
    }
    if (t < count) {
        page.nextStart = t;
    }
    return page;
}

std::optional<int> markableAt(const Tokens& tokens, int start, int x, int y) {
    for (int i = std::max(0, start); i < int(tokens.size()); ++i) {
        const WordToken& token = tokens[std::size_t(i)];
        if (token.Drawn && token.Left <= x && x < token.Left + token.Width && token.Top <= y &&
            y < token.Top + token.Height) {
            return isMarkable(token) ? std::optional<int>(i) : std::nullopt;
        }
    }
    return std::nullopt;
}

Points scoreTokens(const Tokens& tokens) {
    Points points;
    for (const WordToken& token : tokens) {
        if (token.Target) {
            ++points.maxScore;
            points.score += token.Marked ? 1 : 0;
        } else if (token.Marked) {
            --points.score;
        }
    }
    return points;
}

std::vector<int> markableOnPage(const Tokens& tokens, int start) {
    std::vector<int> result;
    for (int i = std::max(0, start); i < int(tokens.size()); ++i) {
        const WordToken& token = tokens[std::size_t(i)];
        if (token.Drawn && isMarkable(token)) {
            result.push_back(i);
        }
    }
    return result;
}

std::optional<int> moveFocus(const Tokens& tokens, int start, std::optional<int> current,
                             FocusMove move) {
    const std::vector<int> words = markableOnPage(tokens, start);
    if (words.empty()) {
        return std::nullopt;
    }
    const auto here = current ? std::find(words.begin(), words.end(), *current) : words.end();
    if (here == words.end()) {
        return words.front();
    }
    switch (move) {
        case FocusMove::Next:
            return std::next(here) == words.end() ? *here : *std::next(here);
        case FocusMove::Previous:
            return here == words.begin() ? *here : *std::prev(here);
        case FocusMove::Up:
        case FocusMove::Down:
            break;
    }
    const WordToken& from = tokens[std::size_t(*here)];
    const bool up = move == FocusMove::Up;
    // The nearest line in that direction, then the word nearest across on it.
    std::optional<int> lineTop;
    for (int i : words) {
        const int top = tokens[std::size_t(i)].Top;
        if (up ? top < from.Top : top > from.Top) {
            if (!lineTop || (up ? top > *lineTop : top < *lineTop)) {
                lineTop = top;
            }
        }
    }
    if (!lineTop) {
        return *here;
    }
    const int centre = from.Left + from.Width / 2;
    int best = *here;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i : words) {
        const WordToken& token = tokens[std::size_t(i)];
        if (token.Top != *lineTop) {
            continue;
        }
        const int distance = std::abs(token.Left + token.Width / 2 - centre);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

bool Paging::finishLayout(std::optional<int> nextStart) {
    if (currentPage >= kLastPage) {
        return false;
    }
    pageStart[std::size_t(currentPage + 1)] = nextStart;
    return nextStart.has_value();
}

bool Paging::turn() {
    if (currentPage >= kLastPage || !pageStart[std::size_t(currentPage + 1)]) {
        return false;
    }
    ++currentPage;
    return true;
}

bool Paging::turnBack() {
    if (currentPage <= 0 || !pageStart[std::size_t(currentPage - 1)]) {
        return false;
    }
    --currentPage;
    return true;
}

}  // namespace lentora::marked_words
