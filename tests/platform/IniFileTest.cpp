// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Error.h"
#include "platform/ExerciseFont.h"
#include "platform/IniFile.h"
#include "platform/ProgramPaths.h"
#include "support/TempProgramDir.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <random>

#include <sys/stat.h>

using lentora::Error;
using lentora::IniFile;
using lentora::testing::TempProgramDir;

namespace {

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(IniFile, MissingFileSectionOrKeyGivesDefaults) {
    TempProgramDir dir;
    IniFile missing(dir.filePath("LENTORA.INI"));
    EXPECT_EQ(missing.readText("Fonas", "Fono failas", "Fonas1"), "Fonas1");
    EXPECT_EQ(missing.readInt("Paprastas testas", "SriftSize", 10), 10);

    IniFile settings(dir.writeFile("LENTORA.INI", "[Fonas]\r\nFono failas=Fonas3\r\n"));
    EXPECT_EQ(settings.readText("Spalvos", "Spalvu skaicius", "256"), "256");
    EXPECT_EQ(settings.readText("Fonas", "Kitas", "x"), "x");
    EXPECT_EQ(settings.readText("Fonas", "Fono failas", "Fonas1"), "Fonas3");
}

TEST(IniFile, NamesMatchWithoutRegardToCaseAndFileNameCase) {
    TempProgramDir dir;
    dir.writeFile("lentora.ini",
                  "; comment\n[teorijos LANGAS]\n  sriftname = Arial \nSRIFTSIZE=16\n"
                  "[Kita]\nSriftSize=99\n");
    IniFile settings(dir.filePath("LENTORA.INI"));
    EXPECT_EQ(settings.readText("Teorijos langas", "SriftName", ""), "Arial");
    EXPECT_EQ(settings.readInt("Teorijos langas", "SriftSize", 14), 16);
    // A key of another section is not found.
    EXPECT_EQ(settings.readInt("Teorijos langas", "Other", 5), 5);
}

TEST(IniFile, WholeNumbersDecimalOrHexElseDefault) {
    TempProgramDir dir;
    IniFile settings(dir.writeFile("a.ini",
                                   "[S]\r\ndec=255\r\nhex=0xFF\r\nHEX=0x00FF00\r\nneg=-7\r\n"
                                   "spaced=  42  \r\nword=abc\r\ntail=12abc\r\nempty=\r\n"
                                   "bare=0x\r\nhuge=99999999999\r\nallbits=0xFFFFFFFF\r\n"));
    EXPECT_EQ(settings.readInt("S", "dec", 0), 255);
    EXPECT_EQ(settings.readInt("S", "hex", 0), settings.readInt("S", "dec", 1));
    EXPECT_EQ(settings.readInt("S", "neg", 0), -7);
    EXPECT_EQ(settings.readInt("S", "spaced", 0), 42);
    for (const char* broken : {"word", "tail", "empty", "bare", "huge"}) {
        EXPECT_EQ(settings.readInt("S", broken, 13), 13) << broken;
    }
    EXPECT_EQ(settings.readInt("S", "allbits", 0), -1);
}

TEST(IniFile, TextIsCutTo1023Characters) {
    TempProgramDir dir;
    const QByteArray longValue(3000, 'x');
    IniFile settings(dir.writeFile("a.ini", "[S]\nk=" + longValue + "\n"));
    EXPECT_EQ(settings.readText("S", "k", "").size(), 1023);
}

TEST(IniFile, WriteKeepsEverythingElseAndLineEnds) {
    TempProgramDir dir;
    const QByteArray original =
        "; settings\n[Fonas]\nFono failas=Fonas1\n\n[Paprastas testas]\nSriftSize=10\n"
        "SriftColor=0\n\n[Spalvos]\nSpalvu skaicius=256\n";
    const QString path = dir.writeFile("LENTORA.INI", original);
    IniFile settings(path);

    settings.setText("fonas", "FONO FAILAS", "Fonas4");
    settings.save();
    settings.setInt("Paprastas testas", "SriftName", 7);
    settings.save();  // new key in an existing section
    settings.setText("Teorijos langas", "SriftName", "Times New Roman");
    settings.save();  // new section

    EXPECT_EQ(readBytes(path),
              "; settings\n[Fonas]\nFono failas=Fonas4\n\n[Paprastas testas]\nSriftSize=10\n"
              "SriftColor=0\nSriftName=7\n\n[Spalvos]\nSpalvu skaicius=256\n"
              "[Teorijos langas]\nSriftName=Times New Roman\n");
    EXPECT_EQ(settings.readText("Teorijos langas", "SriftName", ""), "Times New Roman");
}

TEST(IniFile, ChangesReachTheFileOnlyOnSaveAndReadsUseTheCopy) {
    TempProgramDir dir;
    const QString path = dir.writeFile("LENTORA.INI", "[S]\nk=1\n");
    IniFile settings(path);
    settings.setInt("S", "k", 2);
    settings.setText("T", "n", "x");
    EXPECT_EQ(settings.readInt("S", "k", 0), 2);
    EXPECT_EQ(readBytes(path), "[S]\nk=1\n");
    // Later changes to the file are not seen by a copy already read.
    dir.writeFile("LENTORA.INI", "[S]\nk=3\n");
    EXPECT_EQ(settings.readInt("S", "k", 0), 2);
    settings.save();
    EXPECT_EQ(readBytes(path), "[S]\nk=2\n[T]\nn=x\n");
}

TEST(IniFile, NewFileUsesCrLfAndValuesCannotBreakLines) {
    TempProgramDir dir;
    IniFile settings(dir.filePath("LENTORA.INI"));
    settings.setText("Fonas", "Fono failas", "a\r\n[Spalvos]\nb");
    settings.save();
    settings.setInt("Fonas", "SriftColor", 0xFF);
    settings.save();
    EXPECT_EQ(readBytes(dir.filePath("LENTORA.INI")),
              "[Fonas]\r\nFono failas=a  [Spalvos] b\r\nSriftColor=255\r\n");
    EXPECT_EQ(settings.readText("Spalvos", "b", "none"), "none");
}

TEST(IniFile, Cp1257ValuesRoundTrip) {
    TempProgramDir dir;
    IniFile settings(dir.filePath("x.ini"));
    const QByteArray lithuanian = "\xE0\xE8\xE6\xEB\xE1\xF0\xF8\xFB\xFE";  // ąčęėįšųūž
    settings.setText("\xD0rift", "Vard\xE0", lithuanian);
    settings.save();
    // The upper-case spelling of the section and key names still finds them.
    EXPECT_EQ(settings.readText("\xF0RIFT", "VARD\xC0", ""), lithuanian);
}

TEST(IniFile, FailedWriteThrowsAndLeavesFileAlone) {
    TempProgramDir dir;
    // Tests may run as root, so the failure comes from a directory that is really a file.
    dir.writeFile("plain", "not a directory");
    IniFile settings(dir.filePath("plain/LENTORA.INI"));
    try {
        settings.setText("S", "k", "v");
        settings.save();
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.text(), "Unable to write to " + dir.filePath("plain/LENTORA.INI"));
    }
    // A read-only file fails though its directory could take a new one, as root too.
    const QByteArray original = "[S]\r\nk=old\r\n";
    const QString readOnly = dir.writeFile("LENTORA.INI", original);
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    IniFile locked(readOnly);
    locked.setText("S", "k", "new");
    EXPECT_THROW(locked.save(), Error);
    EXPECT_EQ(readBytes(readOnly), original);
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    IniFile nowhere(dir.filePath("missing/dir/LENTORA.INI"));
    nowhere.setInt("S", "k", 1);
    EXPECT_THROW(nowhere.save(), Error);
    EXPECT_FALSE(QDir(dir.filePath("missing")).exists());
}

