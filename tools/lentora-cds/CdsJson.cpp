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

void appendString(QByteArray& out, const QByteArray& utf8) {
    out.append('"');
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                out.append("\\\"");
                break;
            case '\\':
                out.append("\\\\");
                break;
            case '\r':
                out.append("\\r");
                break;
            case '\n':
                out.append("\\n");
                break;
            case '\t':
                out.append("\\t");
                break;
            case '\b':
                out.append("\\b");
                break;
            case '\f':
                out.append("\\f");
                break;
            default:
                if (c < 0x20) {
                    out.append(QByteArray("\\u00") +
                               QByteArray::number(c, 16).rightJustified(2, '0'));
                } else {
                    out.append(ch);
                }
        }
    }
    out.append('"');
}

void appendCp1257String(QByteArray& out, const QByteArray& cp1257) {
    appendString(out, fromCp1257(cp1257).toUtf8());
}

void appendNumber(QByteArray& out, double d) {
    if (!std::isfinite(d)) {
        out.append("null");  // JSON has no NaN or infinity
    } else if (d == 0) {
        out.append('0');
    } else if (d == std::trunc(d)) {
        out.append(QByteArray::number(d, 'f', 0));
    } else {
        out.append(QByteArray::number(d, 'g', QLocale::FloatingPointShortest));
    }
}

void appendValue(QByteArray& out, const Value& v) {
    if (const double* n = std::get_if<double>(&v)) {
        appendNumber(out, *n);
    } else if (const bool* b = std::get_if<bool>(&v)) {
        out.append(*b ? "true" : "false");
    } else if (const QByteArray* t = std::get_if<QByteArray>(&v)) {
        appendCp1257String(out, *t);
    } else {
        out.append("null");
    }
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
    QByteArray out;
    out.append("{\"fields\":[");
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        const FieldDef& f = table.fields[i];
        if (i > 0) {
            out.append(',');
        }
        out.append("{\"name\":");
        appendCp1257String(out, f.name);
        out.append(",\"type\":\"").append(typeName(f.type)).append("\",\"width\":");
        out.append(f.width ? QByteArray::number(*f.width) : QByteArray("null"));
        out.append('}');
    }
    out.append("],\"key\":[");
    for (std::size_t i = 0; i < table.keyFields.size(); ++i) {
        if (i > 0) {
            out.append(',');
        }
        appendCp1257String(out, table.fields[std::size_t(table.keyFields[i])].name);
    }
    out.append("],\"rows\":[");
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        if (r > 0) {
            out.append(',');
        }
        out.append('[');
        for (std::size_t f = 0; f < table.rows[r].size(); ++f) {
            if (f > 0) {
                out.append(',');
            }
            appendValue(out, table.rows[r][f]);
        }
        out.append(']');
    }
    out.append("]}");
    return out;
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
