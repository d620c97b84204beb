#pragma once

#include <QSize>
#include <QString>

namespace lentora::content {

inline constexpr int kLowestGrade = 3;
inline constexpr int kHighestGrade = 10;

// Tables indexed by a grade 3..10; a grade outside is taken as the nearest of them. The
// pictures under Ivert/<grade>/ have the grade's picture size.
QString gradeWords(int grade);
QSize gradePictureSize(int grade);

}  // namespace lentora::content
