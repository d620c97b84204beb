// SPDX-License-Identifier: GPL-3.0-or-later
// The checker on a program directory broken in every way it looks for, and import's round trip.
#include "CourseBuilder.h"
#include "CourseCheck.h"
#include "CourseImport.h"

#include "content/CommandLine.h"
#include "content/DataPacket.h"
#include "content/MemoLines.h"
#include "content/Schema.h"
#include "platform/CodePage1257.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lentora::course {
namespace {

using content::TableData;
using content::Value;

const QString kProgram = QStringLiteral(LENTORA_TEST_PROGRAM_DIR);

void copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(path);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(path, target);
    }
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TableData table(const QString& dir, const QString& file) {
    return content::parseDataPacket(readAll(dir + QLatin1Char('/') + file), file);
}

void writeTable(const QString& dir, const QString& file, const TableData& data) {
    writeAll(dir + QLatin1Char('/') + file, content::writeDataPacket(data));
}

Value cp(const char* utf8) {
    return toCp1257(QString::fromUtf8(utf8));
}

// How many findings of that severity name the file, the place and the text (substrings).
int found(const CheckReport& report, Severity severity, const QString& file, const QString& place,
          const QString& text) {
    int count = 0;
    for (const Finding& finding : report.findings) {
        count += finding.severity == severity && finding.file == file &&
                 finding.place.contains(place) && finding.text.contains(text);
    }
    return count;
}

QString describeAll(const CheckReport& report) {
    QStringList lines;
    for (const Finding& finding : report.findings) {
        lines << describeFinding(finding);
    }
    return lines.join(QLatin1Char('\n'));
}

TEST(CourseCheck, SampleCourseHasNoErrorsAndNamesTheFacesItMeasuredWith) {
    const CheckReport report = checkProgramDir(kProgram);
    EXPECT_FALSE(report.hasErrors()) << describeAll(report).toStdString();
    ASSERT_FALSE(report.notes.isEmpty());
    EXPECT_TRUE(report.notes.join(' ').contains("Times New Roman"));
}

