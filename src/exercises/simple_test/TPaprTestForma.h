#pragma once

#include "content/ContentTable.h"
#include "controls/ExerciseDialog.h"

#include <cstdint>
#include <vector>

class QAbstractButton;
class QLabel;

namespace lentora {

class ScrollingClient;
class TPictureButton;

// The simple test window: question boxes with radio buttons or check boxes over a background
// picture, left only through the arrow button, scored when it closes.
class TPaprTestForma : public ExerciseDialog {
    Q_OBJECT
public:
    explicit TPaprTestForma(QWidget* parent = nullptr);
    ~TPaprTestForma() override;

    // Runs the test whose TestoId is recordNumber and adds its points to the counters.
    // False, with nothing shown, when there is no such test. Throws Error when the background
    // picture cannot be opened or a table stayed closed.
    bool Execute(std::uint16_t recordNumber, std::int32_t& score, std::int32_t& maxScore);

    TPictureButton* button() const { return BitBtn1; }
    // Holds the background and the question boxes; scrolls when the test is larger than the
    // screen.
    QWidget* content() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Answer {
        QAbstractButton* control = nullptr;
        bool correct = false;
    };

    void FormCreate();
    void FormClose();
    void buildQuestions();
    void BitBtn1Click();

    content::ContentTable TestLangTable;
    content::ContentTable KlausTable;
    content::ContentTable AtsakTable;

    ScrollingClient* Client = nullptr;
    QLabel* Fonas = nullptr;
    TPictureButton* BitBtn1 = nullptr;

    std::vector<Answer> radioAnswers_;
    std::vector<Answer> checkAnswers_;
};

}  // namespace lentora
