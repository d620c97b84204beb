// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/ExerciseResult.h"
#include "exercises/marked_words/MarkedWordsLogic.h"

#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>

namespace lentora::marked_words {

// How a review shows a token.
enum class TokenMark {
    Plain,
    MarkedTarget,  // green
    WrongMark,     // red
    MissedTarget,  // outlined
};
TokenMark tokenMark(const WordToken& token);

// The marks on words that are not targets: each cost a point.
int wrongMarks(const Tokens& tokens);

// One exercise as it was shown and left: the window's texts, the row's outer size and every
// token with its mark.
struct ShownExercise {
    QString caption;
    QString heading;
    QSize outer;
    bool crossOut = false;
    Tokens tokens;
};

// The stored result: the points as the tokens score, one item per target (given: the word when
// marked) and per wrong mark (given: the word, nothing right), in text order, and a snapshot
// of what was shown.
content::ExerciseResult exerciseResult(const ShownExercise& shown, std::int32_t record);

// What a result's snapshot shows; none for another kind, a skipped exercise or a snapshot that
// is not one of this kind's.
std::optional<ShownExercise> restoreExercise(const content::ExerciseResult& result);

}  // namespace lentora::marked_words
