// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/WindowFactory.h"
#include "content/ExerciseResult.h"

#include <QString>

#include <vector>

class QWidget;

namespace lentora {

// Whether a review of these exercises shows anything: an exercise done, or one skipped to tell.
bool canReview(const std::vector<content::ExerciseResult>& exercises);

// The line that tells the skipped exercises of an attempt, one line each; empty when none was.
QString skippedExercisesText(const std::vector<content::ExerciseResult>& exercises);

// The review of mistakes: tells the skipped exercises first, in one message, then shows the
// others in order, each in its own kind's review window, stepping as each was left: Next
// goes on (past the last ends the review), Previous goes back (before the first stays on the
// first), Close ends it. An exercise whose kind has no review is passed over.
void runReview(const std::vector<content::ExerciseResult>& exercises, const WindowFactory& factory,
               QWidget* parent);

}  // namespace lentora
