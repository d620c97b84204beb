// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the fuzzing seed corpus into the directory given: the data packets, or with --review
// the stored results of every exercise kind, made by the kinds' own result functions.

#include "content/CommandLine.h"
#include "content/DataPacket.h"
#include "content/Rows.h"
#include "content/Schema.h"
#include "exercises/marked_words/MarkedWordsResult.h"
#include "exercises/movable_words/MovableWordsSession.h"
#include "exercises/simple_test/SimpleTestResult.h"
#include "platform/CodePage1257.h"
#include "progress/AttemptJson.h"
#include "support/FixedTextMetrics.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>

using namespace lentora::content;

namespace {

void put(QByteArray& b, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        b.append(char((v >> (8 * i)) & 0xFF));
    }
}

void putDouble(QByteArray& b, double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    put(b, bits, 8);
}

// A table saved with pending edits: an edited row (old and new version) and an inserted one.
QByteArray changeLogPacket() {
    QByteArray b("\x96\x19\xE0\xBD", 4);
    put(b, 1, 4), put(b, 24, 4), put(b, 2, 2), put(b, 3, 4), put(b, 1, 4), put(b, 0, 2);
    b.append(char(2)).append("Id"), put(b, 8, 2), put(b, 4, 2), put(b, 0, 2), put(b, 0, 2);
    b.append(char(1)).append("T"), put(b, 2, 2), put(b, 0x49, 2), put(b, 0, 2), put(b, 0, 2);
    put(b, 3, 2);
    b.append(char(13)).append("DEFAULT_ORDER"), put(b, 2, 2), put(b, 0x82, 2), put(b, 1, 4),
        put(b, 1, 2);
    b.append(char(10)).append("CHANGE_LOG"), put(b, 4, 2), put(b, 0x81, 2), put(b, 6, 4);
    for (int v : {2, 1, 8, 3, 0, 4}) {
        put(b, std::uint64_t(v), 4);
    }
    b.append(char(4)).append("LCID"), put(b, 4, 2), put(b, 1, 2), put(b, 1033, 4);
    const struct {
        int status;
        double id;
        const char* text;
    } rows[] = {{1, 5, "old"}, {8, 5, "new"}, {4, 2, "inserted"}};
    for (const auto& row : rows) {
        b.append(char(row.status)).append(char(0));
        putDouble(b, row.id);
        put(b, std::strlen(row.text), 2);
        b.append(row.text);
    }
    return b;
}

QByteArray cp(const char* utf8) {
    return lentora::toCp1257(QString::fromUtf8(utf8));
}

// A two-question test, one of radio buttons, with a right and a wrong tick.
ExerciseResult simpleTestResult() {
    using namespace lentora::simple_test;
    TestWindowRow test{1, 487, 341, cp("Linksniai")};
    std::vector<QuestionRows> questions{
        {{1, 1, 10, 10, 300, 90, cp("Kuris žodis yra vardininkas?"), "Pasirenkamasis mygtukas"},
         {{1, 1, 1, cp("namas"), true, 10, 30}, {1, 1, 2, cp("namo"), false, 10, 50}}},
        {{1, 2, 10, 110, 300, 110, cp("Kurie žodžiai daugiskaitoje?"), "Žymimasis langelis"},
         {{1, 2, 1, cp("upės"), true, 10, 30},
          {1, 2, 2, cp("upė"), false, 10, 50},
          {1, 2, 3, cp("miškai"), true, 10, 70}}}};
    SimpleTestSession session;
    session.open(test, questions);
    session.pressAnswer(0, 0);
    session.pressAnswer(1, 1);
    session.pressAnswer(1, 2);
    return exerciseResult(session, 3);
}

// Three rows, one gap filled right and one wrong.
ExerciseResult movableWordsResult(lentora::movable_words::Variant variant) {
    using namespace lentora::movable_words;
    const bool sorting = variant == Variant::Sorting;
    const QByteArrayList sentences{cp("Mes einame į mišką, nes ten gražu."), cp("Vaikai žaidžia."),
                                   cp("Upė teka pro kaimą.")};
    const QByteArrayList words =
        sorting ? QByteArrayList{cp("daiktavardis"), cp("veiksmažodis"), cp("@daiktavardis")}
                : QByteArrayList{cp("mišką"), cp("žaidžia"), cp("kaimą")};
    MovableWordsSession session(variant, sentences, words, {1, 0, 2},
                                PageGeometry{600, 200, 150, 16}, QSize(632, 320),
                                std::make_unique<lentora::FixedTextMetrics>(8, 16));
    const auto drop = [&](BoxRef from, BoxRef to) {
        const auto centre = [&](BoxRef box) {
            return session.pageLayout().boxRect(box).value().center();
        };
        session.pressAt(centre(from), Qt::LeftButton);
        session.releaseAt(centre(from), Qt::LeftButton);
        session.pressAt(centre(to), Qt::LeftButton);
    };
    drop({BoxRef::Pool, 0}, {BoxRef::Gap, 1});
    drop({BoxRef::Pool, 1}, {BoxRef::Gap, 2});
    return session.result(4, QStringLiteral("FONAS.BMP"));
}

