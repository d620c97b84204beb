// SPDX-License-Identifier: GPL-3.0-or-later
#include "PacketBytes.h"
#include "content/DataPacket.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace lentora::content;
using lentora::Error;
using lentora::testing::PacketBytes;

namespace {

// Every kind of field, a null in each, keys out of order and a duplicate key.
TableData sampleTable() {
    TableData t;
    t.fields = {numberField("Id"), textField("Hint", 255), flagField("Matomas"),
                memoField("Komandos"), textField("Ilgas", 1000)};
    t.keyFields = {0};
    const QByteArray longText(700, 'x');
    t.rows = {
        {3.0, QByteArray("tre\xE8ias"), true, QByteArray("a\r\nb\r\n"), longText},
        {1.0, QByteArray(), false, std::monostate{}, QByteArray("y")},
        {std::monostate{}, std::monostate{}, std::monostate{}, QByteArray("m"), std::monostate{}},
        {1.0, QByteArray("second one"), true, QByteArray(), QByteArray()},
        {-2.5, QByteArray("neg"), false, QByteArray("x"), QByteArray("z")},
    };
    return t;
}

QString errorText(const QByteArray& bytes, const QString& name = QStringLiteral("t.cds")) {
    try {
        parseDataPacket(bytes, name);
    } catch (const Error& e) {
        return e.text();
    }
    return QStringLiteral("<no error>");
}

}  // namespace

TEST(DataPacket, WriterOutputReadsBackSortedStablyWithNullsFirst) {
    const TableData in = sampleTable();
    const TableData out = parseDataPacket(writeDataPacket(in), QStringLiteral("t.cds"));

    ASSERT_EQ(out.fields.size(), in.fields.size());
    for (std::size_t i = 0; i < in.fields.size(); ++i) {
        EXPECT_EQ(out.fields[i].name, in.fields[i].name);
        EXPECT_EQ(out.fields[i].type, in.fields[i].type);
        EXPECT_EQ(out.fields[i].size, in.fields[i].size);
        EXPECT_EQ(out.fields[i].width, in.fields[i].width);
    }
    EXPECT_EQ(out.keyFields, std::vector<int>{0});
    // null key first, then -2.5, then the two 1s in stored order, then 3
    const std::vector<std::size_t> expectedOrder = {2, 4, 1, 3, 0};
    ASSERT_EQ(out.rows.size(), expectedOrder.size());
    for (std::size_t i = 0; i < expectedOrder.size(); ++i) {
        EXPECT_EQ(out.rows[i], in.rows[expectedOrder[i]]) << "row " << i;
    }
}

TEST(DataPacket, TextKeysSortByteForByte) {
    TableData t;
    t.fields = {textField("K", 255)};
    t.keyFields = {0};
    t.rows = {{QByteArray("b")}, {QByteArray("\xE0")}, {QByteArray("ab")}, {QByteArray("a")}};
    const TableData out = parseDataPacket(writeDataPacket(t), QStringLiteral("t.cds"));
    std::vector<QByteArray> keys;
    for (const auto& row : out.rows) {
        keys.push_back(std::get<QByteArray>(row[0]));
    }
    EXPECT_EQ(keys, (std::vector<QByteArray>{"a", "ab", "b", "\xE0"}));
}

// A file saved with pending edits: row 2 was edited (old version 2, new 3), row 4 inserted.
// Other table properties come before and after the log and must be skipped.
QByteArray changeLogFile() {
    PacketBytes p;
    p.header(2, 4);
    p.field("Id", 8, 4);
    p.name("Name").u16(1).u16(0x49).u16(0).u16(1);
    p.name("WIDTH").u16(2).u16(2).u16(20);
    p.u16(5);
    p.name("SERVER_COL").u16(1).u16(0x49).text(1, QByteArray("DBWINUS0\0", 9));
    p.uintArrayProperty("DEFAULT_ORDER", {1});
    p.name("CHANGE_LOG").u16(4).u16(0x81).u32(6).u32(3).u32(2).u32(8).u32(4).u32(0).u32(4);
    p.uintArrayProperty("UNIQUE_KEY", {1}, 4);
    p.name("LCID").u16(4).u16(1).u32(1033);
    p.u8(0).u8(0).f64(10).text(1, "first");
    p.u8(1).u8(0).f64(20).text(1, "old");
    p.u8(8).u8(0).f64(20).text(1, "new");
    p.u8(4).u8(0).f64(15).text(1, "inserted");
    return p.bytes();
}

TEST(DataPacket, ChangeLogKeepsLastVersionsAndInsertedRowsInKeyOrder) {
    const TableData t = parseDataPacket(changeLogFile(), QStringLiteral("log.cds"));
    ASSERT_EQ(t.fields.size(), 2u);
    EXPECT_EQ(t.fields[1].width, 20);
    ASSERT_EQ(t.rows.size(), 3u);
    EXPECT_EQ(t.rows[0], (std::vector<Value>{10.0, QByteArray("first")}));
    EXPECT_EQ(t.rows[1], (std::vector<Value>{15.0, QByteArray("inserted")}));
    EXPECT_EQ(t.rows[2], (std::vector<Value>{20.0, QByteArray("new")}));
}

