// SPDX-License-Identifier: GPL-3.0-or-later
#include "CourseCheck.h"

#include "CourseMenuBar.h"
#include "CoursePatterns.h"
#include "CourseSpelling.h"

#include "content/CommandLine.h"
#include "content/DataPacket.h"
#include "content/MemoLines.h"
#include "content/MenuOutline.h"
#include "content/Schema.h"
#include "exercises/marked_words/MarkedWordsLogic.h"
#include "exercises/movable_words/MovableWordsLogic.h"
#include "exercises/simple_test/SimpleTestDescription.h"
#include "platform/CodePage1257.h"
#include "platform/Error.h"
#include "platform/FileListing.h"
#include "platform/FontTextMetrics.h"
#include "platform/Fonts.h"
#include "platform/FrameMetrics.h"
#include "platform/ProgramPaths.h"
#include "theory/PageLayout.h"
#include "theory/TheoryBookDescription.h"
#include "theory/TheoryText.h"

#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QSet>
#include <QStringDecoder>
#include <QtEndian>

#include <map>
#include <numeric>
#include <optional>

namespace lentora::course {

namespace {

using content::CommandKind;
using content::FieldType;
using content::TableData;
using content::TableSchema;
using content::Value;

constexpr int kLargestPoints = 48;

QString placeLine(int line) {
    return QStringLiteral("line %1").arg(line);
}
QString placeRecord(double id) {
    return QStringLiteral("record %1").arg(qint64(id));
}

QByteArray readFile(const QString& path, bool* ok) {
    QFile file(path);
    *ok = file.open(QIODevice::ReadOnly);
    return *ok ? file.readAll() : QByteArray();
}

// Bytes that read as UTF-8 with at least one multi-byte letter: text saved in the wrong code.
bool looksLikeUtf8(QByteArrayView bytes) {
    bool multiByte = false;
    for (const char c : bytes) {
        if (uchar(c) >= 0x80) {
            multiByte = true;
            break;
        }
    }
    if (!multiByte) {
        return false;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

// The 1-based line numbers (at any break) of lone CR and lone LF line ends.
std::vector<int> loneLineEnds(QByteArrayView bytes) {
    std::vector<int> lines;
    int line = 1;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            } else {
                lines.push_back(line);
            }
            ++line;
        } else if (bytes[i] == '\n') {
            lines.push_back(line);
            ++line;
        }
    }
    return lines;
}

// The face the program really gets for a content face name.
QString actualFace(const QFont& font) {
    return QFontInfo(font).family();
}

class Checker {
public:
    explicit Checker(const QString& programDir) : dir_(programDir) {
        if (!dir_.endsWith(QLatin1Char('/'))) {
            dir_ += QLatin1Char('/');
        }
    }

    CheckReport run() {
        for (const TableSchema* schema :
             {&content::menuSchema(), &content::movableWordsSchema(), &content::theorySchema(),
              &content::testWindowSchema(), &content::questionSchema(), &content::answerSchema(),
              &content::markedWordsSchema()}) {
            loadTable(*schema);
        }
        checkOutline();
        checkMenuTable();
        checkTheory();
        checkTests();
        checkMovableWords();
        checkMarkedWords();
        checkPicturesAndSounds();
        checkSpelling(dir_, report_);
        checkMenuBarWidth(dir_, report_);
        checkPatterns(dir_, report_);
        return std::move(report_);
    }

private:
    struct Table {
        bool usable = false;
        TableData data;
        std::map<QByteArray, int> fields;  // name -> 0-based position

        int at(QByteArrayView name) const {
            const auto found = fields.find(name.toByteArray());
            return found == fields.end() ? -1 : found->second;
        }
        double number(const std::vector<Value>& row, int position) const {
            const auto* value =
                position >= 0 ? std::get_if<double>(&row[size_t(position)]) : nullptr;
            return value ? *value : 0;
        }
        double number(const std::vector<Value>& row, QByteArrayView name) const {
            return number(row, at(name));
        }
        QByteArray text(const std::vector<Value>& row, QByteArrayView name) const {
            const int position = at(name);
            const auto* value =
                position >= 0 ? std::get_if<QByteArray>(&row[size_t(position)]) : nullptr;
            return value ? *value : QByteArray();
        }
        bool flag(const std::vector<Value>& row, QByteArrayView name) const {
            const int position = at(name);
            const auto* value = position >= 0 ? std::get_if<bool>(&row[size_t(position)]) : nullptr;
            return value && *value;
        }
        bool hasKey(double key) const {
            for (const auto& row : data.rows) {
                if (number(row, data.keyFields.empty() ? 0 : data.keyFields.front()) == key) {
                    return true;
                }
            }
            return false;
        }
    };

