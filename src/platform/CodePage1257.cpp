// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CodePage1257.h"

#include <QHash>

#include <array>

namespace lentora {

namespace {

constexpr char16_t kUndefined = 0xFFFD;

// Bytes 0x80 to 0xFF of Windows code page 1257; below 0x80 it is ASCII.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0xFFFD, 0x2030, 0xFFFD, 0x2039, 0xFFFD, 0x00A8, 0x02C7, 0x00B8,  // 0x88
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0xFFFD, 0x2122, 0xFFFD, 0x203A, 0xFFFD, 0x00AF, 0x02DB, 0xFFFD,  // 0x98
    0x00A0, 0xFFFD, 0x00A2, 0x00A3, 0x00A4, 0xFFFD, 0x00A6, 0x00A7,  // 0xA0
    0x00D8, 0x00A9, 0x0156, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00C6,  // 0xA8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x00F8, 0x00B9, 0x0157, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00E6,  // 0xB8
    0x0104, 0x012E, 0x0100, 0x0106, 0x00C4, 0x00C5, 0x0118, 0x0112,  // 0xC0
    0x010C, 0x00C9, 0x0179, 0x0116, 0x0122, 0x0136, 0x012A, 0x013B,  // 0xC8
    0x0160, 0x0143, 0x0145, 0x00D3, 0x014C, 0x00D5, 0x00D6, 0x00D7,  // 0xD0
    0x0172, 0x0141, 0x015A, 0x016A, 0x00DC, 0x017B, 0x017D, 0x00DF,  // 0xD8
    0x0105, 0x012F, 0x0101, 0x0107, 0x00E4, 0x00E5, 0x0119, 0x0113,  // 0xE0
    0x010D, 0x00E9, 0x017A, 0x0117, 0x0123, 0x0137, 0x012B, 0x013C,  // 0xE8
    0x0161, 0x0144, 0x0146, 0x00F3, 0x014D, 0x00F5, 0x00F6, 0x00F7,  // 0xF0
    0x0173, 0x0142, 0x015B, 0x016B, 0x00FC, 0x017C, 0x017E, 0x02D9,  // 0xF8
};

const QHash<char16_t, char>& encodingTable() {
    static const QHash<char16_t, char> table = [] {
        QHash<char16_t, char> result;
        for (int i = 0; i < 128; ++i) {
            if (kHighHalf[i] != kUndefined) {
                result.insert(kHighHalf[i], static_cast<char>(0x80 + i));
            }
        }
        return result;
    }();
    return table;
}

}  // namespace

QString fromCp1257(QByteArrayView bytes) {
    QString text;
    text.resize(bytes.size());
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        *out++ = QChar(value < 0x80 ? char16_t(value) : kHighHalf[value - 0x80]);
    }
    return text;
}

namespace {

// Encodes `text` into `bytes` ('?' for what the code page lacks) and returns the index of the
// first character it lacks, or -1.
qsizetype encode(QStringView text, QByteArray& bytes) {
    const QHash<char16_t, char>& table = encodingTable();
    qsizetype firstMissing = -1;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            bytes.append(static_cast<char>(unit));
            continue;
        }
        const qsizetype at = i;
        // A character outside the basic plane is one unencodable character, not two.
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        }
        const auto found = table.constFind(unit);
        if (found == table.cend()) {
            bytes.append('?');
            if (firstMissing < 0) {
                firstMissing = at;
            }
        } else {
            bytes.append(*found);
        }
    }
    return firstMissing;
}

}  // namespace

QByteArray toCp1257(QStringView text) {
    QByteArray bytes;
    encode(text, bytes);
    return bytes;
}

qsizetype firstCharacterWithoutCp1257(QStringView text) {
    QByteArray bytes;
    return encode(text, bytes);
}

}  // namespace lentora
