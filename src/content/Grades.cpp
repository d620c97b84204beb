// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/Grades.h"

#include <algorithm>
#include <array>

namespace lentora::content {

namespace {

struct GradeEntry {
    const char16_t* words;
    int pictureWidth;
    int pictureHeight;
};

constexpr std::array<GradeEntry, kHighestGrade - kLowestGrade + 1> kGrades = {{
    {u"BLOGAI.", 393, 443},
    {u"SILPNAI.", 450, 335},
    {u"VISAI PATENKINAMAI.", 354, 440},
    {u"PATENKINAMAI.", 448, 310},
    {u"VISAI GERAI.", 404, 419},
    {u"GERAI!", 346, 449},
    {u"LABAI GERAI!", 486, 316},
    {u"PUIKU!", 512, 404},
}};

const GradeEntry& entryFor(int grade) {
    return kGrades[std::size_t(std::clamp(grade, kLowestGrade, kHighestGrade) - kLowestGrade)];
}

}  // namespace

QString gradeWords(int grade) {
    return QString::fromUtf16(entryFor(grade).words);
}

QSize gradePictureSize(int grade) {
    const GradeEntry& entry = entryFor(grade);
    return {entry.pictureWidth, entry.pictureHeight};
}

std::optional<int> gradeFor(std::int32_t score, std::int32_t maxScore) {
    if (maxScore == 0) {
        return std::nullopt;
    }
    const std::int64_t points = std::max<std::int32_t>(score, 0);
    std::int64_t roundedPercent = 0;
    if (points > 0 && maxScore > 0) {
        // points * 100 / maxScore rounded with halves up, in whole numbers so that 30.5 % is
        // never read as 30.4999...
        roundedPercent = (200 * points + maxScore) / (2 * std::int64_t{maxScore});
    }
    const std::int64_t grade = (roundedPercent + 9) / 10;
    return static_cast<int>(std::clamp<std::int64_t>(grade, kLowestGrade, kHighestGrade));
}

}  // namespace lentora::content
