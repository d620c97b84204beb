// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/simple_test/SimpleTestLogic.h"

#include <gtest/gtest.h>

namespace lentora::simple_test {
namespace {

AnswerEntry check(bool checked, bool correct) {
    return {checked, correct, false};
}
AnswerEntry radio(bool checked, bool correct) {
    return {checked, correct, true};
}

struct ScoringCase {
    const char* name;
    std::vector<AnswerEntry> entries;
    std::int32_t score;
    std::int32_t maxScore;
};

TEST(SimpleTestScoring, PointsOfEachKindOfAnswer) {
    const std::vector<ScoringCase> cases = {
        {"two of three right ticked and one wrong",
         {check(true, true), check(true, true), check(false, true), check(true, false),
          check(false, false)},
         1,
         3},
        {"nothing ticked", {check(false, true), check(false, true), check(false, false)}, 0, 2},
        {"only wrong ticks go below zero",
         {check(true, false), check(true, false), check(false, true)},
         -2,
         1},
        {"the right radio button selected", {radio(false, false), radio(true, true)}, 1, 1},
        {"a wrong radio button costs nothing", {radio(true, false), radio(false, true)}, 0, 1},
        {"no radio button selected", {radio(false, true), radio(false, false)}, 0, 1},
        {"a radio question without a right answer",
         {radio(true, false), radio(false, false)},
         0,
         0},
        {"no answers at all", {}, 0, 0},
    };
    for (const ScoringCase& c : cases) {
        const Points points = scoreAnswers(c.entries);
        EXPECT_EQ(points.score, c.score) << c.name;
        EXPECT_EQ(points.maxScore, c.maxScore) << c.name;
    }
}

TEST(SimpleTestRules, OnlyTheExactKindGivesRadioButtons) {
    EXPECT_TRUE(isRadioKind("Pasirenkamasis mygtukas"));
    EXPECT_FALSE(isRadioKind("pasirenkamasis mygtukas"));
    EXPECT_FALSE(isRadioKind("Pasirenkamasis mygtukas "));
    EXPECT_FALSE(isRadioKind("\xDEymimasis laukelis"));  // Žymimasis in code page 1257
    EXPECT_FALSE(isRadioKind(""));
}

}  // namespace
}  // namespace lentora::simple_test
