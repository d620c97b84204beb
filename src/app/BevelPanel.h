// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

namespace lentora {

// A panel with an outer and an inner one-pixel bevel and an optional text line, vertically
// centred inside the bevels.
class BevelPanel : public QWidget {
    Q_OBJECT

public:
    enum class Bevel { None, Raised, Lowered };

    explicit BevelPanel(QWidget* parent = nullptr);

    void setBevels(Bevel outer, Bevel inner);
    void setText(const QString& text);
    const QString& text() const { return text_; }
    void setTextAlignment(Qt::Alignment alignment);
    // The text keeps this colour also when the panel is disabled.
    void setTextColor(const QColor& color);
    void setBackground(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Bevel outer_ = Bevel::None;
    Bevel inner_ = Bevel::None;
    QString text_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    QColor textColor_ = Qt::black;
};

}  // namespace lentora
