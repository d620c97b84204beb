// SPDX-License-Identifier: GPL-3.0-or-later
// The simple tests: course/tests/NNN.txt become Data/TestLang.cds, Data/PaprTest.cds and
// Data/PaprAtsa.cds, laid out here from the number and width of the texts; plus the test
// background Testai/Papr/FONAS.BMP. The arrow pictures come with the program.

#include "CourseBuilder.h"

#include "content/Rows.h"
#include "content/Schema.h"

#include "platform/Error.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <random>

namespace lentora::course {

namespace {

const QString kRadioKind = QStringLiteral("Pasirenkamasis mygtukas");
const QString kCheckKind = QStringLiteral("Žymimasis laukelis");

struct SourceAnswer {
    QString text;
    bool correct = false;
};

struct SourceQuestion {
    QString text;
    bool radio = true;
    int line = 0;
    std::vector<SourceAnswer> answers;
};

struct SourceTest {
    int id = 0;
    QString caption = QStringLiteral("Testas");
    bool shuffle = false;  // "Maišyti: taip": the builder places the options
    std::vector<SourceQuestion> questions;
};

// Window layout in client pixels; the window converts the outer size with a 3 px frame and a
// 19 px caption, and puts the 59 x 69 button 74 px left of the outer right edge and 99 px up
// from the outer bottom edge.
constexpr int kFrameX = 6;
constexpr int kFrameY = 25;
constexpr int kMargin = 10;
constexpr int kGap = 8;
constexpr int kAnswerX = 12;
constexpr int kFirstAnswerY = 25;
constexpr int kAnswerStep = 20;
constexpr int kPanelBottom = 6;
constexpr int kIndicator = 26;  // radio/check mark and its spacing before the caption
constexpr int kMinOuterWidth = 500;
constexpr int kMaxOuterWidth = 620;
constexpr int kMinOuterHeight = 300;
constexpr int kMaxOuterHeight = 560;
constexpr int kButtonColumn = 74;  // outer right edge to the button's left
constexpr int kButtonFromBottom = 99;

[[noreturn]] void fail(const QString& file, int line, const QString& what) {
    throw Error(QStringLiteral("tests/%1, line %2: %3").arg(file).arg(line).arg(what));
}

// Each question's options in an order drawn from the test number, so a build is the same every
// time. Fisher-Yates on mt19937's own numbers: the standard library's shuffle and
// distributions differ between implementations.
void shuffleAnswers(SourceTest& test) {
    std::mt19937 random(std::uint32_t(test.id) * 7919u + 17u);
    for (SourceQuestion& question : test.questions) {
        for (size_t i = question.answers.size() - 1; i > 0; --i) {
            std::swap(question.answers[i], question.answers[random() % (i + 1)]);
        }
    }
}

SourceTest parseTest(const QString& file, const QString& text) {
    SourceTest test;
    bool ok = false;
    test.id = QFileInfo(file).completeBaseName().toInt(&ok);
    if (!ok || test.id <= 0 || test.id > 65535) {
        fail(file, 0, QStringLiteral("the file name must be the test number, e.g. 011.txt"));
    }
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNumber = i + 1;
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        if (line.startsWith(QStringLiteral("Antraštė:"))) {
            test.caption = line.mid(9).trimmed();
        } else if (line.startsWith(QStringLiteral("Maišyti:"))) {
            const QString value = line.mid(8).trimmed();
            if (value != QStringLiteral("taip") && value != QStringLiteral("ne")) {
                fail(file, lineNumber, QStringLiteral("\"Maišyti:\" takes \"taip\" or \"ne\""));
            }
            test.shuffle = value == QStringLiteral("taip");
        } else if (line.startsWith(QStringLiteral("??"))) {
            test.questions.push_back({line.mid(2).trimmed(), false, lineNumber, {}});
        } else if (line.startsWith(QLatin1Char('?'))) {
            test.questions.push_back({line.mid(1).trimmed(), true, lineNumber, {}});
        } else if (line.startsWith(QLatin1Char('+')) || line.startsWith(QLatin1Char('-'))) {
            if (test.questions.empty()) {
                fail(file, lineNumber, QStringLiteral("an answer before the first question"));
            }
            test.questions.back().answers.push_back(
                {line.mid(1).trimmed(), line.startsWith(QLatin1Char('+'))});
        } else {
            fail(file, lineNumber,
                 QStringLiteral("expected \"Antraštė:\", \"Maišyti:\", \"?\", \"??\", \"+\" or "
                                "\"-\""));
        }
    }
    if (test.questions.empty()) {
        fail(file, 0, QStringLiteral("a test needs at least one question"));
    }
    for (const SourceQuestion& question : test.questions) {
        const auto right = std::count_if(question.answers.begin(), question.answers.end(),
                                         [](const SourceAnswer& a) { return a.correct; });
        if (question.answers.size() < 2) {
            fail(file, question.line, QStringLiteral("a question needs at least two answers"));
        }
        if (question.radio && right != 1) {
            fail(file, question.line,
                 QStringLiteral("a \"?\" question needs exactly one right answer (\"+\")"));
        }
        if (!question.radio && right < 1) {
            fail(file, question.line,
                 QStringLiteral("a \"??\" question needs at least one right answer (\"+\")"));
        }
    }
    if (test.shuffle) {
        shuffleAnswers(test);
    }
    return test;
}

QByteArray contentText(const QString& file, int line, const QString& text, int width) {
    const QByteArray bytes = toContentBytes(text, QStringLiteral("tests/%1").arg(file));
    if (bytes.size() > width) {
        fail(file, line, QStringLiteral("the text is longer than %1 characters").arg(width));
    }
    return bytes;
}

struct Rows {
    std::vector<std::vector<content::Value>> tests, questions, answers;
};

// Panels one under another, the button below them or, when that makes the window too high,
// in a column at the right.
void layOut(const QString& file, const SourceTest& test, Rows& rows) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(13);  // the test font, 10 pt at 96 dpi
    const QFontMetrics metrics(font);
    int needed = 0;  // inner width of the widest panel
    int panelsHeight = kMargin;
    for (const SourceQuestion& question : test.questions) {
        needed = std::max(needed, metrics.horizontalAdvance(question.text) + 12);
        for (const SourceAnswer& answer : question.answers) {
            needed = std::max(needed,
                              kAnswerX + kIndicator + metrics.horizontalAdvance(answer.text) + 4);
        }
        panelsHeight +=
            kFirstAnswerY + kAnswerStep * int(question.answers.size()) + kPanelBottom + kGap;
    }
    const int panelsBottom = panelsHeight - kGap;

