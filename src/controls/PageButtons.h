// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QSize>

class QWidget;

namespace lentora {

class TPictureButton;

// The next-page and finish arrows of a paged exercise: both at one place, one shown at a time
// (next page while there is one, then finish).
struct PageButtons {
    static constexpr QSize kSize{59, 69};

    TPictureButton* next = nullptr;
    TPictureButton* finish = nullptr;

    // Both "Toliau..." arrows as children of the window, the finish one hidden. They never take
    // the keyboard: the page keeps it, so its keys act the same after a click on an arrow.
    static PageButtons create(QWidget* window);

    void showFor(bool hasNextPage) const;
    // Moves both there, above the window's other children.
    void place(QPoint topLeft) const;
    TPictureButton* shown() const;
    // The page's key for the shown arrow: clicks it unless the arrow or its window has only
    // just shown (the arrow's own guard). Auto-repeated keys are the caller's to drop.
    void pressShown() const;
};

}  // namespace lentora