    void add(Severity severity, const QString& file, const QString& place, const QString& text) {
        report_.findings.push_back({severity, file, place, text});
    }
    void error(const QString& file, const QString& place, const QString& text) {
        add(Severity::Error, file, place, text);
    }
    void warning(const QString& file, const QString& place, const QString& text) {
        add(Severity::Warning, file, place, text);
    }

    // The file as the program finds it (letter case not significant) and its name as shown.
    QString pathOf(const QString& relative) const { return resolvePath(dir_ + relative); }

    void loadTable(const TableSchema& schema) {
        Table& table = tables_[schema.file];
        bool ok = false;
        const QByteArray bytes = readFile(pathOf(schema.file), &ok);
        if (!ok) {
            error(schema.file, {}, QStringLiteral("missing or cannot be opened"));
            return;
        }
        try {
            table.data = content::parseDataPacket(bytes, schema.file);
        } catch (const Error& failure) {
            error(schema.file, {}, QStringLiteral("cannot be read: %1").arg(failure.text()));
            return;
        }
        for (int i = 0; i < int(table.data.fields.size()); ++i) {
            table.fields.emplace(table.data.fields[size_t(i)].name, i);
        }
        table.usable = true;
        const bool byPosition = &schema == &content::markedWordsSchema();
        for (int i = 0; i < int(schema.fields.size()); ++i) {
            const content::FieldDef& expected = schema.fields[size_t(i)];
            // The marked-words table's first three fields are read by position.
            const int position = byPosition && i < 3 ? (i < int(table.data.fields.size()) ? i : -1)
                                                     : table.at(expected.name);
            if (position < 0) {
                error(schema.file, {},
                      QStringLiteral("has no field \"%1\", which its window reads")
                          .arg(fromCp1257(expected.name)));
                table.usable = false;
            } else if (table.data.fields[size_t(position)].type != expected.type) {
                error(schema.file, {},
                      QStringLiteral("field \"%1\" has another type than its window reads")
                          .arg(fromCp1257(table.data.fields[size_t(position)].name)));
                table.usable = false;
            }
        }
        if (table.usable && !schema.keyFields.empty()) {
            const int expectedKey =
                byPosition ? 0 : table.at(schema.fields[size_t(schema.keyFields.front())].name);
            if (table.data.keyFields.empty() || table.data.keyFields.front() != expectedKey) {
                error(schema.file, {},
                      QStringLiteral("the table's key is not the field its window finds rows by"));
            }
        }
    }

    const Table* usableTable(const TableSchema& schema) const {
        const auto found = tables_.find(schema.file);
        return found != tables_.end() && found->second.usable ? &found->second : nullptr;
    }

    void checkEncoding(const QString& file, const QString& place, QByteArrayView text) {
        if (looksLikeUtf8(text)) {
            error(file, place, QStringLiteral("the text is UTF-8, not code page 1257"));
        }
    }

    void checkCrLf(const QString& file, const QString& place, QByteArrayView text) {
        const std::vector<int> lines = loneLineEnds(text);
        if (!lines.empty()) {
            error(file, place,
                  QStringLiteral("line %1 ends in a lone CR or LF instead of CR LF")
                      .arg(lines.front()));
        }
    }