TEST(CourseCheck, BrokenProgramDirectoryGivesEveryProblemWithItsPlace) {
    QTemporaryDir temp;
    const QString dir = temp.path();
    copyTree(kProgram, dir);

    // The outline: a lone LF, a TAB-only line, a jump of two levels to a link no row has.
    QByteArray outline = readAll(dir + "/MENIU.MNU");
    const int lines = int(content::splitLinesAtAnyBreak(outline).size());
    outline += "Lone\n\t\r\n\t\t\tGilus [00077]\r\n";
    writeAll(dir + "/MENIU.MNU", outline);

    using content::CommandKind;
    using content::formatCommandLine;
    TableData menu = table(dir, "Data/Meniu.cds");
    const QByteArray theoryLine = formatCommandLine(1, CommandKind::Theory);
    QByteArray commands = theoryLine;
    commands.replace(6, 3, "abc");  // columns 6-15
    commands += "\r\n" + QByteArray(theoryLine).replace("Teorijos", "teorijos");
    commands += "\r\n" + theoryLine + " ";
    commands += "\r\n" + formatCommandLine(9999, CommandKind::Theory);
    commands += "\r\n" + formatCommandLine(5, CommandKind::MovableWords);
    commands += "\r\n" + theoryLine + "\n";  // a lone LF
    menu.rows.push_back({500.0, QString::fromUtf8("ąžuolas").toUtf8(), true, true, commands});
    menu.rows.push_back(menu.rows.front());  // the first Id again
    writeTable(dir, "Data/Meniu.cds", menu);

    TableData movable = content::movableWordsSchema().emptyTable();
    movable.rows.push_back({5.0, cp("Užduotis"), cp("Vienas ___\r\nDu ___"),
                            cp("nebeprisikiškiakopūsteliaudavome"), 500.0, 400.0, 60.0, 3.0});
    // A row cut at its frame; eight categories in a window with room for two rows; a window
    // too low for any row at 48 pt.
    movable.rows.push_back({6.0, cp("Ilgas"),
                            cp("Šis sakinys yra labai labai ilgas ir netelpa į savo rėmelį ___"),
                            cp("nebeprisikiškiakopūsteliaudavome"), 640.0, 480.0, 110.0, 1.0});
    movable.rows.push_back({7.0, cp("Rūšiavimas"), QByteArray("a ___\r\n").repeated(8).chopped(2),
                            "k1\r\nk2\r\nk3\r\nk4\r\nk5\r\nk6\r\nk7\r\nk8", 640.0, 200.0, 110.0,
                            2.0});
    movable.rows.push_back({8.0, cp("Mažas"), "a ___", "b", 640.0, 60.0, 110.0, 1.0});
    writeTable(dir, "Data/Nesioj.cds", movable);

    TableData theory = table(dir, "Data/Teorija.cds");
    theory.rows.push_back({900.0, QByteArray(7000, 'a')});
    theory.rows.push_back({901.0, cp("Antraštė\r\nTekstas su @paryškinimu be pabaigos")});
    writeTable(dir, "Data/Teorija.cds", theory);

    TableData marked = content::markedWordsSchema().emptyTable();
    marked.rows.push_back({3.0, cp("Pratimas"), cp("Pabraukite"),
                           cp("Važiuoja @taksi ir @x-spindulys."), cp("Pabraukiami"), 400.0,
                           500.0});
    // An "@" at a line end; no target and a word wider than the area; a text longer than the
    // window's pages; a text area too low for a line.
    marked.rows.push_back({4.0, cp("Pratimas"), cp("Pabraukite"), cp("Eilutė @\r\n@Žodis"),
                           cp("Pabraukiami"), 400.0, 500.0});
    marked.rows.push_back({5.0, cp("Pratimas"), cp("Pabraukite"),
                           cp("Be tikslo nebeprisikiškiakopūsteliaudavome"), cp("Pabraukiami"),
                           400.0, 150.0});
    marked.rows.push_back({6.0, cp("Pratimas"), cp("Pabraukite"),
                           "@a\r\n" + QByteArray("a\r\n").repeated(1999), cp("Pabraukiami"), 380.0,
                           500.0});
    marked.rows.push_back(
        {7.0, cp("Pratimas"), cp("Pabraukite"), "@a", cp("Pabraukiami"), 60.0, 500.0});
    writeTable(dir, "Data/TestPabr.cds", marked);

    TableData tests = table(dir, "Data/TestLang.cds");
    std::get<double>(tests.rows.front()[1]) = 200;  // the first test's width
    writeTable(dir, "Data/TestLang.cds", tests);

    QFile::remove(dir + "/Testai/Fonas3.bmp");
    writeAll(dir + "/Ivert/5/ivert1.bmp", "not a picture");
    writeAll(dir + "/Ivert/7/ivert1.wav", "RIFF....WAVEjunk");
    QDir(dir + "/Testai/Teorija/Garsai").removeRecursively();
    QDir(dir + "/Testai/Nesioj/PIESIN").removeRecursively();
    QDir(dir + "/Testai/Isbrauk/Garsai/TRINT").removeRecursively();
    writeAll(dir + "/Testai/Isbrauk/Garsai/BRAUK/2.WAV", "RIFF");

    const CheckReport report = checkProgramDir(dir);
    const QString mnu = "MENIU.MNU";
    const auto line = [&](int n) { return QStringLiteral("line %1").arg(lines + n); };
    EXPECT_EQ(found(report, Severity::Error, mnu, line(1), "lone CR or LF"), 1);
    EXPECT_EQ(found(report, Severity::Error, mnu, line(2), "TABs alone"), 1);
    EXPECT_EQ(found(report, Severity::Error, mnu, line(3), "deeper"), 1);
    EXPECT_EQ(found(report, Severity::Error, mnu, line(3), "no Id"), 1);

    const QString menuFile = "Data/Meniu.cds";
    EXPECT_EQ(found(report, Severity::Warning, menuFile, "record 500", "no line of MENIU.MNU"), 1);
    EXPECT_EQ(found(report, Severity::Error, menuFile, "record 500", "UTF-8"), 1);
    EXPECT_EQ(found(report, Severity::Error, menuFile, "record 500", "lone CR or LF"), 1);
    EXPECT_EQ(found(report, Severity::Warning, menuFile, "record 500, command line 1", "columns 6"),
              1);
    EXPECT_EQ(found(report, Severity::Error, menuFile, "record 500, command line 2", "letter case"),
              1);
    EXPECT_EQ(found(report, Severity::Error, menuFile, "record 500, command line 3", "letter case"),
              1);
    EXPECT_EQ(found(report, Severity::Error, menuFile, "record 500, command line 4", "missing"), 1);
    EXPECT_EQ(found(report, Severity::Error, menuFile, "record 500, command line 5", "Tipas 3"), 1);
    EXPECT_EQ(found(report, Severity::Error, menuFile, "", "given twice"), 1);

    EXPECT_EQ(found(report, Severity::Error, "Data/Nesioj.cds", "record 5", "numbers of lines"), 1);
    EXPECT_EQ(found(report, Severity::Warning, "Data/Teorija.cds", "record 900", "7000 bytes"), 1);
    EXPECT_EQ(found(report, Severity::Error, "Data/Teorija.cds", "record 900", "at 14 pt"), 1);
    EXPECT_EQ(found(report, Severity::Warning, "Data/Teorija.cds", "record 901", "\"@\""), 1);
    EXPECT_EQ(found(report, Severity::Error, "Data/TestPabr.cds", "record 3", "taksi"), 0);
    EXPECT_EQ(found(report, Severity::Error, "Data/TestPabr.cds", "record 3", "\"x\" holds"), 1);
    EXPECT_EQ(found(report, Severity::Error, "Data/Nesioj.cds", "record 6", "row 1 is cut"), 1);
    EXPECT_EQ(found(report, Severity::Error, "Data/Nesioj.cds", "record 6", "wider"), 1);
    EXPECT_EQ(found(report, Severity::Error, "Data/Nesioj.cds", "record 7", "8 categories"), 1);
    EXPECT_EQ(found(report, Severity::Warning, "Data/Nesioj.cds", "record 8", "too small"), 1);
    EXPECT_EQ(found(report, Severity::Error, "Data/TestPabr.cds", "record 4", "line end"), 1);
    EXPECT_EQ(found(report, Severity::Error, "Data/TestPabr.cds", "record 5", "no word"), 1);
    EXPECT_EQ(found(report, Severity::Error, "Data/TestPabr.cds", "record 5", "text area"), 1);
    EXPECT_EQ(found(report, Severity::Error, "Data/TestPabr.cds", "record 6", "100 pages"), 1);
    EXPECT_EQ(found(report, Severity::Error, "Data/TestPabr.cds", "record 7", "holds no line"), 1);
    EXPECT_GE(found(report, Severity::Error, "Data/PaprTest.cds", "test 11", "does not fit"), 1);

    EXPECT_EQ(found(report, Severity::Error, "Testai/Fonas3.bmp", "", "missing"), 1);
    EXPECT_EQ(found(report, Severity::Error, "Ivert/5/ivert1.bmp", "", "loaded"), 1);
    EXPECT_EQ(found(report, Severity::Error, "Ivert/7/ivert1.wav", "", "WAV"), 1);
    EXPECT_EQ(found(report, Severity::Error, "Testai/Teorija/Garsai", "", "no *.WAV"), 1);
    EXPECT_EQ(found(report, Severity::Error, "Testai/Nesioj/PIESIN", "", "no *.BMP"), 1);
    EXPECT_EQ(found(report, Severity::Error, "Testai/Isbrauk/Garsai/TRINT", "", "no *.WAV"), 1);
    EXPECT_EQ(found(report, Severity::Error, "Testai/Isbrauk/Garsai/BRAUK/2.WAV", "", "WAV"), 1);

    // Tables: one missing, one unreadable, one with a field of another type.
    QFile::remove(dir + "/Data/TestLang.cds");
    writeAll(dir + "/Data/PaprTest.cds", "\x96\x19\xE0\xBD broken");
    TableData wrong = content::markedWordsSchema().emptyTable();
    wrong.fields[3] = content::numberField("Tekstas");
    writeTable(dir, "Data/TestPabr.cds", wrong);
    const CheckReport tablesReport = checkProgramDir(dir);
    EXPECT_EQ(found(tablesReport, Severity::Error, "Data/TestLang.cds", "", "missing"), 1);
    EXPECT_EQ(found(tablesReport, Severity::Error, "Data/PaprTest.cds", "", "cannot be read"), 1);
    EXPECT_EQ(found(tablesReport, Severity::Error, "Data/TestPabr.cds", "", "another type"), 1);
}

