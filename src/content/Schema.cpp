// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/Schema.h"

namespace lentora::content {

const TableSchema& menuSchema() {
    using F = MenuFields;
    static const TableSchema schema{
        QStringLiteral("Data/Meniu.cds"),
        {numberField(F::id), textField(F::hint, 255), flagField(F::visible), flagField(F::enabled),
         memoField(F::commands)},
        {0}};
    return schema;
}

const TableSchema& movableWordsSchema() {
    using F = MovableWordsFields;
    static const TableSchema schema{
        QStringLiteral("Data/Nesioj.cds"),
        {numberField(F::id), textField(F::task, 255), memoField(F::sentences), memoField(F::words),
         numberField(F::width), numberField(F::height), numberField(F::windowWidth),
         numberField(F::type)},
        {0}};
    return schema;
}

const TableSchema& theorySchema() {
    using F = TheoryFields;
    static const TableSchema schema{
        QStringLiteral("Data/Teorija.cds"), {numberField(F::id), memoField(F::text)}, {0}};
    return schema;
}

const TableSchema& testWindowSchema() {
    using F = TestWindowFields;
    static const TableSchema schema{QStringLiteral("Data/TestLang.cds"),
                                    {numberField(F::testId), numberField(F::width),
                                     numberField(F::height), textField(F::caption, 255)},
                                    {0}};
    return schema;
}

const TableSchema& questionSchema() {
    using F = QuestionFields;
    static const TableSchema schema{
        QStringLiteral("Data/PaprTest.cds"),
        {numberField(F::testId), numberField(F::questionId), numberField(F::x), numberField(F::y),
         numberField(F::width), numberField(F::height), textField(F::question, 255),
         textField(F::kind, 30)},
        {0, 1}};
    return schema;
}

const TableSchema& answerSchema() {
    using F = AnswerFields;
    static const TableSchema schema{
        QStringLiteral("Data/PaprAtsa.cds"),
        {numberField(F::testId), numberField(F::questionId), numberField(F::answerId),
         textField(F::answer, 255), flagField(F::correct), numberField(F::x), numberField(F::y)},
        {0, 1, 2}};
    return schema;
}

const TableSchema& markedWordsSchema() {
    using F = MarkedWordsFields;
    static const TableSchema schema{
        QStringLiteral("Data/TestPabr.cds"),
        {numberField(F::id), textField(F::caption, 255), textField(F::heading, 255),
         memoField(F::text), textField(F::marks, 255), numberField(F::windowHeight),
         numberField(F::windowWidth)},
        {0}};
    return schema;
}

}  // namespace lentora::content