    void checkOutline() {
        const QString file = QStringLiteral("MENIU.MNU");
        bool ok = false;
        QByteArray bytes = readFile(pathOf(QStringLiteral("meniu.mnu")), &ok);
        if (!ok) {
            error(file, {}, QStringLiteral("missing or cannot be opened"));
            return;
        }
        const qsizetype end = bytes.indexOf(char(26));
        if (end >= 0) {
            bytes.truncate(end);
        }
        for (const int line : loneLineEnds(bytes)) {
            error(file, placeLine(line),
                  QStringLiteral("ends in a lone CR or LF instead of CR LF"));
        }
        checkEncoding(file, {}, bytes);
        const Table* menu = usableTable(content::menuSchema());
        const QByteArrayList lines = content::splitLinesAtAnyBreak(bytes);
        int previousDepth = -1;
        for (int index = 0; index < lines.size(); ++index) {
            const QByteArray& raw = lines[index];
            const QString place = placeLine(index + 1);
            int depth = 0;
            while (depth < raw.size() && raw[depth] == '\t') {
                ++depth;
            }
            if (depth == raw.size()) {
                error(file, place, QStringLiteral("empty line or TABs alone: no menu item"));
                continue;
            }
            if (depth > previousDepth + 1) {
                error(file, place,
                      QStringLiteral("more than one level deeper than the item before; the "
                                     "item lands elsewhere"));
            }
            previousDepth = depth;
            const QByteArray line = raw.mid(depth);
            if (!line.endsWith(']')) {
                continue;
            }
            const std::int32_t link = content::linkNumberOf(line);
            if (link == 0) {
                if (line.size() < 7 || line[line.size() - 7] != '[') {
                    error(file, place, QStringLiteral("the link is not five digits in brackets"));
                }
                continue;
            }
            linked_.insert(link);
            if (menu && !menu->hasKey(link)) {
                error(file, place,
                      QStringLiteral("links %1, which is no Id of Data/Meniu.cds; the item is "
                                     "greyed")
                          .arg(link));
            }
        }
    }

    std::optional<CommandKind> kindLike(QByteArrayView name) const {
        const QByteArray wanted = name.toByteArray().trimmed().toLower();
        for (const CommandKind kind : content::commandKinds()) {
            if (content::kindName(kind).toLower() == wanted) {
                return kind;
            }
        }
        return std::nullopt;
    }

    void checkMenuTable() {
        const TableSchema& schema = content::menuSchema();
        const Table* menu = usableTable(schema);
        if (!menu) {
            return;
        }
        QSet<qint64> ids;
        for (const auto& row : menu->data.rows) {
            const double id = menu->number(row, content::MenuFields::id);
            const QString place = placeRecord(id);
            if (ids.contains(qint64(id))) {
                error(schema.file, place,
                      QStringLiteral("the Id is given twice; only one row is found"));
            }
            ids.insert(qint64(id));
            if (!linked_.contains(qint64(id))) {
                warning(schema.file, place,
                        QStringLiteral("no line of MENIU.MNU links to this row"));
            }
            checkEncoding(schema.file, place, menu->text(row, content::MenuFields::hint));
            const QByteArray commands = menu->text(row, content::MenuFields::commands);
            checkEncoding(schema.file, place, commands);
            checkCrLf(schema.file, place, commands);
            const QByteArrayList lines = content::splitMemoLines(commands);
            for (int index = 0; index < lines.size(); ++index) {
                checkCommandLine(schema.file,
                                 QStringLiteral("%1, command line %2").arg(place).arg(index + 1),
                                 lines[index]);
            }
        }
    }

    void checkCommandLine(const QString& file, const QString& place, const QByteArray& line) {
        const content::CommandLine command = content::parseCommandLine(line);
        if (line.mid(content::kRecordColumns, content::kKindColumn - 1 - content::kRecordColumns)
                .trimmed()
                .size() > 0) {
            warning(file, place, QStringLiteral("columns 6 to 15 are not blank; they are ignored"));
        }
        if (command.kind == CommandKind::None) {
            const auto like = kindLike(command.kindName);
            error(file, place,
                  like ? QStringLiteral("the kind \"%1\" differs from \"%2\" in letter case or "
                                        "blanks; the line opens nothing")
                             .arg(fromCp1257(command.kindName), content::kindNameText(*like))
                       : QStringLiteral("\"%1\" names no window kind; the line opens nothing")
                             .arg(fromCp1257(command.kindName)));
            return;
        }
        const std::int32_t record = content::recordNumberFor(command.kind, command.recordNumber);
        const TableSchema* schema = nullptr;
        switch (command.kind) {
            case CommandKind::Theory:
                schema = &content::theorySchema();
                break;
            case CommandKind::SimpleTest:
                schema = &content::testWindowSchema();
                break;
            case CommandKind::MovableWords:
                schema = &content::movableWordsSchema();
                break;
            case CommandKind::MarkedWords:
                schema = &content::markedWordsSchema();
                break;
            case CommandKind::None:
                return;
        }
        const Table* table = usableTable(*schema);
        if (!table) {
            return;
        }
        if (!table->hasKey(record)) {
            error(file, place,
                  QStringLiteral("record %1 is missing from %2").arg(record).arg(schema->file));
            return;
        }
        if (command.kind == CommandKind::MovableWords) {
            for (const auto& row : table->data.rows) {
                if (table->number(row, content::MovableWordsFields::id) == record) {
                    const double type = table->number(row, content::MovableWordsFields::type);
                    if (type != 1 && type != 2) {
                        error(file, place,
                              QStringLiteral("movable-words record %1 has Tipas %2, neither 1 "
                                             "nor 2; it opens nothing")
                                  .arg(record)
                                  .arg(type));
                    }
                    break;
                }
            }
        }
    }