// A text with targets, one marked and one wrong mark.
ExerciseResult markedWordsResult() {
    using namespace lentora::marked_words;
    ShownExercise shown{QStringLiteral("Pabraukite veiksmažodžius"), QStringLiteral("Pabraukite"),
                        QSize(520, 360), false,
                        tokenize(cp("Vaikai @bėga į mokyklą.\r\nMama @skaito, tėtis @rašo "
                                    "laišką.\r\n\r\n\"Labas\" - tarė jis."))};
    for (WordToken& token : shown.tokens) {
        token.Marked = token.Text == cp("bėga") || token.Text == cp("laišką");
    }
    return exerciseResult(shown, 5);
}

void writeReviewSeeds(const std::function<void(const char*, const QByteArray&)>& save) {
    lentora::progress::Attempt attempt;
    attempt.summary.id = QUuid::fromString(QStringLiteral("0f8fad5b-d9cb-469f-a165-70867728950e"));
    attempt.summary.learnerId = 1;
    attempt.summary.courseId = QStringLiteral("lentora");
    attempt.summary.courseVersion = QStringLiteral("abc123");
    attempt.summary.menuPath = QStringLiteral("Daiktavardis > Linksniai");
    attempt.summary.menuRowId = 12;
    attempt.summary.started = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
    attempt.summary.ended = attempt.summary.started.addSecs(300);
    attempt.exercises = {
        simpleTestResult(), movableWordsResult(lentora::movable_words::Variant::Gaps),
        movableWordsResult(lentora::movable_words::Variant::Sorting), markedWordsResult()};
    const char* names[] = {"simple_test", "gap_filling", "sorting", "marked_words"};
    for (std::size_t i = 0; i < attempt.exercises.size(); ++i) {
        save(names[i], attempt.exercises[i].shown);
        attempt.summary.points += attempt.exercises[i].points;
    }
    ExerciseResult skipped;
    skipped.kind = ExerciseKind::MarkedWords;
    skipped.record = 6;
    skipped.skipped = true;
    skipped.failure = QStringLiteral("Nėra lentelės");
    attempt.exercises.push_back(skipped);
    attempt.summary.incomplete = true;
    save("journal_line", lentora::progress::attemptToJson(attempt));
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool review = argc == 3 && std::strcmp(argv[1], "--review") == 0;
    if (argc != 2 && !review) {
        std::fputs("usage: fuzz_make_seeds [--review] DIR\n", stderr);
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[argc - 1]));
    dir.mkpath(QStringLiteral("."));
    auto save = [&](const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", name);
            std::exit(1);
        }
    };
    if (review) {
        writeReviewSeeds(save);
        return 0;
    }

    TableData menu = menuSchema().emptyTable();
    menu.rows = {
        MenuRow{2, "\xD0ios", true, true, formatCommandLine(2, CommandKind::Theory) + "\r\n"}
            .values(),
        {1.0, std::monostate{}, false, std::monostate{}, std::monostate{}},
        MenuRow{1, "dup", true, false, "a\r\nb"}.values()};
    save("menu.cds", writeDataPacket(menu));

    TableData answers;
    // Two number keys, a text with a 2-byte length prefix, a flag.
    answers.fields = {numberField("A"), numberField("B"), textField("T", 300), flagField("F")};
    answers.keyFields = {0, 1};
    answers.rows = {{11.0, 2.0, QByteArray(280, 'a'), true}, {11.0, 1.0, QByteArray("b"), false}};
    save("answers.cds", writeDataPacket(answers));

    TableData textKey;
    textKey.fields = {textField("K", 30), memoField("V", 1)};
    textKey.keyFields = {0};
    textKey.rows = {{QByteArray("b"), QByteArray("x")}, {QByteArray("a"), std::monostate{}}};
    save("textkey.cds", writeDataPacket(textKey));

    save("empty.cds", writeDataPacket(TableData{}));
    save("changelog.cds", changeLogPacket());
    return 0;
}
