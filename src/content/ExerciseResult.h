// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/Points.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <vector>

namespace lentora::content {

// The window kind an exercise was done in; the movable-words kind by its Tipas.
enum class ExerciseKind { SimpleTest, GapFilling, Sorting, MarkedWords };

// "simple_test", "gap_filling", "sorting", "marked_words": the names a stored attempt keeps.
QString exerciseKindName(ExerciseKind kind);
std::optional<ExerciseKind> exerciseKindFromName(QStringView name);

// One scored item of an exercise: a test's question, a gap, a sorting row, a target or a
// wrong mark of a marked text. Texts are the ones the learner saw, decoded to Unicode.
struct ItemResult {
    int item = 0;   // the item's place in its exercise, from 0
    QString given;  // what the learner left there; empty for nothing
    QString right;  // what was right there
    bool correct = false;
    friend bool operator==(const ItemResult&, const ItemResult&) = default;
};

// One exercise of an attempt as the learner saw and left it: enough to show it again in its
// own window, read-only, even after the course has changed.
struct ExerciseResult {
    ExerciseKind kind = ExerciseKind::SimpleTest;
    std::int32_t record = 0;
    // Its table could not be read, so it was not done; `failure` says why. Nothing else is set.
    bool skipped = false;
    QString failure;
    Points points;
    // The kind's own snapshot of what was shown and left (UTF-8 JSON): only the kind's logic
    // writes and reads it; a store keeps it as it is.
    QByteArray shown;
    std::vector<ItemResult> items;
    friend bool operator==(const ExerciseResult&, const ExerciseResult&) = default;
};

// "6 iš 8 taškų" ("iš 1 taško", "iš 21 taško").
QString pointsText(Points points);

// The summary line at the top of a review: the points as they were scored and, when wrong
// marks or ticks cost points, how many: "4 iš 8 taškų (už klaidingas žymes atimta taškų: 2)".
QString reviewSummary(Points points, int penalties);

}  // namespace lentora::content
