// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/ExerciseResult.h"
#include "content/MovableWordsRow.h"
#include "exercises/movable_words/MovableWordsLogic.h"
#include "exercises/movable_words/MovableWordsSnapshot.h"
#include "platform/TextMetrics.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <Qt>

#include <memory>
#include <optional>
#include <vector>

namespace lentora::movable_words {

// What the view must do after the session took an event.
struct Reaction {
    bool handled = false;             // a key the session used
    std::vector<QRect> repaint;       // areas of the view that changed
    bool pageChanged = false;         // a new page: repaint it all, show its arrow
    bool pressShownButton = false;    // Enter
    bool swallowContextMenu = false;  // the right click put a word back
    bool leaveForward = false;        // a review's PageDown on its last page
    bool leaveBack = false;           // a review's PageUp on its first page
};

// One movable-words exercise from its row to its result: the words and their boxes, the pages
// (forward only), the keyboard focus, the word the pointer points at and the carried word.
//
// Carrying is a state machine: idle -> pressed on a box with a word -> dragging once the pointer
// moved the drag distance (the release drops it), or picked up when released on the same spot
// (the next left click drops it); Space picks up the focused box's word and drops it on the
// focused box. A drop the target refuses, a right click or Escape puts the word back.
//
// A review shows a done exercise again from its snapshot, read-only: no pointer or key moves a
// word, each row is marked and a wrong one shows its right word, pages turn both ways, and
// PageDown past the last page or PageUp before the first asks to leave.
class MovableWordsSession {
public:
    enum class Carry { Idle, Pressed, Dragging, Picked, Keyboard };
    enum class Pointer { Plain, Accepts, Refuses };  // the cursor over the view

    // The exercise of `row` in a window of that outer size; none when it is too small for one
    // row. Each page's pool words are that page's answers, shuffled by `random`.
    static std::unique_ptr<MovableWordsSession> open(Variant variant,
                                                     const content::MovableWordsRow& row,
                                                     QSize outer,
                                                     std::unique_ptr<TextMetrics> metrics,
                                                     const RandomSource& random);

    // The review of a done exercise in a window of that outer size, a summary strip reserved
    // above its rows; none when the snapshot does not fit its own words or the window is too
    // small for one row.
    static std::unique_ptr<MovableWordsSession> openReview(const MovableWordsSnapshot& shown,
                                                           QSize outer,
                                                           std::unique_ptr<TextMetrics> metrics);

    MovableWordsSession(Variant variant, const QByteArrayList& sentences,
                        const QByteArrayList& words, const std::vector<int>& order,
                        const PageGeometry& geometry, QSize viewSize,
                        std::unique_ptr<TextMetrics> metrics);

    const Exercise& exercise() const { return exercise_; }
    const PageLayout& pageLayout() const { return layout_; }
    const PageGeometry& geometry() const { return geometry_; }
    QSize viewSize() const { return viewSize_; }
    int page() const { return page_; }
    bool hasNextPage() const { return layout_.hasNextPage; }
    Carry carry() const { return carry_; }
    std::optional<BoxRef> carried() const;
    std::optional<BoxRef> focusedBox() const;
    // Whether the focus frame shows: once a key moved the focus, until the next pointer press.
    bool showsFocusFrame() const { return focusFrame_; }
    // Where the carried word is drawn, kept inside the view; empty when none is carried.
    QRect carryRect() const;
    Pointer pointer() const;
    // Each slot's final gap word beside its answer, for a review of mistakes.
    const std::vector<WordSlot>& results() const { return exercise_.wordSlots(); }
    Points points() const { return exercise_.score(); }
    // What the pages are laid out with.
    TextMetrics& metrics() const { return *metrics_; }
    bool reviewing() const { return reviewing_; }

    // What the exercise showed and what the learner left where, to show it again later.
    MovableWordsSnapshot snapshot() const;
    // The exercise as it stands, scored, with one item per slot and its snapshot; `picture` is
    // the background's file name.
    content::ExerciseResult result(std::int32_t record, const QString& picture = {}) const;

    // How far the pointer moves before a press becomes a drag.
    void setDragDistance(int pixels) { dragDistance_ = pixels; }
    // Turns forward when the page has a next one; a carried word goes back first.
    Reaction nextPage();
    // A review's way back a page; exercises turn only forward.
    Reaction previousPage();

    Reaction pressAt(QPoint point, Qt::MouseButton button);
    Reaction moveTo(QPoint point);
    Reaction releaseAt(QPoint point, Qt::MouseButton button);
    Reaction keyPress(Qt::Key key, Qt::KeyboardModifiers modifiers = {});

private:
    void layoutPage();
    Reaction reviewKeyPress(Qt::Key key);
    void repaintBox(Reaction& reaction, BoxRef box) const;
    void repaintCarry(Reaction& reaction);
    void moveFocus(Reaction& reaction, int step);
    void focusOn(Reaction& reaction, BoxRef box);
    void showFocusFrame(Reaction& reaction);
    // The box an arrow key moves the focus to; none at the page's edge.
    std::optional<BoxRef> arrowTarget(Qt::Key key) const;
    void dropOn(Reaction& reaction, std::optional<BoxRef> target);
    void putBack(Reaction& reaction);

    // What the exercise was made of: the row's texts, size and the pool's order.
    content::MovableWordsRow row_;
    std::vector<int> order_;
    std::vector<SentenceToken> tokens_;
    Exercise exercise_;
    PageGeometry geometry_;
    QSize viewSize_;
    std::unique_ptr<TextMetrics> metrics_;
    int dragDistance_ = 10;

    bool reviewing_ = false;
    int page_ = 0;
    PageStart start_;
    std::vector<PageStart> earlierStarts_;  // of the pages before this one
    PageLayout layout_;
    int focus_ = 0;
    bool focusFrame_ = false;

    Carry carry_ = Carry::Idle;
    BoxRef source_;
    QPoint pressPoint_;
    QPoint grabOffset_;  // from the grabbed box's top-left to the press
    QPoint pointer_;
    QRect shownCarry_;
};

}  // namespace lentora::movable_words