    using Words = std::vector<std::pair<QByteArray, TextStyle>>;

    // Words of a page wider than `width` at the default size (error) and at 48 pt (warning).
    void checkWordWidths(const QString& file, const QString& place, const Words& words, int width,
                         const QString& face, int defaultPoints) {
        for (const int points : {defaultPoints, kLargestPoints}) {
            FontTextMetrics metrics(makeFont(face, points));
            for (const auto& [word, style] : words) {
                if (metrics.width(word, style) > width) {
                    add(points == defaultPoints ? Severity::Error : Severity::Warning, file, place,
                        QStringLiteral("\"%1\" is wider than its %2 px at %3 pt and is drawn cut")
                            .arg(fromCp1257(word).trimmed())
                            .arg(width)
                            .arg(points));
                    break;  // one report per size is enough
                }
            }
        }
    }

    void noteFace(const QString& window, const QString& face, int points) {
        report_.notes << QStringLiteral("%1: \"%2\" is drawn with \"%3\" (%4 pt and %5 pt)")
                             .arg(window, face, actualFace(makeFont(face, points)))
                             .arg(points)
                             .arg(kLargestPoints);
    }

    void checkTheory() {
        const TableSchema& schema = content::theorySchema();
        const Table* table = usableTable(schema);
        if (!table) {
            return;
        }
        const WindowDescription& window = theory::kTheoryBook.window;
        const QString face = QString::fromLatin1(window.designFace);
        noteFace(QStringLiteral("theory book"), face, window.defaultFontPoints);
        for (const auto& row : table->data.rows) {
            const QString place = placeRecord(table->number(row, content::TheoryFields::id));
            const QByteArray text = table->text(row, content::TheoryFields::text);
            checkEncoding(schema.file, place, text);
            checkCrLf(schema.file, place, text);
            if (text.size() > theory::kShownTextBytes) {
                warning(schema.file, place,
                        QStringLiteral("%1 bytes; the book shows only the first %2")
                            .arg(text.size())
                            .arg(theory::kShownTextBytes));
            }
            if (text.count('@') != text.count('#') ||
                text.lastIndexOf('@') > text.lastIndexOf('#')) {
                warning(schema.file, place, QStringLiteral("\"@\" and \"#\" do not pair up"));
            }
            Words words;
            for (const QByteArray& token : theory::bookTokens(text)) {
                if (!theory::isParagraphEnd(token)) {
                    const theory::TokenStyle style = theory::decodeToken(token);
                    words.emplace_back(style.text, theory::pageTextStyle(style.bold, style.title));
                }
            }
            checkWordWidths(schema.file, place, words, theory::kTheoryBook.narrowerPageWidth(),
                            face, window.defaultFontPoints);
        }
    }

