// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as a stored exercise's snapshot of each kind (simple test, gap
// filling, sorting, marked words) and as a line of the pending journal, restored as a review
// does, with fixed metrics. A snapshot restores to nothing or to a review within the content
// limits whose points are its result's; the review pages forward to its end and back to its
// start, every page advancing; a result made from a restored review restores to the same one.
#include "FuzzCheck.h"
#include "exercises/marked_words/MarkedWordsResult.h"
#include "exercises/marked_words/MarkedWordsSession.h"
#include "exercises/movable_words/MovableWordsSession.h"
#include "exercises/movable_words/MovableWordsSnapshot.h"
#include "exercises/simple_test/SimpleTestResult.h"
#include "platform/ContentLimits.h"
#include "progress/AttemptJson.h"
#include "support/FixedTextMetrics.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace lentora;
using content::ExerciseKind;
using content::ExerciseResult;

namespace {

constexpr int kByteWidth = 8;
constexpr int kLineHeight = 16;
constexpr std::int32_t kRecord = 7;

bool withinExtent(QSize size) {
    return size.width() >= 0 && size.width() <= kMaxContentExtent && size.height() >= 0 &&
           size.height() <= kMaxContentExtent;
}

void checkSimpleTest(const ExerciseResult& result) {
    using namespace simple_test;
    std::optional<SimpleTestSession> session = restoreSession(result);
    if (!session) {
        return;
    }
    check(withinExtent(session->outerSize()));
    for (const QuestionItem& question : session->questions()) {
        const QRect box = question.box;
        check(withinExtent(box.size()) && std::abs(box.x()) <= kMaxContentExtent &&
              std::abs(box.y()) <= kMaxContentExtent);
        for (const AnswerItem& answer : question.answers) {
            check(std::abs(answer.place.x()) <= kMaxContentExtent &&
                  std::abs(answer.place.y()) <= kMaxContentExtent);
        }
    }
    const ExerciseResult again = exerciseResult(*session, kRecord);
    check(again.points == session->points());
    check(again.items.size() == session->questions().size());
    std::optional<SimpleTestSession> restored = restoreSession(again);
    check(restored.has_value() && exerciseResult(*restored, kRecord) == again);
    // The focus goes round every question and the arrow, and stays on an answer or the arrow.
    const int stops = int(session->questions().size()) + 1;
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Down, Qt::Key_Backtab, Qt::Key_Up}) {
        for (int step = 0; step < std::min(stops, 64); ++step) {
            session->keyPress(key, {});
            const FocusSlot focus = session->focus();
            check(focus.isArrow() ||
                  (focus.question < int(session->questions().size()) && focus.answer >= 0 &&
                   focus.answer <
                       int(session->questions()[std::size_t(focus.question)].answers.size())));
        }
    }
}

std::unique_ptr<movable_words::MovableWordsSession> movableReview(
    const movable_words::MovableWordsSnapshot& shown) {
    // As the window opens it: the snapshot's size, grown to hold one row.
    const QSize outer = shown.outer.expandedTo(
        movable_words::kMovableWords.minimumReviewOuter(kLineHeight, shown.boxWidth));
    return movable_words::MovableWordsSession::openReview(
        shown, outer, std::make_unique<FixedTextMetrics>(kByteWidth, kLineHeight));
}

