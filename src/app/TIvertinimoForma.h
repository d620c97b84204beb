// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "content/ExerciseResult.h"

#include <QDialog>

#include <optional>

class QLabel;

namespace lentora {

// The grade window: the grade's picture centred on white, the grade in the caption.
class TIvertinimoForma : public QDialog {
    Q_OBJECT

public:
    explicit TIvertinimoForma(QWidget* parent = nullptr);

    // Loads the picture (none when the path is empty), sizes the window from the grade's
    // picture size, sets the caption, then shows the window modally until it is closed.
    void ShowGradeWindow(const QString& picturePath, const QString& caption, int grade);

    // Everything ShowGradeWindow does before showing the window.
    void prepare(const QString& picturePath, const QString& caption, int grade);

    // The points the grade came from, told in the tooltip; with `canReview`, the key R, an
    // Enter that is not an auto-repeat and the context menu "Peržiūrėti klaidas" close the
    // window asking for the review of mistakes.
    void setPoints(content::Points points, bool canReview);
    bool reviewRequested() const { return reviewRequested_; }

    const QLabel* image() const { return Image1; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void requestReview();

    QLabel* Image1;
    bool canReview_ = false;
    bool reviewRequested_ = false;
};

}  // namespace lentora
