// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/ContentTable.h"
#include "content/DataPacket.h"

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

namespace lentora::content {

// One marked-words exercise of Data/TestPabr.cds. The first three fields are read by position.
struct MarkedWordsRow {
    std::int32_t id = 0;
    QByteArray caption;
    QByteArray heading;
    QByteArray text;        // Tekstas
    bool crossOut = false;  // PabrIsbr: anything but kUnderlineMarks crosses the words out
    int outerHeight = 0;    // Lango aukstis, 0..kMaxContentExtent
    int outerWidth = 0;     // Lango ilgis, 0..kMaxContentExtent

    static constexpr const char* kUnderlineMarks = "Pabraukiami";
    static constexpr const char* kCrossOutMarks = "Isbraukiami";

    // The row in the schema's field order, for writing a table.
    std::vector<Value> values() const;
};

// The row whose key is `id`, or nullopt. Throws Error on a closed table or a missing field.
std::optional<MarkedWordsRow> readMarkedWordsRow(ContentTable& table, std::int32_t id);

}  // namespace lentora::content
