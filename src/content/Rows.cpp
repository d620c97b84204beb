// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/Rows.h"

#include "content/ContentTable.h"
#include "content/MemoLines.h"
#include "content/Schema.h"

namespace lentora::content {

MenuRow MenuRow::read(const ContentTable& table) {
    using F = MenuFields;
    return {table.asInt(F::id), table.asText(F::hint), table.asFlag(F::visible),
            table.asFlag(F::enabled), table.asText(F::commands)};
}

std::vector<Value> MenuRow::values() const {
    return {double(id), hint, visible, enabled, commands};
}

QByteArrayList MenuRow::commandLines() const {
    return splitMemoLines(commands);
}

TheoryRow TheoryRow::read(const ContentTable& table) {
    return {table.asInt(TheoryFields::id), table.asText(TheoryFields::text)};
}

std::vector<Value> TheoryRow::values() const {
    return {double(id), text};
}

TestWindowRow TestWindowRow::read(const ContentTable& table) {
    using F = TestWindowFields;
    return {table.asInt(F::testId), table.asNumber(F::width), table.asNumber(F::height),
            table.asText(F::caption)};
}

std::vector<Value> TestWindowRow::values() const {
    return {double(testId), width, height, caption};
}

QuestionRow QuestionRow::read(const ContentTable& table) {
    using F = QuestionFields;
    return {table.asInt(F::testId),    table.asInt(F::questionId), table.asNumber(F::x),
            table.asNumber(F::y),      table.asNumber(F::width),   table.asNumber(F::height),
            table.asText(F::question), table.asText(F::kind)};
}

std::vector<Value> QuestionRow::values() const {
    return {double(testId), double(questionId), x, y, width, height, question, kind};
}

AnswerRow AnswerRow::read(const ContentTable& table) {
    using F = AnswerFields;
    return {table.asInt(F::testId),  table.asInt(F::questionId), table.asInt(F::answerId),
            table.asText(F::answer), table.asFlag(F::correct),   table.asNumber(F::x),
            table.asNumber(F::y)};
}

std::vector<Value> AnswerRow::values() const {
    return {double(testId), double(questionId), double(answerId), answer, correct, x, y};
}

QString exerciseCaption(const QString& langCaption) {
    return langCaption == QLatin1String("Testas") ? QStringLiteral("Pratimas") : langCaption;
}

}  // namespace lentora::content
