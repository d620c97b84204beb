#pragma once

#include "content/ContentTable.h"
#include "controls/ExerciseDialog.h"
#include "controls/PageButtons.h"
#include "exercises/marked_words/MarkedWordsLogic.h"

#include <cstdint>

class QLabel;

namespace lentora {

class TPictureButton;

namespace marked_words {
class MarkedWordsView;
}

// The marked-words exercise: a text whose words the learner underlines or crosses out by
// clicking (or with the keyboard), in pages turned only forward, scored when it closes.
class TTestoSuIsbrPabrZodziaisForma : public ExerciseDialog {
    Q_OBJECT
public:
    explicit TTestoSuIsbrPabrZodziaisForma(QWidget* parent = nullptr);
    ~TTestoSuIsbrPabrZodziaisForma() override;

    // Shows the exercise of that record modally and adds its points to the counters. False,
    // with nothing shown, when there is no such row. Throws Error when the table stayed closed.
    bool Execute(std::int32_t recordNumber, std::int32_t& score, std::int32_t& maxScore);

    // Every token with its final mark and target flag, kept after the window closed.
    const marked_words::Tokens& tokens() const { return tokens_; }
    bool crossOut() const { return CrossOut; }
    int currentPage() const { return paging_.currentPage; }

    marked_words::MarkedWordsView* textArea() const { return PaintBox1; }
    TPictureButton* nextButton() const { return buttons_.next; }
    TPictureButton* finishButton() const { return buttons_.finish; }
    QLabel* heading() const { return Label1; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();
    void FormResize();
    void toggleMark(int token);
    void PlayMarkSound(bool erasing);
    void BitBtn1Click();
    void BitBtn2Click();

    content::ContentTable Table1;
    QLabel* Label1 = nullptr;
    QLabel* Image2 = nullptr;
    marked_words::MarkedWordsView* PaintBox1 = nullptr;
    PageButtons buttons_;

    marked_words::Tokens tokens_;
    marked_words::Paging paging_;
    bool CrossOut = false;
    QSize outer_;
};

}  // namespace lentora
