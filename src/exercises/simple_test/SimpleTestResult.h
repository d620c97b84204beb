// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/ExerciseResult.h"
#include "exercises/simple_test/SimpleTestSession.h"

#include <cstdint>
#include <optional>

namespace lentora::simple_test {

// How a review shows one answer.
enum class AnswerMark {
    Plain,        // neither ticked nor right
    TickedRight,  // green
    TickedWrong,  // red
    MissedRight,  // right but left unticked: outlined
};
AnswerMark answerMark(const AnswerItem& answer);

// The ticked wrong check boxes: each cost a point.
int wrongTicks(const SimpleTestSession& session);

// The finished test as a stored result: its points as the session scores them, one item per
// question (the ticked and the right answers' texts, joined by "; "; correct when the question
// scored full and nothing wrong was ticked) and a snapshot of every text and tick shown.
content::ExerciseResult exerciseResult(const SimpleTestSession& session, std::int32_t record);

// The test as a result's snapshot shows it, for a review; none for another kind, a skipped
// exercise or a snapshot that is not one of this kind's.
std::optional<SimpleTestSession> restoreSession(const content::ExerciseResult& result);

}  // namespace lentora::simple_test