    void checkTests() {
        const Table* tests = usableTable(content::testWindowSchema());
        const Table* questions = usableTable(content::questionSchema());
        const Table* answers = usableTable(content::answerSchema());
        if (!tests || !questions || !answers) {
            return;
        }
        using simple_test::kSimpleTest;
        const QString face = QString::fromLatin1(kSimpleTest.window.designFace);
        noteFace(QStringLiteral("simple test"), face, kSimpleTest.window.defaultFontPoints);
        FontTextMetrics metrics(makeFont(face, kSimpleTest.window.defaultFontPoints));
        using F = content::QuestionFields;
        using A = content::AnswerFields;
        const QString file = content::questionSchema().file;
        for (const auto& test : tests->data.rows) {
            const double id = tests->number(test, content::TestWindowFields::testId);
            const QSize outer(clampedInt(tests->number(test, content::TestWindowFields::width), 0,
                                         kMaxContentExtent),
                              clampedInt(tests->number(test, content::TestWindowFields::height), 0,
                                         kMaxContentExtent));
            const QRect client(QPoint(0, 0), clientSizeForOuter(outer));
            const QRect arrow(kSimpleTest.arrowPlace(outer), kSimpleTest.arrowSize);
            const QString testPlace = QStringLiteral("test %1").arg(qint64(id));
            checkEncoding(content::testWindowSchema().file, testPlace,
                          tests->text(test, content::TestWindowFields::caption));
            int questionCount = 0;
            for (const auto& question : questions->data.rows) {
                if (questions->number(question, F::testId) != id) {
                    continue;
                }
                ++questionCount;
                const double questionId = questions->number(question, F::questionId);
                const QString place =
                    QStringLiteral("%1, question %2").arg(testPlace).arg(questionId);
                const QRect box(int(questions->number(question, F::x)),
                                int(questions->number(question, F::y)),
                                int(questions->number(question, F::width)),
                                int(questions->number(question, F::height)));
                const QByteArray questionText = questions->text(question, F::question);
                checkEncoding(file, place, questionText);
                if (!client.contains(box)) {
                    error(file, place, QStringLiteral("the box does not fit the window"));
                } else if (box.intersects(arrow)) {
                    error(file, place, QStringLiteral("the box covers the arrow button"));
                }
                if (kSimpleTest.questionPlace.x() + metrics.width(questionText) > box.width()) {
                    error(file, place, QStringLiteral("the question is wider than its box"));
                }
                int answerCount = 0;
                int rightCount = 0;
                for (const auto& answer : answers->data.rows) {
                    if (answers->number(answer, A::testId) != id ||
                        answers->number(answer, A::questionId) != questionId) {
                        continue;
                    }
                    ++answerCount;
                    rightCount += answers->flag(answer, A::correct) ? 1 : 0;
                    const QByteArray text = answers->text(answer, A::answer);
                    const QString answerPlace = QStringLiteral("%1, answer %2")
                                                    .arg(place)
                                                    .arg(answers->number(answer, A::answerId));
                    checkEncoding(content::answerSchema().file, answerPlace, text);
                    const QRect control = kSimpleTest.answerControl(
                        box.width(), QPoint(int(answers->number(answer, A::x)),
                                            int(answers->number(answer, A::y))));
                    if (!QRect(QPoint(0, 0), box.size()).contains(control) ||
                        kSimpleTest.answerMark + metrics.width(text) > control.width()) {
                        error(content::answerSchema().file, answerPlace,
                              QStringLiteral("the answer does not fit its box and is drawn cut"));
                    }
                }
                if (answerCount == 0) {
                    error(file, place, QStringLiteral("the question has no answers"));
                } else if (rightCount == 0) {
                    error(file, place,
                          QStringLiteral("no answer is right; the question scores nothing"));
                }
            }
            if (questionCount == 0) {
                error(content::testWindowSchema().file, testPlace,
                      QStringLiteral("the test has no questions"));
            }
        }
    }

    void checkMovableWords() {
        const TableSchema& schema = content::movableWordsSchema();
        const Table* table = usableTable(schema);
        if (!table || table->data.rows.empty()) {
            return;
        }
        using F = content::MovableWordsFields;
        const auto& window = movable_words::kMovableWords.window;
        const QString face = QString::fromLatin1(window.designFace);
        noteFace(QStringLiteral("movable words"), face, window.defaultFontPoints);
        for (const auto& row : table->data.rows) {
            const QString place = placeRecord(table->number(row, F::id));
            const QByteArray sentences = table->text(row, F::sentences);
            const QByteArray words = table->text(row, F::words);
            checkEncoding(schema.file, place, table->text(row, F::task) + sentences + words);
            const QByteArrayList sentenceLines = content::splitLinesAtAnyBreak(sentences);
            const QByteArrayList wordLines = content::splitLinesAtAnyBreak(words);
            if (sentenceLines.size() != wordLines.size()) {
                error(schema.file, place,
                      QStringLiteral("Sakiniai and Zodziai have different numbers of lines"));
            }
            const double type = table->number(row, F::type);
            if (type != 1 && type != 2) {
                continue;  // reported where a command line opens it
            }
            const auto variant =
                type == 1 ? movable_words::Variant::Gaps : movable_words::Variant::Sorting;
            const QSize outer(clampedInt(table->number(row, F::width), 0, kMaxContentExtent),
                              clampedInt(table->number(row, F::height), 0, kMaxContentExtent));
            const int boxWidth =
                clampedInt(table->number(row, F::windowWidth), 0, kMaxContentExtent);
            const auto tokens = movable_words::tokenize(sentenceLines);
            for (const int points : {window.defaultFontPoints, kLargestPoints}) {
                checkMovableLayout(schema.file, place, tokens, wordLines, variant, outer, boxWidth,
                                   face, points);
            }
        }
    }

