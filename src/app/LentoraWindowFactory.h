#pragma once

#include "app/WindowFactory.h"

namespace lentora {

// The program's real windows.
class LentoraWindowFactory : public WindowFactory {
public:
    std::unique_ptr<TheoryEntry> createTheoryBook(QWidget* parent) override;
    std::unique_ptr<ExerciseEntry> createSimpleTest(QWidget* parent) override;
    std::unique_ptr<ExerciseEntry> createMovableWords(QWidget* parent) override;
    std::unique_ptr<ExerciseEntry> createMovableWordsSorting(QWidget* parent) override;
    std::unique_ptr<ExerciseEntry> createMarkedWords(QWidget* parent) override;
};

}  // namespace lentora
