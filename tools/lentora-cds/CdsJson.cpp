// SPDX-License-Identifier: GPL-3.0-or-later
#include "CdsJson.h"

#include "platform/CodePage1257.h"
#include "platform/Error.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <cmath>

namespace lentora::cds {

using content::FieldDef;
using content::FieldType;
using content::TableData;
using content::Value;

namespace {

const char* typeName(FieldType type) {
    switch (type) {
        case FieldType::Number:
            return "number";
        case FieldType::Text:
            return "text";
        case FieldType::Flag:
            return "flag";
        case FieldType::Memo:
            return "memo";
    }
    return "number";
}

QJsonValue contentText(const QByteArray& cp1257) {
    return fromCp1257(cp1257);
}

QJsonValue numberValue(double d) {
    if (!std::isfinite(d)) {
        return QJsonValue::Null;  // JSON has no NaN or infinity
    }
    // Whole numbers without an exponent, as far as they fit a 64-bit integer.
    if (d == std::trunc(d) && std::fabs(d) < 9.2e18) {
        return QJsonValue(static_cast<qint64>(d));
    }
    return d;
}

QJsonValue jsonValue(const Value& v) {
    if (const double* n = std::get_if<double>(&v)) {
        return numberValue(*n);
    }
    if (const bool* b = std::get_if<bool>(&v)) {
        return *b;
    }
    if (const QByteArray* t = std::get_if<QByteArray>(&v)) {
        return contentText(*t);
    }
    return QJsonValue::Null;
}

[[noreturn]] void fail(const QString& what) {
    throw Error(what);
}

QByteArray toContentText(const QString& text, const QString& where) {
    if (firstCharacterWithoutCp1257(text) >= 0) {
        fail(QStringLiteral("%1: the text has characters outside code page 1257").arg(where));
    }
    return toCp1257(text);
}

FieldDef fieldFromJson(const QJsonValue& value, int number) {
    const QString where = QStringLiteral("field %1").arg(number);
    if (!value.isObject()) {
        fail(QStringLiteral("%1 is not an object").arg(where));
    }
    const QJsonObject object = value.toObject();
    if (!object.value(QLatin1String("name")).isString()) {
        fail(QStringLiteral("%1 has no name").arg(where));
    }
    QByteArray name = toContentText(object.value(QLatin1String("name")).toString(), where);
    if (name.size() > 255) {
        fail(QStringLiteral("%1 has a name longer than 255 bytes").arg(where));
    }
    const QString type = object.value(QLatin1String("type")).toString();
    FieldDef field;
    if (type == QLatin1String("number")) {
        field = content::numberField(std::move(name));
    } else if (type == QLatin1String("text")) {
        field = content::textField(std::move(name), 255);  // prefix settled once rows are read
    } else if (type == QLatin1String("flag")) {
        field = content::flagField(std::move(name));
    } else if (type == QLatin1String("memo")) {
        field = content::memoField(std::move(name));
    } else {
        fail(QStringLiteral("%1 has type \"%2\"; expected number, text, flag or memo")
                 .arg(where, type));
    }
    field.width.reset();  // only the width the JSON gives
    const QJsonValue width = object.value(QLatin1String("width"));
    if (!width.isNull() && !width.isUndefined()) {
        const double w = width.toDouble(-1);
        if (!width.isDouble() || w != std::trunc(w) || w < 0 || w > 65535) {
            fail(QStringLiteral("%1 has a width that is not a whole number from 0 to 65535")
                     .arg(where));
        }
        field.width = int(w);
    }
    return field;
}

}  // namespace

QByteArray tableToJson(const TableData& table) {
    // QJsonObject keeps its keys sorted, which is the order the format gives them in.
    QJsonArray fields;
    for (const FieldDef& f : table.fields) {
        fields.append(QJsonObject{
            {QStringLiteral("name"), contentText(f.name)},
            {QStringLiteral("type"), QString::fromLatin1(typeName(f.type))},
            {QStringLiteral("width"), f.width ? QJsonValue(*f.width) : QJsonValue::Null}});
    }
    QJsonArray key;
    for (int field : table.keyFields) {
        key.append(contentText(table.fields[std::size_t(field)].name));
    }
    QJsonArray rows;
    for (const auto& row : table.rows) {
        QJsonArray values;
        for (const Value& value : row) {
            values.append(jsonValue(value));
        }
        rows.append(values);
    }
    const QJsonObject document{{QStringLiteral("fields"), fields},
                               {QStringLiteral("key"), key},
                               {QStringLiteral("rows"), rows}};
    return QJsonDocument(document).toJson(QJsonDocument::Compact);
}

TableData tableFromJson(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        fail(QStringLiteral("invalid JSON at offset %1: %2")
                 .arg(error.offset)
                 .arg(error.errorString()));
    }
    if (!document.isObject()) {
        fail(QStringLiteral("the JSON is not an object"));
    }
    const QJsonObject root = document.object();
    if (!root.value(QLatin1String("fields")).isArray()) {
        fail(QStringLiteral("\"fields\" is missing or not an array"));
    }
    const QJsonArray fields = root.value(QLatin1String("fields")).toArray();
    if (fields.size() > 0xFFFF) {
        fail(QStringLiteral("too many fields"));
    }
    TableData table;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        table.fields.push_back(fieldFromJson(fields.at(i), int(i + 1)));
    }

    const QJsonValue key = root.value(QLatin1String("key"));
    if (!key.isUndefined() && !key.isNull() && !key.isArray()) {
        fail(QStringLiteral("\"key\" is not an array"));
    }
    for (const QJsonValue& name : key.toArray()) {
        const QByteArray bytes = toCp1257(name.toString());
        int position = -1;
        for (std::size_t f = 0; f < table.fields.size() && name.isString(); ++f) {
            if (table.fields[f].name == bytes) {
                position = int(f);
                break;
            }
        }
        if (position < 0) {
            fail(QStringLiteral("the key names %1, which is not a field")
                     .arg(QString::fromUtf8(
                         QJsonDocument(QJsonArray{name}).toJson(QJsonDocument::Compact))));
        }
        table.keyFields.push_back(position);
    }

    const QJsonValue rowsValue = root.value(QLatin1String("rows"));
    if (!rowsValue.isArray()) {
        fail(QStringLiteral("\"rows\" is missing or not an array"));
    }
    const QJsonArray rows = rowsValue.toArray();
    std::vector<qsizetype> longest(table.fields.size(), 0);
    table.rows.reserve(std::size_t(rows.size()));
    for (qsizetype r = 0; r < rows.size(); ++r) {
        if (!rows.at(r).isArray() ||
            rows.at(r).toArray().size() != qsizetype(table.fields.size())) {
            fail(QStringLiteral("row %1 is not an array of %2 values")
                     .arg(r + 1)
                     .arg(table.fields.size()));
        }
        const QJsonArray row = rows.at(r).toArray();
        std::vector<Value> values;
        for (std::size_t f = 0; f < table.fields.size(); ++f) {
            const QJsonValue v = row.at(qsizetype(f));
            const FieldDef& field = table.fields[f];
            const QString where =
                QStringLiteral("row %1, field %2").arg(r + 1).arg(fromCp1257(field.name));
            if (v.isNull()) {
                values.emplace_back(std::monostate{});
                continue;
            }
            switch (field.type) {
                case FieldType::Number:
                    if (!v.isDouble()) {
                        fail(QStringLiteral("%1: expected a number or null").arg(where));
                    }
                    values.emplace_back(v.toDouble());
                    break;
                case FieldType::Flag:
                    if (!v.isBool()) {
                        fail(QStringLiteral("%1: expected true, false or null").arg(where));
                    }
                    values.emplace_back(v.toBool());
                    break;
                case FieldType::Text:
                case FieldType::Memo: {
                    if (!v.isString()) {
                        fail(QStringLiteral("%1: expected a text or null").arg(where));
                    }
                    QByteArray text = toContentText(v.toString(), where);
                    longest[f] = std::max(longest[f], text.size());
                    values.emplace_back(std::move(text));
                    break;
                }
            }
        }
        table.rows.push_back(std::move(values));
    }

    for (std::size_t f = 0; f < table.fields.size(); ++f) {
        FieldDef& field = table.fields[f];
        if (field.type != FieldType::Text) {
            continue;
        }
        const bool shortText = field.width ? *field.width <= 255 : longest[f] <= 255;
        field.size = shortText ? 1 : 2;
        const qsizetype limit = shortText ? 255 : 65535;
        if (longest[f] > limit) {
            fail(QStringLiteral("field %1 has a text of %2 bytes, more than its %3-byte length "
                                "prefix can hold")
                     .arg(fromCp1257(field.name))
                     .arg(longest[f])
                     .arg(field.size));
        }
    }
    return table;
}

}  // namespace lentora::cds
