// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/ContentTable.h"
#include "content/ExerciseResult.h"
#include "controls/ExerciseDialog.h"
#include "controls/PageButtons.h"
#include "exercises/marked_words/MarkedWordsResult.h"
#include "exercises/marked_words/MarkedWordsSession.h"

#include <cstdint>
#include <memory>
#include <optional>

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
    // Why no exercise can open (the table's load failure, naming its file), or empty.
    const QString& openFailure() const { return openFailure_; }
    // The exercise as the last run that showed it left it; none before such a run.
    std::optional<content::ExerciseResult> result() const;
    // Shows a done exercise of this kind again, read-only, until the learner leaves it: the
    // targets marked in green, the wrong marks in red, the targets missed outlined, and the
    // summary above. PageDown turns the pages and after the last goes on (Next), as does the
    // finish arrow; PageUp turns back and before the first goes back (Previous); Escape
    // closes. A result it cannot show gives Next at once.
    ReviewStep Review(const content::ExerciseResult& result);

    // The exercise shown last, kept after the window closed: every token with its final mark
    // and target flag. Null before the first exercise.
    const marked_words::MarkedWordsSession* session() const { return session_.get(); }
    const marked_words::Tokens& tokens() const { return session_->tokens(); }
    bool crossOut() const { return session_->crossOut(); }
    int currentPage() const { return session_->currentPage(); }

    marked_words::MarkedWordsView* textArea() const { return PaintBox1; }
    TPictureButton* nextButton() const { return buttons_.next; }
    TPictureButton* finishButton() const { return buttons_.finish; }
    QLabel* heading() const { return Label1; }
    // A review's summary strip, hidden outside one.
    QLabel* summary() const { return summary_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QString openFailure_;
    void FormCreate();
    void FormResize();
    // Sizes the window for shown_ and places its parts; a review adds the summary strip.
    void layOutWindow();
    void showSession();
    void PlayMarkSound(bool erasing);
    void BitBtn1Click();
    void BitBtn2Click();

    content::ContentTable Table1;
    QLabel* Label1 = nullptr;
    QLabel* Image2 = nullptr;
    marked_words::MarkedWordsView* PaintBox1 = nullptr;
    PageButtons buttons_;

    std::unique_ptr<marked_words::MarkedWordsSession> session_;
    QSize outer_;
    QLabel* summary_ = nullptr;
    int strip_ = 0;
    // The texts and the row's size of the exercise shown last; its tokens are the session's.
    marked_words::ShownExercise shown_;
    std::optional<std::int32_t> shownRecord_;
};

}  // namespace lentora
