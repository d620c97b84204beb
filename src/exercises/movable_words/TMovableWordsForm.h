// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/ContentTable.h"
#include "content/ExerciseResult.h"
#include "controls/ExerciseDialog.h"
#include "controls/PageButtons.h"
#include "exercises/movable_words/MovableWordsSession.h"
#include "platform/WindowPlacement.h"

#include <QColor>
#include <QFont>
#include <QImage>

#include <cstdint>
#include <memory>
#include <optional>

namespace lentora {

class MovableWordsView;
class TPictureButton;

// The movable-words window of either variant: sentence rows with their boxes over a random
// background, pages only forward, left only through the finish button, scored when it closes.
// Its table opens with the window and closes when the window is destroyed.
class TMovableWordsForm : public ExerciseDialog {
    Q_OBJECT
public:
    TMovableWordsForm(movable_words::Variant variant, QWidget* parent = nullptr);
    ~TMovableWordsForm() override;

    // Runs the exercise whose Id is recordNumber and adds its points to the counters. False,
    // with nothing shown, when there is no such row or the window is too small for one row.
    // Throws Error when the table did not load.
    bool Execute(std::int32_t recordNumber, std::int32_t& score, std::int32_t& maxScore);
    // Why no exercise can open (the table's load failure, naming its file), or empty.
    const QString& openFailure() const { return openFailure_; }
    // The exercise as the last run that showed it left it; none before such a run.
    std::optional<content::ExerciseResult> result() const;
    // Shows a done exercise of this kind again, read-only, until the learner leaves it: each
    // gap marked, a wrong one with its right word, the points on top. PageDown / PageUp turn
    // the pages and leave past either end, the arrow goes on, Escape closes. A result without
    // a snapshot this window can show opens nothing and goes on (Next).
    ReviewStep Review(const content::ExerciseResult& result);

    MovableWordsView* view() const { return PaintBox1; }
    TPictureButton* nextButton() const { return buttons_.next; }
    TPictureButton* finishButton() const { return buttons_.finish; }
    // The exercise shown last, kept after the window closed: each slot's final gap word and its
    // answer, for a later review.
    const movable_words::MovableWordsSession* session() const { return session_.get(); }

private:
    QString openFailure_;
    void FormCreate();
    void BitBtn1Click();
    void showPageButton(bool hasNextPage);
    // A background from the course's pictures: the named one while it is there, else one at
    // random; remembers which.
    QImage pickBackground(const QString& wanted);
    // Shows the session's window of that size until it is left.
    void present(const QByteArray& task, const ScreenFit& fit, const QFont& font,
                 const QColor& color, const QImage& background);

    movable_words::Variant variant_;
    content::ContentTable Table1;
    MovableWordsView* PaintBox1 = nullptr;
    PageButtons buttons_;
    std::unique_ptr<movable_words::MovableWordsSession> session_;
    std::int32_t record_ = 0;
    QString picture_;  // the file name of the background shown last
};

// Gap filling: each row's word waits in the pool box beside it (Tipas 1).
class TNesiotiForm : public TMovableWordsForm {
    Q_OBJECT
public:
    explicit TNesiotiForm(QWidget* parent = nullptr)
        : TMovableWordsForm(movable_words::Variant::Gaps, parent) {}
};

// Category sorting: one pool column of categories, copied into the gaps (Tipas 2).
class TNesMazForm : public TMovableWordsForm {
    Q_OBJECT
public:
    explicit TNesMazForm(QWidget* parent = nullptr)
        : TMovableWordsForm(movable_words::Variant::Sorting, parent) {}
};

}  // namespace lentora
