// SPDX-License-Identifier: GPL-3.0-or-later
// Reading speed and memory of content tables, on an answer table of 200,000 rows (> 50 MB),
// and the master-detail walk of a test's questions and answers.

#include "content/ContentTable.h"
#include "content/DataPacket.h"
#include "content/Rows.h"
#include "content/Schema.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>

using namespace lentora::content;

namespace {

// The answer table's schema; `questions` questions per test, `answers` answers per question.
QByteArray answerPacket(int rows, int answersPerQuestion, int answerLength) {
    TableData t = answerSchema().emptyTable();
    t.rows.reserve(std::size_t(rows));
    const QByteArray words =
        "Atsakymas su lietuvi\xF8komis raid\xEBmis \xE0\xE8\xE6\xEB\xE1\xF0\xF8\xFB\xFE ";
    QByteArray text;
    while (text.size() < 255) {
        text += words;
    }
    const int perTest = answersPerQuestion * 20;
    for (int i = 0; i < rows; ++i) {
        const int length = answerLength - (i % 11);
        t.rows.push_back({double(i / perTest + 1), double(i % perTest / answersPerQuestion + 1),
                          double(i % answersPerQuestion + 1), text.left(length), i % 3 == 0,
                          double(10 + i % 400), double(20 + i % 300)});
    }
    return writeDataPacket(t);
}

std::size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void BM_LoadAnswerTable(benchmark::State& state) {
    const QByteArray packet = answerPacket(200000, 5, 245);
    std::size_t tableBytes = 0;
    for (auto _ : state) {
        const std::size_t before = heapInUse();
        ContentTable table;
        table.loadFromBytes(packet, QStringLiteral("PaprAtsa.cds"));
        tableBytes = heapInUse() - before;
        benchmark::DoNotOptimize(table.visibleRowCount());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * packet.size());
    state.counters["file_MB"] = double(packet.size()) / 1e6;
    state.counters["table_MB"] = double(tableBytes) / 1e6;
    state.counters["table_per_file"] = double(tableBytes) / double(packet.size());
}
BENCHMARK(BM_LoadAnswerTable)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The plain-values reader, for comparison: one QByteArray per text.
void BM_ParseToValues(benchmark::State& state) {
    const QByteArray packet = answerPacket(200000, 5, 245);
    for (auto _ : state) {
        TableData data = parseDataPacket(packet, QStringLiteral("PaprAtsa.cds"));
        benchmark::DoNotOptimize(data.rows.size());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * packet.size());
}
BENCHMARK(BM_ParseToValues)->Unit(benchmark::kMillisecond);

// A simple test's walk: 400 questions, each showing its answers out of 5000.
void BM_WalkQuestionsAndAnswers(benchmark::State& state) {
    TableData q = questionSchema().emptyTable();
    for (int i = 0; i < 400; ++i) {
        q.rows.push_back(QuestionRow{i / 20 + 1, i % 20 + 1, 0, 0, 0, 0, {}, {}}.values());
    }
    ContentTable questions;
    ContentTable answers;
    questions.loadFromBytes(writeDataPacket(q), QStringLiteral("PaprTest.cds"));
    answers.loadFromBytes(answerPacket(5000, 12, 60), QStringLiteral("PaprAtsa.cds"));
    answers.linkToMaster(questions, {AnswerFields::testId, AnswerFields::questionId},
                         {QuestionFields::testId, QuestionFields::questionId});
    std::int64_t seen = 0;
    for (auto _ : state) {
        for (questions.first(); !questions.eof(); questions.next()) {
            for (answers.first(); !answers.eof(); answers.next()) {
                seen += answers.asInt(AnswerFields::answerId) > 0 ? 1 : 0;
            }
        }
    }
    benchmark::DoNotOptimize(seen);
    state.counters["answers_per_walk"] = double(seen) / double(state.iterations());
}
BENCHMARK(BM_WalkQuestionsAndAnswers)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
