// SPDX-License-Identifier: GPL-3.0-or-later
#include "CourseImport.h"

#include "CourseSpelling.h"

#include "CourseBuilder.h"

#include "content/CommandLine.h"
#include "content/DataPacket.h"
#include "content/MemoLines.h"
#include "content/Schema.h"
#include "platform/CodePage1257.h"
#include "platform/Error.h"
#include "platform/ProgramPaths.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QUuid>

#include <algorithm>
#include <map>
#include <set>

namespace lentora::course {

namespace {

using content::CommandKind;
using content::TableData;
using content::TableSchema;
using content::Value;

QByteArray readBytes(const QString& path, bool* ok = nullptr) {
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    if (ok) {
        *ok = opened;
    }
    return opened ? file.readAll() : QByteArray();
}

class Importer {
public:
    Importer(const QString& programDir, const QString& courseDir)
        : program_(QDir(programDir).absolutePath()), course_(QDir(courseDir).absolutePath()) {}

    ImportReport run() {
        importOutline();
        importMenuTable();
        importTheory();
        importTests();
        importMovableWords();
        importMarkedWords();
        importHelp();
        importCourseId();
        importCourseWords();
        copyFiles();
        compareWithRebuild();
        return std::move(report_);
    }

private:
    void notHeld(const QString& what) { report_.notHeld << what; }

    QString programPath(const QString& relative) const {
        return resolvePath(program_.filePath(relative));
    }

    void writeSource(const QString& relative, const QString& text) {
        const QString path = course_.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QSaveFile file(path);
        const QByteArray bytes = text.toUtf8();
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
            !file.commit()) {
            throw Error(QStringLiteral("Cannot write file %1").arg(path));
        }
    }

    // Content bytes as source text; says so when the builder would not give the bytes back
    // (lone CR or LF, a character 26, a byte code page 1257 has no letter for).
    QString sourceText(const QByteArray& bytes, const QString& what) {
        QString text = fromCp1257(bytes);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        bool same = false;
        try {
            same = toContentBytes(text) == bytes;
        } catch (const Error&) {
        }
        if (!same) {
            notHeld(QStringLiteral("%1: line ends or characters change").arg(what));
        }
        return text;
    }

    TableData readTable(const TableSchema& schema) {
        bool ok = false;
        const QByteArray bytes = readBytes(programPath(schema.file), &ok);
        if (!ok) {
            notHeld(QStringLiteral("%1: missing").arg(schema.file));
            ++report_.unreadableTables;
            return schema.emptyTable();
        }
        try {
            return content::parseDataPacket(bytes, schema.file);
        } catch (const Error& error) {
            notHeld(error.text());
            ++report_.unreadableTables;
            return schema.emptyTable();
        }
    }

    // Values by the schema's field names, whatever the file's order.
    struct Fields {
        std::map<QByteArray, int> positions;
        explicit Fields(const TableData& table) {
            for (int i = 0; i < int(table.fields.size()); ++i) {
                positions.emplace(table.fields[size_t(i)].name, i);
            }
        }
        const Value* at(const std::vector<Value>& row, QByteArrayView name) const {
            const auto found = positions.find(name.toByteArray());
            return found == positions.end() ? nullptr : &row[size_t(found->second)];
        }
        double number(const std::vector<Value>& row, QByteArrayView name) const {
            const Value* value = at(row, name);
            const double* number = value ? std::get_if<double>(value) : nullptr;
            return number ? *number : 0;
        }
        QByteArray text(const std::vector<Value>& row, QByteArrayView name) const {
            const Value* value = at(row, name);
            const QByteArray* text = value ? std::get_if<QByteArray>(value) : nullptr;
            return text ? *text : QByteArray();
        }
        bool flag(const std::vector<Value>& row, QByteArrayView name, bool fallback) const {
            const Value* value = at(row, name);
            const bool* flag = value ? std::get_if<bool>(value) : nullptr;
            return flag ? *flag : fallback;
        }
    };

