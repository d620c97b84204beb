// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/ContentTable.h"
#include "content/DataPacket.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>

#include <cstdint>
#include <optional>
#include <vector>

namespace lentora::content {

// One exercise of Data/Nesioj.cds, typed.
struct MovableWordsRow {
    std::int32_t id = 0;
    QByteArray task;           // Uzduotis: the window caption
    QByteArrayList sentences;  // Sakiniai, one sentence row per line
    QByteArrayList words;      // Zodziai, line k answers sentence row k
    int outerWidth = 0;        // Ilgis
    int outerHeight = 0;       // Aukstis
    int boxWidth = 0;          // LangIlgis
    int type = 0;              // Tipas: 1 gap filling, 2 category sorting

    // The row in the schema's field order (lines joined by CR LF), for writing a table.
    std::vector<Value> values() const;
};

// The row whose Id is `id`, or none. Sizes are clamped to 0..kMaxContentExtent pixels. Throws Error
// when the table is closed or lacks a field.
std::optional<MovableWordsRow> readMovableWordsRow(ContentTable& table, std::int32_t id);

}  // namespace lentora::content