TEST(CourseImport, BuildingTheImportedCourseGivesTheSameOutlineAndTables) {
    QTemporaryDir temp;
    const QString course = temp.filePath("course");
    const ImportReport report = importProgramDir(kProgram, course);
    EXPECT_TRUE(report.notHeld.isEmpty()) << report.notHeld.join('\n').toStdString();
    EXPECT_GT(report.files, 40);

    const CourseContext context{QDir(course), QDir(temp.filePath("program"))};
    buildCourse(context);
    for (const char* file :
         {"MENIU.MNU", "Data/Kursas.txt", "Data/Meniu.cds", "Data/Teorija.cds", "Data/TestLang.cds",
          "Data/PaprTest.cds", "Data/PaprAtsa.cds", "Data/Nesioj.cds", "Data/TestPabr.cds",
          "Testai/Papr/FONAS.BMP", "Testai/Isbrauk/Garsai/BRAUK/1.WAV", "Ivert/10/ivert1.wav"}) {
        EXPECT_EQ(readAll(kProgram + "/" + file), readAll(context.outputDir.filePath(file)))
            << file;
    }
}

TEST(CourseImport, ReportsWhatTheSourcesCannotHold) {
    QTemporaryDir temp;
    const QString dir = temp.filePath("program");
    copyTree(kProgram, dir);
    TableData menu = table(dir, "Data/Meniu.cds");
    QByteArray& commands = std::get<QByteArray>(menu.rows.front()[4]);
    commands.replace(6, 3, "abc");
    writeTable(dir, "Data/Meniu.cds", menu);
    TableData tests = table(dir, "Data/TestLang.cds");
    std::get<double>(tests.rows.front()[1]) += 7;
    writeTable(dir, "Data/TestLang.cds", tests);
    TableData movable = table(dir, "Data/Nesioj.cds");
    std::get<double>(movable.rows.front()[4]) = 700;  // Ilgis
    writeTable(dir, "Data/Nesioj.cds", movable);
    TableData marked = table(dir, "Data/TestPabr.cds");
    std::get<QByteArray>(marked.rows.front()[4]) = "Kita";  // PabrIsbr
    writeTable(dir, "Data/TestPabr.cds", marked);

    const ImportReport report = importProgramDir(dir, temp.filePath("course"));
    const QString all = report.notHeld.join('\n');
    EXPECT_TRUE(all.contains("standard form")) << all.toStdString();
    EXPECT_TRUE(all.contains("Data/TestLang.cds: the rebuilt rows differ")) << all.toStdString();
    EXPECT_TRUE(all.contains("other than 640 x 480")) << all.toStdString();
    EXPECT_TRUE(all.contains("Data/Nesioj.cds: the rebuilt rows differ")) << all.toStdString();
    EXPECT_TRUE(all.contains("PabrIsbr \"Kita\"")) << all.toStdString();
    EXPECT_FALSE(all.contains("Data/Teorija.cds")) << all.toStdString();
}

