// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/TopicProgress.h"

#include <gtest/gtest.h>

namespace {

using lentora::progress::AttemptSummary;
using lentora::progress::topicProgress;

AttemptSummary done(std::int32_t rowId, const QString& path, int grade, qint64 endedSeconds) {
    AttemptSummary summary;
    summary.menuRowId = rowId;
    summary.menuPath = path;
    summary.grade = grade;
    summary.ended = QDateTime::fromSecsSinceEpoch(1700000000 + endedSeconds);
    return summary;
}

// One row per menu row id: the last attempt is the one that ended last, whatever the list's
// order, and names the topic; the best grade is the highest of all, a topic's 0 included.
TEST(TopicProgress, FoldsAttemptsIntoOneRowPerMenuEntry) {
    const auto rows = topicProgress({
        done(7, "Rašyba > Senas", 9, 10),
        done(3, "Kirčiavimas", 0, 5),
        done(7, "Rašyba > Nauja", 4, 30),
        done(7, "Rašyba > Senas", 6, 20),
    });
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].menuRowId, 3);
    EXPECT_EQ(rows[0].attempts, 1);
    EXPECT_EQ(rows[0].bestGrade, 0);
    EXPECT_EQ(rows[1].menuRowId, 7);
    EXPECT_EQ(rows[1].menuPath, "Rašyba > Nauja");
    EXPECT_EQ(rows[1].attempts, 3);
    EXPECT_EQ(rows[1].lastGrade, 4);
    EXPECT_EQ(rows[1].bestGrade, 9);
    EXPECT_EQ(rows[1].lastDate, QDateTime::fromSecsSinceEpoch(1700000030));
    EXPECT_TRUE(topicProgress({}).empty());
}

}  // namespace