    int outerWidth = std::clamp(needed + 2 * kMargin + kFrameX, kMinOuterWidth, kMaxOuterWidth);
    int panelWidth = outerWidth - kFrameX - 2 * kMargin;
    int outerHeight = std::max(panelsBottom + kGap + kButtonFromBottom, kMinOuterHeight);
    if (outerHeight > kMaxOuterHeight) {
        outerWidth = std::clamp(needed + 2 * kMargin + kButtonColumn + kFrameX, kMinOuterWidth,
                                kMaxOuterWidth);
        panelWidth = outerWidth - kButtonColumn - kMargin - kGap;
        outerHeight = std::max(panelsBottom + kMargin + kFrameY, kMinOuterHeight);
    }
    if (needed > panelWidth) {
        fail(file, 0, QStringLiteral("a text is too wide for the window; shorten it"));
    }
    if (outerHeight > kMaxOuterHeight) {
        fail(file, 0, QStringLiteral("too many questions or answers for one window"));
    }

    rows.tests.push_back({double(test.id), double(outerWidth), double(outerHeight),
                          contentText(file, 0, test.caption, 255)});
    int top = kMargin;
    int questionId = 0;
    for (const SourceQuestion& question : test.questions) {
        ++questionId;
        const int height =
            kFirstAnswerY + kAnswerStep * int(question.answers.size()) + kPanelBottom;
        rows.questions.push_back({double(test.id), double(questionId), double(kMargin), double(top),
                                  double(panelWidth), double(height),
                                  contentText(file, question.line, question.text, 255),
                                  toContentBytes(question.radio ? kRadioKind : kCheckKind)});
        int answerId = 0;
        for (const SourceAnswer& answer : question.answers) {
            rows.answers.push_back({double(test.id), double(questionId), double(answerId + 1),
                                    contentText(file, question.line, answer.text, 255),
                                    answer.correct, double(kAnswerX),
                                    double(kFirstAnswerY + kAnswerStep * answerId)});
            ++answerId;
        }
        top += height + kGap;
    }
}

// Soft green paper with a faint woven grain.
QImage backgroundPicture() {
    QImage image(640, 600, QImage::Format_RGB32);
    std::mt19937 random(1257);
    std::uniform_int_distribution<int> grain(-4, 4);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int weave = ((x + y) % 12 == 0 || (x - y + 1200) % 12 == 0) ? -5 : 0;
            const int n = grain(random) + weave;
            line[x] = qRgb(std::clamp(226 + n, 0, 255), std::clamp(246 + n, 0, 255),
                           std::clamp(220 + n, 0, 255));
        }
    }
    return image;
}

}  // namespace

void buildSimpleTestContent(const CourseContext& context) {
    const QDir testsDir(context.sourceDir.filePath(QStringLiteral("tests")));
    const QStringList files =
        testsDir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    Rows rows;
    std::vector<int> seen;
    for (const QString& file : files) {
        const SourceTest test =
            parseTest(file, readSource(context, QStringLiteral("tests/") + file));
        if (std::find(seen.begin(), seen.end(), test.id) != seen.end()) {
            fail(file, 0, QStringLiteral("test %1 is written twice").arg(test.id));
        }
        seen.push_back(test.id);
        layOut(file, test, rows);
    }

    const auto write = [&](const content::TableSchema& schema,
                           std::vector<std::vector<content::Value>> tableRows) {
        content::TableData table = schema.emptyTable();
        table.rows = std::move(tableRows);
        writeTable(context, schema.file, table);
    };
    // The tables are read in key order; the files are listed by name ("1001.txt" before
    // "101.txt"), so the rows are put in key order here.
    sortByFirstField(rows.tests);
    sortByFirstField(rows.questions);
    sortByFirstField(rows.answers);
    write(content::testWindowSchema(), std::move(rows.tests));
    write(content::questionSchema(), std::move(rows.questions));
    write(content::answerSchema(), std::move(rows.answers));

    writeBmp(context, QStringLiteral("Testai/Papr/FONAS.BMP"), backgroundPicture());
}

}  // namespace lentora::course