    // Lays the exercise out page by page as its window does and reports what is drawn cut or
    // never shown: an error at the default size, a warning at 48 pt.
    void checkMovableLayout(const QString& file, const QString& place,
                            const std::vector<movable_words::SentenceToken>& tokens,
                            const QByteArrayList& words, movable_words::Variant variant,
                            QSize outer, int boxWidth, const QString& face, int points) {
        const Severity severity = points == kLargestPoints ? Severity::Warning : Severity::Error;
        const auto report = [&](const QString& text) {
            add(severity, file, place, QStringLiteral("%1 at %2 pt").arg(text).arg(points));
        };
        FontTextMetrics metrics(makeFont(face, points));
        const movable_words::PageGeometry geometry =
            movable_words::pageGeometryFor(outer, boxWidth, metrics.lineHeight());
        if (movable_words::rowsPerPage(geometry) == 0) {
            report(QStringLiteral("the window is too small for one row and does not open"));
            return;
        }
        std::vector<int> order(size_t(words.size()));
        std::iota(order.begin(), order.end(), 0);
        const movable_words::Exercise exercise(variant, words, order);
        // Box text is clipped 1 px inside the frame.
        QByteArrayList boxWords = exercise.categories();
        for (const auto& slot : exercise.wordSlots()) {
            boxWords << slot.answer;
        }
        for (const QByteArray& word : boxWords) {
            if (movable_words::kMovableWords.boxTextLeft + metrics.width(word) > boxWidth - 1) {
                report(QStringLiteral("\"%1\" is wider than its %2 px box and is drawn cut")
                           .arg(fromCp1257(word))
                           .arg(boxWidth));
                break;
            }
        }
        movable_words::PageStart start;
        const int slotCount = int(exercise.wordSlots().size());
        for (int page = 0; page <= slotCount; ++page) {
            const movable_words::PageLayout layout =
                movable_words::layoutPage(tokens, exercise, start, geometry, metrics);
            // Each row owns the tokens up to its end of line; those not drawn are cut off.
            int token = start.token;
            for (const movable_words::LaidOutRow& row : layout.rows) {
                int drawn = 0;
                for (const auto& text : row.texts) {
                    drawn += text.text != " " ? 1 : 0;
                }
                for (; token < int(tokens.size()); ++token) {
                    const auto& current = tokens[size_t(token)];
                    if (!current.text.isEmpty() && drawn-- <= 0) {
                        report(QStringLiteral("row %1 is cut at its frame before \"%2\"")
                                   .arg(row.slot + 1)
                                   .arg(fromCp1257(current.text)));
                        return;
                    }
                    if (current.endOfLine) {
                        ++token;
                        break;
                    }
                }
            }
            if (!layout.poolColumn.empty() &&
                layout.poolColumn.back().bottom() >= geometry.height) {
                report(QStringLiteral("the %1 categories do not fit above the arrow button")
                           .arg(layout.poolColumn.size()));
                return;
            }
            if (!layout.hasNextPage) {
                break;
            }
            start = layout.next;
        }
    }