    void importOutline() {
        bool ok = false;
        const QByteArray bytes = readBytes(programPath(QStringLiteral("meniu.mnu")), &ok);
        if (!ok) {
            notHeld(QStringLiteral("MENIU.MNU: missing"));
            return;
        }
        const QString text = sourceText(bytes, QStringLiteral("MENIU.MNU"));
        QStringList lines;
        int previousDepth = -1;
        const QStringList raw = text.split(QLatin1Char('\n'));
        for (int index = 0; index < raw.size(); ++index) {
            QString line = raw[index];
            if (index == raw.size() - 1 && line.isEmpty()) {
                lines << line;  // the final line break
                break;
            }
            int depth = 0;
            while (depth < line.size() && line[depth] == QLatin1Char('\t')) {
                ++depth;
            }
            if (depth == line.size()) {
                notHeld(QStringLiteral("MENIU.MNU, line %1: empty line left out").arg(index + 1));
                continue;
            }
            if (depth > previousDepth + 1) {
                // The program puts such a line under the deepest item there is.
                notHeld(QStringLiteral("MENIU.MNU, line %1: written one level below the item "
                                       "before, where the program shows it")
                            .arg(index + 1));
                line = QString(previousDepth + 1, QLatin1Char('\t')) + line.mid(depth);
                depth = previousDepth + 1;
            }
            previousDepth = depth;
            lines << line;
        }
        writeSource(QStringLiteral("meniu.txt"), lines.join(QLatin1Char('\n')));
    }

    void importMenuTable() {
        const TableData table = readTable(content::menuSchema());
        const Fields fields(table);
        using F = content::MenuFields;
        QStringList out;
        std::set<qint64> ids;
        for (const auto& row : table.rows) {
            const qint64 id = qint64(fields.number(row, F::id));
            const QString where =
                QStringLiteral("%1, record %2").arg(content::menuSchema().file).arg(id);
            if (id <= 0 || id > 99999 || !ids.insert(id).second) {
                notHeld(where + QStringLiteral(": an Id the sources cannot hold (0, negative, "
                                               "too large or repeated); left out"));
                continue;
            }
            ++report_.rows;
            out << QStringLiteral("Id: %1").arg(id);
            const QString hint =
                sourceText(fields.text(row, F::hint), where + QStringLiteral(" Hint"));
            if (hint != hint.trimmed() || hint.contains(QLatin1Char('\n'))) {
                notHeld(where + QStringLiteral(": blanks or line breaks of the hint"));
            }
            out << QStringLiteral("Hint: %1").arg(hint.simplified());
            if (!fields.flag(row, F::visible, true)) {
                out << QStringLiteral("Matomas: ne");
            }
            if (!fields.flag(row, F::enabled, true)) {
                out << QStringLiteral("Pasiekiamas: ne");
            }
            const QByteArray commands = fields.text(row, F::commands);
            QByteArrayList written;
            for (const QByteArray& line : content::splitMemoLines(commands)) {
                const content::CommandLine command = content::parseCommandLine(line);
                if (command.kind == CommandKind::None || command.recordNumber < 0 ||
                    command.recordNumber > 99999) {
                    notHeld(where + QStringLiteral(": command line \"%1\" opens nothing; left out")
                                        .arg(fromCp1257(line)));
                    continue;
                }
                out << QStringLiteral("Komanda: %1 %2")
                           .arg(command.recordNumber)
                           .arg(content::kindNameText(command.kind));
                written << content::formatCommandLine(command.recordNumber, command.kind);
            }
            if (written.join("\r\n") != commands) {
                notHeld(where + QStringLiteral(": command lines written in the standard form"));
            }
            out << QString();
        }
        writeSource(QStringLiteral("meniu-lentele.txt"), out.join(QLatin1Char('\n')));
    }

    void importTheory() {
        const TableData table = readTable(content::theorySchema());
        const Fields fields(table);
        for (const auto& row : table.rows) {
            const double id = fields.number(row, content::TheoryFields::id);
            const QString where =
                QStringLiteral("%1, record %2").arg(content::theorySchema().file).arg(id);
            if (id < 0 || id > 65535 || id != double(int(id))) {
                notHeld(where + QStringLiteral(": a record number the sources cannot hold"));
                continue;
            }
            const QByteArray bytes = fields.text(row, content::TheoryFields::text);
            const QString text = sourceText(bytes, where);
            if (text.endsWith(QLatin1Char('\n'))) {
                notHeld(where + QStringLiteral(": line breaks at the end"));
            }
            ++report_.rows;
            writeSource(
                QStringLiteral("theory/%1-teorija.txt").arg(int(id), 2, 10, QLatin1Char('0')),
                text + QLatin1Char('\n'));
        }
    }

