// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the course builder on the real course sources and checks what the program relies on.

#include "content/CommandLine.h"
#include "content/DataPacket.h"
#include "content/Grades.h"
#include "platform/CodePage1257.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

using lentora::content::CommandKind;
using lentora::content::CommandLine;
using lentora::content::FieldType;
using lentora::content::TableData;
using lentora::content::Value;

const QString kBuilder = QStringLiteral(LENTORA_TEST_TOOLS_DIR "/lentora-course");
const QString kCourse = QStringLiteral(LENTORA_TEST_SOURCE_DIR "/course");

struct BuildResult {
    int exitCode = -1;
    QString errors;
    QString output;
};

BuildResult runBuilder(const QString& course, const QString& output) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(kBuilder, {course, output});
    if (!process.waitForFinished(60000)) {
        process.kill();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError()),
            QString::fromUtf8(process.readAllStandardOutput())};
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TableData readTable(const QString& path) {
    return lentora::content::parseDataPacket(readAll(path), path);
}

int fieldIndex(const TableData& table, const char* name) {
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        if (table.fields[i].name == name) {
            return int(i);
        }
    }
    return -1;
}

QByteArray bytesOf(const Value& value) {
    const auto* bytes = std::get_if<QByteArray>(&value);
    return bytes ? *bytes : QByteArray();
}

// The record numbers of a table's first field.
std::set<int> recordNumbers(const QString& path) {
    std::set<int> numbers;
    for (const auto& row : readTable(path).rows) {
        if (const auto* number = std::get_if<double>(&row.at(0))) {
            numbers.insert(int(*number));
        }
    }
    return numbers;
}

class CourseBuilderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        output_ = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(output_->isValid());
        const BuildResult result = runBuilder(kCourse, output_->path());
        ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
        summary_ = result.output.trimmed();
    }
    static void TearDownTestSuite() { output_.reset(); }

    static QString out(const QString& relative) { return output_->filePath(relative); }

    static std::unique_ptr<QTemporaryDir> output_;
    static QString summary_;  // what the build printed
};

std::unique_ptr<QTemporaryDir> CourseBuilderTest::output_;
QString CourseBuilderTest::summary_;

TEST_F(CourseBuilderTest, ASuccessfulBuildEndsWithWhatItWrote) {
    const int topics = int(readTable(out("Data/Meniu.cds")).rows.size());
    EXPECT_TRUE(summary_.startsWith(QStringLiteral("%1 topics, ").arg(topics)))
        << summary_.toStdString();
    EXPECT_TRUE(summary_.endsWith(QStringLiteral(" written to ") +
                                  QDir::toNativeSeparators(output_->path())))
        << summary_.toStdString();
}

TEST_F(CourseBuilderTest, MenuFileIsCp1257WithCrLfLinesAndNestedMenus) {
    const QByteArray bytes = readAll(out(QStringLiteral("MENIU.MNU")));
    ASSERT_FALSE(bytes.isEmpty());
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
        }
    }
    const QString text = lentora::fromCp1257(bytes);
    EXPECT_FALSE(text.contains(QChar(0xFFFD)));
    EXPECT_TRUE(text.contains(QStringLiteral("&Rašyba")));  // 'š' is one cp1257 byte
    EXPECT_TRUE(bytes.contains("Ra\xF0yba"));

    int topLevel = 0;
    int deepest = 0;
    for (const QString& line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        int depth = 0;
        while (depth < line.size() && line[depth] == QLatin1Char('\t')) {
            ++depth;
        }
        topLevel += depth == 0;
        deepest = std::max(deepest, depth);
    }
    EXPECT_GE(topLevel, 3);
    EXPECT_GE(deepest, 2);
}

