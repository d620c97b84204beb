// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/MovableWordsRow.h"

#include "content/MemoLines.h"
#include "content/Schema.h"
#include "platform/ContentLimits.h"

#include <algorithm>
#include <cmath>

namespace lentora::content {

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
    row.outerWidth = clampedInt(table.asNumber(F::width), 0, kMaxContentExtent);
    row.outerHeight = clampedInt(table.asNumber(F::height), 0, kMaxContentExtent);
    row.boxWidth = clampedInt(table.asNumber(F::windowWidth), 0, kMaxContentExtent);
    const double type = table.asNumber(F::type);
    row.type = std::isfinite(type) ? int(std::clamp(type, -1.0, 1000.0)) : 0;
    return row;
}

std::vector<Value> MovableWordsRow::values() const {
    return {double(id),
            task,
            sentences.join("\r\n"),
            words.join("\r\n"),
            double(outerWidth),
            double(outerHeight),
            double(boxWidth),
            double(type)};
}

}  // namespace lentora::content
