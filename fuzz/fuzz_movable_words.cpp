// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the sentences and words of a movable-words row (either variant) over any
// window size, tokenized, shuffled and run as a session page by page with fixed metrics, as the
// window does. The shuffle keeps each block's words in the block, pages always advance, every
// row's boxes are laid out on some page and hit where they stand, and words dragged, carried by
// click or put back at random keep every word.
#include "FuzzCheck.h"
#include "content/MemoLines.h"
#include "exercises/movable_words/MovableWordsLogic.h"
#include "exercises/movable_words/MovableWordsSession.h"
#include "platform/TextMetrics.h"
#include "support/FixedTextMetrics.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <random>
#include <set>
#include <string>

using namespace lentora;
using namespace lentora::movable_words;

namespace {

void checkTokens(const QByteArrayList& lines, const std::vector<SentenceToken>& tokens) {
    // One row per line, each ended by exactly one token.
    check(std::count_if(tokens.begin(), tokens.end(), [](const SentenceToken& token) {
              return token.endOfLine;
          }) == lines.size());
    check(tokens.empty() || tokens.back().endOfLine);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        check(!tokens[i].text.contains(' '));
        if (tokens[i].glued) {
            check(!tokens[i].endOfLine && i + 1 < tokens.size());
            check(tokens[i + 1].text.size() == 1 && isPunctuation(tokens[i + 1].text[0]));
        }
    }
}

QByteArrayList sorted(QByteArrayList words) {
    std::sort(words.begin(), words.end());
    return words;
}

void checkShuffle(const std::vector<int>& order, int n, int block) {
    check(int(order.size()) == n);
    std::vector<bool> seen(std::size_t(n), false);
    for (int i = 0; i < n; ++i) {
        const int j = order[std::size_t(i)];
        check(j >= 0 && j < n && !seen[std::size_t(j)]);
        check(j / block == i / block);
        seen[std::size_t(j)] = true;
    }
}

void checkSlots(const Exercise& exercise, const QByteArrayList& words, int block) {
    const std::vector<WordSlot>& wordSlots = exercise.wordSlots();
    check(wordSlots.size() == std::size_t(words.size()));
    if (exercise.variant() == Variant::Gaps) {
        for (qsizetype begin = 0; begin < words.size(); begin += block) {
            const qsizetype end = std::min(words.size(), begin + block);
            QByteArrayList pool;
            for (qsizetype k = begin; k < end; ++k) {
                pool.append(wordSlots[std::size_t(k)].poolWord);
                check(wordSlots[std::size_t(k)].answer == words[k]);
            }
            check(sorted(pool) == sorted(words.mid(begin, end - begin)));
        }
        return;
    }
    // Sorting: each line without '@' offered once.
    std::set<QByteArray> distinct;
    for (const QByteArray& word : words) {
        if (!word.contains('@')) {
            distinct.insert(word);
        }
    }
    const QByteArrayList& categories = exercise.categories();
    check(std::size_t(categories.size()) == distinct.size());
    check(std::set<QByteArray>(categories.begin(), categories.end()) == distinct);
}

// Every word in play, empty boxes left out: moves keep them, copies never lose a category.
QByteArrayList wordsInPlay(const Exercise& exercise) {
    QByteArrayList words;
    for (const WordSlot& slot : exercise.wordSlots()) {
        for (const QByteArray* word : {&slot.poolWord, &slot.gapWord}) {
            if (!word->isEmpty()) {
                words.append(*word);
            }
        }
    }
    return sorted(words);
}

