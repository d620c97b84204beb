// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/DataPacket.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lentora::content {

// One value of a loaded table. Numbers and flags (0 or 1) are held as a double; texts and
// memos as a slice of the file image, which the table keeps whole, so that a large table
// costs a few bytes per value beyond the file itself.
struct PacketCell {
    union {
        double number;
        struct {
            std::uint32_t offset;
            std::uint32_t length;
        } text;
    };
};
static_assert(sizeof(PacketCell) == 8);

inline bool isTextType(FieldType type) {
    return type == FieldType::Text || type == FieldType::Memo;
}

// A value to match against a field: a key being searched, another row's value, or a master
// table's current value.
struct KeyValue {
    bool null = false;
    bool isText = false;
    double number = 0;
    QByteArrayView text;
};

// A data packet decoded for reading: the current rows in stored order (change log applied)
// and their order by the key.
struct PacketImage {
    std::vector<FieldDef> fields;
    std::vector<int> keyFields;        // 0-based positions of DEFAULT_ORDER
    QByteArray bytes;                  // the whole file; text cells point into it
    std::vector<PacketCell> cells;     // row-major, fields.size() per row
    std::vector<std::uint8_t> nulls;   // one per cell, 1 = no value
    std::vector<std::uint32_t> order;  // row numbers sorted stably by the key
    std::size_t rowCount = 0;

    bool isNull(std::size_t row, std::size_t field) const {
        return nulls[row * fields.size() + field] != 0;
    }
    const PacketCell& cell(std::size_t row, std::size_t field) const {
        return cells[row * fields.size() + field];
    }
    const char* textData(const PacketCell& c) const { return bytes.constData() + c.text.offset; }
    Value value(std::size_t row, std::size_t field) const;
    KeyValue keyValue(std::size_t row, std::size_t field) const;

    // Three-way comparison of a row's field with a value of the field's kind: nulls first,
    // NaN before numbers, numbers (and flags) numerically, texts byte for byte.
    int compareToKey(std::size_t row, std::size_t field, const KeyValue& key) const;
    int compareField(std::size_t a, std::size_t b, std::size_t field) const {
        return compareToKey(a, field, keyValue(b, field));
    }
};

// Decodes `bytes` (taken over by the image). Throws lentora::Error
// "Invalid data packet file <fileName>: <what is wrong>".
PacketImage readPacketImage(QByteArray bytes, const QString& fileName);

// The image's rows as plain values, in key order.
TableData toTableData(const PacketImage& image);

}  // namespace lentora::content