TEST_F(CourseBuilderTest, EveryMenuLinkRunsWellFormedCommandsOnExistingRecords) {
    const TableData menu = readTable(out(QStringLiteral("Data/Meniu.cds")));
    const int id = fieldIndex(menu, "Id");
    const int hint = fieldIndex(menu, "Hint");
    const int visible = fieldIndex(menu, "Matomas");
    const int enabled = fieldIndex(menu, "Pasiekiamas");
    const int commands = fieldIndex(menu, "Komandos");
    ASSERT_TRUE(id == 0 && hint >= 0 && visible >= 0 && enabled >= 0 && commands >= 0);
    EXPECT_EQ(menu.fields[commands].type, FieldType::Memo);

    const std::set<int> theory = recordNumbers(out(QStringLiteral("Data/Teorija.cds")));
    const std::set<int> tests = recordNumbers(out(QStringLiteral("Data/TestLang.cds")));
    const std::set<int> movable = recordNumbers(out(QStringLiteral("Data/Nesioj.cds")));

    std::map<int, const std::vector<Value>*> rows;
    for (const auto& row : menu.rows) {
        rows[int(std::get<double>(row[id]))] = &row;
    }
    static const QRegularExpression link(QStringLiteral("\\[(\\d{5})\\]\r$"));
    const QString outline = lentora::fromCp1257(readAll(out(QStringLiteral("MENIU.MNU"))));
    int links = 0;
    for (const QString& line : outline.split(QLatin1Char('\n'))) {
        const auto match = link.match(line);
        if (!match.hasMatch()) {
            continue;
        }
        ++links;
        const int number = match.captured(1).toInt();
        ASSERT_TRUE(rows.count(number)) << "no menu row for link " << number;
        const auto& row = *rows[number];
        EXPECT_FALSE(bytesOf(row[hint]).isEmpty());
        EXPECT_EQ(row[visible], Value(true));
        EXPECT_EQ(row[enabled], Value(true));

        const QByteArray memo = bytesOf(row[commands]);
        ASSERT_FALSE(memo.isEmpty()) << "row " << number;
        for (const QByteArray& bytes : memo.split('\n')) {
            // Lines are separated by CR LF: every piece but the last ends with the CR.
            const bool last = memo.endsWith(bytes) && !bytes.endsWith('\r');
            ASSERT_TRUE(bytes.endsWith('\r') || last) << "row " << number;
            const QByteArray lineBytes = last ? bytes : bytes.chopped(1);
            const CommandLine parsed = lentora::content::parseCommandLine(lineBytes);
            ASSERT_NE(parsed.kind, CommandKind::None) << "row " << number;
            // Well formed: five digits, ten blanks, the kind name.
            ASSERT_EQ(lentora::content::formatCommandLine(parsed.recordNumber, parsed.kind),
                      lineBytes)
                << "row " << number;
            const int record = parsed.recordNumber;
            if (parsed.kind == CommandKind::Theory) {
                EXPECT_TRUE(theory.count(record)) << "no theory record " << record;
            } else if (parsed.kind == CommandKind::SimpleTest) {
                EXPECT_TRUE(tests.count(record)) << "no simple test " << record;
            } else if (parsed.kind == CommandKind::MovableWords) {
                EXPECT_TRUE(movable.count(record)) << "no movable-words row " << record;
            }
        }
    }
    EXPECT_GE(links, 12);
}

TEST_F(CourseBuilderTest, ExerciseTablesTheMainWindowOpensExistWithTheirFields) {
    const TableData movable = readTable(out(QStringLiteral("Data/Nesioj.cds")));
    EXPECT_EQ(fieldIndex(movable, "Id"), 0);
    EXPECT_EQ(fieldIndex(movable, "Tipas"), 7);
    EXPECT_EQ(movable.fields[fieldIndex(movable, "Sakiniai")].type, FieldType::Memo);
    int gaps = 0, sorting = 0;
    for (const auto& row : movable.rows) {
        const Value type = row[std::size_t(fieldIndex(movable, "Tipas"))];
        (type == Value(1.0) ? gaps : sorting) += 1;
    }
    EXPECT_GE(gaps, 5);
    EXPECT_GE(sorting, 3);
    EXPECT_GE(QDir(out(QStringLiteral("Testai/Nesioj/PIESIN"))).entryList({"*.bmp"}).size(), 3);
    const TableData marked = readTable(out(QStringLiteral("Data/TestPabr.cds")));
    ASSERT_EQ(marked.fields.size(), 7u);
    EXPECT_EQ(marked.fields[0].type, FieldType::Number);
    EXPECT_EQ(marked.fields[3].type, FieldType::Memo);
    EXPECT_EQ(marked.keyFields, std::vector<int>{0});
}

