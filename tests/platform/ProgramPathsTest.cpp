// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgramPaths.h"
#include "support/TempProgramDir.h"

#include <gtest/gtest.h>

using namespace lentora;
using lentora::testing::TempProgramDir;

// A course written on another system: names in any letter case, the directory given with
// backslashes and without its final separator.
TEST(ProgramPaths, FindTheFilesOfACourseInAnyLetterCase) {
    TempProgramDir dir;
    const QString menu = dir.writeFile("MENIU.MNU", "x");
    const QString settings = dir.writeFile("lentora.ini", "x");
    const QString help = dir.writeFile("PAGALBA/Pagalba.HLP", "x");
    const QString picture = dir.writeFile("testai/nesioj/piesin/a.bmp", "x");
    QString given = dir.path();
    given.chop(1);
    const ProgramPaths paths = ProgramPaths::forDirectory(given.replace('/', '\\'));
    EXPECT_EQ(paths.programDir, dir.path());
    EXPECT_EQ(resolvePath(paths.menuFile), menu);
    EXPECT_EQ(resolvePath(paths.settingsFile), settings);
    EXPECT_EQ(resolvePath(paths.helpFile), help);
    EXPECT_EQ(resolvePath(paths.nesiojPiesinDir + "a.bmp"), picture);
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
