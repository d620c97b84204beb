#include "platform/ProgramPaths.h"
#include "support/TempProgramDir.h"

#include <gtest/gtest.h>

using namespace lentora;
using lentora::testing::TempProgramDir;

TEST(ProgramPaths, BuiltFromTheProgramDirectory) {
    const ProgramPaths paths = ProgramPaths::forDirectory("C:\\Lentora");
    EXPECT_EQ(paths.programDir, "C:/Lentora/");
    EXPECT_EQ(paths.settingsFile, "C:/Lentora/LENTORA.INI");
    EXPECT_EQ(paths.memoTmpFile, "C:/Lentora/Memo.tmp");
    EXPECT_EQ(paths.menuFile, "C:/Lentora/meniu.mnu");
    EXPECT_EQ(paths.ivertDir, "C:/Lentora/Ivert/");
    EXPECT_EQ(paths.nesiojPiesinDir, "C:/Lentora/Testai/Nesioj/PIESIN/");
    EXPECT_EQ(paths.paprDir, "C:/Lentora/Testai/Papr/");
    EXPECT_EQ(paths.apieDir, "C:/Lentora/Testai/Apie/");
    EXPECT_EQ(paths.helpFile, "C:/Lentora/Pagalba/pagalba.hlp");
    EXPECT_EQ(ProgramPaths::forDirectory("/opt/lentora/").programDir, "/opt/lentora/");
}

TEST(ProgramPaths, TempProgramDirSetsAndRestoresThem) {
    const QString before = programPaths().programDir;
    {
        TempProgramDir dir;
        EXPECT_EQ(programPaths().programDir, dir.path());
        EXPECT_EQ(programPaths().teorijaDir, dir.path() + "Testai/Teorija/");
    }
    EXPECT_EQ(programPaths().programDir, before);
}

TEST(ProgramPaths, JoinPathTakesEitherSeparator) {
    EXPECT_EQ(joinPath("/p/", "Data\\Meniu.cds"), "/p/Data/Meniu.cds");
    EXPECT_EQ(joinPath("/p", "Data/Meniu.cds"), "/p/Data/Meniu.cds");
    EXPECT_EQ(joinPath("C:\\p\\", "x.bmp"), "C:/p/x.bmp");
}

TEST(ProgramPaths, ResolvePathIgnoresLetterCase) {
    TempProgramDir dir;
    const QString nesioj = dir.writeFile("Data/Nesioj.cds", "x");
    const QString fonas = dir.writeFile("Testai/Papr/Fonas.bmp", "x");
    EXPECT_EQ(resolvePath(dir.path() + "Data/nesioj.cds"), nesioj);
    EXPECT_EQ(resolvePath(dir.path() + "data/NESIOJ.CDS"), nesioj);
    EXPECT_EQ(resolvePath(dir.path() + "Testai\\Papr\\FONAS.BMP"), fonas);
    EXPECT_EQ(resolvePath(dir.path() + "TESTAI/papr/"), dir.path() + "Testai/Papr/");
    // Nothing matches: the path comes back with '/' separators.
    EXPECT_EQ(resolvePath(dir.path() + "Data\\Nera.cds"), dir.path() + "Data/Nera.cds");
    EXPECT_EQ(resolvePath(dir.path() + "Nera\\Nesioj.cds"), dir.path() + "Nera/Nesioj.cds");
}

TEST(ProgramPaths, ResolvePathPrefersTheExactName) {
    TempProgramDir dir;
    const QString lower = dir.writeFile("Ivert/3/a.bmp", "1");
    const QString upper = dir.writeFile("Ivert/3/A.bmp", "2");
    EXPECT_EQ(resolvePath(dir.path() + "Ivert/3/a.bmp"), lower);
    EXPECT_EQ(resolvePath(dir.path() + "Ivert/3/A.bmp"), upper);
    EXPECT_FALSE(resolvePath(dir.path() + "IVERT/3/a.BMP").isEmpty());
}

// The id names the user's settings folder, so nothing but a UUID from the file may reach it.
TEST(ProgramPaths, CourseIdIsTheFilesUuidOrAHashOfTheDirectory) {
    TempProgramDir dir;
    const QString byPath = courseId(dir.path());
    EXPECT_TRUE(byPath.startsWith("dir-"));
    EXPECT_EQ(byPath.size(), 36);
    QString withoutSlash = dir.path();
    withoutSlash.chop(1);
    EXPECT_EQ(courseId(withoutSlash), byPath);
    TempProgramDir other;
    EXPECT_NE(courseId(other.path()), byPath);

    dir.writeFile("data/kursas.txt", "{6F1C0E4A-2B7D-4C59-9A31-0D8E5B7F2C64}\r\nmore\r\n");
    EXPECT_EQ(courseId(dir.path()), "6f1c0e4a-2b7d-4c59-9a31-0d8e5b7f2c64");
    dir.writeFile("data/kursas.txt", "../../etc\n");
    EXPECT_EQ(courseId(dir.path()), byPath);
}
