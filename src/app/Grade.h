// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/Points.h"

#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

namespace lentora {

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

// Shows the grade window modally and returns when the learner closes it. With points, its
// tooltip tells them; with `openReview`, the learner can ask for the review of mistakes, which
// opens once the grade window has closed.
void ShowGrade(int grade, QWidget* parent, std::optional<content::Points> points = std::nullopt,
               const std::function<void()>& openReview = {});

}  // namespace lentora