TEST(IniFile, HugeOrBinaryFilesGiveDefaults) {
    TempProgramDir dir;
    QByteArray huge = "[S]\nk=5\n";
    huge += QByteArray(6 * 1024 * 1024, '\n');
    IniFile big(dir.writeFile("big.ini", huge));
    EXPECT_EQ(big.readInt("S", "k", 1), 1);
    // Rewriting would lose what the file holds, so it is refused.
    big.setInt("S", "k", 2);
    EXPECT_THROW(big.save(), Error);

    QByteArray binary;
    for (int i = 0; i < 100000; ++i) {
        binary += static_cast<char>((i * 37) & 0xFF);
    }
    binary += "\n[S]\nk=9\n";
    IniFile noise(dir.writeFile("noise.ini", binary));
    EXPECT_EQ(noise.readInt("S", "k", 1), 9);
    EXPECT_EQ(noise.readInt("[", "=", 3), 3);

    // A pipe in the file's place must not block the reader.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe.ini")).constData(), 0600), 0);
    EXPECT_EQ(IniFile(dir.filePath("pipe.ini")).readInt("S", "k", 4), 4);
    EXPECT_EQ(IniFile(dir.path()).readText("S", "k", "dir"), "dir");
}

TEST(FontSetting, ReadsSectionAndAppliesCutName) {
    TempProgramDir dir;
    const QByteArray longName(40, 'N');
    IniFile settings(dir.writeFile("LENTORA.INI", "[Teorijos langas]\nSriftName=" + longName +
                                                      "\nSriftColor=0x0000FF\n"
                                                      "[Pabraukiami zodziai]\nSriftName=Arial\n"));
    const lentora::FontSetting theory = readFontSetting(settings, "Teorijos langas", 14);
    EXPECT_EQ(theory.points, 14);
    EXPECT_EQ(theory.color, 255);

    QFont font("DejaVu Sans");
    font.setBold(true);
    applyFontSetting(theory, font);
    EXPECT_EQ(font.family(), QString(31, 'N'));
    EXPECT_EQ(font.pixelSize(), 19);
    EXPECT_TRUE(font.bold());

    QFont marked("DejaVu Sans");
    applyFontSetting(readFontSetting(settings, "Pabraukiami zodziai", 12), marked);
    EXPECT_EQ(marked.family(), "Liberation Sans");
    EXPECT_EQ(marked.pixelSize(), 16);

    QFont keeps("DejaVu Serif");
    applyFontSetting(readFontSetting(settings, "Paprastas testas", 10), keeps);
    EXPECT_EQ(keeps.family(), "DejaVu Serif");
    EXPECT_EQ(keeps.pixelSize(), 13);

    // An unset section keeps the design face at the default size, in black.
    const lentora::ExerciseFont test =
        readExerciseFont(settings, "Paprastas testas", 10, "DejaVu Serif");
    EXPECT_EQ(test.font.family(), "DejaVu Serif");
    EXPECT_EQ(test.font.pixelSize(), 13);
    EXPECT_EQ(test.color, QColor(Qt::black));
    EXPECT_EQ(readExerciseFont(settings, "Teorijos langas", 14, "X").color, QColor(Qt::red));

    // Hand-edited sizes outside 6..48 points are kept within them.
    const std::pair<const char*, int> sizes[] = {{"0", 6}, {"-5", 6}, {"5000", 48}, {"48", 48}};
    for (const auto& [text, points] : sizes) {
        settings.setText("Paprastas testas", "SriftSize", text);
        settings.save();
        EXPECT_EQ(readFontSetting(settings, "Paprastas testas", 10).points, points) << text;
    }
}