TEST(DataPacket, ReadsAllPrefixWidthsAndBothNullMarks) {
    const QByteArray twoHundred(300, 'q');
    PacketBytes p;
    p.header(4, 2);
    p.field("A", 2, 0x49).field("B", 4, 0x4B).field("C", 1, 0x49).field("F", 2, 3);
    p.u16(0);
    p.u8(0).u8(0).text(2, twoHundred).text(4, "memo\r\n").text(1, "c").u16(1);
    // pair 1 (null) on A, pair 2 on C: neither has bytes
    p.u8(0).u8(0x01 | 0x20).text(4, "").u16(0);
    const TableData t = parseDataPacket(p.bytes(), QStringLiteral("p.cds"));
    ASSERT_EQ(t.rows.size(), 2u);
    EXPECT_TRUE(t.keyFields.empty());
    EXPECT_EQ(t.rows[0],
              (std::vector<Value>{twoHundred, QByteArray("memo\r\n"), QByteArray("c"), true}));
    EXPECT_EQ(t.rows[1],
              (std::vector<Value>{std::monostate{}, QByteArray(), std::monostate{}, false}));
}

TEST(DataPacket, BrokenFilesNameTheFileAndTheFault) {
    const QByteArray valid = changeLogFile();
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* expected;
    };
    auto withRowCount = [&](std::uint32_t n) {
        QByteArray b = valid;
        for (int i = 0; i < 4; ++i) {
            b[14 + i] = char((n >> (8 * i)) & 0xFF);
        }
        return b;
    };
    QByteArray badSignature = valid;
    badSignature[0] = 'X';
    QByteArray badType = PacketBytes().header(1, 0).field("Id", 8, 5).u16(0).bytes();
    QByteArray badOrder = PacketBytes()
                              .header(1, 0)
                              .field("Id", 8, 4)
                              .u16(1)
                              .uintArrayProperty("DEFAULT_ORDER", {9})
                              .bytes();
    QByteArray hugeArray =
        PacketBytes().header(0, 0).u16(1).name("X").u16(4).u16(0x81).u32(0x7FFFFFFF).bytes();
    QByteArray hugeText =
        PacketBytes().header(1, 1).field("T", 4, 0x4B).u16(0).u8(0).u8(0).u32(0xFFFFFFF0).bytes();
    QByteArray manyFields = PacketBytes().header(0xFFFF, 0).bytes();
    const Case cases[] = {
        {"empty", QByteArray(), "the signature is wrong"},
        {"wrong signature", badSignature, "the signature is wrong"},
        {"header cut", valid.left(20), "the header ends early"},
        {"unknown base type", badType, "unsupported type"},
        {"key names a missing field", badOrder, "names field 9"},
        {"array count past the data", hugeArray, "ends early"},
        {"more rows than stored", withRowCount(6), "row 5 ends early"},
        {"negative row count", withRowCount(0x80000000u), "negative"},
        {"text length past the data", hugeText, "row 1 ends early"},
        {"absurd field count", manyFields, "field count 65535"},
    };
    for (const Case& c : cases) {
        const QString text = errorText(c.bytes, QStringLiteral("Data/X.cds"));
        EXPECT_TRUE(text.startsWith(QStringLiteral("Invalid data packet file Data/X.cds: ")))
            << c.what << ": " << text.toStdString();
        EXPECT_TRUE(text.contains(QLatin1String(c.expected)))
            << c.what << ": " << text.toStdString();
    }
}

// Any other damage (flipped bytes) is the fuzz target's to find.
TEST(DataPacket, EveryTruncationIsAnError) {
    const QByteArray valid = changeLogFile();
    for (qsizetype n = 0; n < valid.size(); ++n) {
        EXPECT_THROW(parseDataPacket(valid.left(n), QStringLiteral("cut.cds")), Error) << n;
    }
}

TEST(DataPacket, WriterRefusesValuesItCannotStore) {
    TableData t;
    t.fields = {numberField("N")};
    t.rows = {{QByteArray("not a number")}};
    EXPECT_THROW(writeDataPacket(t), Error);

    t.fields = {textField("T", 255)};
    t.rows = {{QByteArray(256, 'a')}};
    EXPECT_THROW(writeDataPacket(t), Error);

    t.rows = {{QByteArray("a"), QByteArray("b")}};
    EXPECT_THROW(writeDataPacket(t), Error);

    t.rows = {{QByteArray(255, 'a')}};
    t.keyFields = {3};
    EXPECT_THROW(writeDataPacket(t), Error);
}

TEST(DataPacket, NaNKeysSortBeforeNumbersWithoutBreakingTheOrder) {
    TableData t;
    t.fields = {numberField("N")};
    t.keyFields = {0};
    for (double v : {5.0, std::nan(""), 1.0, std::nan(""), 3.0}) {
        t.rows.push_back({v});
    }
    const TableData out = parseDataPacket(writeDataPacket(t), QStringLiteral("n.cds"));
    ASSERT_EQ(out.rows.size(), 5u);
    EXPECT_TRUE(std::isnan(std::get<double>(out.rows[0][0])));
    EXPECT_TRUE(std::isnan(std::get<double>(out.rows[1][0])));
    EXPECT_EQ(std::get<double>(out.rows[2][0]), 1.0);
    EXPECT_EQ(std::get<double>(out.rows[4][0]), 5.0);
}
