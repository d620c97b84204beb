// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/ContentTable.h"
#include "content/ExerciseResult.h"
#include "controls/ExerciseDialog.h"
#include "exercises/simple_test/SimpleTestSession.h"

#include <cstdint>
#include <optional>
#include <vector>

class QAbstractButton;
class QFrame;
class QLabel;

namespace lentora {

class ScrollingClient;
class TPictureButton;

// The simple test window: question boxes with radio buttons or check boxes over a background
// picture, left only through the arrow button, scored when it closes. The session holds the
// test; the controls show it and report what the learner ticks.
class TPaprTestForma : public ExerciseDialog {
    Q_OBJECT
public:
    explicit TPaprTestForma(QWidget* parent = nullptr);
    ~TPaprTestForma() override;

    // Runs the test whose TestoId is recordNumber and adds its points to the counters.
    // False, with nothing shown, when there is no such test. Throws Error when the background
    // picture cannot be opened or a table stayed closed.
    bool Execute(std::uint16_t recordNumber, std::int32_t& score, std::int32_t& maxScore);
    // Why no test can open (the text of the first table that failed to load, naming its
    // file), or empty. The caller reports it; the window does not.
    const QString& openFailure() const { return openFailure_; }
    // The exercise as the last run that showed it left it; none before such a run.
    std::optional<content::ExerciseResult> result() const;
    // Shows a done exercise of this kind again, read-only, until the learner leaves it: the
    // ticks in green when right and red when wrong, the right answers left unticked outlined,
    // each question's points, and the summary above. PageDown and the arrow go on (Next),
    // PageUp back (Previous), Escape closes. A result it cannot show gives Next at once.
    ReviewStep Review(const content::ExerciseResult& result);

    TPictureButton* button() const { return BitBtn1; }
    // Holds the background and the question boxes; scrolls when the test is larger than the
    // screen.
    QWidget* content() const;
    // The test as the learner left it: every answer ticked or not, and right or not.
    const simple_test::SimpleTestSession& session() const { return session_; }
    // What the last run shows: an answer's control, the outline of a right answer a review
    // found unticked, a review's points of a question and its summary strip; null for none.
    QAbstractButton* answerControl(int question, int answer) const;
    QFrame* answerOutline(int question, int answer) const;
    QLabel* questionPoints(int question) const;
    QLabel* summary() const { return summary_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    // The arrow keys of the check boxes, which Qt leaves unmoved outside an exclusive group.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormClose();
    std::vector<simple_test::QuestionRows> readQuestions();
    // Lays the session out, shows it modally and returns when it was left.
    void showSession();
    void buildQuestions();
    void showReviewed(QAbstractButton& control, const simple_test::AnswerItem& answer,
                      QFrame*& outline);
    void BitBtn1Click();
    QWidget* widgetFor(simple_test::FocusSlot slot) const;
    simple_test::FocusSlot slotOf(const QWidget* widget) const;

    content::ContentTable TestLangTable;
    content::ContentTable KlausTable;
    content::ContentTable AtsakTable;

    ScrollingClient* Client = nullptr;
    QLabel* Fonas = nullptr;
    TPictureButton* BitBtn1 = nullptr;
    QLabel* summary_ = nullptr;

    simple_test::SimpleTestSession session_;
    QString openFailure_;
    // The answer controls, question by question, as the session orders its answers.
    std::vector<std::vector<QAbstractButton*>> controls_;
    std::vector<QFrame*> panels_;
    std::vector<std::vector<QFrame*>> outlines_;
    std::vector<QLabel*> pointsLabels_;
    std::optional<std::int32_t> shownRecord_;
    QString summaryText_;
};

}  // namespace lentora
