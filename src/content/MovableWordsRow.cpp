#include "content/MovableWordsRow.h"

#include "content/MemoLines.h"
#include "content/Schema.h"

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

std::optional<MovableWordsRow> readMovableWordsRow(ContentTable& table, std::int32_t id) {
    using F = MovableWordsFields;
    if (!table.findKey(double(id))) {
        return std::nullopt;
    }
    MovableWordsRow row;
    row.id = id;
    row.task = table.asText(F::task);
    row.sentences = splitLinesAtAnyBreak(table.asText(F::sentences));
    row.words = splitLinesAtAnyBreak(table.asText(F::words));
    row.outerWidth = clampedExtent(table.asNumber(F::width));
    row.outerHeight = clampedExtent(table.asNumber(F::height));
    row.boxWidth = clampedExtent(table.asNumber(F::windowWidth));
    const double type = table.asNumber(F::type);
    row.type = std::isfinite(type) ? int(std::clamp(type, -1.0, 1000.0)) : 0;
    return row;
}

}  // namespace lentora::content