TEST(CourseImport, AnUnreadableTableFailsTheImportAndTheLastLineSaysSo) {
    QTemporaryDir temp;
    const QString dir = temp.filePath("program");
    copyTree(kProgram, dir);
    QFile broken(dir + "/Data/Nesioj.cds");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("not a data packet");
    broken.close();

    QProcess tool;
    tool.start(QStringLiteral(LENTORA_TEST_TOOLS_DIR "/lentora-course"),
               {QStringLiteral("import"), dir, temp.filePath("course")});
    ASSERT_TRUE(tool.waitForFinished(120000));
    EXPECT_EQ(tool.exitCode(), 1);
    const QByteArrayList lines = tool.readAllStandardOutput().trimmed().split('\n');
    EXPECT_TRUE(lines.last().startsWith("import incomplete:")) << lines.last().toStdString();
    EXPECT_TRUE(lines.last().contains("1 tables unreadable")) << lines.last().toStdString();
}

TEST(CourseCheckReport, WarningsOnlyAtTheLargestSizeAreSummedUpPerTable) {
    const std::vector<Finding> findings = {
        {Severity::Warning, "Data/Teorija.cds", "record 1",
         "\"x\" is wider than its 9 px at 48 pt"},
        {Severity::Error, "Data/Teorija.cds", "record 2", "\"y\" is wider than its 9 px at 14 pt"},
        {Severity::Warning, "Data/Teorija.cds", "record 3", "a row is drawn cut at 48 pt"},
        {Severity::Warning, "Data/Nesioj.cds", "record 5", "a row is drawn cut at 48 pt"},
        {Severity::Warning, "MENIU.MNU", "line 2", "an empty line"},
    };
    const std::vector<Finding> printed = summariseLargestSizeWarnings(findings);
    ASSERT_EQ(printed.size(), 4u);
    EXPECT_EQ(describeFinding(printed[0]),
              "warning: Data/Teorija.cds: 2 records have words or rows drawn cut only at 48 pt "
              "(--all lists them)");
    EXPECT_EQ(printed[1].place, "record 2");
    EXPECT_EQ(printed[2].file, "Data/Nesioj.cds");
    EXPECT_EQ(printed[3].text, "an empty line");
}

}  // namespace
}  // namespace lentora::course
