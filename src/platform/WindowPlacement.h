#pragma once

class QWidget;

namespace lentora {

// Moves a top-level window so that its frame is centred on the screen it is on.
void centreOnScreen(QWidget* window);

}  // namespace lentora