    void checkMarkedWords() {
        const TableSchema& schema = content::markedWordsSchema();
        const Table* table = usableTable(schema);
        if (!table || table->data.rows.empty()) {
            return;
        }
        using F = content::MarkedWordsFields;
        const auto& window = marked_words::kMarkedWords.window;
        const QString face = QString::fromLatin1(window.designFace);
        noteFace(QStringLiteral("marked words"), face, window.defaultFontPoints);
        for (const auto& row : table->data.rows) {
            const QString place = placeRecord(table->number(row, 0));
            const QByteArray text = table->text(row, F::text);
            checkEncoding(schema.file, place, text);
            checkCrLf(schema.file, place, text);
            if (text.size() > marked_words::kMaxTextBytes) {
                warning(schema.file, place,
                        QStringLiteral("%1 bytes; the window uses only the first %2")
                            .arg(text.size())
                            .arg(marked_words::kMaxTextBytes));
            }
            marked_words::Tokens tokens = marked_words::tokenize(text);
            int targets = 0;
            for (const marked_words::WordToken& token : tokens) {
                if (!token.Target) {
                    continue;
                }
                ++targets;
                if (token.Text == " ") {
                    error(schema.file, place,
                          QStringLiteral("an \"@\" at a line end flags no word; the exercise "
                                         "can never score full"));
                } else if (!marked_words::isMarkable(token)) {
                    error(schema.file, place,
                          QStringLiteral("the target \"%1\" holds \"x\", \"X\" or \"*\" "
                                         "and can never be marked")
                              .arg(fromCp1257(token.Text)));
                }
            }
            if (targets == 0) {
                error(schema.file, place,
                      QStringLiteral("no word is flagged with \"@\"; the exercise scores nothing"));
            }
            const QSize outer(
                clampedInt(table->number(row, F::windowWidth), 0, kMaxContentExtent),
                clampedInt(table->number(row, F::windowHeight), 0, kMaxContentExtent));
            for (const int points : {window.defaultFontPoints, kLargestPoints}) {
                checkMarkedLayout(schema.file, place, tokens, outer, face, points);
            }
        }
    }

    // Pages the text as the window does: words wider than the text area, a text area too low
    // for a line, a text longer than the window's pages.
    void checkMarkedLayout(const QString& file, const QString& place, marked_words::Tokens& tokens,
                           QSize outer, const QString& face, int points) {
        const Severity severity = points == kLargestPoints ? Severity::Warning : Severity::Error;
        const auto report = [&](const QString& text) {
            add(severity, file, place, QStringLiteral("%1 at %2 pt").arg(text).arg(points));
        };
        const QFont font = makeFont(face, points);
        FontTextMetrics metrics(font);
        const QRect area = marked_words::kMarkedWords.textArea(
            outer, marked_words::kMarkedWords.headingHeight(QFontMetrics(font).height()));
        const int areaWidth = area.width();
        const int areaHeight = area.height();
        for (const marked_words::WordToken& token : tokens) {
            if (!marked_words::isSeparator(token.Text.front()) &&
                metrics.width(token.Text) > areaWidth) {
                report(QStringLiteral("\"%1\" is wider than the %2 px text area and is drawn cut")
                           .arg(fromCp1257(token.Text))
                           .arg(areaWidth));
                break;
            }
        }
        if (areaHeight < metrics.lineHeight()) {
            // Each page then shows one line, cut at the bottom.
            report(QStringLiteral("the %1 px high text area holds no line").arg(areaHeight));
            return;
        }
        int start = 0;
        for (int page = 0; page <= marked_words::kLastPage; ++page) {
            const marked_words::PageLayout layout = marked_words::layoutPage(
                tokens, start, areaWidth, areaHeight, outer.height(), metrics, false);
            if (!layout.nextStart) {
                return;
            }
            start = *layout.nextStart;
        }
        report(QStringLiteral("the text runs past the window's %1 pages; the rest is never shown")
                   .arg(marked_words::kLastPage + 1));
    }

    // A picture the program loads.
    void needPicture(const QString& relative) {
        const QString path = pathOf(relative);
        if (!QFileInfo::exists(path)) {
            error(relative, {}, QStringLiteral("missing"));
        } else if (QImage(path).isNull()) {
            error(relative, {}, QStringLiteral("cannot be loaded as a picture"));
        }
    }

    static bool isPlayableWav(const QByteArray& bytes) {
        if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
            return false;
        }
        bool format = false;
        for (qsizetype at = 12; at + 8 <= bytes.size();) {
            const QByteArray id = bytes.mid(at, 4);
            const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
            if (id == "fmt " && size >= 16 && at + 8 + 16 <= bytes.size()) {
                const auto tag = qFromLittleEndian<quint16>(bytes.constData() + at + 8);
                format = tag == 1;  // PCM
            } else if (id == "data") {
                return format && size > 0;
            }
            at += 8 + qsizetype(size) + (size & 1);
        }
        return false;
    }