TEST(IniFile, ValuesReadBackAsWrittenQuotesAndEndBlanksIncluded) {
    IniFile settings = IniFile::fromBytes("[S]\nk=1\n");
    for (const QByteArray value : {"\"Arial\"", "'x'", " lead", "tail\t", "\"", "''"}) {
        settings.setText("S", "k", value);
        settings.setText("T", "new", value);
        const IniFile reread = IniFile::fromBytes(settings.toBytes());
        EXPECT_EQ(reread.readText("S", "k", "-"), value);
        EXPECT_EQ(reread.readText("T", "new", "-"), value);
    }
    settings.setText("S", "k", "Times New Roman");
    EXPECT_EQ(settings.toBytes(), "[S]\nk=Times New Roman\n[T]\nnew=\"''\"\n");
}

// A child saves the settings again and again; killed at any moment, it leaves the old file or
// the new one, and the next save clears the temporary files of the saves it cut short.
TEST(IniFile, KilledSavesLeaveOldOrNewFile) {
    TempProgramDir dir;
    QByteArray padding;
    for (int i = 0; i < 2000; ++i) {
        padding += "Eilute" + QByteArray::number(i) + "=" + QByteArray(20, 'a' + i % 26) + "\r\n";
    }
    const QByteArray one = "[Fonas]\r\nFono failas=Fonas1\r\n[Kita]\r\n" + padding;
    IniFile flipped = IniFile::fromBytes(one);
    flipped.setText("Fonas", "Fono failas", "Fonas2");
    const QByteArray two = flipped.toBytes();
    const QString path = dir.writeFile("LENTORA.INI", one);
    const QString backup = dir.writeFile("LENTORA.INI.backup", "mine");

    std::mt19937 random(1);
    int leftovers = 0;
    for (int kill = 0; kill < 200; ++kill) {
        QProcess saver;
        saver.start(QStringLiteral(LENTORA_TEST_SETTINGS_SAVER), {path});
        ASSERT_TRUE(saver.waitForReadyRead(10000)) << saver.readAllStandardError().toStdString();
        QThread::usleep(std::uniform_int_distribution<int>(0, 3000)(random));
        saver.kill();
        ASSERT_TRUE(saver.waitForFinished(10000));
        const QByteArray now = readBytes(path);
        ASSERT_TRUE(now == one || now == two) << "kill " << kill << ": " << now.size() << " bytes";
        leftovers += int(QDir(dir.path()).entryList({"LENTORA.INI.save-*"}).size());
    }
    RecordProperty("unfinished_saves_seen", leftovers);

    dir.writeFile("LENTORA.INI.save-Ab12Z9", "[Fonas]\r\nFono failas=Fonas9\r\n");
    IniFile settings(path);
    EXPECT_NE(settings.readText("Fonas", "Fono failas", ""), "Fonas9");
    settings.save();
    EXPECT_TRUE(QDir(dir.path()).entryList({"LENTORA.INI.save-*"}).isEmpty());
    EXPECT_TRUE(QFile::exists(backup));
}

