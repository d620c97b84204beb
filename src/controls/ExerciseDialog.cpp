// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ExerciseDialog.h"

#include "controls/HelpTopic.h"
#include "platform/Error.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>

namespace lentora {

ExerciseDialog::ExerciseDialog(int helpTopic, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowModality(Qt::WindowModal);
    PopupMenu1 = new QMenu(this);
    Pagalba1 = addHelpTopicItem(*this, *PopupMenu1, [this, helpTopic] {
        return reviewing_ ? kReviewHelpTopic : helpTopic;
    });
}

int ExerciseDialog::exec() {
    leaving_ = false;
    reviewStep_ = ReviewStep::Close;
    return QDialog::exec();
}

void ExerciseDialog::leave() {
    leaving_ = true;
    accept();
}

void ExerciseDialog::leaveReview(ReviewStep step) {
    reviewStep_ = step;
    leave();
}

void ExerciseDialog::reject() {
    if (leaving_ || reviewing_) {
        QDialog::reject();
    }
}

void ExerciseDialog::closeEvent(QCloseEvent* event) {
    if (leaving_ || reviewing_) {
        QDialog::closeEvent(event);
    } else {
        event->ignore();
    }
}

void ExerciseDialog::contextMenuEvent(QContextMenuEvent* event) {
    guarded([&] { PopupMenu1->exec(event->globalPos()); });
}

}  // namespace lentora
