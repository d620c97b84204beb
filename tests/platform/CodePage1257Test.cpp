// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CodePage1257.h"

#include <gtest/gtest.h>

#include <set>

using lentora::fromCp1257;
using lentora::toCp1257;

TEST(CodePage1257, LithuanianLettersBothWays) {
    const QString letters = QStringLiteral("ąčęėįšųūž ĄČĘĖĮŠŲŪŽ");
    const QByteArray bytes =
        "\xE0\xE8\xE6\xEB\xE1\xF0\xF8\xFB\xFE \xC0\xC8\xC6\xCB\xC1\xD0\xD8\xDB\xDE";
    EXPECT_EQ(fromCp1257(bytes), letters);
    EXPECT_EQ(toCp1257(letters), bytes);
    EXPECT_EQ(fromCp1257("\x80\x96\x84\x93"), QStringLiteral("€–„“"));
}

TEST(CodePage1257, EveryDefinedByteRoundTripsToADistinctCharacter) {
    const std::set<int> undefined = {0x81, 0x83, 0x88, 0x8A, 0x8C, 0x90,
                                     0x98, 0x9A, 0x9C, 0x9F, 0xA1, 0xA5};
    std::set<char16_t> seen;
    for (int byte = 0; byte < 256; ++byte) {
        const QByteArray one(1, static_cast<char>(byte));
        const QString text = fromCp1257(one);
        ASSERT_EQ(text.size(), 1);
        if (undefined.count(byte)) {
            EXPECT_EQ(text.at(0), QChar(0xFFFD)) << byte;
            EXPECT_EQ(toCp1257(text), "?");
            continue;
        }
        EXPECT_NE(text.at(0), QChar(0xFFFD)) << byte;
        EXPECT_TRUE(seen.insert(text.at(0).unicode()).second) << byte;
        EXPECT_EQ(toCp1257(text), one) << byte;
    }
}

TEST(CodePage1257, UnencodableCharactersBecomeOneQuestionMark) {
    EXPECT_EQ(toCp1257(QStringLiteral("Жa😀b")), "?a?b");
    EXPECT_EQ(toCp1257(QString()), QByteArray());
    const QByteArray withNul("a\0b", 3);
    EXPECT_EQ(toCp1257(fromCp1257(withNul)), withNul);
}

TEST(CodePage1257, FindsTheFirstCharacterWithoutAnEncoding) {
    EXPECT_EQ(lentora::firstCharacterWithoutCp1257(QStringLiteral("ąžuolas – medis")), -1);
    EXPECT_EQ(lentora::firstCharacterWithoutCp1257(QStringLiteral("ab😀Ж")), 2);
    EXPECT_EQ(lentora::firstCharacterWithoutCp1257(QString(QChar(0xFFFD))), 0);
}
