// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/DataPacket.h"
#include "content/MemoLines.h"
#include "platform/Error.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <vector>

namespace lentora::content {

// Reading or finding in a closed table. Its table failed to load and was reported then, so
// this error is the same fault once more.
class ClosedTableError : public Error {
public:
    ClosedTableError();
};

// A read-only table loaded from a data packet file, with a cursor over its visible rows.
// A table that never loaded, or whose load failed, is closed: reading or finding in it throws
// ClosedTableError("Cannot perform this operation on a closed dataset").
class ContentTable {
public:
    ContentTable();
    ~ContentTable();
    ContentTable(const ContentTable&) = delete;
    ContentTable& operator=(const ContentTable&) = delete;

    // Reads the whole file (path resolved without regard to letter case). On success the table
    // is open with the cursor on the first visible row. Throws Error("Cannot open file <path>")
    // or the reader's error; the table is then closed and empty.
    void load(const QString& path);
    void loadFromBytes(QByteArrayView bytes, const QString& fileName);
    void close();
    bool isOpen() const;

    // Fields: by 1-based position, or by exact name (-1 when absent).
    int fieldCount() const;
    const FieldDef& field(int position) const;
    int fieldPosition(QByteArrayView name) const;

    // Walking the visible rows.
    void first();
    void next();
    bool eof() const;
    int visibleRowCount() const;

    // Values of the current row, by field name or by 1-based position. A null reads as 0,
    // empty text or false. Throws Error on a closed table, an unknown field or no current row.
    int asInt(QByteArrayView fieldName) const;
    double asNumber(QByteArrayView fieldName) const;
    QByteArray asText(QByteArrayView fieldName) const;  // text and memo fields
    bool asFlag(QByteArrayView fieldName) const;
    bool isNull(QByteArrayView fieldName) const;
    // Memo split at CR LF; a line break at the very end starts no further line.
    QByteArrayList asLines(QByteArrayView fieldName) const;

    int asIntAt(int position) const;
    QByteArray asTextAt(int position) const;
    Value valueAt(int position) const;

    // Find by the table's key (one key field): the cursor moves to the row and true is
    // returned; otherwise the cursor stays and false is returned.
    bool findKey(double key);
    bool findKey(QByteArrayView key);

    // Makes this table a detail of `master`: after every move of the master's cursor the
    // visible rows are those whose `detailFields` equal the master's `masterFields`, in index
    // (stable, stored-order) order, and the cursor is on the first of them.
    void linkToMaster(ContentTable& master, const QByteArrayList& detailFields,
                      const QByteArrayList& masterFields);

    // The loaded content as plain values (all current rows, sorted).
    TableData data() const;

private:
    // Takes a file's bytes as the new content; a table whose bytes do not read is closed.
    void adopt(QByteArray bytes, const QString& fileName);

    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace lentora::content
