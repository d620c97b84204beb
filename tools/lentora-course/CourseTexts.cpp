// SPDX-License-Identifier: GPL-3.0-or-later
#include "CourseTexts.h"

#include "content/DataPacket.h"
#include "content/MemoLines.h"
#include "content/MenuOutline.h"
#include "content/Schema.h"
#include "platform/CodePage1257.h"
#include "platform/Error.h"
#include "platform/ProgramPaths.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <map>
#include <optional>

namespace lentora::course {

namespace {

using content::TableData;
using content::Value;

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A table as far as it can be read, its fields found by name.
class Fields {
public:
    Fields(const QString& programDir, const content::TableSchema& schema) {
        try {
            data_ = content::parseDataPacket(readBytes(resolvePath(programDir + schema.file)),
                                             schema.file);
        } catch (const Error&) {
            return;
        }
        for (int i = 0; i < int(data_.fields.size()); ++i) {
            positions_.emplace(data_.fields[size_t(i)].name, i);
        }
    }

    const std::vector<std::vector<Value>>& rows() const { return data_.rows; }
    int position(QByteArrayView name) const {
        const auto found = positions_.find(name.toByteArray());
        return found == positions_.end() ? -1 : found->second;
    }
    QString text(const std::vector<Value>& row, int position) const {
        const auto* value = at<QByteArray>(row, position);
        return value ? fromCp1257(*value) : QString();
    }
    QString text(const std::vector<Value>& row, QByteArrayView name) const {
        return text(row, position(name));
    }
    int number(const std::vector<Value>& row, QByteArrayView name) const {
        return number(row, position(name));
    }
    int number(const std::vector<Value>& row, int position) const {
        const auto* value = at<double>(row, position);
        return value && *value > -1e9 && *value < 1e9 ? int(*value) : 0;
    }
    bool flag(const std::vector<Value>& row, QByteArrayView name) const {
        const auto* value = at<bool>(row, position(name));
        return value && *value;
    }

private:
    template <typename T>
    const T* at(const std::vector<Value>& row, int position) const {
        return position >= 0 && position < int(row.size()) ? std::get_if<T>(&row[size_t(position)])
                                                           : nullptr;
    }

