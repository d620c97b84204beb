// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>

namespace lentora::content {

inline constexpr int kLowestGrade = 3;
inline constexpr int kHighestGrade = 10;

// Tables indexed by a grade 3..10; a grade outside is taken as the nearest of them. The
// pictures under Ivert/<grade>/ have the grade's picture size.
QString gradeWords(int grade);
QSize gradePictureSize(int grade);

// The grade of a command list's points: nothing when no exercise reported any (maxScore 0);
// otherwise the percent, rounded with halves up, mapped to 3..10 (a score below 0 counts as
// 0, one above maxScore as maxScore).
std::optional<int> gradeFor(std::int32_t score, std::int32_t maxScore);

}  // namespace lentora::content
