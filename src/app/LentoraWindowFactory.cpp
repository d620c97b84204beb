// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LentoraWindowFactory.h"

#include "exercises/marked_words/TTestoSuIsbrPabrZodziaisForma.h"
#include "exercises/movable_words/TMovableWordsForm.h"
#include "exercises/simple_test/TPaprTestForma.h"
#include "theory/TTeorijosForma.h"

namespace lentora {

using content::CommandKind;

LentoraWindowFactory::LentoraWindowFactory() {
    add({CommandKind::Theory}, theoryWindow<TTeorijosForma>());
    add({CommandKind::SimpleTest}, exerciseWindow<TPaprTestForma>());
    // Movable words by the record's Tipas: 1 gap filling, 2 sorting.
    add({CommandKind::MovableWords, 1}, exerciseWindow<TNesiotiForm>());
    add({CommandKind::MovableWords, 2}, exerciseWindow<TNesMazForm>());
    add({CommandKind::MarkedWords}, exerciseWindow<TTestoSuIsbrPabrZodziaisForma>());

    using content::ExerciseKind;
    addReview(ExerciseKind::SimpleTest, reviewWindow<TPaprTestForma>());
    addReview(ExerciseKind::GapFilling, reviewWindow<TNesiotiForm>());
    addReview(ExerciseKind::Sorting, reviewWindow<TNesMazForm>());
    addReview(ExerciseKind::MarkedWords, reviewWindow<TTestoSuIsbrPabrZodziaisForma>());
}

}  // namespace lentora
