// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/simple_test/SimpleTestSession.h"

#include "exercises/simple_test/SimpleTestDescription.h"
#include "exercises/simple_test/SimpleTestLogic.h"
#include "platform/CodePage1257.h"
#include "platform/ContentLimits.h"

#include <utility>

namespace lentora::simple_test {

namespace {

int extent(double value) {
    return clampedInt(value, 0, kMaxContentExtent);
}
int coordinate(double value) {
    return clampedInt(value, -kMaxContentExtent, kMaxContentExtent);
}

}  // namespace

void SimpleTestSession::open(const content::TestWindowRow& test,
                             const std::vector<QuestionRows>& questions) {
    outerSize_ = QSize(extent(test.width), extent(test.height));
    caption_ = content::exerciseCaption(fromCp1257(test.caption));
    questions_.clear();
    questions_.reserve(questions.size());
    for (const QuestionRows& rows : questions) {
        QuestionItem question;
        question.text = rows.question.question;
        question.box = QRect(coordinate(rows.question.x), coordinate(rows.question.y),
                             extent(rows.question.width), extent(rows.question.height));
        question.radio = isRadioKind(rows.question.kind);
        for (const content::AnswerRow& row : rows.answers) {
            question.answers.push_back(
                {row.answer, QPoint(coordinate(row.x), coordinate(row.y)), row.correct, false});
        }
        questions_.push_back(std::move(question));
    }
    focus_ = {};
    focus_ = nextQuestionSlot(false);
}

void SimpleTestSession::openShown(QSize outerSize, QString caption,
                                  std::vector<QuestionItem> questions) {
    outerSize_ = QSize(extent(outerSize.width()), extent(outerSize.height()));
    caption_ = std::move(caption);
    questions_ = std::move(questions);
    for (QuestionItem& question : questions_) {
        const QRect box = question.box;
        question.box = QRect(coordinate(box.x()), coordinate(box.y()), extent(box.width()),
                             extent(box.height()));
        for (AnswerItem& answer : question.answers) {
            answer.place = QPoint(coordinate(answer.place.x()), coordinate(answer.place.y()));
        }
    }
    focus_ = {};
    focus_ = nextQuestionSlot(false);
}

bool SimpleTestSession::isAnswer(int question, int answer) const {
    return question >= 0 && question < int(questions_.size()) && answer >= 0 &&
           answer < int(questions_[size_t(question)].answers.size());
}

FocusSlot SimpleTestSession::entrySlot(int question) const {
    const QuestionItem& item = questions_[size_t(question)];
    for (int a = 0; item.radio && a < int(item.answers.size()); ++a) {
        if (item.answers[size_t(a)].ticked) {
            return {question, a};
        }
    }
    return {question, 0};
}

FocusSlot SimpleTestSession::nextQuestionSlot(bool back) const {
    // The stops in order: each question with answers, then the arrow, and round again.
    const int count = int(questions_.size());
    int q = focus_.isArrow() ? (back ? count : -1) : focus_.question;
    for (q += back ? -1 : 1; q >= 0 && q < count; q += back ? -1 : 1) {
        if (!questions_[size_t(q)].answers.empty()) {
            return entrySlot(q);
        }
    }
    return {};
}

void SimpleTestSession::setFocus(FocusSlot slot) {
    focus_ = isAnswer(slot.question, slot.answer) ? slot : FocusSlot{};
}

TestReaction SimpleTestSession::keyPress(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    switch (key) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab: {
            const bool back = key == Qt::Key_Backtab || (modifiers & Qt::ShiftModifier);
            focus_ = nextQuestionSlot(back);
            TestReaction reaction;
            reaction.handled = true;
            reaction.focusMoved = true;
            return reaction;
        }
        case Qt::Key_Down:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Left: {
            // Within a check-box question only; radio buttons move and select themselves.
            if (focus_.isArrow() || questions_[size_t(focus_.question)].radio) {
                return {};
            }
            const int count = int(questions_[size_t(focus_.question)].answers.size());
            const bool back = key == Qt::Key_Up || key == Qt::Key_Left;
            focus_.answer = (focus_.answer + (back ? count - 1 : 1)) % count;
            TestReaction reaction;
            reaction.handled = true;
            reaction.focusMoved = true;
            return reaction;
        }
        case Qt::Key_Space:
            if (focus_.isArrow()) {
                return {true, true};
            }
            return pressAnswer(focus_.question, focus_.answer);
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return {true, true};
        default:
            return {};
    }
}

TestReaction SimpleTestSession::pressAt(QPoint point) {
    for (int q = 0; q < int(questions_.size()); ++q) {
        const QuestionItem& question = questions_[size_t(q)];
        if (!question.box.contains(point)) {
            continue;
        }
        const QPoint inBox = point - question.box.topLeft();
        for (int a = 0; a < int(question.answers.size()); ++a) {
            if (kSimpleTest.answerControl(question.box.width(), question.answers[size_t(a)].place)
                    .contains(inBox)) {
                return pressAnswer(q, a);
            }
        }
    }
    return {};
}

TestReaction SimpleTestSession::pressAnswer(int question, int answer) {
    if (!isAnswer(question, answer)) {
        return {};
    }
    const bool radio = questions_[size_t(question)].radio;
    const bool ticked = questions_[size_t(question)].answers[size_t(answer)].ticked;
    TestReaction reaction = setTicked(question, answer, radio || !ticked);
    reaction.focusMoved = focus_ != FocusSlot{question, answer};
    focus_ = {question, answer};
    return reaction;
}

TestReaction SimpleTestSession::setTicked(int question, int answer, bool ticked) {
    if (!isAnswer(question, answer)) {
        return {};
    }
    QuestionItem& item = questions_[size_t(question)];
    if (item.radio && ticked) {
        for (AnswerItem& other : item.answers) {
            other.ticked = false;
        }
    }
    item.answers[size_t(answer)].ticked = ticked;
    TestReaction reaction;
    reaction.handled = true;
    reaction.changedQuestion = question;
    return reaction;
}

Points SimpleTestSession::pointsOf(int question) const {
    std::vector<AnswerEntry> entries;
    if (question >= 0 && question < int(questions_.size())) {
        const QuestionItem& item = questions_[size_t(question)];
        for (const AnswerItem& answer : item.answers) {
            entries.push_back({answer.ticked, answer.right, item.radio});
        }
    }
    return scoreAnswers(entries);
}

Points SimpleTestSession::points() const {
    Points total;
    for (int q = 0; q < int(questions_.size()); ++q) {
        total += pointsOf(q);
    }
    return total;
}

}  // namespace lentora::simple_test
