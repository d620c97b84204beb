// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgressFixtures.h"

#include "progress/AttemptJson.h"

#include <gtest/gtest.h>

namespace {

// A journal line's numbers must be whole and fit 32 bits; a huge one makes the line foreign
// instead of being converted out of range.
TEST(AttemptJson, RefusesNumbersBeyond32BitsOrNotWhole) {
    const lentora::progress::Attempt attempt = lentora::testing::sampleAttempt(1);
    const QByteArray line = lentora::progress::attemptToJson(attempt);
    EXPECT_EQ(lentora::progress::attemptFromJson(line), attempt);
    const QByteArray score = "\"score\":" + QByteArray::number(attempt.summary.points.score) + ",";
    ASSERT_TRUE(line.contains(score));
    for (const char* number : {"7.7e33", "-1e300", "2147483648", "1.5"}) {
        QByteArray broken = line;
        broken.replace(score, "\"score\":" + QByteArray(number) + ",");
        EXPECT_FALSE(lentora::progress::attemptFromJson(broken)) << number;
    }
}

}  // namespace
