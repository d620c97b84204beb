// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/ContentTable.h"
#include "content/MarkedWordsRow.h"
#include "content/MovableWordsRow.h"
#include "content/Rows.h"
#include "content/Schema.h"

#include <gtest/gtest.h>

using namespace lentora::content;

namespace {

// Writes one row through the schema and reads it back from a loaded table.
template <class Row>
Row roundTrip(const TableSchema& schema, const Row& row) {
    TableData data = schema.emptyTable();
    data.rows.push_back(row.values());
    ContentTable table;
    table.loadFromBytes(writeDataPacket(data), schema.file);
    return Row::read(table);
}

}  // namespace

TEST(ContentRows, EveryRowReadsBackWhatItsSchemaWrote) {
    const MenuRow menu = roundTrip(menuSchema(), MenuRow{7, "Patarimas", false, true, "a\r\nb"});
    EXPECT_EQ(menu.id, 7);
    EXPECT_EQ(menu.hint, "Patarimas");
    EXPECT_FALSE(menu.visible);
    EXPECT_EQ(menu.commandLines(), (QByteArrayList{"a", "b"}));
    EXPECT_EQ(roundTrip(theorySchema(), TheoryRow{3, "tekstas"}).text, "tekstas");
    const TestWindowRow test = roundTrip(testWindowSchema(), TestWindowRow{2, 500, 300, "Testas"});
    EXPECT_EQ(test.height, 300);
    EXPECT_EQ(test.caption, "Testas");
    const QuestionRow question =
        roundTrip(questionSchema(), QuestionRow{2, 4, 10, 20, 300, 70, "Kas?", "radio"});
    EXPECT_EQ(question.questionId, 4);
    EXPECT_EQ(question.kind, "radio");
    const AnswerRow answer = roundTrip(answerSchema(), AnswerRow{2, 4, 1, "taip", true, 12, 25});
    EXPECT_TRUE(answer.correct);
    EXPECT_EQ(answer.y, 25);
    for (const TableSchema* schema :
         {&menuSchema(), &movableWordsSchema(), &theorySchema(), &testWindowSchema(),
          &questionSchema(), &answerSchema(), &markedWordsSchema()}) {
        EXPECT_TRUE(schema->file.startsWith("Data/")) << schema->file.toStdString();
        EXPECT_FALSE(schema->keyFields.empty());
    }
}

TEST(ContentRows, OnlyAnExactTestasCaptionBecomesPratimas) {
    EXPECT_EQ(exerciseCaption("Testas"), "Pratimas");
    EXPECT_EQ(exerciseCaption("Testas "), "Testas ");
    EXPECT_EQ(exerciseCaption("testas"), "testas");
    EXPECT_EQ(exerciseCaption(""), "");
    EXPECT_EQ(exerciseCaption(QString::fromUtf8("Savikontrolės testas")),
              QString::fromUtf8("Savikontrolės testas"));
}

TEST(ContentRows, ExerciseRowsReadBackWhatTheyWrote) {
    TableData data = movableWordsSchema().emptyTable();
    data.rows.push_back(
        MovableWordsRow{4, "Pratimas", {"a ______", "", "b"}, {"x", "@y", "z"}, 640, 480, 150, 2}
            .values());
    ContentTable movable;
    movable.loadFromBytes(writeDataPacket(data), movableWordsSchema().file);
    const std::optional<MovableWordsRow> moved = readMovableWordsRow(movable, 4);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->sentences, (QByteArrayList{"a ______", "", "b"}));
    EXPECT_EQ(moved->words, (QByteArrayList{"x", "@y", "z"}));
    EXPECT_EQ(moved->values(), data.rows.front());

    for (const bool crossOut : {false, true}) {
        data = markedWordsSchema().emptyTable();
        data.rows.push_back(
            MarkedWordsRow{9, "Pratimas", "Pabraukite", "@Jis", crossOut, 380, 560}.values());
        ContentTable marked;
        marked.loadFromBytes(writeDataPacket(data), markedWordsSchema().file);
        const std::optional<MarkedWordsRow> read = readMarkedWordsRow(marked, 9);
        ASSERT_TRUE(read);
        EXPECT_EQ(read->crossOut, crossOut);
        EXPECT_EQ(read->values(), data.rows.front());
    }
}
