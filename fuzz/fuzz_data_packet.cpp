// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the data packet reader and to a content table, then walks and reads
// everything the table offers. Any crash, sanitizer report or broken invariant is a finding;
// lentora::Error is the expected answer to bad input.

#include "content/ContentTable.h"
#include "content/DataPacket.h"
#include "platform/Error.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace lentora::content;

namespace {

void readEverything(ContentTable& table) {
    for (table.first(); !table.eof(); table.next()) {
        for (int position = 1; position <= table.fieldCount(); ++position) {
            const FieldDef& field = table.field(position);
            table.valueAt(position);
            table.asTextAt(position);
            table.isNull(field.name);
            table.asLines(field.name);
            try {
                table.asIntAt(position);
                table.asFlag(field.name);
            } catch (const lentora::Error&) {
                // texts that are no numbers or flags
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString name = QStringLiteral("fuzz.cds");

    TableData parsed;
    try {
        parsed = parseDataPacket(bytes, name);
    } catch (const lentora::Error&) {
        ContentTable table;
        try {
            table.loadFromBytes(bytes, name);
            std::abort();  // the table accepted what the reader refused
        } catch (const lentora::Error&) {
        }
        if (table.isOpen() || !table.eof()) {
            std::abort();
        }
        return 0;
    }

    // What was read can be written, and writing is stable from then on.
    const QByteArray written = writeDataPacket(parsed);
    const QByteArray rewritten = writeDataPacket(parseDataPacket(written, name));
    if (written != rewritten) {
        std::abort();
    }

    ContentTable table;
    table.loadFromBytes(bytes, name);
    if (std::size_t(table.visibleRowCount()) != parsed.rows.size()) {
        std::abort();
    }
    readEverything(table);

    // Every stored key is found again, and a detail linked on the key follows it.
    if (!parsed.keyFields.empty()) {
        const QByteArray keyName = parsed.fields[std::size_t(parsed.keyFields.front())].name;
        ContentTable detail;
        detail.loadFromBytes(bytes, name);
        detail.linkToMaster(table, {keyName}, {keyName});
        // A few rows are enough; every row would make large inputs quadratic.
        const std::size_t checked = std::min<std::size_t>(parsed.rows.size(), 16);
        for (std::size_t r = 0; r < checked; ++r) {
            const auto& row = parsed.rows[r];
            const Value& key = row[std::size_t(parsed.keyFields.front())];
            bool found = true;
            if (const double* n = std::get_if<double>(&key)) {
                found = *n != *n || table.findKey(*n);  // NaN never equals itself
            } else if (const QByteArray* t = std::get_if<QByteArray>(&key)) {
                found = table.findKey(QByteArrayView(*t));
            }
            if (!found) {
                std::abort();
            }
            readEverything(detail);
        }
    }
    return 0;
}
