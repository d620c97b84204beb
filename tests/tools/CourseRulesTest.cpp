// SPDX-License-Identifier: GPL-3.0-or-later
// The checker's spelling, pattern and menu bar rules, and the builder's option shuffling.
#include "CourseBuilder.h"
#include "CourseCheck.h"
#include "CourseImport.h"
#include "CourseMenuBar.h"
#include "CoursePatterns.h"

#include "content/DataPacket.h"
#include "content/Schema.h"
#include "platform/CodePage1257.h"
#include "platform/Fonts.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <QMenuBar>
#include <QStyle>
#include <QStyleFactory>

#include <gtest/gtest.h>

#include <memory>

namespace lentora::course {
namespace {

const QString kProgram = QStringLiteral(LENTORA_TEST_PROGRAM_DIR);
const QString kCourse = QStringLiteral(LENTORA_TEST_SOURCE_DIR "/course");

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        writeAll(to + QLatin1Char('/') + QDir(from).relativeFilePath(path), readAll(path));
    }
}

int warningsNaming(const CheckReport& report, const QString& text) {
    return int(std::count_if(report.findings.begin(), report.findings.end(), [&](const Finding& f) {
        return f.severity == Severity::Warning && f.text.contains(text);
    }));
}

// Test 11's first question offers the misspelling "žasis" as a wrong option.
// Words as the learner reads them: markup never shown, and a gap or a joint to judge is the
// exercise, not a word to spell.
TEST(CourseSpellingTest, WordsAreTakenAsTheLearnerReadsThem) {
    EXPECT_EQ(wordsOf(QStringLiteral("Berniukas bėgdam@as# k_sti kaž/kur, @namas# lau-kas -iai")),
              (QStringList{"Berniukas", "bėgdamas", "namas", "lau-kas"}));
}

TEST(CourseSpellingTest, FindsAnUnknownWordButNotAWrongOptionOrACourseWord) {
    QTemporaryDir temp;
    const QString dir = temp.filePath("program");
    copyTree(kProgram, dir);
    const QString misspelt = QStringLiteral("\"žasis\"");
    EXPECT_EQ(warningsNaming(checkProgramDir(dir), misspelt), 0);

    const QString answersFile = dir + QLatin1Char('/') + content::answerSchema().file;
    content::TableData answers =
        content::parseDataPacket(readAll(answersFile), content::answerSchema().file);
    int changed = 0;
    for (auto& row : answers.rows) {
        if (std::get<double>(row[0]) == 11 && row[3] == content::Value(toCp1257(u"žasis"))) {
            row[4] = true;  // now a right answer, read as right
            ++changed;
        }
    }
    ASSERT_EQ(changed, 1);
    writeAll(answersFile, content::writeDataPacket(answers));
    const CheckReport report = checkProgramDir(dir);
    ASSERT_EQ(warningsNaming(report, misspelt), 1);
    EXPECT_TRUE(std::any_of(report.findings.begin(), report.findings.end(), [&](const Finding& f) {
        return f.text.contains(misspelt) && f.file == content::answerSchema().file &&
               f.place.startsWith(QStringLiteral("test 11, question 1"));
    }));

    writeAll(dir + QStringLiteral("/Data/Zodynas.txt"), QByteArray("# ours\nžasis\n"));
    EXPECT_EQ(warningsNaming(checkProgramDir(dir), misspelt), 0);
}

TestQuestion radio(int id, int options, int key) {
    TestQuestion question{id, QStringLiteral("Kuris?"), true, {}};
    for (int i = 0; i < options; ++i) {
        question.answers.push_back({QStringLiteral("namas"), i == key});
    }
    return question;
}