// An installed program's directory cannot be written: the dialog's settings go to the user's
// own file, and each key is read from it, then the system-wide file, then the program's.
TEST(IniFile, SettingsLayersOfAReadOnlyAndAWritableProgramDirectory) {
    TempProgramDir dir;
    QTemporaryDir elsewhere;
    const QByteArray programBytes = "[A]\r\nk=program\r\np=1\r\n";
    const QByteArray systemBytes = "[A]\r\nk=system\r\ns=2\r\n";
    const QString programFile = dir.writeFile("LENTORA.INI", programBytes);
    const QString systemFile = elsewhere.filePath("etc/LENTORA.INI");
    QDir().mkpath(elsewhere.filePath("etc"));
    QFile system(systemFile);
    ASSERT_TRUE(system.open(QIODevice::WriteOnly));
    system.write(systemBytes);
    system.close();
    const QString userFile = elsewhere.filePath("config/course/LENTORA.INI");

    lentora::ProgramPaths paths = lentora::programPaths();
    paths.programDirWritable = false;
    paths.userSettingsFile = userFile;
    paths.systemSettingsFile = systemFile;
    lentora::setProgramPaths(paths);
    IniFile settings = lentora::programSettings();
    EXPECT_EQ(settings.readText("A", "k", "d"), "system");
    EXPECT_EQ(settings.readInt("A", "p", 0), 1);
    EXPECT_EQ(settings.readInt("A", "s", 0), 2);
    EXPECT_EQ(settings.readText("A", "none", "d"), "d");
    settings.setText("A", "k", "user");
    settings.save();
    EXPECT_EQ(readBytes(userFile), "[A]\r\nk=user\r\n");
    EXPECT_EQ(readBytes(programFile), programBytes);
    EXPECT_EQ(readBytes(systemFile), systemBytes);
    EXPECT_EQ(lentora::programSettings().readText("A", "k", "d"), "user");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"LENTORA.INI"});

    // A writable directory reads and writes its own file; the system-wide one fills gaps only.
    paths.programDirWritable = true;
    lentora::setProgramPaths(paths);
    IniFile own = lentora::programSettings();
    EXPECT_EQ(own.readText("A", "k", "d"), "program");
    EXPECT_EQ(own.readInt("A", "s", 0), 2);
    own.setInt("A", "p", 3);
    own.save();
    EXPECT_EQ(readBytes(programFile), "[A]\r\nk=program\r\np=3\r\n");
    EXPECT_EQ(readBytes(systemFile), systemBytes);
}
