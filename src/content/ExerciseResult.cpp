// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/ExerciseResult.h"

#include <array>
#include <utility>

namespace lentora::content {

namespace {

constexpr std::array<std::pair<ExerciseKind, const char*>, 4> kKindNames{{
    {ExerciseKind::SimpleTest, "simple_test"},
    {ExerciseKind::GapFilling, "gap_filling"},
    {ExerciseKind::Sorting, "sorting"},
    {ExerciseKind::MarkedWords, "marked_words"},
}};

}  // namespace

QString exerciseKindName(ExerciseKind kind) {
    for (const auto& [each, name] : kKindNames) {
        if (each == kind) {
            return QString::fromLatin1(name);
        }
    }
    return {};
}

std::optional<ExerciseKind> exerciseKindFromName(QStringView name) {
    for (const auto& [each, eachName] : kKindNames) {
        if (name == QLatin1String(eachName)) {
            return each;
        }
    }
    return std::nullopt;
}

QString pointsText(Points points) {
    // "iš" takes the genitive: singular after a number ending in 1 (but not 11).
    const std::int64_t of = points.maxScore < 0 ? -std::int64_t(points.maxScore) : points.maxScore;
    const bool singular = of % 10 == 1 && of % 100 != 11;
    return QStringLiteral("%1 iš %2 %3")
        .arg(points.score)
        .arg(points.maxScore)
        .arg(singular ? QStringLiteral("taško") : QStringLiteral("taškų"));
}

QString reviewSummary(Points points, int penalties) {
    QString text = pointsText(points);
    if (penalties > 0) {
        text += QStringLiteral(" (už klaidingas žymes atimta taškų: %1)").arg(penalties);
    }
    return text;
}

}  // namespace lentora::content