// Bits per pixel from the BMP header; the program's pictures have no alpha channel.
int bmpBitsPerPixel(const QString& path) {
    const QByteArray bytes = readAll(path);
    if (bytes.size() < 54 || !bytes.startsWith("BM")) {
        return 0;
    }
    return qFromLittleEndian<quint16>(bytes.constData() + 28);
}

TEST_F(CourseBuilderTest, PicturesHaveTheSizesTheWindowsShow) {
    for (int number = 1; number <= 5; ++number) {
        const QString path = out(QStringLiteral("Testai/Fonas%1.bmp").arg(number));
        const QImage image(path);
        EXPECT_GE(image.width(), 596) << number;
        EXPECT_GE(image.height(), 480) << number;
        EXPECT_EQ(bmpBitsPerPixel(path), 24);
    }
    const QStringList about =
        QDir(out(QStringLiteral("Testai/Apie"))).entryList({QStringLiteral("*.bmp")}, QDir::Files);
    EXPECT_GE(about.size(), 1);
    for (const QString& name : about) {
        EXPECT_EQ(QImage(out(QStringLiteral("Testai/Apie/") + name)).size(), QSize(520, 515));
    }
    // The corners and the arrow come with the program.
    EXPECT_FALSE(QFileInfo::exists(out(QStringLiteral("Testai/Mygtukas"))));
    EXPECT_EQ(QDir(out(QStringLiteral("Testai/Teorija/Piesin"))).entryList(QDir::Files),
              QStringList{QStringLiteral("knyga.bmp")});

    for (int grade = 3; grade <= 10; ++grade) {
        const QDir directory(out(QStringLiteral("Ivert/%1").arg(grade)));
        const QStringList pictures = directory.entryList({QStringLiteral("*.bmp")}, QDir::Files);
        EXPECT_GE(pictures.size(), 2) << "grade " << grade;
        for (const QString& name : pictures) {
            EXPECT_EQ(QImage(directory.filePath(name)).size(),
                      lentora::content::gradePictureSize(grade))
                << "grade " << grade << " " << name.toStdString();
            EXPECT_EQ(bmpBitsPerPixel(directory.filePath(name)), 24);
        }
    }
}

TEST_F(CourseBuilderTest, GradeSoundsArePlayableShortPcm) {
    for (int grade = 3; grade <= 10; ++grade) {
        const QDir directory(out(QStringLiteral("Ivert/%1").arg(grade)));
        const QStringList sounds = directory.entryList({QStringLiteral("*.wav")}, QDir::Files);
        EXPECT_GE(sounds.size(), 2) << "grade " << grade;
        for (const QString& name : sounds) {
            const QByteArray wav = readAll(directory.filePath(name));
            ASSERT_GE(wav.size(), 44);
            EXPECT_TRUE(wav.startsWith("RIFF") && wav.mid(8, 8) == "WAVEfmt ");
            const char* header = wav.constData();
            EXPECT_EQ(qFromLittleEndian<quint32>(header + 4), quint32(wav.size() - 8));
            EXPECT_EQ(qFromLittleEndian<quint16>(header + 20), 1);  // PCM
            EXPECT_EQ(qFromLittleEndian<quint16>(header + 22), 1);  // mono
            EXPECT_EQ(qFromLittleEndian<quint16>(header + 34), 16);
            const quint32 rate = qFromLittleEndian<quint32>(header + 24);
            const quint32 data = qFromLittleEndian<quint32>(header + 40);
            EXPECT_EQ(data, quint32(wav.size() - 44));
            const double seconds = double(data) / 2 / rate;
            EXPECT_GE(seconds, 0.5) << name.toStdString();
            EXPECT_LE(seconds, 2.0) << name.toStdString();
        }
    }
}

