// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/ContentTable.h"

#include "content/PacketImage.h"
#include "platform/CodePage1257.h"
#include "platform/Error.h"
#include "platform/ProgramPaths.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

namespace lentora::content {

ClosedTableError::ClosedTableError()
    : Error(QStringLiteral("Cannot perform this operation on a closed dataset")) {}

struct ContentTable::Impl {
    bool open = false;
    PacketImage image;

    // Visible rows: a range of image.order, or (for a detail linked on fields that are not
    // a prefix of the key) a filtered list.
    bool useFiltered = false;
    std::vector<std::uint32_t> filteredRows;
    std::size_t rangeBegin = 0;
    std::size_t rangeEnd = 0;
    std::size_t cursor = 0;
    bool atEnd = true;

    ContentTable* master = nullptr;
    QByteArrayList detailFields;
    QByteArrayList masterFields;
    std::vector<ContentTable*> details;

    std::span<const std::uint32_t> visible() const {
        if (useFiltered) {
            return filteredRows;
        }
        return std::span<const std::uint32_t>(image.order)
            .subspan(rangeBegin, rangeEnd - rangeBegin);
    }

    void checkOpen() const {
        if (!open) {
            throw ClosedTableError();
        }
    }

    // The 0-based index of the field with that exact name, or -1.
    int findField(QByteArrayView name) const {
        for (std::size_t i = 0; i < image.fields.size(); ++i) {
            if (image.fields[i].name == name) {
                return int(i);
            }
        }
        return -1;
    }

    int fieldIndex(QByteArrayView name) const {
        checkOpen();
        const int index = findField(name);
        if (index < 0) {
            throw Error(QStringLiteral("Field '%1' not found").arg(fromCp1257(name)));
        }
        return index;
    }

    Value currentValue(QByteArrayView name) const {
        const int f = fieldIndex(name);
        return image.value(currentRow(), std::size_t(f));
    }

    int fieldIndexAt(int position) const {
        checkOpen();
        if (position < 1 || std::size_t(position) > image.fields.size()) {
            throw Error(QStringLiteral("Field index out of range"));
        }
        return position - 1;
    }

    std::size_t currentRow() const {
        checkOpen();
        if (atEnd) {
            throw Error(QStringLiteral("There is no current row"));
        }
        return visible()[cursor];
    }

    void showAll() {
        useFiltered = false;
        filteredRows.clear();
        rangeBegin = 0;
        rangeEnd = image.order.size();
    }

    void showNone() {
        useFiltered = false;
        filteredRows.clear();
        rangeBegin = rangeEnd = 0;
    }

    void toFirst() {
        cursor = 0;
        atEnd = visible().empty();
    }

    void applyLink();
    void notifyDetails();
    void unlinkFromMaster(ContentTable* self);
    bool moveToKey(const KeyValue& key);

