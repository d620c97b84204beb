#pragma once

#include "content/Grades.h"

#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>

class QWidget;

namespace lentora {

using content::gradePictureSize;
using content::gradeWords;
using content::kHighestGrade;
using content::kLowestGrade;

// The grade of a command list's points: nothing when no exercise reported any (maxScore 0);
// otherwise the percent, rounded with halves up, mapped to 3..10 (a score below 0 counts as
// 0, one above maxScore as maxScore).
std::optional<int> gradeFor(std::int32_t score, std::int32_t maxScore);

// "PUIKU!   Įvertinimas - 10 balų."
QString gradeCaption(int grade);

// The grade window's outer size: picture plus frame and caption bar.
QSize gradeWindowOuterSize(int grade);

// IvertDir + the grade + "/".
QString gradeDirectory(const QString& ivertDir, int grade);

// The picture and sound of a grade: 1 to 10 steps through the directory's listing.
// Empty when the directory holds none.
QString pickGradePicture(const QString& ivertDir, int grade);
QString pickGradeSound(const QString& ivertDir, int grade);

// Starts the grade's sound and returns at once; no sound file, no sound.
void PlayGradeSound(int grade);

// Shows the grade window modally and returns when the learner closes it.
void ShowGrade(int grade, QWidget* parent);

}  // namespace lentora
