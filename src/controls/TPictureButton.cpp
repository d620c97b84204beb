#include "controls/TPictureButton.h"

namespace lentora {

TPictureButton::TPictureButton(QWidget* parent) : QWidget(parent) {}

}  // namespace lentora
