// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every word a learner reads, checked with Hunspell and its Lithuanian dictionary, less the
// words meant to be wrong and those the course lists in Data/Zodynas.txt.

#include "CourseCheck.h"

namespace lentora::course {

// The course's own words: UTF-8, one a line, copied by the builder from course/zodynas.txt.
inline const QString kCourseWordsFile = QStringLiteral("Data/Zodynas.txt");

void checkSpelling(const QString& programDir, CheckReport& report);

}  // namespace lentora::course
