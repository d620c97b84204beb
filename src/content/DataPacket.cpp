// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/DataPacket.h"

#include "content/PacketImage.h"
#include "platform/CodePage1257.h"
#include "platform/Error.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>

namespace lentora::content {

namespace {

constexpr unsigned char kSignature[4] = {0x96, 0x19, 0xE0, 0xBD};
constexpr int kHeaderSize = 24;
constexpr std::uint16_t kVarying = 0x40;
constexpr std::uint16_t kArray = 0x80;
constexpr std::uint16_t kBaseMask = 0x3F;
constexpr std::uint16_t kBaseFlag = 3;
constexpr std::uint16_t kBaseNumber = 4;
constexpr std::uint16_t kBaseText = 9;
constexpr std::uint16_t kBaseMemo = 11;
constexpr std::uint16_t kBaseInt = 1;
constexpr std::uint16_t kBaseUInt = 2;

// Bounds-checked little-endian reading; every read first asks has().
class ByteReader {
public:
    ByteReader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}

    bool has(std::uint64_t count) const { return count <= size_ - pos_; }
    std::size_t pos() const { return pos_; }
    std::size_t remaining() const { return size_ - pos_; }
    void skip(std::size_t count) { pos_ += count; }
    const unsigned char* here() const { return data_ + pos_; }
    const unsigned char* data() const { return data_; }

