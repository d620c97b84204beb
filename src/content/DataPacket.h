// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace lentora::content {

enum class FieldType { Flag, Number, Text, Memo };  // base types 3, 4, 9, 11

struct FieldDef {
    QByteArray name;  // code page 1257
    FieldType type = FieldType::Number;
    std::uint16_t size = 8;    // value width, or width of the length prefix (1, 2 or 4)
    std::optional<int> width;  // the WIDTH property, when present
};

// Field definitions as the course's tables use them.
FieldDef numberField(QByteArray name);
FieldDef flagField(QByteArray name);
FieldDef textField(QByteArray name, int width);  // 1-byte length prefix up to 255, else 2
FieldDef memoField(QByteArray name, int width = 240);

// null, number, text or memo bytes, flag
using Value = std::variant<std::monostate, double, QByteArray, bool>;

// A whole table as plain values: what the reader produces and the writer consumes.
struct TableData {
    std::vector<FieldDef> fields;
    std::vector<int> keyFields;  // 0-based field positions of DEFAULT_ORDER
    std::vector<std::vector<Value>> rows;
};

// Parses a data packet: change log applied, rows sorted stably by the key.
// Throws lentora::Error naming `fileName` and the fault ("Invalid data packet file %1: ...").
TableData parseDataPacket(QByteArrayView bytes, const QString& fileName);

// Writes a data packet: WIDTH (and SUBTYPE "Text" for memos) field properties,
// DEFAULT_ORDER and UNIQUE_KEY, rows with status 0 and null bits.
QByteArray writeDataPacket(const TableData& table);

}  // namespace lentora::content
