#include "controls/ExerciseDialog.h"

#include "platform/Error.h"
#include "platform/Services.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>

namespace lentora {

ExerciseDialog::ExerciseDialog(int helpTopic, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      helpTopic_(helpTopic) {
    setWindowModality(Qt::WindowModal);
    PopupMenu1 = new QMenu(this);
    Pagalba1 = PopupMenu1->addAction(QStringLiteral("Pagalba"));
    Pagalba1->setShortcut(QKeySequence(Qt::Key_F1));
    // Also in the window itself, so F1 works without opening the menu.
    addAction(Pagalba1);
    connect(Pagalba1, &QAction::triggered, this,
            [this] { guarded([this] { services().help->showTopic(helpTopic_); }); });
}

int ExerciseDialog::exec() {
    leaving_ = false;
    return QDialog::exec();
}

void ExerciseDialog::leave() {
    leaving_ = true;
    accept();
}

void ExerciseDialog::reject() {
    if (leaving_) {
        QDialog::reject();
    }
}

void ExerciseDialog::closeEvent(QCloseEvent* event) {
    if (leaving_) {
        QDialog::closeEvent(event);
    } else {
        event->ignore();
    }
}

void ExerciseDialog::contextMenuEvent(QContextMenuEvent* event) {
    guarded([&] { PopupMenu1->exec(event->globalPos()); });
}

}  // namespace lentora