TEST_F(CourseBuilderTest, HelpFileHasEveryTopicTheWindowsAskFor) {
    const QString help = QString::fromUtf8(readAll(out(QStringLiteral("Pagalba/pagalba.hlp"))));
    EXPECT_TRUE(help.contains(QStringLiteral("charset=\"utf-8\"")));
    for (const char* topic : {"2", "4", "5", "6", "7"}) {
        EXPECT_TRUE(help.contains(QStringLiteral("name=\"%1\"").arg(topic))) << topic;
        EXPECT_TRUE(help.contains(QStringLiteral("href=\"#%1\"").arg(topic))) << topic;
    }
}

TEST_F(CourseBuilderTest, SameSourcesGiveTheSameBytes) {
    QTemporaryDir again;
    ASSERT_EQ(runBuilder(kCourse, again.path()).exitCode, 0);
    QDirIterator files(output_->path(), QDir::Files, QDirIterator::Subdirectories);
    int compared = 0;
    while (files.hasNext()) {
        const QString path = files.next();
        const QString relative = QDir(output_->path()).relativeFilePath(path);
        EXPECT_EQ(readAll(path), readAll(again.filePath(relative))) << relative.toStdString();
        ++compared;
    }
    EXPECT_GT(compared, 40);
}

// A copy of the course sources in a temporary directory, to break on purpose.
class BrokenCourse {
public:
    BrokenCourse() {
        QDirIterator files(kCourse, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            const QString target = dir_.filePath(QDir(kCourse).relativeFilePath(path));
            QDir().mkpath(QFileInfo(target).absolutePath());
            QFile::copy(path, target);
        }
    }
    void append(const QString& relative, const QString& text) {
        QFile file(dir_.filePath(relative));
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(text.toUtf8());
    }
    BuildResult build() {
        QTemporaryDir output;
        return runBuilder(dir_.path(), output.path());
    }

private:
    QTemporaryDir dir_;
};

TEST(CourseBuilderErrors, BrokenSourcesStopTheBuildNamingTheFile) {
    struct Case {
        const char* file;
        QString text;
        const char* expected;
    };
    const Case cases[] = {
        {"meniu.txt", QStringLiteral("Naujas punktas [00099]\n"), "meniu.txt"},
        {"meniu.txt", QStringLiteral("\t\t\tPer gilu [00001]\n"), "meniu.txt"},
        {"meniu-lentele.txt", QStringLiteral("\nId: 98\nHint: Šypsena 😀\n"), "😀 (U+1F600)"},
        {"meniu-lentele.txt", QStringLiteral("\nId: 97\nKomanda: 5 Teorijos Langas\n"),
         "meniu-lentele.txt"},
        {"meniu-lentele.txt", QStringLiteral("\nId: 1\n"), "twice"},
        {"meniu-lentele.txt", QStringLiteral("\nId: 96\nKomanda: 123456 Paprastas pratimas\n"),
         "record number"},
        {"kursas.txt", QStringLiteral("../../etc\n"), "kursas.txt"},
    };
    for (const Case& broken : cases) {
        BrokenCourse course;
        course.append(QString::fromLatin1(broken.file), broken.text);
        const BuildResult result = course.build();
        EXPECT_EQ(result.exitCode, 1) << broken.text.toStdString();
        EXPECT_TRUE(result.errors.contains(QString::fromUtf8(broken.expected)))
            << result.errors.toStdString();
    }
}

TEST(CourseBuilderErrors, EveryBrokenPartIsReportedInOneRun) {
    BrokenCourse course;
    course.append(QStringLiteral("meniu-lentele.txt"), QStringLiteral("\nId: 1\n"));
    course.append(QStringLiteral("theory/") +
                      QDir(kCourse + QStringLiteral("/theory")).entryList(QDir::Files).front(),
                  QStringLiteral("\n😀\n"));
    const BuildResult result = course.build();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.errors.contains(QStringLiteral("twice"))) << result.errors.toStdString();
    EXPECT_TRUE(result.errors.contains(QStringLiteral("U+1F600"))) << result.errors.toStdString();
}

TEST(CourseBuilderErrors, MissingCourseDirectoryIsReported) {
    QTemporaryDir output;
    const BuildResult result =
        runBuilder(output.filePath(QStringLiteral("nowhere")), output.path());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_FALSE(result.errors.isEmpty());
}

}  // namespace
