// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <functional>

class QPainter;

namespace lentora {

// A white area whose owner draws it on every paint.
class PaintBox : public QWidget {
    Q_OBJECT
public:
    using Painter = std::function<void(QPainter&)>;
    explicit PaintBox(QWidget* parent, Painter painter);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Painter painter_;
};

}  // namespace lentora
