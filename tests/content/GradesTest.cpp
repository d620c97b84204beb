// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/Grades.h"

#include <gtest/gtest.h>

#include <string>

using namespace lentora::content;

TEST(Grade, FromPointsWithHalvesRoundedUp) {
    struct Case {
        int score, maxScore, grade;
    };
    const Case cases[] = {{7, 10, 7},          {3, 10, 3},    {0, 10, 3},   {-4, 10, 3},
                          {10, 10, 10},        {91, 100, 10}, {90, 100, 9}, {5, 8, 7},
                          {61, 200, 4},        {60, 200, 3},  {31, 100, 4}, {15, 10, 10},
                          {2147483647, 1, 10}, {1, -5, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.score) + "/" + std::to_string(c.maxScore));
        EXPECT_EQ(gradeFor(c.score, c.maxScore), c.grade);
    }
    EXPECT_EQ(gradeFor(5, 0), std::nullopt);
}

TEST(Grade, OutOfRangeGradesTakeTheNearestTableEntry) {
    EXPECT_EQ(gradePictureSize(11), gradePictureSize(kHighestGrade));
    EXPECT_EQ(gradeWords(0), gradeWords(kLowestGrade));
    EXPECT_EQ(gradeWords(-2147483647 - 1), gradeWords(kLowestGrade));
}
