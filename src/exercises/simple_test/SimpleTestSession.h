// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/Points.h"
#include "content/Rows.h"

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <Qt>

#include <vector>

namespace lentora::simple_test {

using content::Points;

// One answer of a question: what the row gives, and whether the learner ticked it.
struct AnswerItem {
    QByteArray text;
    QPoint place;  // in its question box
    bool right = false;
    bool ticked = false;
};

// One question box and its answers, radio buttons (one choice) or check boxes.
struct QuestionItem {
    QByteArray text;
    QRect box;  // in the window's client area
    bool radio = false;
    std::vector<AnswerItem> answers;
};

// A question's rows: the question and its answers in their order.
struct QuestionRows {
    content::QuestionRow question;
    std::vector<content::AnswerRow> answers;
};

// A place the keyboard focus can take: an answer, or the arrow after the last answer.
struct FocusSlot {
    int question = -1;  // -1: the arrow
    int answer = -1;

    bool isArrow() const { return question < 0; }
    friend bool operator==(const FocusSlot&, const FocusSlot&) = default;
};

// What the window does after a key or a press.
struct TestReaction {
    bool handled = false;  // the key is the test's; nothing else sees it
    bool pressShownButton = false;
    bool focusMoved = false;
    int changedQuestion = -1;  // the question whose answers changed, -1 for none
};

// One simple test from its rows to its points: the questions and answers, what the learner
// ticked, the focus order (the answers in order, then the arrow), and when the test ends each
// answer's final state and the points.
class SimpleTestSession {
public:
    // The test's rows; sizes and places are cut to the content limits, nothing is ticked and
    // the focus is on the first answer (on the arrow when there is none).
    void open(const content::TestWindowRow& test, const std::vector<QuestionRows>& questions);
    // A test as it was shown and left, ticks included (a review's); sizes and places are cut
    // to the content limits as the rows' are.
    void openShown(QSize outerSize, QString caption, std::vector<QuestionItem> questions);

    QSize outerSize() const { return outerSize_; }
    const QString& caption() const { return caption_; }
    const std::vector<QuestionItem>& questions() const { return questions_; }
    FocusSlot focus() const { return focus_; }

    // Tab and Shift+Tab (Backtab) move the focus from question to question (onto its selected
    // radio button or its first answer) and to the arrow, round; in a check-box question the
    // arrow keys move between its answers, round; Space ticks the focused answer as a click does,
    // or presses the arrow; Enter and Return press the arrow.
    TestReaction keyPress(Qt::Key key, Qt::KeyboardModifiers modifiers);
    // A press on the answer control under a client-area point; nothing elsewhere.
    TestReaction pressAt(QPoint point);
    // A click on an answer: a radio button is selected and clears the others of its question;
    // a check box turns over. The focus goes to it.
    TestReaction pressAnswer(int question, int answer);
    // The state a control reports: selecting a radio button still clears the others.
    TestReaction setTicked(int question, int answer, bool ticked);
    void setFocus(FocusSlot slot);

    // Every right answer is a point; a ticked wrong check box costs one.
    Points points() const;
    Points pointsOf(int question) const;

private:
    bool isAnswer(int question, int answer) const;
    FocusSlot entrySlot(int question) const;
    FocusSlot nextQuestionSlot(bool back) const;

    QSize outerSize_;
    QString caption_;
    std::vector<QuestionItem> questions_;
    FocusSlot focus_;
};

}  // namespace lentora::simple_test
