// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/MarkedWordsRow.h"

#include "content/Schema.h"
#include "platform/ContentLimits.h"

namespace lentora::content {

std::optional<MarkedWordsRow> readMarkedWordsRow(ContentTable& table, std::int32_t id) {
    if (!table.findKey(double(id))) {
        return std::nullopt;
    }
    using F = MarkedWordsFields;
    MarkedWordsRow row;
    row.id = table.asIntAt(F::recordPosition);
    row.caption = table.asTextAt(F::captionPosition);
    row.heading = table.asTextAt(F::headingPosition);
    row.text = table.asText(F::text);
    row.crossOut = table.asText(F::marks) != MarkedWordsRow::kUnderlineMarks;
    row.outerHeight = clampedInt(table.asNumber(F::windowHeight), 0, kMaxContentExtent);
    row.outerWidth = clampedInt(table.asNumber(F::windowWidth), 0, kMaxContentExtent);
    return row;
}

std::vector<Value> MarkedWordsRow::values() const {
    return {double(id),
            caption,
            heading,
            text,
            QByteArray(crossOut ? kCrossOutMarks : kUnderlineMarks),
            double(outerHeight),
            double(outerWidth)};
}

}  // namespace lentora::content
