// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/ContentTable.h"
#include "platform/Error.h"
#include "support/TempProgramDir.h"

#include <gtest/gtest.h>

using namespace lentora::content;
using lentora::Error;

namespace {

QByteArray menuPacket() {
    TableData t;
    // Text and memo without a WIDTH property.
    t.fields = {numberField("Id"), FieldDef{"Hint", FieldType::Text, 1, std::nullopt},
                flagField("Matomas"), FieldDef{"Komandos", FieldType::Memo, 4, std::nullopt}};
    t.keyFields = {0};
    t.rows = {
        {16.0, QByteArray("\xD0ios"), true, QByteArray("00016          Teorijos langas\r\n")},
        {std::monostate{}, std::monostate{}, std::monostate{}, std::monostate{}},
        {2.0, QByteArray("two"), false, QByteArray("a\r\n\r\nb")},
    };
    return writeDataPacket(t);
}

// Questions of two tests, and answers keyed by test, question and answer.
QByteArray questionPacket() {
    TableData t;
    t.fields = {numberField("TestoID"), numberField("KlausimoID")};
    t.keyFields = {0, 1};
    t.rows = {{11.0, 2.0}, {11.0, 1.0}, {12.0, 1.0}, {11.0, 3.0}};
    return writeDataPacket(t);
}

QByteArray answerPacket() {
    TableData t;
    t.fields = {numberField("TestoID"), numberField("KlausimoID"), numberField("AtsakymoID"),
                FieldDef{"Atsakymas", FieldType::Text, 1, std::nullopt}};
    t.keyFields = {0, 1, 2};
    t.rows = {{11.0, 1.0, 2.0, QByteArray("b")},
              {12.0, 1.0, 1.0, QByteArray("x")},
              {11.0, 1.0, 1.0, QByteArray("a")},
              {11.0, 2.0, 1.0, QByteArray("c")}};
    return writeDataPacket(t);
}

std::vector<QByteArray> walk(ContentTable& t, const char* field) {
    std::vector<QByteArray> seen;
    for (t.first(); !t.eof(); t.next()) {
        seen.push_back(t.asText(field));
    }
    return seen;
}

const QString kClosed = QStringLiteral("Cannot perform this operation on a closed dataset");

}  // namespace

TEST(ContentTable, ReadsValuesAndNullsAsZeroEmptyOrFalse) {
    ContentTable t;
    t.loadFromBytes(menuPacket(), QStringLiteral("Meniu.cds"));
    ASSERT_TRUE(t.isOpen());
    EXPECT_EQ(t.fieldCount(), 4);
    EXPECT_EQ(t.field(2).name, "Hint");
    EXPECT_EQ(t.fieldPosition("Komandos"), 4);
    EXPECT_EQ(t.fieldPosition("komandos"), -1);
    EXPECT_EQ(t.visibleRowCount(), 3);

    t.first();  // the null key sorts first
    EXPECT_TRUE(t.isNull("Id"));
    EXPECT_EQ(t.asInt("Id"), 0);
    EXPECT_EQ(t.asText("Hint"), QByteArray());
    EXPECT_FALSE(t.asFlag("Matomas"));
    EXPECT_TRUE(t.asLines("Komandos").isEmpty());
    EXPECT_TRUE(std::holds_alternative<std::monostate>(t.valueAt(1)));

    t.next();
    EXPECT_EQ(t.asIntAt(1), 2);
    EXPECT_EQ(t.asLines("Komandos"), (QByteArrayList{"a", "", "b"}));
    t.next();
    EXPECT_EQ(t.asText("Hint"), QByteArray("\xD0ios"));
    EXPECT_TRUE(t.asFlag("Matomas"));
    EXPECT_EQ(t.asLines("Komandos"), QByteArrayList{"00016          Teorijos langas"});
    EXPECT_EQ(t.asText("Id"), QByteArray("16"));
    EXPECT_THROW(t.asText("Nera"), Error);

    t.next();
    EXPECT_TRUE(t.eof());
    EXPECT_THROW(t.asInt("Id"), Error);
    t.next();  // stays at the end
    EXPECT_TRUE(t.eof());
}

TEST(ContentTable, FindKeyMovesOnlyWhenFound) {
    ContentTable t;
    t.loadFromBytes(menuPacket(), QStringLiteral("Meniu.cds"));
    ASSERT_TRUE(t.findKey(16));
    EXPECT_EQ(t.asText("Hint"), QByteArray("\xD0ios"));
    EXPECT_FALSE(t.findKey(3));
    EXPECT_FALSE(t.findKey(QByteArrayView("nope")));
    EXPECT_EQ(t.asInt("Id"), 16);
    EXPECT_TRUE(t.findKey(QByteArrayView("2")));
    EXPECT_EQ(t.asInt("Id"), 2);
    t.next();
    EXPECT_EQ(t.asInt("Id"), 16);
}

