#pragma once

#include <QWidget>

namespace lentora {

// The picture button of the exercise windows. (Placeholder until the button is built.)
class TPictureButton : public QWidget {
    Q_OBJECT
public:
    explicit TPictureButton(QWidget* parent = nullptr);
};

}  // namespace lentora
