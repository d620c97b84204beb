#include "app/LentoraWindowFactory.h"

#include "exercises/marked_words/TTestoSuIsbrPabrZodziaisForma.h"
#include "exercises/simple_test/TPaprTestForma.h"
#include "theory/TTeorijosForma.h"

namespace lentora {

using content::CommandKind;

LentoraWindowFactory::LentoraWindowFactory() {
    add({CommandKind::Theory}, theoryWindow<TTeorijosForma>());
    add({CommandKind::SimpleTest}, exerciseWindow<TPaprTestForma>());
    add({CommandKind::MarkedWords}, exerciseWindow<TTestoSuIsbrPabrZodziaisForma>());
    // Movable words by the record's Tipas: {CommandKind::MovableWords, 1} and 2.
}

}  // namespace lentora