TEST(ContentTable, LoadsFromFilesAndStaysClosedWhenLoadingFails) {
    lentora::testing::TempProgramDir dir;
    ASSERT_TRUE(dir.isValid());
    dir.writeFile(QStringLiteral("Data/Meniu.cds"), menuPacket());
    dir.writeFile(QStringLiteral("Data/Blogas.cds"), menuPacket().left(60));

    ContentTable t;
    EXPECT_FALSE(t.isOpen());
    EXPECT_TRUE(t.eof());
    try {
        t.findKey(1);
        ADD_FAILURE() << "closed table searched";
    } catch (const Error& e) {
        EXPECT_EQ(e.text(), kClosed);
    }
    EXPECT_THROW(t.first(), Error);

    t.load(dir.filePath(QStringLiteral("data\\MENIU.CDS")));  // letter case and separators ignored
    EXPECT_TRUE(t.isOpen());
    EXPECT_EQ(t.visibleRowCount(), 3);

    const QString missing = dir.filePath(QStringLiteral("Data/Nera.cds"));
    try {
        t.load(missing);
        ADD_FAILURE() << "missing file loaded";
    } catch (const Error& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Cannot open file %1").arg(missing));
    }
    EXPECT_FALSE(t.isOpen());
    EXPECT_EQ(t.visibleRowCount(), 0);
    EXPECT_THROW(t.load(QStringLiteral("/dev/zero")), Error);  // endless: refused, not read

    t.load(dir.filePath(QStringLiteral("Data/Meniu.cds")));
    const QString broken = dir.filePath(QStringLiteral("Data/Blogas.cds"));
    try {
        t.load(broken);
        ADD_FAILURE() << "broken file loaded";
    } catch (const Error& e) {
        EXPECT_TRUE(
            e.text().startsWith(QStringLiteral("Invalid data packet file %1: ").arg(broken)))
            << e.text().toStdString();
    }
    EXPECT_FALSE(t.isOpen());
    try {
        t.asText("Hint");
        ADD_FAILURE() << "closed table read";
    } catch (const Error& e) {
        EXPECT_EQ(e.text(), kClosed);
    }
}

TEST(ContentTable, DetailRowsFollowTheMastersCurrentRow) {
    ContentTable questions;
    ContentTable answers;
    questions.loadFromBytes(questionPacket(), QStringLiteral("PaprTest.cds"));
    answers.loadFromBytes(answerPacket(), QStringLiteral("PaprAtsa.cds"));
    answers.linkToMaster(questions, {"TestoID", "KlausimoID"}, {"TestoID", "KlausimoID"});

    std::vector<std::vector<QByteArray>> perQuestion;
    for (questions.first(); !questions.eof(); questions.next()) {
        perQuestion.push_back(walk(answers, "Atsakymas"));
    }
    // questions in key order: 11/1, 11/2, 11/3 (no answers), 12/1
    EXPECT_EQ(perQuestion, (std::vector<std::vector<QByteArray>>{{"a", "b"}, {"c"}, {}, {"x"}}));

    ASSERT_TRUE(questions.findKey(11));
    questions.next();
    questions.next();  // 11/3 has no answers: the detail is at its end at once
    EXPECT_TRUE(answers.eof());
    EXPECT_EQ(answers.visibleRowCount(), 0);

    // A link on a field that is not a prefix of the key filters the same way.
    ContentTable byAnswer;
    byAnswer.loadFromBytes(answerPacket(), QStringLiteral("PaprAtsa.cds"));
    byAnswer.linkToMaster(questions, {"AtsakymoID"}, {"KlausimoID"});
    questions.first();
    EXPECT_EQ(walk(byAnswer, "Atsakymas"), (std::vector<QByteArray>{"a", "c", "x"}));
    // Finding a key in a detail searches its visible rows only.
    EXPECT_FALSE(answers.findKey(12));
    EXPECT_TRUE(byAnswer.findKey(12));
    EXPECT_EQ(byAnswer.asText("Atsakymas"), QByteArray("x"));

    questions.close();
    EXPECT_TRUE(answers.eof());
    EXPECT_TRUE(byAnswer.eof());
}

TEST(ContentTable, LinksSurviveEitherTableGoingFirst) {
    ContentTable answers;
    answers.loadFromBytes(answerPacket(), QStringLiteral("a.cds"));
    {
        ContentTable questions;
        questions.loadFromBytes(questionPacket(), QStringLiteral("q.cds"));
        answers.linkToMaster(questions, {"TestoID"}, {"TestoID"});
        EXPECT_EQ(answers.visibleRowCount(), 3);
        EXPECT_THROW(questions.linkToMaster(answers, {"TestoID"}, {"TestoID"}), Error);
        EXPECT_THROW(answers.linkToMaster(questions, {"Nera"}, {"TestoID"}), Error);
        {
            ContentTable detailOfDetail;
            detailOfDetail.loadFromBytes(answerPacket(), QStringLiteral("a2.cds"));
            detailOfDetail.linkToMaster(answers, {"AtsakymoID"}, {"AtsakymoID"});
            questions.findKey(12);
            EXPECT_EQ(walk(detailOfDetail, "Atsakymas"), (std::vector<QByteArray>{"a", "c", "x"}));
        }
        questions.next();  // the destroyed detail is no longer told
    }
    // The master is gone: the link ends and every row shows again.
    EXPECT_EQ(answers.visibleRowCount(), 4);
    answers.first();
    EXPECT_FALSE(answers.eof());
}
