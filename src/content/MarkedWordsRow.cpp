#include "content/MarkedWordsRow.h"

#include "content/Schema.h"

#include <algorithm>
#include <cmath>

namespace lentora::content {

namespace {

int extent(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return int(std::clamp(std::trunc(value), 0.0, double(kMaxWindowExtent)));
}

}  // namespace

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
    row.markKind = table.asText(F::marks);
    row.outerHeight = extent(table.asNumber(F::windowHeight));
    row.outerWidth = extent(table.asNumber(F::windowWidth));
    return row;
}

}  // namespace lentora::content
