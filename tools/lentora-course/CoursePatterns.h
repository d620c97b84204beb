// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Patterns that let a learner guess instead of know, reported as warnings: radio keys in a
// permutation of places or piled on one place, sorting rows in a rhythm, one marked target per
// line, items copied from the theory, gap words that share an ending with another of the page.

#include "CourseCheck.h"
#include "CourseTexts.h"

namespace lentora::course {

void checkPatterns(const QString& programDir, CheckReport& report);
// The same on texts already read (the tests build them by hand).
void checkPatterns(const CourseTexts& texts, CheckReport& report);

}  // namespace lentora::course
