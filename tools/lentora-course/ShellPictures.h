// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The shell's pictures and sounds, drawn and synthesised so the course needs no binary sources.

#include "content/Grades.h"

#include <QImage>
#include <QSize>

#include <vector>

namespace lentora::course {

inline constexpr int kBackgroundCount = 5;
inline constexpr int kGradePictureVariants = 2;
inline constexpr int kGradeSoundVariants = 2;
inline constexpr int kAboutPictureCount = 2;

// Background `number` (1..5) of the main window, 596 × 480.
QImage drawBackground(int number);
// Picture `variant` (0..1) of a grade (3..10), at the grade's picture size.
QImage drawGradePicture(int grade, int variant);
// About picture `variant` (0..1), 520 × 515.
QImage drawAboutPicture(int variant);
// Sound `variant` (0..1) of a grade (3..10): a falling minor motif for low grades, a rising
// major fanfare for high ones.
std::vector<float> synthesiseGradeSound(int grade, int variant, int sampleRate);

}  // namespace lentora::course
