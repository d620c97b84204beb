// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QAction;
class QMenu;

namespace lentora {

// The frame every exercise window shares: modal to its parent, a caption without a close box,
// and neither Escape nor the window manager closes it; only leave() (its finish button) does.
// F1 and the context menu "Pagalba" open the window's help topic.
class ExerciseDialog : public QDialog {
    Q_OBJECT
public:
    ExerciseDialog(int helpTopic, QWidget* parent);

    // Each run is left again only through leave().
    int exec() override;
    void reject() override;

protected:
    void leave();
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QMenu* PopupMenu1 = nullptr;
    QAction* Pagalba1 = nullptr;
    bool leaving_ = false;
};

}  // namespace lentora