    // A directory the program picks files from by pattern: at least one, all loadable.
    void needFiles(const QString& directory, const QString& pattern, bool pictures) {
        const QString path = pathOf(directory);
        const QStringList names = QFileInfo(path).isDir()
                                      ? listMatchingFiles(path + QLatin1Char('/'), pattern)
                                      : QStringList();
        if (names.isEmpty()) {
            error(directory, {}, QStringLiteral("holds no %1 file").arg(pattern));
            return;
        }
        for (const QString& name : names) {
            const QString relative = directory + QLatin1Char('/') + name;
            if (pictures) {
                needPicture(relative);
                continue;
            }
            bool ok = false;
            if (!isPlayableWav(readFile(pathOf(relative), &ok))) {
                error(relative, {}, QStringLiteral("is not a playable PCM WAV sound"));
            }
        }
    }

    bool hasRows(const TableSchema& schema) const {
        const Table* table = usableTable(schema);
        return table && !table->data.rows.empty();
    }

    void checkPicturesAndSounds() {
        for (int number = 1; number <= 5; ++number) {
            needPicture(QStringLiteral("Testai/Fonas%1.bmp").arg(number));
        }
        needFiles(QStringLiteral("Testai/Apie"), QStringLiteral("*.BMP"), true);
        for (int grade = 3; grade <= 10; ++grade) {
            needFiles(QStringLiteral("Ivert/%1").arg(grade), QStringLiteral("*.bmp"), true);
            needFiles(QStringLiteral("Ivert/%1").arg(grade), QStringLiteral("*.WAV"), false);
        }
        if (!QFileInfo::exists(pathOf(QStringLiteral("Pagalba/pagalba.hlp")))) {
            error(QStringLiteral("Pagalba/pagalba.hlp"), {}, QStringLiteral("missing"));
        }
        if (hasRows(content::theorySchema())) {
            needPicture(QStringLiteral("Testai/Teorija/Piesin/knyga.bmp"));
            needFiles(QStringLiteral("Testai/Teorija/Garsai"), QStringLiteral("*.WAV"), false);
        }
        if (hasRows(content::testWindowSchema())) {
            needPicture(QStringLiteral("Testai/Papr/FONAS.BMP"));
        }
        if (hasRows(content::movableWordsSchema())) {
            needFiles(QStringLiteral("Testai/Nesioj/PIESIN"), QStringLiteral("*.BMP"), true);
        }
        if (hasRows(content::markedWordsSchema())) {
            needFiles(QStringLiteral("Testai/Isbrauk/Garsai/BRAUK"), QStringLiteral("*.WAV"),
                      false);
            needFiles(QStringLiteral("Testai/Isbrauk/Garsai/TRINT"), QStringLiteral("*.WAV"),
                      false);
        }
    }

    QString dir_;
    CheckReport report_;
    std::map<QString, Table> tables_;
    QSet<qint64> linked_;
};

}  // namespace

int CheckReport::count(Severity severity) const {
    return int(std::count_if(findings.begin(), findings.end(),
                             [severity](const Finding& f) { return f.severity == severity; }));
}

CheckReport checkProgramDir(const QString& programDir) {
    return Checker(programDir).run();
}

QString describeFinding(const Finding& finding) {
    const QString where = finding.place.isEmpty()
                              ? finding.file
                              : finding.file + QStringLiteral(", ") + finding.place;
    return QStringLiteral("%1: %2: %3")
        .arg(finding.severity == Severity::Error ? QStringLiteral("error")
                                                 : QStringLiteral("warning"),
             where, finding.text);
}

std::vector<Finding> summariseLargestSizeWarnings(const std::vector<Finding>& findings) {
    const QString atLargest = QStringLiteral(" at %1 pt").arg(kLargestPoints);
    std::vector<Finding> kept;
    std::map<QString, int> largestByFile;
    for (const Finding& finding : findings) {
        if (finding.severity == Severity::Warning && finding.text.contains(atLargest)) {
            if (largestByFile[finding.file]++ == 0) {
                kept.push_back({Severity::Warning, finding.file, {}, {}});
            }
        } else {
            kept.push_back(finding);
        }
    }
    for (Finding& finding : kept) {
        if (finding.text.isEmpty()) {
            const int count = largestByFile[finding.file];
            finding.text = QStringLiteral("%1 %2 drawn cut only at %3 pt (--all lists %4)")
                               .arg(count)
                               .arg(count == 1 ? QStringLiteral("record has words or rows")
                                               : QStringLiteral("records have words or rows"))
                               .arg(kLargestPoints)
                               .arg(count == 1 ? QStringLiteral("it") : QStringLiteral("them"));
        }
    }
    return kept;
}

}  // namespace lentora::course
