#include "content/MovableWordsRow.h"

#include <algorithm>
#include <cmath>

namespace lentora::content {

namespace {

constexpr int kMaxExtent = 4000;

int clampedExtent(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return int(std::clamp(value, 0.0, double(kMaxExtent)));
}

}  // namespace

QByteArrayList splitAnyLineBreaks(QByteArrayView memo) {
    QByteArrayList lines;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < memo.size()) {
        const char c = memo[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.append(memo.sliced(start, i - start).toByteArray());
        i += (c == '\r' && i + 1 < memo.size() && memo[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < memo.size()) {
        lines.append(memo.sliced(start).toByteArray());
    }
    return lines;
}

std::optional<MovableWordsRow> readMovableWordsRow(ContentTable& table, std::int32_t id) {
    if (!table.findKey(double(id))) {
        return std::nullopt;
    }
    MovableWordsRow row;
    row.id = id;
    row.task = table.asText("Uzduotis");
    row.sentences = splitAnyLineBreaks(table.asText("Sakiniai"));
    row.words = splitAnyLineBreaks(table.asText("Zodziai"));
    row.outerWidth = clampedExtent(table.asNumber("Ilgis"));
    row.outerHeight = clampedExtent(table.asNumber("Aukstis"));
    row.boxWidth = clampedExtent(table.asNumber("LangIlgis"));
    const double type = table.asNumber("Tipas");
    row.type = std::isfinite(type) ? int(std::clamp(type, -1.0, 1000.0)) : 0;
    return row;
}

}  // namespace lentora::content