    TableData data_;
    std::map<QByteArray, int> positions_;
};

QString recordField(int id, const char* field) {
    return QStringLiteral("record %1, field %2").arg(id).arg(QLatin1String(field));
}

QStringList memoLines(const QString& memo) {
    return memo.split(QStringLiteral("\r\n"));
}

void readMenu(const QString& dir, CourseTexts& texts) {
    const QString outlineFile = QStringLiteral("MENIU.MNU");
    QByteArray outline = readBytes(resolvePath(dir + QStringLiteral("meniu.mnu")));
    const qsizetype end = outline.indexOf(char(26));
    if (end >= 0) {
        outline.truncate(end);
    }
    const QByteArrayList lines = content::splitLinesAtAnyBreak(outline);
    for (int index = 0; index < lines.size(); ++index) {
        QByteArray line = lines[index];
        int depth = 0;
        while (depth < line.size() && line[depth] == '\t') {
            ++depth;
        }
        line = line.mid(depth);
        const QString caption = fromCp1257(content::captionOf(line));
        if (caption.trimmed().isEmpty()) {
            continue;
        }
        if (depth == 0) {
            texts.topMenuCaptions.push_back(caption);
        }
        // The learner reads the caption without its access-key marks ("&&" shows one "&").
        QString shown = caption;
        shown.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
            .remove(QLatin1Char('&'))
            .replace(QLatin1Char('\x01'), QLatin1Char('&'));
        texts.all.push_back({outlineFile, QStringLiteral("line %1").arg(index + 1), shown, false});
    }
    const content::TableSchema& schema = content::menuSchema();
    const Fields menu(dir, schema);
    for (const auto& row : menu.rows()) {
        const int id = menu.number(row, content::MenuFields::id);
        texts.all.push_back({schema.file, recordField(id, content::MenuFields::hint),
                             menu.text(row, content::MenuFields::hint), false});
    }
}

void readTheory(const QString& dir, CourseTexts& texts) {
    const content::TableSchema& schema = content::theorySchema();
    const Fields theory(dir, schema);
    for (const auto& row : theory.rows()) {
        const int id = theory.number(row, content::TheoryFields::id);
        const QString text = theory.text(row, content::TheoryFields::text);
        texts.theory.push_back({id, text});
        const QStringList lines = memoLines(text);
        for (int line = 0; line < lines.size(); ++line) {
            texts.all.push_back({schema.file,
                                 recordField(id, content::TheoryFields::text) +
                                     QStringLiteral(", line %1").arg(line + 1),
                                 lines[line], false});
        }
    }
}

void readTests(const QString& dir, CourseTexts& texts) {
    using content::AnswerFields;
    using content::QuestionFields;
    using content::TestWindowFields;
    const Fields windows(dir, content::testWindowSchema());
    const Fields questions(dir, content::questionSchema());
    const Fields answers(dir, content::answerSchema());
    std::map<int, CourseTest> tests;
    for (const auto& row : windows.rows()) {
        CourseTest& test = tests[windows.number(row, TestWindowFields::testId)];
        test.id = windows.number(row, TestWindowFields::testId);
        test.caption = windows.text(row, TestWindowFields::caption);
        texts.all.push_back({content::testWindowSchema().file,
                             recordField(test.id, TestWindowFields::caption), test.caption, false});
    }
    std::map<std::pair<int, int>, TestQuestion*> byKey;
    for (const auto& row : questions.rows()) {
        const int testId = questions.number(row, QuestionFields::testId);
        CourseTest& test = tests[testId];
        test.id = testId;
        TestQuestion question;
        question.questionId = questions.number(row, QuestionFields::questionId);
        question.text = questions.text(row, QuestionFields::question);
        question.radio = questions.text(row, QuestionFields::kind)
                             .startsWith(QStringLiteral("Pasirenk"), Qt::CaseInsensitive);
        test.questions.push_back(question);
        texts.all.push_back({content::questionSchema().file,
                             QStringLiteral("test %1, question %2, field %3")
                                 .arg(testId)
                                 .arg(question.questionId)
                                 .arg(QLatin1String(QuestionFields::question)),
                             question.text, false});
    }
    for (auto& [id, test] : tests) {
        for (TestQuestion& question : test.questions) {
            byKey[{id, question.questionId}] = &question;
        }
    }
    for (const auto& row : answers.rows()) {
        const int testId = answers.number(row, AnswerFields::testId);
        const int questionId = answers.number(row, AnswerFields::questionId);
        const TestAnswer answer{answers.text(row, AnswerFields::answer),
                                answers.flag(row, AnswerFields::correct)};
        const auto question = byKey.find({testId, questionId});
        if (question != byKey.end()) {
            question->second->answers.push_back(answer);
        }
        texts.all.push_back({content::answerSchema().file,
                             QStringLiteral("test %1, question %2, answer %3, field %4")
                                 .arg(testId)
                                 .arg(questionId)
                                 .arg(answers.number(row, AnswerFields::answerId))
                                 .arg(QLatin1String(AnswerFields::answer)),
                             answer.text, !answer.correct});
    }
    for (auto& entry : tests) {
        texts.tests.push_back(std::move(entry.second));
    }
}

void readMovable(const QString& dir, CourseTexts& texts) {
    using content::MovableWordsFields;
    const content::TableSchema& schema = content::movableWordsSchema();
    const Fields table(dir, schema);
    for (const auto& row : table.rows()) {
        MovableExercise exercise;
        exercise.id = table.number(row, MovableWordsFields::id);
        exercise.type = table.number(row, MovableWordsFields::type);
        exercise.task = table.text(row, MovableWordsFields::task);
        exercise.sentences = memoLines(table.text(row, MovableWordsFields::sentences));
        exercise.words = memoLines(table.text(row, MovableWordsFields::words));
        texts.all.push_back({schema.file, recordField(exercise.id, MovableWordsFields::task),
                             exercise.task, false});
        for (int line = 0; line < exercise.sentences.size(); ++line) {
            texts.all.push_back({schema.file,
                                 recordField(exercise.id, MovableWordsFields::sentences) +
                                     QStringLiteral(", line %1").arg(line + 1),
                                 exercise.sentences[line], false});
        }
        for (int line = 0; line < exercise.words.size(); ++line) {
            // Line k is row k's right answer; lines past the rows are the pool's extra words.
            const bool rightAnswer = line < exercise.sentences.size();
            texts.all.push_back({schema.file,
                                 recordField(exercise.id, MovableWordsFields::words) +
                                     QStringLiteral(", line %1").arg(line + 1),
                                 exercise.words[line], !rightAnswer});
        }
        texts.movable.push_back(std::move(exercise));
    }
}

void readMarked(const QString& dir, CourseTexts& texts) {
    using content::MarkedWordsFields;
    const content::TableSchema& schema = content::markedWordsSchema();
    const Fields table(dir, schema);
    for (const auto& row : table.rows()) {
        // The first three fields are read by position, as the window reads them.
        const int id = table.number(row, MarkedWordsFields::recordPosition - 1);
        MarkedExercise exercise;
        exercise.id = id;
        // As the window reads it: anything but "Pabraukiami" crosses out.
        exercise.crossOut =
            table.text(row, MarkedWordsFields::marks) != QStringLiteral("Pabraukiami");
        exercise.text = table.text(row, MarkedWordsFields::text);
        for (const int position :
             {MarkedWordsFields::captionPosition, MarkedWordsFields::headingPosition}) {
            texts.all.push_back({schema.file,
                                 QStringLiteral("record %1, field %2").arg(id).arg(position),
                                 table.text(row, position - 1), false});
        }
        const QStringList lines = memoLines(exercise.text);
        for (int line = 0; line < lines.size(); ++line) {
            const QString place = recordField(id, MarkedWordsFields::text) +
                                  QStringLiteral(", line %1").arg(line + 1);
            // A crossed-out target is a misspelling on purpose; the rest of the line is not.
            QStringList kept;
            for (const QString& chunk : lines[line].split(QLatin1Char(' '))) {
                const bool target = chunk.contains(QLatin1Char('@'));
                if (target && exercise.crossOut) {
                    texts.all.push_back({schema.file, place, chunk, true});
                } else {
                    kept.push_back(chunk);
                }
            }
            texts.all.push_back({schema.file, place, kept.join(QLatin1Char(' ')), false});
        }
        texts.marked.push_back(std::move(exercise));
    }
}

// The help page: the text between the HTML tags, entities dropped.
void readHelp(const QString& dir, CourseTexts& texts) {
    const QString file = QStringLiteral("Pagalba/pagalba.hlp");
    const QString page = QString::fromUtf8(readBytes(resolvePath(dir + file)));
    const QStringList lines = page.split(QLatin1Char('\n'));
    bool inTag = false;
    bool inScript = false;
    for (int line = 0; line < lines.size(); ++line) {
        QString text;
        const QString& raw = lines[line];
        for (qsizetype i = 0; i < raw.size(); ++i) {
            if (inTag) {
                inTag = raw[i] != QLatin1Char('>');
                continue;
            }
            if (raw[i] == QLatin1Char('<')) {
                const QString tag = raw.mid(i + 1, 7).toLower();
                if (tag.startsWith(QStringLiteral("style")) ||
                    tag.startsWith(QStringLiteral("script"))) {
                    inScript = true;
                } else if (tag.startsWith(QStringLiteral("/style")) ||
                           tag.startsWith(QStringLiteral("/script"))) {
                    inScript = false;
                }
                inTag = true;
                text += QLatin1Char(' ');
            } else if (raw[i] == QLatin1Char('&')) {
                const qsizetype end = raw.indexOf(QLatin1Char(';'), i);
                i = end < 0 ? i : end;
                text += QLatin1Char(' ');
            } else if (!inScript) {
                text += raw[i];
            }
        }
        if (!text.trimmed().isEmpty()) {
            texts.all.push_back({file, QStringLiteral("line %1").arg(line + 1), text, false});
        }
    }
}

}  // namespace

CourseTexts readCourseTexts(const QString& programDir) {
    QString dir = programDir;
    if (!dir.endsWith(QLatin1Char('/'))) {
        dir += QLatin1Char('/');
    }
    CourseTexts texts;
    readMenu(dir, texts);
    readTheory(dir, texts);
    readTests(dir, texts);
    readMovable(dir, texts);
    readMarked(dir, texts);
    readHelp(dir, texts);
    return texts;
}

namespace {

// The text as the learner reads its words: the marks "@" and "#" are never shown, and a word
// written with a gap ("k_sti", "dan__ų") or a joint to judge ("kaž/kur") is the exercise
// itself, not a word to spell, so it is left out whole.
QString readableWords(const QString& text) {
    QStringList kept;
    for (QString chunk : text.split(QRegularExpression(QStringLiteral("\\s+")))) {
        if (chunk.contains(QLatin1Char('_')) || chunk.contains(QLatin1Char('/'))) {
            continue;
        }
        chunk.remove(QLatin1Char('@')).remove(QLatin1Char('#'));
        kept.push_back(chunk);
    }
    return kept.join(QLatin1Char(' '));
}

}  // namespace

QStringList wordsOf(const QString& rawText) {
    const QString text = readableWords(rawText);
    QStringList words;
    QString word;
    bool afterHyphen = false;  // "-iai": an ending written alone
    const auto endWord = [&](QChar next) {
        if (!word.isEmpty() && !afterHyphen && next != QLatin1Char('-')) {
            words.push_back(word);
        }
        word.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar character = text[i];
        const bool joiningHyphen = character == QLatin1Char('-') && !word.isEmpty() &&
                                   i + 1 < text.size() && text[i + 1].isLetter();
        if (character.isLetter() || joiningHyphen) {
            if (word.isEmpty()) {
                afterHyphen = i > 0 && text[i - 1] == QLatin1Char('-');
            }
            word += character;
        } else {
            endWord(character);
        }
    }
    endWord(QChar());
    return words;
}

}  // namespace lentora::course
