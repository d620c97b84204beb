#include "app/LentoraWindowFactory.h"

#include "exercises/marked_words/TTestoSuIsbrPabrZodziaisForma.h"
#include "exercises/simple_test/TPaprTestForma.h"
#include "theory/TTeorijosForma.h"

namespace lentora {

namespace {

class TheoryBookEntry : public TheoryEntry {
public:
    explicit TheoryBookEntry(QWidget* parent) : form_(parent) {}
    bool Execute(std::uint16_t recordNumber) override { return form_.Execute(recordNumber); }

private:
    TTeorijosForma form_;
};

class SimpleTestEntry : public ExerciseEntry {
public:
    explicit SimpleTestEntry(QWidget* parent) : form_(parent) {}
    bool Execute(std::int32_t recordNumber, std::int32_t& score, std::int32_t& maxScore) override {
        return form_.Execute(static_cast<std::uint16_t>(recordNumber), score, maxScore);
    }

private:
    TPaprTestForma form_;
};

class MarkedWordsEntry : public ExerciseEntry {
public:
    explicit MarkedWordsEntry(QWidget* parent) : form_(parent) {}
    bool Execute(std::int32_t recordNumber, std::int32_t& score, std::int32_t& maxScore) override {
        return form_.Execute(recordNumber, score, maxScore);
    }

private:
    TTestoSuIsbrPabrZodziaisForma form_;
};

}  // namespace

std::unique_ptr<TheoryEntry> LentoraWindowFactory::createTheoryBook(QWidget* parent) {
    return std::make_unique<TheoryBookEntry>(parent);
}

std::unique_ptr<ExerciseEntry> LentoraWindowFactory::createSimpleTest(QWidget* parent) {
    return std::make_unique<SimpleTestEntry>(parent);
}

std::unique_ptr<ExerciseEntry> LentoraWindowFactory::createMovableWords(QWidget*) {
    return nullptr;
}

std::unique_ptr<ExerciseEntry> LentoraWindowFactory::createMovableWordsSorting(QWidget*) {
    return nullptr;
}

std::unique_ptr<ExerciseEntry> LentoraWindowFactory::createMarkedWords(QWidget* parent) {
    return std::make_unique<MarkedWordsEntry>(parent);
}

}  // namespace lentora
