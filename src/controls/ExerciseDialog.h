// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/ReviewStep.h"

#include <QDialog>

class QAction;
class QMenu;

namespace lentora {

// The frame every exercise window shares: modal to its parent, a caption without a close box,
// and neither Escape nor the window manager closes it; only leave() (its finish button) does.
// F1 and the context menu "Pagalba" open the window's help topic.
//
// A review shows a done exercise again, read-only: it is not an exercise, so Escape and the
// window manager close it (ReviewStep::Close), and leaveReview() leaves it with a step.
class ExerciseDialog : public QDialog {
    Q_OBJECT
public:
    // The help topic of every review of mistakes.
    static constexpr int kReviewHelpTopic = 8;

    ExerciseDialog(int helpTopic, QWidget* parent);

    // Each run is left again only through leave().
    int exec() override;
    void reject() override;

    void setReviewing(bool reviewing) { reviewing_ = reviewing; }
    bool reviewing() const { return reviewing_; }
    // How the last review run was left; Close until a step was taken.
    ReviewStep reviewStep() const { return reviewStep_; }

protected:
    void leave();
    void leaveReview(ReviewStep step);
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QMenu* PopupMenu1 = nullptr;
    QAction* Pagalba1 = nullptr;
    bool leaving_ = false;
    bool reviewing_ = false;
    ReviewStep reviewStep_ = ReviewStep::Close;
};

}  // namespace lentora
