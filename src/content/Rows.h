// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/DataPacket.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

#include <vector>

namespace lentora::content {

class ContentTable;

// Typed rows of the content tables. read() takes the table's current row (and throws as the
// table does: closed, no row, a field missing); values() gives the row in the schema's field
// order, for writing a table. Numbers the windows clamp stay doubles.

struct MenuRow {
    int id = 0;
    QByteArray hint;
    bool visible = true;
    bool enabled = true;
    QByteArray commands;  // CR LF separated command lines

    static MenuRow read(const ContentTable& table);
    std::vector<Value> values() const;
    QByteArrayList commandLines() const;
};

struct TheoryRow {
    int id = 0;
    QByteArray text;

    static TheoryRow read(const ContentTable& table);
    std::vector<Value> values() const;
};

struct TestWindowRow {
    int testId = 0;
    double width = 0;  // outer size
    double height = 0;
    QByteArray caption;

    static TestWindowRow read(const ContentTable& table);
    std::vector<Value> values() const;
};

struct QuestionRow {
    int testId = 0;
    int questionId = 0;
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    QByteArray question;
    QByteArray kind;

    static QuestionRow read(const ContentTable& table);
    std::vector<Value> values() const;
};

struct AnswerRow {
    int testId = 0;
    int questionId = 0;
    int answerId = 0;
    QByteArray answer;
    bool correct = false;
    double x = 0;
    double y = 0;

    static AnswerRow read(const ContentTable& table);
    std::vector<Value> values() const;
};

// The test window's caption: "Testas" is shown as "Pratimas"; every other caption unchanged.
QString exerciseCaption(const QString& langCaption);

}  // namespace lentora::content
