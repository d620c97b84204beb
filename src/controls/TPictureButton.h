// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/PictureButtonLogic.h"

#include <QElapsedTimer>
#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>

class QKeyEvent;
class QShortcut;

namespace lentora {

// The picture button of the exercise windows: shows its up, over, down or disabled picture,
// treats alpha 0, or for a picture without alpha its bottom-left colour, as transparent (what
// lies under the button shows through) and clicks when a mouse button is released over the
// opaque part of the shape. It takes the keyboard focus and clicks on Space.
//
// Exercise windows of one size open at one place, so the second press of a double click on one
// window's button would land on the next window's: a press within the double-click interval
// after the button became visible is ignored, with its release, and no auto-repeated key
// clicks it.
class TPictureButton : public QWidget {
    Q_OBJECT
public:
    explicit TPictureButton(QWidget* parent = nullptr);

    // The transparent colour of the picture that the hit shape was last built from.
    std::uint32_t TransparentColor() const { return transparentColor_; }
    void setTransparentColor(std::uint32_t color) { transparentColor_ = color; }

    // Each setter copies the picture; an empty image clears it.
    void setBitmapUp(const QImage& picture);
    void setBitmapDown(const QImage& picture);
    void setBitmapOver(const QImage& picture);
    void setBitmapDisabled(const QImage& picture);

    // Drawn centred over the picture; at most 255 characters.
    void setCaption(const QString& caption);

    // The button's own enabled flag: a disabled button still gets the mouse but never clicks.
    void setButtonEnabled(bool enabled);

    // Places the button; while there is an up picture the size follows it.
    void setBounds(int left, int top, int width, int height);

    // The point (button coordinates) belongs to the button's shape.
    bool HitTest(QPoint point) const;

    // False while the button ignores presses because it has just become visible.
    bool takesPresses() const;
    // A window's own key for the button (such as its default Enter): clicks an enabled button
    // unless the press is an auto-repeat. True when it clicked.
    bool clickByKey(const QKeyEvent& event);

    picture_button::State buttonState() const { return logic_.state(); }
    bool isOver() const { return logic_.over(); }
    // The picture that painting uses now.
    picture_button::Picture currentPicture() const;

signals:
    // Fired before the button's own handling of the same input; coordinates relative to it.
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void OnMouseMove(Qt::KeyboardModifiers modifiers, int x, int y);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void OnClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct OwnedPicture {
        QImage image;
        QImage drawable;  // transparent pixels cleared
    };
    static void assign(OwnedPicture& owned, const QImage& picture);
    void upChanged();
    void overChanged();
    const OwnedPicture& picture(picture_button::Picture which) const;

    OwnedPicture up_, down_, over_, disabled_;
    std::optional<picture_button::HitMask> mask_;
    std::uint32_t transparentColor_ = picture_button::kWhite;
    picture_button::ButtonState logic_;
    QString caption_;
    QShortcut* accelerator_ = nullptr;
    QElapsedTimer shown_;
    bool ignoringPress_ = false;  // the release of an ignored press is ignored too
};

}  // namespace lentora
