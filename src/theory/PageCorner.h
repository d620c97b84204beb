// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QWidget>

namespace lentora {

// A page-corner picture of the book that turns the page when clicked. Without a picture the
// corner stays empty but still answers clicks at its place.
class PageCorner : public QWidget {
    Q_OBJECT
public:
    PageCorner(QWidget* parent, const QRect& geometry, const QString& hint);
    void setPicture(const QPixmap& picture);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
};

}  // namespace lentora