TEST(CoursePatternsTest, WarnsOfEachPatternOnlyWhereItIs) {
    CourseTexts texts;
    // 12 tests, keys a permutation of places in each: chance gives 2 of them.
    for (int id = 1; id <= 12; ++id) {
        texts.tests.push_back({id, {}, {radio(1, 3, 2), radio(2, 3, 0), radio(3, 3, 1)}});
    }
    texts.tests.push_back({20, {}, {radio(1, 3, 0), radio(2, 3, 0), radio(3, 4, 0)}});
    const QStringList eightRows = {"a", "b", "c", "d", "e", "f", "g", "h"};
    texts.movable.push_back({5, 2, {}, eightRows, {"A", "B", "C", "@A", "@B", "@C", "@A", "@B"}});
    texts.movable.push_back({6, 2, {}, eightRows, {"A", "B", "B", "A", "B", "A", "A", "A"}});
    texts.movable.push_back(
        {7, 1, {}, {"Matau ______.", "Turiu ______.", "Nešu ______."}, {"knygą", "žąsį", "lygą"}});
    texts.marked.push_back({8, false, QStringLiteral("Mama @skaito.\r\nTėtis @rašo.")});
    texts.marked.push_back({9, false, QStringLiteral("Mama @skaito @knygą.\r\nTėtis rašo.")});
    texts.theory.push_back({3, QStringLiteral("@Pavyzdys#: Vaikas skaito knygą. Kitas sakinys.")});
    texts.tests[12].questions[0].text = QStringLiteral("Vaikas @skaito knygą");

    CheckReport report;
    checkPatterns(texts, report);
    const auto at = [&](const QString& place, const QString& text) {
        return std::count_if(report.findings.begin(), report.findings.end(), [&](const Finding& f) {
            return f.place == place && f.text.contains(text);
        });
    };
    EXPECT_EQ(at("test 1", "places 3, 1, 2"), 1);
    EXPECT_EQ(at("test 20", "one at each place"), 0);
    EXPECT_EQ(at({}, "12 tests have their radio keys in a permutation"), 1);
    EXPECT_EQ(warningsNaming(report, "of the course's"), 0);  // 13 of 39 at each place
    EXPECT_EQ(at("record 5", "repeat every 3 rows"), 1);
    EXPECT_EQ(at("record 6", "repeat"), 0);
    EXPECT_EQ(at("record 7, row 1", "\"lygą\""), 1);
    EXPECT_EQ(at("record 7, row 2", "same ending"), 0);
    EXPECT_EQ(at("record 8", "exactly one target"), 1);
    EXPECT_EQ(at("record 9", "exactly one target"), 0);
    EXPECT_EQ(at("test 20, question 1", "sentence of theory text 3"), 1);

    // Keys piled on the first place.
    texts.tests.resize(1);
    texts.tests[0].questions = {radio(1, 3, 0), radio(2, 3, 0), radio(3, 3, 0), radio(4, 3, 1)};
    CheckReport piled;
    checkPatterns(texts, piled);
    EXPECT_EQ(warningsNaming(piled, "3 of the course's 4 radio keys stand at place 1"), 1);
}

// Radio keys order of the shuffled test, as built.
QList<QByteArray> builtAnswers(const QString& programDir) {
    QList<QByteArray> texts;
    const content::TableData answers = content::parseDataPacket(
        readAll(programDir + QStringLiteral("/Data/PaprAtsa.cds")), QStringLiteral("answers"));
    for (const auto& row : answers.rows) {
        if (std::get<double>(row[0]) == 11) {
            texts << std::get<QByteArray>(row[3]);
        }
    }
    return texts;
}

TEST(CourseShuffleTest, ShuffledOptionsAreTheSameEveryBuildAndSurviveImport) {
    QTemporaryDir temp;
    const QString course = temp.filePath("course");
    copyTree(kCourse, course);
    const QString test = course + QStringLiteral("/tests/011.txt");
    writeAll(test, "Maišyti: taip\n" + readAll(test));
    const CourseContext first{QDir(course), QDir(temp.filePath("first"))};
    const CourseContext second{QDir(course), QDir(temp.filePath("second"))};
    buildCourse(first);
    buildCourse(second);
    const QString answers = QStringLiteral("/Data/PaprAtsa.cds");
    EXPECT_EQ(readAll(first.outputDir.path() + answers),
              readAll(second.outputDir.path() + answers));
    EXPECT_NE(builtAnswers(first.outputDir.path()), builtAnswers(kProgram));
    QList<QByteArray> sortedShuffled = builtAnswers(first.outputDir.path());
    QList<QByteArray> sortedPlain = builtAnswers(kProgram);
    std::sort(sortedShuffled.begin(), sortedShuffled.end());
    std::sort(sortedPlain.begin(), sortedPlain.end());
    EXPECT_EQ(sortedShuffled, sortedPlain);

    const QString imported = temp.filePath("imported");
    importProgramDir(first.outputDir.path(), imported);
    EXPECT_FALSE(readAll(imported + QStringLiteral("/tests/011.txt")).contains("Maišyti"));
    const CourseContext rebuilt{QDir(imported), QDir(temp.filePath("rebuilt"))};
    buildCourse(rebuilt);
    for (const QString& file :
         {answers, QStringLiteral("/Data/PaprTest.cds"), QStringLiteral("/Data/Zodynas.txt")}) {
        EXPECT_EQ(readAll(first.outputDir.path() + file), readAll(rebuilt.outputDir.path() + file))
            << qPrintable(file);
    }
}

TEST(CourseMenuBarTest, WidthMatchesAFusionMenuBar) {
    const std::vector<QString> captions = {
        QStringLiteral("&Fonetika ir rašyba"), QStringLiteral("&Morfologija"),
        QStringLiteral("&Sintaksė ir skyryba"), QStringLiteral("&Kartojimas"),
        QStringLiteral("&Programa")};
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    for (const QFont& font : {makeFont(QStringLiteral("MS Sans Serif"), 8), QFont()}) {
        QMenuBar bar;
        bar.setStyle(fusion.get());
        bar.setFont(font);
        for (const QString& caption : captions) {
            bar.addMenu(caption);
        }
        bar.resize(2000, 30);
        EXPECT_NEAR(menuBarWidth(captions, font), bar.sizeHint().width(), 3)
            << qPrintable(font.family());
    }
}

}  // namespace
}  // namespace lentora::course
