// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileListing.h"
#include "support/TempProgramDir.h"

#include <gtest/gtest.h>

#include <set>

using namespace lentora;
using lentora::testing::TempProgramDir;

TEST(FileListing, MatchesPatternWithoutRegardToCaseFilesOnlyInNameOrder) {
    TempProgramDir dir;
    for (const char* name : {"b.BMP", "a.bmp", "C.Bmp", "notes.txt", "B.bmp"}) {
        dir.writeFile(QString("Ivert/8/") + name, "x");
    }
    dir.makeDir("Ivert/8/sub.bmp");
    EXPECT_EQ(listMatchingFiles(dir.path() + "Ivert/8/", "*.bmp"),
              QStringList({"a.bmp", "B.bmp", "b.BMP", "C.Bmp"}));
    // The directory itself is found without regard to case too.
    EXPECT_EQ(listMatchingFiles(dir.path() + "IVERT\\8\\", "*.TXT"), QStringList({"notes.txt"}));
    EXPECT_TRUE(listMatchingFiles(dir.path() + "Nera/", "*.bmp").isEmpty());
}

TEST(FileListing, PickRandomFileWrapsAround) {
    TempProgramDir dir;
    for (const char* name : {"C.wav", "A.wav", "B.wav"}) {
        dir.writeFile(QString("Ivert/5/") + name, "x");
    }
    const QString grade = dir.path() + "Ivert/5/";
    EXPECT_EQ(pickRandomFile(grade, "*.WAV", 0), "A.wav");
    EXPECT_EQ(pickRandomFile(grade, "*.WAV", 1), "B.wav");
    EXPECT_EQ(pickRandomFile(grade, "*.WAV", 2), "C.wav");
    EXPECT_EQ(pickRandomFile(grade, "*.WAV", 3), "A.wav");
    EXPECT_EQ(pickRandomFile(grade, "*.bmp", 3), QString());
    // The path form resolves the directory's letter case.
    EXPECT_EQ(pickRandomFilePath(dir.path() + "IVERT/5", "*.wav", 1), grade + "B.wav");
    EXPECT_EQ(pickRandomFilePath(grade, "*.bmp", 1), QString());
}

TEST(FileListing, WithTwelvePicturesOnlyTheSecondToEleventhAreReachedBySteps1To10) {
    TempProgramDir dir;
    for (int i = 0; i < 12; ++i) {
        dir.writeFile(QString("Ivert/3/p%1.bmp").arg(i, 2, 10, QChar('0')), "x");
    }
    std::set<QString> reached;
    for (int steps = 1; steps <= 10; ++steps) {
        reached.insert(pickRandomFile(dir.path() + "Ivert/3/", "*.bmp", steps));
    }
    EXPECT_EQ(reached.size(), 10u);
    EXPECT_FALSE(reached.count("p00.bmp"));
    EXPECT_FALSE(reached.count("p11.bmp"));
}

TEST(Random, SeededSequencesRepeatAndStayInRange) {
    seedRandom(42);
    std::vector<int> first;
    for (int i = 0; i < 50; ++i) {
        first.push_back(randomBelow(10));
    }
    seedRandom(42);
    std::set<int> values;
    for (int i = 0; i < 50; ++i) {
        const int value = randomBelow(10);
        EXPECT_EQ(value, first[i]);
        values.insert(value);
    }
    EXPECT_GE(*values.begin(), 0);
    EXPECT_LE(*values.rbegin(), 9);
    EXPECT_GT(values.size(), 5u);
    EXPECT_EQ(randomBelow(0), 0);
    EXPECT_EQ(randomBelow(-3), 0);
}