    std::uint8_t u8() { return data_[pos_++]; }
    std::uint16_t u16() {
        std::uint16_t v = std::uint16_t(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    std::uint32_t u32() {
        std::uint32_t v = std::uint32_t(data_[pos_]) | (std::uint32_t(data_[pos_ + 1]) << 8) |
                          (std::uint32_t(data_[pos_ + 2]) << 16) |
                          (std::uint32_t(data_[pos_ + 3]) << 24);
        pos_ += 4;
        return v;
    }
    std::int32_t i32() { return std::int32_t(u32()); }
    double f64() {
        std::uint64_t bits = 0;
        for (int i = 7; i >= 0; --i) {
            bits = (bits << 8) | data_[pos_ + i];
        }
        pos_ += 8;
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    // An unsigned value of 1, 2 or 4 bytes (a length prefix).
    std::uint32_t unsignedOfSize(int size) {
        switch (size) {
            case 1:
                return u8();
            case 2:
                return u16();
            default:
                return u32();
        }
    }

private:
    const unsigned char* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

bool isPrefixSize(unsigned size) {
    return size == 1 || size == 2 || size == 4;
}

// One property, positioned in the file; only the kept ones are looked at further.
struct Property {
    QByteArray name;
    std::uint16_t size = 0;
    std::uint16_t type = 0;
    std::size_t valueOffset = 0;  // first value (after the array count or length prefix)
    std::int64_t count = 1;       // array values; 1 otherwise
};

class PacketParser {
public:
    PacketParser(const QByteArray& bytes, const QString& fileName)
        : in_(reinterpret_cast<const unsigned char*>(bytes.constData()), std::size_t(bytes.size())),
          fileName_(fileName) {}

    [[noreturn]] void fail(const QString& what) const {
        throw Error(QStringLiteral("Invalid data packet file %1: %2").arg(fileName_, what));
    }

    void parse(PacketImage& image);

private:
    void readHeader();
    void readField(int number, FieldDef& field);
    Property readProperty(const QString& owner);
    std::vector<int> readFieldNumbers(const Property& property, int fieldCount);
    void readRows(PacketImage& image);

    ByteReader in_;
    QString fileName_;
    int fieldCount_ = 0;
    std::int64_t rowCount_ = 0;
};

void PacketParser::readHeader() {
    if (!in_.has(4) || std::memcmp(in_.here(), kSignature, 4) != 0) {
        fail(QStringLiteral("the signature is wrong"));
    }
    if (!in_.has(kHeaderSize)) {
        fail(QStringLiteral("the header ends early"));
    }
    in_.skip(4);
    in_.i32();  // format version
    const std::int32_t headerSize = in_.i32();
    if (headerSize != kHeaderSize) {
        fail(QStringLiteral("the header size is %1, not 24").arg(headerSize));
    }
    fieldCount_ = in_.u16();
    rowCount_ = in_.i32();
    if (rowCount_ < 0) {
        fail(QStringLiteral("the row count %1 is negative").arg(rowCount_));
    }
    in_.i32();
    in_.u16();
}

Property PacketParser::readProperty(const QString& owner) {
    Property p;
    auto early = [&] {
        fail(p.name.isEmpty()
                 ? QStringLiteral("a property of %1 ends early").arg(owner)
                 : QStringLiteral("property %1 of %2 ends early").arg(fromCp1257(p.name), owner));
    };
    if (!in_.has(1)) {
        early();
    }
    const int nameLength = in_.u8();
    if (!in_.has(nameLength)) {
        early();
    }
    p.name = QByteArray(reinterpret_cast<const char*>(in_.here()), nameLength);
    in_.skip(nameLength);
    if (!in_.has(4)) {
        early();
    }
    p.size = in_.u16();
    p.type = in_.u16();
    if (p.type & kArray) {
        if (!in_.has(4)) {
            early();
        }
        p.count = in_.i32();
        if (p.count < 0) {
            fail(QStringLiteral("property %1 of %2 has a negative count")
                     .arg(fromCp1257(p.name), owner));
        }
        p.valueOffset = in_.pos();
        if (!in_.has(std::uint64_t(p.count) * p.size)) {
            early();
        }
        in_.skip(std::size_t(p.count) * p.size);
    } else if (p.type & kVarying) {
        if (!isPrefixSize(p.size)) {
            fail(QStringLiteral("property %1 of %2 has a length prefix of %3 bytes")
                     .arg(fromCp1257(p.name), owner)
                     .arg(p.size));
        }
        if (!in_.has(p.size)) {
            early();
        }
        const std::uint32_t length = in_.unsignedOfSize(p.size);
        p.valueOffset = in_.pos();
        if (!in_.has(length)) {
            early();
        }
        in_.skip(length);
    } else {
        p.valueOffset = in_.pos();
        if (!in_.has(p.size)) {
            early();
        }
        in_.skip(p.size);
    }
    return p;
}

// Reads an integer of 1, 2 or 4 bytes at `offset` from the start of the file.
std::int64_t integerAt(const unsigned char* base, std::size_t offset, int size, bool isSigned) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) {
        v = (v << 8) | base[offset + i];
    }
    if (!isSigned) {
        return v;
    }
    switch (size) {
        case 1:
            return std::int8_t(v);
        case 2:
            return std::int16_t(v);
        default:
            return std::int32_t(v);
    }
}

std::vector<int> PacketParser::readFieldNumbers(const Property& p, int fieldCount) {
    const QString name = fromCp1257(p.name);
    if (!(p.type & kArray) || !isPrefixSize(p.size)) {
        fail(QStringLiteral("property %1 is not an array of field numbers").arg(name));
    }
    if (p.count > fieldCount) {
        fail(QStringLiteral("property %1 lists %2 fields of %3")
                 .arg(name)
                 .arg(p.count)
                 .arg(fieldCount));
    }
    std::vector<int> positions;
    const auto* base = in_.data();
    for (std::int64_t i = 0; i < p.count; ++i) {
        const std::int64_t number =
            integerAt(base, p.valueOffset + std::size_t(i) * p.size, p.size, false);
        if (number < 1 || number > fieldCount) {
            fail(QStringLiteral("property %1 names field %2, which does not exist")
                     .arg(name)
                     .arg(number));
        }
        positions.push_back(int(number - 1));
    }
    return positions;
}

void PacketParser::readField(int number, FieldDef& field) {
    const QString owner = QStringLiteral("field %1").arg(number);
    if (!in_.has(1)) {
        fail(QStringLiteral("%1 ends early").arg(owner));
    }
    const int nameLength = in_.u8();
    if (!in_.has(std::uint64_t(nameLength) + 8)) {
        fail(QStringLiteral("%1 ends early").arg(owner));
    }
    field.name = QByteArray(reinterpret_cast<const char*>(in_.here()), nameLength);
    in_.skip(nameLength);
    field.size = in_.u16();
    const std::uint16_t type = in_.u16();
    in_.u16();  // attributes
    const int propertyCount = in_.u16();

    const std::uint16_t base = type & kBaseMask;
    const bool varying = type & kVarying;
    bool supported = false;
    if (!(type & kArray)) {
        if (base == kBaseFlag && !varying && field.size >= 1 && field.size <= 8) {
            field.type = FieldType::Flag;
            supported = true;
        } else if (base == kBaseNumber && !varying && field.size == 8) {
            field.type = FieldType::Number;
            supported = true;
        } else if ((base == kBaseText || base == kBaseMemo) && varying &&
                   isPrefixSize(field.size)) {
            field.type = base == kBaseText ? FieldType::Text : FieldType::Memo;
            supported = true;
        }
    }
    if (!supported) {
        fail(QStringLiteral("field %1 (%2) has an unsupported type %3 of size %4")
                 .arg(number)
                 .arg(fromCp1257(field.name))
                 .arg(type)
                 .arg(field.size));
    }

    const auto* base0 = in_.data();
    for (int i = 0; i < propertyCount; ++i) {
        const Property p = readProperty(owner);
        const std::uint16_t pBase = p.type & kBaseMask;
        if (p.name == "WIDTH" && !(p.type & (kArray | kVarying)) && isPrefixSize(p.size) &&
            (pBase == kBaseInt || pBase == kBaseUInt)) {
            const std::int64_t width = integerAt(base0, p.valueOffset, p.size, pBase == kBaseInt);
            if (width >= 0 && width <= std::numeric_limits<int>::max()) {
                field.width = int(width);
            }
        }
    }
}

void PacketParser::readRows(PacketImage& image) {
    const std::size_t fieldCount = image.fields.size();
    const std::size_t nullBytes = (2 * fieldCount + 7) / 8;
    const std::size_t minRow = 1 + nullBytes;
    // Never trust the row count further than the bytes left can hold.
    const std::size_t reserveRows = std::min<std::uint64_t>(rowCount_, in_.remaining() / minRow);
    image.cells.reserve(reserveRows * fieldCount);
    image.nulls.reserve(reserveRows * fieldCount);

    std::vector<FieldType> types;
    std::vector<int> sizes;
    for (const FieldDef& f : image.fields) {
        types.push_back(f.type);
        sizes.push_back(f.size);
    }

    for (std::int64_t row = 1; row <= rowCount_; ++row) {
        auto early = [&] { fail(QStringLiteral("row %1 ends early").arg(row)); };
        if (!in_.has(minRow)) {
            early();
        }
        const std::uint8_t status = in_.u8();
        const unsigned char* nullBits = in_.here();
        in_.skip(nullBytes);
        const std::size_t firstCell = image.cells.size();
        for (std::size_t f = 0; f < fieldCount; ++f) {
            PacketCell cell;
            cell.number = 0;
            const int pair = (nullBits[f / 4] >> ((f % 4) * 2)) & 3;
            if (pair != 0) {
                image.cells.push_back(cell);
                image.nulls.push_back(1);
                continue;
            }
            switch (types[f]) {
                case FieldType::Number:
                    if (!in_.has(8)) {
                        early();
                    }
                    cell.number = in_.f64();
                    break;
                case FieldType::Flag: {
                    if (!in_.has(sizes[f])) {
                        early();
                    }
                    bool set = false;
                    for (int i = 0; i < sizes[f]; ++i) {
                        set = (in_.u8() != 0) || set;
                    }
                    cell.number = set ? 1.0 : 0.0;
                    break;
                }
                case FieldType::Text:
                case FieldType::Memo: {
                    if (!in_.has(sizes[f])) {
                        early();
                    }
                    const std::uint32_t length = in_.unsignedOfSize(sizes[f]);
                    if (!in_.has(length)) {
                        early();
                    }
                    cell.text.offset = std::uint32_t(in_.pos());
                    cell.text.length = length;
                    in_.skip(length);
                    break;
                }
            }
            image.cells.push_back(cell);
            image.nulls.push_back(0);
        }
        if (status & 1) {  // an older version of an edited row
            image.cells.resize(firstCell);
            image.nulls.resize(firstCell);
        } else {
            ++image.rowCount;
        }
    }
}

void PacketParser::parse(PacketImage& image) {
    if (std::uint64_t(image.bytes.size()) > std::numeric_limits<std::uint32_t>::max()) {
        fail(QStringLiteral("the file is too large"));
    }
    readHeader();
    // Each descriptor takes at least 9 bytes; a count beyond that cannot be real.
    if (std::uint64_t(fieldCount_) * 9 > in_.remaining()) {
        fail(QStringLiteral("the field count %1 does not fit the file").arg(fieldCount_));
    }
    image.fields.resize(fieldCount_);
    for (int i = 0; i < fieldCount_; ++i) {
        readField(i + 1, image.fields[i]);
    }
    if (!in_.has(2)) {
        fail(QStringLiteral("the table properties end early"));
    }
    const int propertyCount = in_.u16();
    const QString owner = QStringLiteral("the table");
    for (int i = 0; i < propertyCount; ++i) {
        const Property p = readProperty(owner);
        if (p.name == "DEFAULT_ORDER") {
            image.keyFields = readFieldNumbers(p, fieldCount_);
        } else if (p.name == "UNIQUE_KEY") {
            readFieldNumbers(p, fieldCount_);
        } else if (p.name == "CHANGE_LOG") {
            // The row statuses carry what the log says; it only has to be well formed.
            if (!(p.type & kArray) || p.size != 4) {
                fail(QStringLiteral("property CHANGE_LOG is not an array of 32-bit values"));
            }
        }
    }
    readRows(image);

    image.order.resize(image.rowCount);
    std::iota(image.order.begin(), image.order.end(), 0u);
    if (!image.keyFields.empty()) {
        auto less = [&](std::uint32_t a, std::uint32_t b) {
            for (int f : image.keyFields) {
                const int c = image.compareField(a, b, std::size_t(f));
                if (c != 0) {
                    return c < 0;
                }
            }
            return false;
        };
        if (!std::is_sorted(image.order.begin(), image.order.end(), less)) {
            std::stable_sort(image.order.begin(), image.order.end(), less);
        }
    }
}

void appendU16(QByteArray& out, unsigned v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void appendU32(QByteArray& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.append(char((v >> (8 * i)) & 0xFF));
    }
}

void appendPrefixed(QByteArray& out, int prefixSize, QByteArrayView bytes) {
    const auto length = std::uint32_t(bytes.size());
    for (int i = 0; i < prefixSize; ++i) {
        out.append(char((length >> (8 * i)) & 0xFF));
    }
    out.append(bytes);
}

void appendName(QByteArray& out, const QByteArray& name) {
    out.append(char(std::uint8_t(name.size())));
    out.append(name);
}

}  // namespace

Value PacketImage::value(std::size_t row, std::size_t field) const {
    if (isNull(row, field)) {
        return std::monostate{};
    }
    const PacketCell& c = cell(row, field);
    switch (fields[field].type) {
        case FieldType::Number:
            return c.number;
        case FieldType::Flag:
            return c.number != 0;
        case FieldType::Text:
        case FieldType::Memo:
            break;
    }
    return QByteArray(textData(c), qsizetype(c.text.length));
}

KeyValue PacketImage::keyValue(std::size_t row, std::size_t field) const {
    KeyValue key;
    key.isText = isTextType(fields[field].type);
    if (isNull(row, field)) {
        key.null = true;
        return key;
    }
    const PacketCell& c = cell(row, field);
    if (key.isText) {
        key.text = QByteArrayView(textData(c), qsizetype(c.text.length));
    } else {
        key.number = c.number;
    }
    return key;
}

int PacketImage::compareToKey(std::size_t row, std::size_t field, const KeyValue& key) const {
    const bool rowNull = isNull(row, field);
    if (rowNull || key.null) {
        return int(key.null) - int(rowNull);
    }
    const PacketCell& c = cell(row, field);
    if (!key.isText) {
        // A total order even with NaN, so that sorting stays well defined: NaN first.
        const bool rowNan = std::isnan(c.number);
        const bool keyNan = std::isnan(key.number);
        if (rowNan || keyNan) {
            return int(keyNan) - int(rowNan);
        }
        return c.number < key.number ? -1 : (key.number < c.number ? 1 : 0);
    }
    const std::size_t length = c.text.length;
    const auto keyLength = std::size_t(key.text.size());
    const int r = std::memcmp(textData(c), key.text.data(), std::min(length, keyLength));
    if (r != 0) {
        return r < 0 ? -1 : 1;
    }
    return length < keyLength ? -1 : (length > keyLength ? 1 : 0);
}

PacketImage readPacketImage(QByteArray bytes, const QString& fileName) {
    PacketImage image;
    image.bytes = std::move(bytes);
    PacketParser(image.bytes, fileName).parse(image);
    return image;
}

TableData toTableData(const PacketImage& image) {
    TableData table;
    table.fields = image.fields;
    table.keyFields = image.keyFields;
    table.rows.reserve(image.order.size());
    for (std::uint32_t row : image.order) {
        std::vector<Value> values;
        values.reserve(image.fields.size());
        for (std::size_t f = 0; f < image.fields.size(); ++f) {
            values.push_back(image.value(row, f));
        }
        table.rows.push_back(std::move(values));
    }
    return table;
}

FieldDef numberField(QByteArray name) {
    return {std::move(name), FieldType::Number, 8, std::nullopt};
}

FieldDef flagField(QByteArray name) {
    return {std::move(name), FieldType::Flag, 2, std::nullopt};
}

FieldDef textField(QByteArray name, int width) {
    return {std::move(name), FieldType::Text, std::uint16_t(width <= 255 ? 1 : 2), width};
}

FieldDef memoField(QByteArray name, int width) {
    return {std::move(name), FieldType::Memo, 4, width};
}

TableData parseDataPacket(QByteArrayView bytes, const QString& fileName) {
    return toTableData(readPacketImage(bytes.toByteArray(), fileName));
}

QByteArray writeDataPacket(const TableData& table) {
    auto fail = [](const QString& what) {
        throw Error(QStringLiteral("Cannot write the data packet: %1").arg(what));
    };
    const std::size_t fieldCount = table.fields.size();
    if (fieldCount > 0xFFFF) {
        fail(QStringLiteral("too many fields"));
    }
    if (table.rows.size() > std::size_t(std::numeric_limits<std::int32_t>::max())) {
        fail(QStringLiteral("too many rows"));
    }
    std::vector<int> prefixSizes(fieldCount, 0);
    for (std::size_t f = 0; f < fieldCount; ++f) {
        const FieldDef& field = table.fields[f];
        if (field.name.size() > 255) {
            fail(QStringLiteral("field %1 has a name longer than 255 bytes").arg(f + 1));
        }
        if (field.type == FieldType::Text || field.type == FieldType::Memo) {
            const int fallback = field.type == FieldType::Memo ? 4 : 1;
            prefixSizes[f] = isPrefixSize(field.size) ? field.size : fallback;
        }
    }
    for (int key : table.keyFields) {
        if (key < 0 || std::size_t(key) >= fieldCount) {
            fail(QStringLiteral("key field %1 does not exist").arg(key + 1));
        }
    }

    QByteArray out;
    out.append(reinterpret_cast<const char*>(kSignature), 4);
    appendU32(out, 1);
    appendU32(out, kHeaderSize);
    appendU16(out, unsigned(fieldCount));
    appendU32(out, std::uint32_t(table.rows.size()));
    appendU32(out, 1);
    appendU16(out, 0);

    for (std::size_t f = 0; f < fieldCount; ++f) {
        const FieldDef& field = table.fields[f];
        appendName(out, field.name);
        switch (field.type) {
            case FieldType::Flag:
                appendU16(out, 2);
                appendU16(out, kBaseFlag);
                break;
            case FieldType::Number:
                appendU16(out, 8);
                appendU16(out, kBaseNumber);
                break;
            case FieldType::Text:
                appendU16(out, unsigned(prefixSizes[f]));
                appendU16(out, kBaseText | kVarying);
                break;
            case FieldType::Memo:
                appendU16(out, unsigned(prefixSizes[f]));
                appendU16(out, kBaseMemo | kVarying);
                break;
        }
        appendU16(out, 0);  // attributes
        const bool hasWidth =
            field.width.has_value() && *field.width >= 0 && *field.width <= 0xFFFF;
        const bool isMemo = field.type == FieldType::Memo;
        appendU16(out, unsigned(int(hasWidth) + int(isMemo)));
        if (hasWidth) {
            appendName(out, "WIDTH");
            appendU16(out, 2);
            appendU16(out, kBaseUInt);
            appendU16(out, unsigned(*field.width));
        }
        if (isMemo) {
            appendName(out, "SUBTYPE");
            appendU16(out, 1);
            appendU16(out, kBaseText | kVarying);
            appendPrefixed(out, 1, QByteArrayView("Text\0", 5));
        }
    }

    const bool hasKey = !table.keyFields.empty();
    appendU16(out, hasKey ? 2 : 0);
    if (hasKey) {
        for (const char* name : {"DEFAULT_ORDER", "UNIQUE_KEY"}) {
            appendName(out, name);
            appendU16(out, 2);
            appendU16(out, kArray | kBaseUInt);
            appendU32(out, std::uint32_t(table.keyFields.size()));
            for (int key : table.keyFields) {
                appendU16(out, unsigned(key + 1));
            }
        }
    }

    const std::size_t nullBytes = (2 * fieldCount + 7) / 8;
    QByteArray nullBits;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const std::vector<Value>& row = table.rows[r];
        if (row.size() != fieldCount) {
            fail(QStringLiteral("row %1 has %2 values for %3 fields")
                     .arg(r + 1)
                     .arg(row.size())
                     .arg(fieldCount));
        }
        out.append(char(0));
        nullBits.fill(0, qsizetype(nullBytes));
        for (std::size_t f = 0; f < fieldCount; ++f) {
            if (std::holds_alternative<std::monostate>(row[f])) {
                nullBits[qsizetype(f / 4)] =
                    char(nullBits[qsizetype(f / 4)] | (1 << ((f % 4) * 2)));
            }
        }
        out.append(nullBits);
        for (std::size_t f = 0; f < fieldCount; ++f) {
            const Value& v = row[f];
            if (std::holds_alternative<std::monostate>(v)) {
                continue;
            }
            const FieldDef& field = table.fields[f];
            auto wrongType = [&] {
                fail(QStringLiteral("row %1, field %2 holds a value of the wrong type")
                         .arg(r + 1)
                         .arg(fromCp1257(field.name)));
            };
            switch (field.type) {
                case FieldType::Number: {
                    if (!std::holds_alternative<double>(v)) {
                        wrongType();
                    }
                    std::uint64_t bits;
                    const double d = std::get<double>(v);
                    std::memcpy(&bits, &d, sizeof bits);
                    appendU32(out, std::uint32_t(bits));
                    appendU32(out, std::uint32_t(bits >> 32));
                    break;
                }
                case FieldType::Flag:
                    if (!std::holds_alternative<bool>(v)) {
                        wrongType();
                    }
                    appendU16(out, std::get<bool>(v) ? 1 : 0);
                    break;
                case FieldType::Text:
                case FieldType::Memo: {
                    if (!std::holds_alternative<QByteArray>(v)) {
                        wrongType();
                    }
                    const QByteArray& text = std::get<QByteArray>(v);
                    const int prefix = prefixSizes[f];
                    const std::uint64_t limit =
                        prefix == 4 ? 0xFFFFFFFFull : (1ull << (8 * prefix)) - 1;
                    if (std::uint64_t(text.size()) > limit) {
                        fail(QStringLiteral("row %1, field %2: a text of %3 bytes does not fit "
                                            "its %4-byte length prefix")
                                 .arg(r + 1)
                                 .arg(fromCp1257(field.name))
                                 .arg(text.size())
                                 .arg(prefix));
                    }
                    appendPrefixed(out, prefix, text);
                    break;
                }
            }
        }
    }
    return out;
}

}  // namespace lentora::content
