// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/movable_words/MovableWordsLogic.h"

#include "platform/TextMetrics.h"

#include <QSet>

#include <algorithm>
#include <utility>

namespace lentora::movable_words {

bool isPunctuation(char c) {
    return QByteArrayView("!,-.:;?").contains(c);
}

std::vector<SentenceToken> tokenize(const QByteArrayList& lines) {
    std::vector<SentenceToken> tokens;
    for (const QByteArray& line : lines) {
        const QByteArrayList words = line.split(' ');
        std::vector<QByteArray> kept;
        for (const QByteArray& word : words) {
            if (!word.isEmpty()) {
                kept.push_back(word);
            }
        }
        if (kept.empty()) {
            tokens.push_back({QByteArray(), false, true, false});
            continue;
        }
        for (std::size_t i = 0; i < kept.size(); ++i) {
            QByteArray word = kept[i];
            const bool endOfLine = i + 1 == kept.size();
            const qsizetype at = word.indexOf('@');
            const bool underlined = at >= 0;
            if (underlined) {
                word.remove(at, 1);
            }
            if (!word.isEmpty() && isPunctuation(word.back())) {
                const char mark = word.back();
                word.chop(1);
                tokens.push_back({word, underlined, false, true});
                tokens.push_back({QByteArray(1, mark), false, endOfLine, false});
            } else {
                tokens.push_back({word, underlined, endOfLine, false});
            }
        }
    }
    return tokens;
}

std::vector<int> blockShuffle(int n, int rowsPerBlock, const RandomSource& random) {
    std::vector<int> order(std::size_t(std::max(n, 0)));
    for (int i = 0; i < n; ++i) {
        order[std::size_t(i)] = i;
    }
    const int block = std::max(rowsPerBlock, 1);
    for (int begin = 0; begin < n; begin += block) {
        const int end = std::min(n, begin + block);
        // Fisher-Yates within [begin, end).
        for (int i = end - 1; i > begin; --i) {
            const int j = begin + std::clamp(random(i - begin + 1), 0, i - begin);
            std::swap(order[std::size_t(i)], order[std::size_t(j)]);
        }
    }
    return order;
}

Exercise::Exercise(Variant variant, const QByteArrayList& words, const std::vector<int>& order)
    : variant_(variant) {
    slots_.resize(std::size_t(words.size()));
    // A hash set keeps this linear: a sorting row may repeat a few categories many times.
    QSet<QByteArray> offered;
    for (std::size_t k = 0; k < slots_.size(); ++k) {
        WordSlot& slot = slots_[k];
        slot.answer = words[qsizetype(k)];
        if (variant == Variant::Sorting) {
            const qsizetype at = slot.answer.indexOf('@');
            if (at >= 0) {
                slot.answer.remove(at, 1);
            }
        }
        const int source = k < order.size() ? order[k] : int(k);
        slot.poolWord = words.value(source);
        if (variant == Variant::Sorting && !slot.poolWord.contains('@') &&
            !offered.contains(slot.poolWord)) {
            offered.insert(slot.poolWord);
            categories_.append(slot.poolWord);
        }
    }
}

bool Exercise::valid(BoxRef box) const {
    if (variant_ == Variant::Sorting && box.kind == BoxRef::Pool) {
        return box.index >= 0 && box.index < categories_.size();
    }
    return box.index >= 0 && std::size_t(box.index) < slots_.size();
}

QByteArray* Exercise::word(BoxRef box) {
    if (!valid(box)) {
        return nullptr;
    }
    if (variant_ == Variant::Sorting && box.kind == BoxRef::Pool) {
        return &categories_[box.index];
    }
    WordSlot& slot = slots_[std::size_t(box.index)];
    return box.kind == BoxRef::Pool ? &slot.poolWord : &slot.gapWord;
}

QByteArray Exercise::wordIn(BoxRef box) const {
    QByteArray* found = const_cast<Exercise*>(this)->word(box);
    return found != nullptr ? *found : QByteArray();
}

bool Exercise::accepts(BoxRef source, BoxRef target) const {
    if (!valid(source) || !valid(target) || wordIn(source).isEmpty()) {
        return false;
    }
    if (variant_ == Variant::Sorting) {
        // Any gap takes a copy from the pool or exchanges with another gap.
        return target.kind == BoxRef::Gap;
    }
    return wordIn(target).isEmpty();
}

bool Exercise::drop(BoxRef source, BoxRef target) {
    if (!accepts(source, target)) {
        return false;
    }
    if (variant_ == Variant::Sorting && source.kind == BoxRef::Pool) {
        *word(target) = *word(source);
    } else {
        std::swap(*word(source), *word(target));
    }
    return true;
}

Points Exercise::score() const {
    Points points;
    for (std::size_t k = 0; k < slots_.size(); ++k) {
        ++points.maxScore;
        if (isRight(k)) {
            ++points.score;
        }
    }
    return points;
}

bool Exercise::isRight(std::size_t slot) const {
    return slot < slots_.size() && slots_[slot].gapWord == slots_[slot].answer;
}

bool Exercise::restoreLeft(const QByteArrayList& gapWords, const QByteArrayList& poolWords) {
    if (std::size_t(gapWords.size()) != slots_.size() ||
        std::size_t(poolWords.size()) != slots_.size()) {
        return false;
    }
    for (std::size_t k = 0; k < slots_.size(); ++k) {
        slots_[k].gapWord = gapWords[qsizetype(k)];
        slots_[k].poolWord = poolWords[qsizetype(k)];
    }
    return true;
}

int rowsPerPage(const PageGeometry& geometry) {
    const int h = geometry.textHeight;
    const int spacing = kMovableWords.spacing;
    const int room = geometry.height - geometry.top - 2 * kMovableWords.topMargin - h;
    if (room < 0 || h + spacing <= 0) {
        return 0;
    }
    return room / (h + spacing) + 1;
}

PageGeometry pageGeometryFor(QSize outer, int boxWidth, int textHeight, int top) {
    const QSize client = kMovableWords.clientSize(outer);
    PageGeometry geometry{client.width(), kMovableWords.rowsBottom(outer), boxWidth, textHeight,
                          top};
    if (rowsPerPage(geometry) == 0) {
        geometry.height = client.height();
    }
    return geometry;
}

std::optional<QRect> PageLayout::boxRect(BoxRef box) const {
    if (box.kind == BoxRef::Pool && !poolColumn.empty()) {
        if (box.index >= 0 && std::size_t(box.index) < poolColumn.size()) {
            return poolColumn[std::size_t(box.index)];
        }
        return std::nullopt;
    }
    for (const LaidOutRow& row : rows) {
        if (row.slot == box.index) {
            return box.kind == BoxRef::Gap ? std::optional<QRect>(row.gapBox) : row.poolBox;
        }
    }
    return std::nullopt;
}

std::optional<BoxRef> PageLayout::hit(QPoint point) const {
    for (std::size_t i = 0; i < poolColumn.size(); ++i) {
        if (poolColumn[i].contains(point)) {
            return BoxRef{BoxRef::Pool, int(i)};
        }
    }
    for (const LaidOutRow& row : rows) {
        if (row.poolBox && row.poolBox->contains(point)) {
            return BoxRef{BoxRef::Pool, row.slot};
        }
    }
    for (const LaidOutRow& row : rows) {
        if (row.gapBox.contains(point)) {
            return BoxRef{BoxRef::Gap, row.slot};
        }
    }
    return std::nullopt;
}

std::vector<BoxRef> PageLayout::focusOrder() const {
    std::vector<BoxRef> order;
    for (const LaidOutRow& row : rows) {
        order.push_back({BoxRef::Gap, row.slot});
        if (row.poolBox) {
            order.push_back({BoxRef::Pool, row.slot});
        }
    }
    for (std::size_t i = 0; i < poolColumn.size(); ++i) {
        order.push_back({BoxRef::Pool, int(i)});
    }
    return order;
}

namespace {

// Where a review shows the right word of a wrong row: in the gap after the word placed when it
// fits there, else on the line below, within the text column and the boxes beside the gap.
// None when that line would pass the page's bottom and the row may wait for the next page;
// a row that may not is left what room its gap has.
std::optional<RightWord> rightWordFor(const LaidOutRow& row, const WordSlot& slot, bool gaps,
                                      const PageGeometry& geometry, TextMetrics& metrics,
                                      bool mayWait) {
    const int inset = kMovableWords.boxTextLeft;
    const int pad = kMovableWords.pad;
    const int answerWidth = metrics.width(slot.answer);
    const QRect& gap = row.gapBox;
    // Inside the mark's two-pixel outline, after the word placed and a space.
    const int border = 2;
    const int start =
        slot.gapWord.isEmpty()
            ? gap.x() + border
            : std::min(gap.x() + inset + metrics.width(slot.gapWord) + metrics.width(" "),
                       gap.x() + gap.width() - border);
    const int gapEnd = gap.x() + gap.width() - border;
    const RightWord inGap{
        QRect(start, gap.y() + border, std::min(answerWidth + 2 * inset, gapEnd - start),
              gap.height() - 2 * border),
        QPoint(start + inset, gap.y() + pad), false};
    if (start + answerWidth + 2 * inset <= gapEnd) {
        return inGap;
    }
    const int top = gap.y() + gap.height() + pad;
    if (top + geometry.boxHeight() > geometry.height) {
        return mayWait ? std::nullopt : std::optional<RightWord>(inGap);
    }
    // Sorting: the category column stands right of the gaps.
    const int areaLeft = kMovableWords.textLeft;
    const int areaRight = gaps ? geometry.width - kMovableWords.rightMargin : gap.x() + gap.width();
    const int width = std::max(0, std::min(answerWidth + 2 * inset, areaRight - areaLeft));
    const int left = std::max(areaLeft, std::min(gap.x(), areaRight - width));
    return RightWord{QRect(left, top, width, geometry.boxHeight()), QPoint(left + inset, top + pad),
                     true};
}

}  // namespace

PageLayout layoutPage(const std::vector<SentenceToken>& tokens, const Exercise& exercise,
                      PageStart start, const PageGeometry& geometry, TextMetrics& metrics,
                      bool review) {
    PageLayout page;
    const int W = geometry.width;
    const int H = geometry.height;
    const int L = geometry.frameRight();
    const int boxHeight = geometry.boxHeight();
    const bool gaps = exercise.variant() == Variant::Gaps;
    const int slotCount = int(exercise.wordSlots().size());
    const int tokenCount = int(tokens.size());
    const int spaceWidth = metrics.width(" ");
    const int spacing = kMovableWords.spacing;
    const int pad = kMovableWords.pad;
    const int rightMargin = kMovableWords.rightMargin;
    const int topMargin = kMovableWords.topMargin;
    auto frameAt = [&](int y) { return QRect(spacing / 2, y - pad, L - spacing / 2, boxHeight); };

    int t = std::clamp(start.token, 0, tokenCount);
    int s = std::clamp(start.slot, 0, slotCount);
    int x = kMovableWords.textLeft;
    int y = geometry.top + 2 * topMargin;
    int pitch = 0;
    int rowStart = t;
    LaidOutRow row;
    if (t < tokenCount && y + boxHeight <= H) {
        row.frame = frameAt(y);
    }
    while (t < tokenCount && s < slotCount) {
        const SentenceToken& token = tokens[std::size_t(t)];
        if (token.text.isEmpty() || !isPunctuation(token.text.front())) {
            if (x + spaceWidth <= L) {
                row.texts.push_back({QPoint(x, y), QByteArray(" "), false});
            }
            x += spaceWidth;
        }
        TextStyle style;
        style.underline = token.underlined;
        const int w = metrics.width(token.text, style);
        const int h = metrics.lineHeight(style);
        const int wn =
            token.glued && t + 1 < tokenCount ? metrics.width(tokens[std::size_t(t + 1)].text) : 0;
        if (y + h > H) {
            break;
        }
        if (x + w + wn <= L && !token.text.isEmpty()) {
            row.texts.push_back({QPoint(x, y), token.text, token.underlined});
        }
        ++t;
        if (!token.endOfLine) {
            x += w;
            continue;
        }
        row.slot = s;
        row.gapBox = QRect(L + spacing, y - pad, geometry.boxWidth, boxHeight);
        if (gaps) {
            row.poolBox =
                QRect(W - rightMargin - geometry.boxWidth, y - pad, geometry.boxWidth, boxHeight);
        }
        int answerLine = 0;
        if (review) {
            const WordSlot& slot = exercise.wordSlots()[std::size_t(s)];
            row.mark = exercise.isRight(std::size_t(s)) ? Mark::Right : Mark::Wrong;
            if (row.mark == Mark::Wrong) {
                row.rightWord =
                    rightWordFor(row, slot, gaps, geometry, metrics, !page.rows.empty());
                if (!row.rightWord) {
                    // The next page shows this row with its right word.
                    t = rowStart;
                    break;
                }
                if (row.rightWord->ownLine) {
                    answerLine = kMovableWords.reviewAnswerLine(geometry.textHeight);
                }
            }
        }
        page.rows.push_back(std::move(row));
        row = LaidOutRow();
        pitch = h + spacing;
        ++s;
        rowStart = t;
        x = kMovableWords.textLeft;
        y += h + spacing + answerLine;
        if (t < tokenCount && y + h <= H) {
            row.frame = frameAt(y);
        }
    }
    page.next = {t, s};
    // A page that takes nothing would repeat for ever: it is the last.
    page.hasNextPage = t < tokenCount && s < slotCount && page.next != start;

    if (!gaps) {
        const int count = int(exercise.categories().size());
        if (pitch == 0) {
            pitch = geometry.textHeight + spacing;
        }
        // The column stays between the first row's top and the area's bottom (the arrow is
        // below it): centred on this page's rows where that fits, otherwise from the top, and
        // closer together (never overlapping) when it is longer than the area.
        const int pageTop = geometry.top + 2 * topMargin - pad;
        int rowsBottom = pageTop;
        if (!page.rows.empty()) {
            const LaidOutRow& last = page.rows.back();
            rowsBottom = last.gapBox.bottom() + 1;
            if (last.rightWord) {
                rowsBottom = std::max(rowsBottom, last.rightWord->cell.bottom() + 1);
            }
        }
        const int rowsHeight = rowsBottom - pageTop;
        int step = pitch;
        auto columnHeight = [&] { return count > 0 ? (count - 1) * step + boxHeight : 0; };
        int top = pageTop + (rowsHeight - columnHeight()) / 2;
        if (top < pageTop || top + columnHeight() > H) {
            top = pageTop;
        }
        if (count > 1 && top + columnHeight() > H) {
            step = std::max(boxHeight, (H - top - boxHeight) / (count - 1));
        }
        if (top + columnHeight() > H) {
            top = std::max(geometry.top, H - columnHeight());
        }
        const int left = W - rightMargin - geometry.boxWidth;
        for (int i = 0; i < count; ++i) {
            page.poolColumn.emplace_back(left, top + i * step, geometry.boxWidth, boxHeight);
        }
    }
    return page;
}

}  // namespace lentora::movable_words