void checkMovableWords(const ExerciseResult& result) {
    using namespace movable_words;
    const std::optional<MovableWordsSnapshot> shown = MovableWordsSnapshot::fromResult(result);
    if (!shown) {
        return;
    }
    check(exerciseKind(shown->variant) == result.kind);
    check(withinExtent(shown->outer) && shown->boxWidth >= 0 &&
          shown->boxWidth <= kMaxContentExtent);
    check(shown->order.size() == std::size_t(shown->words.size()));
    std::unique_ptr<MovableWordsSession> session = movableReview(*shown);
    if (!session) {
        return;
    }
    check(session->reviewing());
    const ExerciseResult again = session->result(kRecord, shown->picture);
    const std::vector<WordSlot>& left = session->results();
    check(left.size() == std::size_t(shown->words.size()));
    check(again.points == session->points() && again.points.maxScore == int(left.size()));
    check(again.points.score == std::count_if(again.items.begin(), again.items.end(),
                                              [](const auto& item) { return item.correct; }));
    for (std::size_t k = 0; k < left.size(); ++k) {
        check(left[k].gapWord == shown->gapWords[qsizetype(k)] &&
              left[k].poolWord == shown->poolWords[qsizetype(k)]);
    }
    const std::optional<MovableWordsSnapshot> restored = MovableWordsSnapshot::fromResult(again);
    check(restored.has_value());
    std::unique_ptr<MovableWordsSession> reopened = movableReview(*restored);
    check(reopened != nullptr && reopened->result(kRecord, restored->picture) == again);

    // Forward to the last page, each showing later rows, then back to the first.
    int pages = 1;
    int lastSlot = -1;
    for (;;) {
        check(pages <= int(left.size()) + 1);
        const std::vector<LaidOutRow>& rows = session->pageLayout().rows;
        check(rows.empty() || rows.front().slot > lastSlot);
        lastSlot = rows.empty() ? lastSlot : rows.back().slot;
        const bool hadNext = session->hasNextPage();
        const Reaction reaction = session->keyPress(Qt::Key_PageDown);
        check(reaction.handled && reaction.pageChanged == hadNext &&
              reaction.leaveForward == !hadNext);
        if (!hadNext) {
            break;
        }
        check(session->page() == pages++);
    }
    while (session->page() > 0) {
        const int page = session->page();
        check(session->keyPress(Qt::Key_PageUp).pageChanged && session->page() == page - 1);
    }
    check(session->keyPress(Qt::Key_PageUp).leaveBack);
}

void checkMarkedWords(const ExerciseResult& result) {
    using namespace marked_words;
    std::optional<ShownExercise> shown = restoreExercise(result);
    if (!shown) {
        return;
    }
    check(withinExtent(shown->outer));
    check(shown->tokens.size() <= std::size_t(kMaxTextBytes) + 1);
    for (const WordToken& token : shown->tokens) {
        check(!token.Text.isEmpty() && token.Text.size() <= kMaxTextBytes);
    }
    const ExerciseResult again = exerciseResult(*shown, kRecord);
    check(again.points == scoreTokens(shown->tokens));
    std::optional<ShownExercise> restored = restoreExercise(again);
    check(restored.has_value() && exerciseResult(*restored, kRecord) == again);

    // As the window lays it out: the snapshot's size, grown to hold a line, with fixed metrics.
    const QSize outer =
        shown->outer.expandedTo(kMarkedWords.minimumOuter(kLineHeight, kLineHeight));
    const QRect area = kMarkedWords.textArea(outer, kMarkedWords.headingHeight(kLineHeight));
    std::unique_ptr<MarkedWordsSession> session =
        MarkedWordsSession::review(shown->tokens, shown->crossOut, outer.height());
    session->setArea(area.size(), std::make_unique<FixedTextMetrics>(kByteWidth, kLineHeight));
    check(session->points() == again.points);
    for (;;) {
        const int start = session->pageStart();
        check(start >= 0 && start <= int(session->tokens().size()));
        const Reaction reaction = session->keyPress(Qt::Key_PageDown);
        check(reaction.handled);
        if (!reaction.pageChanged) {
            check(reaction.leave == Reaction::Leave::Next);
            break;
        }
        check(session->pageStart() > start && session->currentPage() <= kLastPage);
    }
    while (session->currentPage() > 0) {
        const int page = session->currentPage();
        check(session->keyPress(Qt::Key_PageUp).pageChanged && session->currentPage() == page - 1);
    }
    check(session->pageStart() == 0 &&
          session->keyPress(Qt::Key_PageUp).leave == Reaction::Leave::Previous);
    // A review marks nothing.
    check(session->points() == again.points);
}

void checkExercise(const ExerciseResult& result) {
    switch (result.kind) {
        case ExerciseKind::SimpleTest:
            checkSimpleTest(result);
            break;
        case ExerciseKind::GapFilling:
        case ExerciseKind::Sorting:
            checkMovableWords(result);
            break;
        case ExerciseKind::MarkedWords:
            checkMarkedWords(result);
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (ExerciseKind kind : {ExerciseKind::SimpleTest, ExerciseKind::GapFilling,
                              ExerciseKind::Sorting, ExerciseKind::MarkedWords}) {
        ExerciseResult result;
        result.kind = kind;
        result.record = kRecord;
        result.shown = bytes;
        checkExercise(result);
    }
    // The same bytes as a line of the pending journal: written again, it reads back the same.
    const std::optional<progress::Attempt> attempt = progress::attemptFromJson(bytes);
    if (attempt) {
        check(progress::attemptFromJson(progress::attemptToJson(*attempt)) == attempt);
        for (const ExerciseResult& exercise : attempt->exercises) {
            checkExercise(exercise);
        }
    }
    return 0;
}
