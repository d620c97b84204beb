#pragma once

#include <cstdint>
#include <memory>

class QWidget;

namespace lentora {

// The entry of the theory book: shows the record modally, returns when the window closes.
class TheoryEntry {
public:
    virtual ~TheoryEntry() = default;
    virtual bool Execute(std::uint16_t recordNumber) = 0;
};

// The entry of an exercise: adds the learner's points to score and the possible points to
// maxScore; never sets them back.
class ExerciseEntry {
public:
    virtual ~ExerciseEntry() = default;
    virtual bool Execute(std::int32_t recordNumber, std::int32_t& score,
                         std::int32_t& maxScore) = 0;
};

// Makes a fresh window for one command line. A kind that has no window yet returns null,
// and its command lines open nothing.
class WindowFactory {
public:
    virtual ~WindowFactory() = default;
    virtual std::unique_ptr<TheoryEntry> createTheoryBook(QWidget* parent) = 0;
    virtual std::unique_ptr<ExerciseEntry> createSimpleTest(QWidget* parent) = 0;
    virtual std::unique_ptr<ExerciseEntry> createMovableWords(QWidget* parent) = 0;  // Tipas 1
    virtual std::unique_ptr<ExerciseEntry> createMovableWordsSorting(
        QWidget* parent) = 0;  // Tipas 2
    virtual std::unique_ptr<ExerciseEntry> createMarkedWords(QWidget* parent) = 0;
};

}  // namespace lentora