void checkHit(const PageLayout& page, std::optional<QRect> box, BoxRef expected) {
    check(box.has_value());
    if (box->isEmpty()) {
        return;
    }
    check(page.hit(box->center()) == std::optional<BoxRef>(expected));
    check(page.boxRect(expected) == box);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const Variant variant = input.ConsumeBool() ? Variant::Sorting : Variant::Gaps;
    PageGeometry geometry;
    // The content's sizes are cut to 0..4000.
    geometry.width = input.ConsumeIntegralInRange(0, 4000);
    geometry.height = input.ConsumeIntegralInRange(0, 4000);
    geometry.boxWidth = input.ConsumeIntegralInRange(0, 4000);
    const int byteWidth = input.ConsumeIntegralInRange(1, 40);
    geometry.textHeight = input.ConsumeIntegralInRange(1, 80);
    std::minstd_rand random(input.ConsumeIntegral<std::uint32_t>());
    FixedTextMetrics metrics(byteWidth, geometry.textHeight);
    // Sakiniai, a NUL, Zodziai.
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const std::size_t split = std::min(rest.find('\0'), rest.size());
    const QByteArrayList sentences =
        content::splitLinesAtAnyBreak(QByteArrayView(rest.data(), qsizetype(split)));
    const QByteArrayList words = content::splitLinesAtAnyBreak(
        split < rest.size()
            ? QByteArrayView(rest.data() + split + 1, qsizetype(rest.size() - split - 1))
            : QByteArrayView());

    const std::vector<SentenceToken> tokens = tokenize(sentences);
    checkTokens(sentences, tokens);

    const int rows = rowsPerPage(geometry);
    if (rows == 0) {
        return 0;  // the window does not open
    }
    const int n = int(words.size());
    const std::vector<int> order = blockShuffle(n, rows, [&random](int bound) {
        return std::uniform_int_distribution<int>(0, bound - 1)(random);
    });
    checkShuffle(order, n, rows);
    MovableWordsSession session(variant, sentences, words, order, geometry,
                                {geometry.width, geometry.height},
                                std::make_unique<FixedTextMetrics>(byteWidth, geometry.textHeight));
    const Exercise& exercise = session.exercise();
    checkSlots(exercise, words, rows);
    const QByteArrayList startWords = wordsInPlay(exercise);
    const QByteArrayList categories = exercise.categories();

    // Rows without a slot and slots without a row never show.
    const int reachable = std::min(int(sentences.size()), n);
    int laidOut = 0;
    PageStart start;
    for (;;) {
        const PageLayout page = session.pageLayout();
        check(int(page.rows.size()) <= rows);
        for (const LaidOutRow& row : page.rows) {
            check(row.slot == laidOut++);
            checkHit(page, row.gapBox, {BoxRef::Gap, row.slot});
            if (variant == Variant::Gaps) {
                checkHit(page, row.poolBox, {BoxRef::Pool, row.slot});
            } else {
                check(!row.poolBox);
            }
            for (const DrawnText& text : row.texts) {
                check(text.at.x() + metrics.width(text.text, {}) <= geometry.frameRight());
            }
        }
        if (variant == Variant::Sorting) {
            check(page.poolColumn.size() == std::size_t(categories.size()));
            for (std::size_t i = 0; i < page.poolColumn.size(); ++i) {
                checkHit(page, page.poolColumn[i], {BoxRef::Pool, int(i)});
            }
        }
        // Blocks and pages coincide: a full page shows a whole block.
        check(!page.hasNextPage || int(page.rows.size()) == rows);

        // The learner drags words, carries them by click or picks them up and puts them back.
        const std::vector<BoxRef> boxes = page.focusOrder();
        for (int moves = 0; moves < 16 && boxes.size() > 1; ++moves) {
            std::uniform_int_distribution<std::size_t> pick(0, boxes.size() - 1);
            const BoxRef from = boxes[pick(random)];
            const BoxRef to = boxes[pick(random)];
            const QByteArray carried = exercise.wordIn(from);
            if (page.boxRect(from)->isEmpty() || page.boxRect(to)->isEmpty()) {
                continue;  // boxes without width take no clicks
            }
            if (carried.isEmpty()) {
                // Nothing to pick up.
                session.pressAt(page.boxRect(from)->center(), Qt::LeftButton);
                check(session.carry() == MovableWordsSession::Carry::Idle);
                continue;
            }
            const bool accepted = exercise.accepts(from, to);
            const QPoint source = page.boxRect(from)->center();
            const QPoint target = page.boxRect(to)->center();
            const int way = std::uniform_int_distribution<int>(0, 2)(random);
            session.pressAt(source, Qt::LeftButton);
            if (way == 0) {
                session.moveTo(source + QPoint(10, 0));
                check(session.carry() == MovableWordsSession::Carry::Dragging);
                session.moveTo(target);
                session.releaseAt(target, Qt::LeftButton);
            } else {
                session.releaseAt(source, Qt::LeftButton);
                check(session.carried() == from);
                if (way == 1) {
                    session.pressAt(target, Qt::LeftButton);
                } else {
                    session.keyPress(Qt::Key_Escape);
                }
            }
            check(session.carry() == MovableWordsSession::Carry::Idle);
            check(way == 2 || !accepted || exercise.wordIn(to) == carried);
            if (way == 2 || !accepted) {
                check(exercise.wordIn(from) == carried);
            }
            if (variant == Variant::Gaps) {
                check(wordsInPlay(exercise) == startWords);
            } else {
                check(exercise.categories() == categories);
            }
        }
        const Points points = session.points();
        check(points.maxScore == n && points.score >= 0 && points.score <= n);

        if (!page.hasNextPage) {
            check(!session.nextPage().pageChanged);
            break;
        }
        check(page.next.token > start.token && page.next.slot > start.slot);
        check(session.nextPage().pageChanged);
        start = page.next;
    }
    check(laidOut == reachable);
    return 0;
}