    // After the content or the link changed: the rows follow the master again, the cursor
    // goes to the first of them, and the details follow in turn.
    void refresh() {
        applyLink();
        toFirst();
        notifyDetails();
    }
};

void ContentTable::Impl::notifyDetails() {
    for (ContentTable* detail : details) {
        if (detail->d->open) {
            detail->d->refresh();
        }
    }
}

// Limits the visible rows to those matching the master's current row.
void ContentTable::Impl::applyLink() {
    if (!master) {
        showAll();
        return;
    }
    const Impl& m = *master->d;
    if (!m.open || m.atEnd) {
        showNone();
        return;
    }
    const std::size_t masterRow = m.visible()[m.cursor];
    std::vector<std::size_t> positions;
    std::vector<KeyValue> keys;
    for (qsizetype i = 0; i < detailFields.size(); ++i) {
        const int detailField = findField(detailFields[i]);
        const int masterField = m.findField(masterFields[i]);
        if (detailField < 0 || masterField < 0) {
            showNone();
            return;
        }
        const KeyValue kv = m.image.keyValue(masterRow, std::size_t(masterField));
        if (kv.isText != isTextType(image.fields[std::size_t(detailField)].type)) {
            showNone();  // a text never equals a number
            return;
        }
        positions.push_back(std::size_t(detailField));
        keys.push_back(kv);
    }

    const bool keyPrefix = positions.size() <= image.keyFields.size() &&
                           std::equal(positions.begin(), positions.end(), image.keyFields.begin(),
                                      [](std::size_t a, int b) { return a == std::size_t(b); });
    auto compareRow = [&](std::uint32_t row) {
        for (std::size_t i = 0; i < positions.size(); ++i) {
            const int c = image.compareToKey(row, positions[i], keys[i]);
            if (c != 0) {
                return c;
            }
        }
        return 0;
    };
    if (keyPrefix) {
        // The order is sorted on these fields: the matching rows are one run of it.
        const auto begin = image.order.begin();
        const auto first = std::partition_point(
            begin, image.order.end(), [&](std::uint32_t row) { return compareRow(row) < 0; });
        const auto last = std::partition_point(
            first, image.order.end(), [&](std::uint32_t row) { return compareRow(row) == 0; });
        useFiltered = false;
        filteredRows.clear();
        rangeBegin = std::size_t(first - begin);
        rangeEnd = std::size_t(last - begin);
        return;
    }
    useFiltered = true;
    filteredRows.clear();
    for (std::uint32_t row : image.order) {
        if (compareRow(row) == 0) {
            filteredRows.push_back(row);
        }
    }
}

void ContentTable::Impl::unlinkFromMaster(ContentTable* self) {
    if (master) {
        auto& list = master->d->details;
        list.erase(std::remove(list.begin(), list.end(), self), list.end());
        master = nullptr;
    }
}

ContentTable::ContentTable() : d(std::make_unique<Impl>()) {}

ContentTable::~ContentTable() {
    d->unlinkFromMaster(this);
    // A detail whose master goes away is no longer limited by it.
    for (ContentTable* detail : d->details) {
        detail->d->master = nullptr;
        if (detail->d->open) {
            detail->d->refresh();
        }
    }
}

void ContentTable::adopt(QByteArray bytes, const QString& fileName) {
    try {
        d->image = readPacketImage(std::move(bytes), fileName);
    } catch (...) {
        close();
        throw;
    }
    d->open = true;
    d->refresh();
}

void ContentTable::load(const QString& path) {
    QFile file(resolvePath(path));
    if (!file.open(QIODevice::ReadOnly)) {
        close();
        throw Error(QStringLiteral("Cannot open file %1").arg(path));
    }
    // A device or pipe has no size to trust, and could be read without end.
    if (file.isSequential()) {
        close();
        throw Error(QStringLiteral("Invalid data packet file %1: not a regular file").arg(path));
    }
    if (std::uint64_t(file.size()) > std::numeric_limits<std::uint32_t>::max()) {
        close();
        throw Error(QStringLiteral("Invalid data packet file %1: the file is too large").arg(path));
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        close();
        throw Error(QStringLiteral("Cannot read file %1").arg(path));
    }
    adopt(std::move(bytes), path);
}

void ContentTable::loadFromBytes(QByteArrayView bytes, const QString& fileName) {
    adopt(bytes.toByteArray(), fileName);
}

void ContentTable::close() {
    d->open = false;
    d->image = PacketImage();
    d->showNone();
    d->cursor = 0;
    d->atEnd = true;
    for (ContentTable* detail : d->details) {
        if (detail->d->open) {
            detail->d->showNone();
            detail->d->toFirst();
            detail->d->notifyDetails();
        }
    }
}

bool ContentTable::isOpen() const {
    return d->open;
}

int ContentTable::fieldCount() const {
    return int(d->image.fields.size());
}

const FieldDef& ContentTable::field(int position) const {
    return d->image.fields[std::size_t(d->fieldIndexAt(position))];
}

int ContentTable::fieldPosition(QByteArrayView name) const {
    const int index = d->findField(name);
    return index < 0 ? -1 : index + 1;
}

void ContentTable::first() {
    d->checkOpen();
    d->toFirst();
    d->notifyDetails();
}

void ContentTable::next() {
    d->checkOpen();
    if (d->atEnd) {
        return;
    }
    ++d->cursor;
    if (d->cursor >= d->visible().size()) {
        d->cursor = d->visible().size();
        d->atEnd = true;
    }
    d->notifyDetails();
}

bool ContentTable::eof() const {
    return !d->open || d->atEnd;
}

int ContentTable::visibleRowCount() const {
    return d->open ? int(d->visible().size()) : 0;
}

Value ContentTable::valueAt(int position) const {
    const int f = d->fieldIndexAt(position);
    return d->image.value(d->currentRow(), std::size_t(f));
}

namespace {

double numberOf(const Value& v) {
    if (const double* n = std::get_if<double>(&v)) {
        return *n;
    }
    if (const bool* b = std::get_if<bool>(&v)) {
        return *b ? 1 : 0;
    }
    if (const QByteArray* t = std::get_if<QByteArray>(&v)) {
        bool ok = false;
        const double n = t->trimmed().toDouble(&ok);
        if (!ok) {
            throw Error(QStringLiteral("'%1' is not a valid number").arg(fromCp1257(*t)));
        }
        return n;
    }
    return 0;
}

int intOf(const Value& v) {
    const double n = numberOf(v);
    if (std::isnan(n)) {
        return 0;
    }
    const double r = std::round(n);
    if (r <= double(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    if (r >= double(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    return int(r);
}

QByteArray textOf(const Value& v) {
    if (const QByteArray* t = std::get_if<QByteArray>(&v)) {
        return *t;
    }
    if (const double* n = std::get_if<double>(&v)) {
        return QByteArray::number(*n, 'g', 15);
    }
    if (const bool* b = std::get_if<bool>(&v)) {
        return *b ? QByteArray("True") : QByteArray("False");
    }
    return {};
}

bool flagOf(const Value& v) {
    if (const bool* b = std::get_if<bool>(&v)) {
        return *b;
    }
    if (const double* n = std::get_if<double>(&v)) {
        return *n != 0;
    }
    if (const QByteArray* t = std::get_if<QByteArray>(&v)) {
        const QByteArray lower = t->trimmed().toLower();
        if (lower == "true") {
            return true;
        }
        if (lower == "false" || lower.isEmpty()) {
            return false;
        }
        throw Error(QStringLiteral("'%1' is not a valid boolean value").arg(fromCp1257(*t)));
    }
    return false;
}

}  // namespace

int ContentTable::asInt(QByteArrayView fieldName) const {
    return intOf(d->currentValue(fieldName));
}

double ContentTable::asNumber(QByteArrayView fieldName) const {
    return numberOf(d->currentValue(fieldName));
}

QByteArray ContentTable::asText(QByteArrayView fieldName) const {
    return textOf(d->currentValue(fieldName));
}

bool ContentTable::asFlag(QByteArrayView fieldName) const {
    return flagOf(d->currentValue(fieldName));
}

bool ContentTable::isNull(QByteArrayView fieldName) const {
    const int f = d->fieldIndex(fieldName);
    return d->image.isNull(d->currentRow(), std::size_t(f));
}

QByteArrayList ContentTable::asLines(QByteArrayView fieldName) const {
    return splitMemoLines(asText(fieldName));
}

int ContentTable::asIntAt(int position) const {
    return intOf(valueAt(position));
}

QByteArray ContentTable::asTextAt(int position) const {
    return textOf(valueAt(position));
}

// Moves the cursor to the first visible row whose key equals `key`; the visible rows are
// sorted on the key.
bool ContentTable::Impl::moveToKey(const KeyValue& key) {
    if (image.keyFields.empty()) {
        throw Error(QStringLiteral("The table has no key"));
    }
    const auto field = std::size_t(image.keyFields.front());
    const std::span<const std::uint32_t> rows = visible();
    const auto it = std::partition_point(rows.begin(), rows.end(), [&](std::uint32_t row) {
        return image.compareToKey(row, field, key) < 0;
    });
    if (it == rows.end() || image.compareToKey(*it, field, key) != 0) {
        return false;
    }
    cursor = std::size_t(it - rows.begin());
    atEnd = false;
    notifyDetails();
    return true;
}

bool ContentTable::findKey(double key) {
    d->checkOpen();
    KeyValue kv;
    QByteArray text;
    if (!d->image.keyFields.empty() &&
        isTextType(d->image.fields[std::size_t(d->image.keyFields.front())].type)) {
        text = QByteArray::number(key, 'g', 15);
        kv.isText = true;
        kv.text = text;
    } else {
        kv.number = key;
    }
    return d->moveToKey(kv);
}

bool ContentTable::findKey(QByteArrayView key) {
    d->checkOpen();
    if (!d->image.keyFields.empty() &&
        !isTextType(d->image.fields[std::size_t(d->image.keyFields.front())].type)) {
        bool ok = false;
        const double number = key.toByteArray().trimmed().toDouble(&ok);
        return ok && findKey(number);
    }
    KeyValue kv;
    kv.isText = true;
    kv.text = key;
    return d->moveToKey(kv);
}

void ContentTable::linkToMaster(ContentTable& master, const QByteArrayList& detailFields,
                                const QByteArrayList& masterFields) {
    if (detailFields.size() != masterFields.size()) {
        throw Error(QStringLiteral("The detail and master field lists differ in length"));
    }
    for (const ContentTable* t = &master; t; t = t->d->master) {
        if (t == this) {
            throw Error(QStringLiteral("A table cannot be a detail of itself"));
        }
    }
    if (d->open) {
        for (const QByteArray& name : detailFields) {
            d->fieldIndex(name);
        }
    }
    if (master.d->open) {
        for (const QByteArray& name : masterFields) {
            master.d->fieldIndex(name);
        }
    }
    d->unlinkFromMaster(this);
    d->master = &master;
    d->detailFields = detailFields;
    d->masterFields = masterFields;
    master.d->details.push_back(this);
    if (d->open) {
        d->refresh();
    }
}

TableData ContentTable::data() const {
    if (!d->open) {
        return {};
    }
    return toTableData(d->image);
}

}  // namespace lentora::content