    void importTests() {
        const TableData tests = readTable(content::testWindowSchema());
        const TableData questions = readTable(content::questionSchema());
        const TableData answers = readTable(content::answerSchema());
        const Fields testFields(tests), questionFields(questions), answerFields(answers);
        using Q = content::QuestionFields;
        using A = content::AnswerFields;
        for (const auto& test : tests.rows) {
            const double id = testFields.number(test, content::TestWindowFields::testId);
            const QString where = QStringLiteral("test %1").arg(id);
            if (id <= 0 || id > 65535 || id != double(int(id))) {
                notHeld(where + QStringLiteral(": a test number the sources cannot hold"));
                continue;
            }
            QStringList out;
            out << QStringLiteral("Antraštė: %1")
                       .arg(sourceText(testFields.text(test, content::TestWindowFields::caption),
                                       where));
            ++report_.rows;
            for (const auto& question : questions.rows) {
                if (questionFields.number(question, Q::testId) != id) {
                    continue;
                }
                ++report_.rows;
                const double questionId = questionFields.number(question, Q::questionId);
                const bool radio = questionFields.text(question, Q::kind) ==
                                   QByteArrayView("Pasirenkamasis mygtukas");
                out << QString();
                out << QStringLiteral("%1 %2").arg(
                    radio ? QStringLiteral("?") : QStringLiteral("??"),
                    sourceText(questionFields.text(question, Q::question), where));
                for (const auto& answer : answers.rows) {
                    if (answerFields.number(answer, A::testId) != id ||
                        answerFields.number(answer, A::questionId) != questionId) {
                        continue;
                    }
                    ++report_.rows;
                    out << QStringLiteral("%1 %2").arg(
                        answerFields.flag(answer, A::correct, false) ? QStringLiteral("+")
                                                                     : QStringLiteral("-"),
                        sourceText(answerFields.text(answer, A::answer), where));
                }
            }
            writeSource(QStringLiteral("tests/%1.txt").arg(int(id), 3, 10, QLatin1Char('0')),
                        out.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        }
    }

    // One source line's text as the builder reads it back: trimmed, and neither empty where
    // that matters nor read as a comment or a key.
    bool holdsAsLine(const QString& text) const {
        return text == text.trimmed() && !text.contains(QLatin1Char('\n')) &&
               !text.contains(QLatin1Char('\r'));
    }

    void importMovableWords() {
        const TableSchema& schema = content::movableWordsSchema();
        const TableData table = readTable(schema);
        const Fields fields(table);
        using F = content::MovableWordsFields;
        for (const auto& row : table.rows) {
            const double id = fields.number(row, F::id);
            const QString where = QStringLiteral("%1, record %2").arg(schema.file).arg(id);
            const double type = fields.number(row, F::type);
            const double boxWidth = fields.number(row, F::windowWidth);
            if (id <= 0 || id > 65535 || id != double(int(id)) || (type != 1 && type != 2)) {
                notHeld(where + QStringLiteral(": a number or Tipas the sources cannot hold; "
                                               "left out"));
                continue;
            }
            if (fields.number(row, F::width) != 640 || fields.number(row, F::height) != 480) {
                notHeld(where + QStringLiteral(": a window size other than 640 x 480"));
            }
            if (boxWidth < 40 || boxWidth > 300 || boxWidth != double(int(boxWidth))) {
                notHeld(where + QStringLiteral(": a box width outside 40 to 300 pixels"));
            }
            const QString caption = sourceText(fields.text(row, F::task), where);
            const QStringList sentences =
                sourceText(fields.text(row, F::sentences), where).split(QLatin1Char('\n'));
            const QStringList words =
                sourceText(fields.text(row, F::words), where).split(QLatin1Char('\n'));
            if (!holdsAsLine(caption) || caption.isEmpty()) {
                notHeld(where + QStringLiteral(": an empty caption or its blanks"));
            }
            if (sentences.size() != words.size()) {
                notHeld(where + QStringLiteral(": Sakiniai and Zodziai have different numbers "
                                               "of lines; rows without a pair left out"));
            }
            ++report_.rows;
            QStringList out;
            out << QStringLiteral("Antraštė: %1").arg(caption.simplified());
            out << QStringLiteral("Tipas: %1").arg(int(type));
            out << QStringLiteral("Langelis: %1").arg(std::clamp(int(boxWidth), 40, 300));
            QStringList seen;
            for (qsizetype i = 0; i < std::min(sentences.size(), words.size()); ++i) {
                const QString& sentence = sentences[i];
                QString word = words[i];
                // Sorting: the builder writes a category's later rows with "@" itself.
                if (type == 2 && seen.contains(word.mid(1)) && word.startsWith('@')) {
                    word.remove(0, 1);
                } else if (type == 2 && seen.contains(word)) {
                    notHeld(where + QStringLiteral(", row %1: a category's later row without "
                                                   "\"@\"")
                                        .arg(i + 1));
                }
                seen << word;
                const QString line = sentence + QStringLiteral(" | ") + word;
                if (!holdsAsLine(sentence) || !holdsAsLine(word) || word.isEmpty() ||
                    word.contains(QLatin1Char('@')) || word.contains(QLatin1Char('|')) ||
                    sentence.startsWith(QLatin1Char('#')) ||
                    QRegularExpression(QStringLiteral("^(Antraštė|Tipas|Langelis):"))
                        .match(line)
                        .hasMatch()) {
                    notHeld(where + QStringLiteral(", row %1: a sentence or word the source "
                                                   "line cannot hold as it is")
                                        .arg(i + 1));
                }
                out << line;
            }
            writeSource(QStringLiteral("movable/%1.txt").arg(int(id), 2, 10, QLatin1Char('0')),
                        out.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        }
    }

    void importMarkedWords() {
        const TableSchema& schema = content::markedWordsSchema();
        const TableData table = readTable(schema);
        const Fields fields(table);
        using F = content::MarkedWordsFields;
        // The window reads the first three fields by position.
        const auto byPosition = [](const std::vector<Value>& row, size_t at) {
            const QByteArray* text = at < row.size() ? std::get_if<QByteArray>(&row[at]) : nullptr;
            return text ? *text : QByteArray();
        };
        for (const auto& row : table.rows) {
            const double* key = row.empty() ? nullptr : std::get_if<double>(&row.front());
            const double id = key ? *key : -1;
            const QString where = QStringLiteral("%1, record %2").arg(schema.file).arg(id);
            if (id < 0 || id > 999 || id != double(int(id))) {
                notHeld(where + QStringLiteral(": a number the sources cannot hold; left out"));
                continue;
            }
            const QString caption = sourceText(byPosition(row, 1), where);
            const QString task = sourceText(byPosition(row, 2), where);
            const QByteArray marks = fields.text(row, F::marks);
            const double height = fields.number(row, F::windowHeight);
            const double width = fields.number(row, F::windowWidth);
            if (!holdsAsLine(caption) || caption.isEmpty() || !holdsAsLine(task) ||
                task.isEmpty()) {
                notHeld(where + QStringLiteral(": an empty caption or task, or their blanks"));
            }
            if (marks != "Pabraukiami" && marks != "Isbraukiami") {
                notHeld(where + QStringLiteral(": PabrIsbr \"%1\" written as \"Isbraukiami\"")
                                    .arg(fromCp1257(marks)));
            }
            for (const double extent : {height, width}) {
                if (extent < 200 || extent > 1200 || extent != double(int(extent))) {
                    notHeld(where + QStringLiteral(": a window size outside 200 to 1200 pixels"));
                }
            }
            const QString text = sourceText(fields.text(row, F::text), where);
            if (text.endsWith(QLatin1Char('\n'))) {
                notHeld(where + QStringLiteral(": line breaks at the end"));
            }
            ++report_.rows;
            QStringList out;
            out << QStringLiteral("Antraštė: %1").arg(caption.simplified());
            out << QStringLiteral("Užduotis: %1").arg(task.simplified());
            out << QStringLiteral("Žymėjimas: %1")
                       .arg(marks == "Pabraukiami" ? QStringLiteral("pabraukti")
                                                   : QStringLiteral("išbraukti"));
            out << QStringLiteral("Aukštis: %1").arg(std::clamp(int(height), 200, 1200));
            out << QStringLiteral("Plotis: %1").arg(std::clamp(int(width), 200, 1200));
            out << QString() << text;
            writeSource(QStringLiteral("marked/%1.txt").arg(int(id), 3, 10, QLatin1Char('0')),
                        out.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        }
    }

    void importHelp() {
        bool ok = false;
        const QByteArray bytes = readBytes(programPath(QStringLiteral("Pagalba/pagalba.hlp")), &ok);
        if (!ok) {
            notHeld(QStringLiteral("Pagalba/pagalba.hlp: missing"));
            return;
        }
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(bytes);
        if (decoder.hasError() || text.toUtf8() != bytes || bytes.contains('\r')) {
            // Kept byte for byte among the verbatim files instead.
            copyFile(QStringLiteral("Pagalba/pagalba.hlp"));
            return;
        }
        writeSource(QStringLiteral("help/pagalba.html"), text);
    }

    // The course keeps its UUID, and so its users' settings of an installed copy.
    void importCourseId() {
        bool ok = false;
        const QByteArray bytes = readBytes(programPath(QLatin1String(kCourseIdFile)), &ok);
        if (!ok) {
            return;
        }
        const QUuid id = QUuid::fromString(QString::fromLatin1(bytes.trimmed()));
        if (id.isNull()) {
            notHeld(QStringLiteral("%1: not a UUID; not kept").arg(QLatin1String(kCourseIdFile)));
            return;
        }
        writeSource(QStringLiteral("kursas.txt"), id.toString(QUuid::WithoutBraces) + '\n');
    }

    // The course's own spelling words come back as they went in (UTF-8, one a line).
    void importCourseWords() {
        bool ok = false;
        const QByteArray bytes = readBytes(programPath(kCourseWordsFile), &ok);
        if (ok) {
            writeSource(QStringLiteral("zodynas.txt"), QString::fromUtf8(bytes));
        }
    }

    void copyFile(const QString& relative) {
        const QByteArray bytes = readBytes(program_.filePath(relative));
        const QString path = course_.filePath(QStringLiteral("files/") + relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            throw Error(QStringLiteral("Cannot write file %1").arg(path));
        }
        ++report_.files;
    }

    // Pictures and sounds go to files/ as they are; the program file, tables, outline,
    // settings and scratch file do not.
    void copyFiles() {
        QDirIterator it(program_.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString relative = program_.relativeFilePath(it.next());
            const QString suffix = QFileInfo(relative).suffix().toLower();
            if (relative.compare(QLatin1String(kCourseIdFile), Qt::CaseInsensitive) == 0 ||
                relative.compare(kCourseWordsFile, Qt::CaseInsensitive) == 0) {
                continue;  // importCourseId, importCourseWords
            }
            if (suffix == QLatin1String("bmp") || suffix == QLatin1String("wav")) {
                copyFile(relative);
            } else if (suffix != QLatin1String("cds") && suffix != QLatin1String("mnu") &&
                       suffix != QLatin1String("hlp") && suffix != QLatin1String("ini") &&
                       suffix != QLatin1String("tmp") && !QFileInfo(it.filePath()).isExecutable()) {
                notHeld(relative + QStringLiteral(": not a picture or sound; not copied"));
            }
        }
    }

    // Builds the new sources and names each table whose current rows differ from the
    // program's, or whose stored form does (a change log, other properties).
    void compareWithRebuild() {
        QTemporaryDir scratch;
        if (!scratch.isValid()) {
            return;
        }
        const CourseContext context{course_, QDir(scratch.path())};
        try {
            buildCourse(context);
        } catch (const Error& error) {
            notHeld(QStringLiteral("the imported sources do not build: %1").arg(error.text()));
            return;
        }
        for (const TableSchema* schema :
             {&content::menuSchema(), &content::theorySchema(), &content::testWindowSchema(),
              &content::questionSchema(), &content::answerSchema(), &content::movableWordsSchema(),
              &content::markedWordsSchema()}) {
            const QByteArray original = readBytes(programPath(schema->file));
            const QByteArray rebuilt = readBytes(context.outputDir.filePath(schema->file));
            if (original == rebuilt) {
                continue;
            }
            try {
                const TableData before = content::parseDataPacket(original, schema->file);
                const TableData after = content::parseDataPacket(rebuilt, schema->file);
                if (before.rows != after.rows) {
                    notHeld(QStringLiteral("%1: the rebuilt rows differ (the builder lays out "
                                           "and numbers them itself)")
                                .arg(schema->file));
                } else {
                    notHeld(QStringLiteral("%1: same rows; the stored form (a change log, field "
                                           "or table properties) is not kept")
                                .arg(schema->file));
                }
            } catch (const Error&) {
            }
        }
    }

    QDir program_;
    QDir course_;
    ImportReport report_;
};

}  // namespace

ImportReport importProgramDir(const QString& programDir, const QString& courseDir) {
    if (!QDir(programDir).exists()) {
        throw Error(QStringLiteral("No program directory %1").arg(programDir));
    }
    if (!QDir().mkpath(courseDir)) {
        throw Error(QStringLiteral("Cannot create directory %1").arg(courseDir));
    }
    return Importer(programDir, courseDir).run();
}

}  // namespace lentora::course
