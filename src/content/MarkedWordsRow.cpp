#include "content/MarkedWordsRow.h"

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
    MarkedWordsRow row;
    row.id = table.asIntAt(1);
    row.caption = table.asTextAt(2);
    row.heading = table.asTextAt(3);
    row.text = table.asText("Tekstas");
    row.markKind = table.asText("PabrIsbr");
    row.outerHeight = extent(table.asNumber("Lango aukstis"));
    row.outerWidth = extent(table.asNumber("Lango ilgis"));
    return row;
}

}  // namespace lentora::content
