// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/PictureButtonLogic.h"
#include "controls/TPictureButton.h"
#include "controls/WindowPictures.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <QtMath>

#include <gtest/gtest.h>

namespace lentora {
namespace {

using picture_button::Picture;
using picture_button::State;

// A white-backed 59 x 69 picture with a blue block from (10,10) to (48,48) and a white pixel
// inside the block at (30,30).
QImage upPicture() {
    QImage image(59, 69, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(QRect(QPoint(10, 10), QPoint(48, 48)), QColor(0, 0, 200));
    painter.end();
    image.setPixel(30, 30, qRgb(255, 255, 255));
    return image;
}

// One pixel inside the up picture's block all round.
QImage overPicture() {
    QImage image(59, 69, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(QRect(QPoint(11, 11), QPoint(47, 47)), QColor(200, 0, 100));
    return image;
}

const QPoint kOnShape(20, 20);
const QPoint kCorner(2, 2);

TEST(PictureButtonLogic, TransparentColourIsTheBottomLeftPixelWithTheFlag) {
    EXPECT_EQ(picture_button::transparentColorOf(upPicture()), 50331647u);
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(QColor(255, 0, 0));
    EXPECT_EQ(picture_button::transparentColorOf(red), 0x020000FFu);
    QImage twoColour(4, 4, QImage::Format_Mono);
    twoColour.fill(0);
    EXPECT_EQ(picture_button::transparentColorOf(twoColour), 0x02FFFFFFu);
}

TEST(PictureButtonLogic, MaskMakesEveryWhitePixelTransparent) {
    const picture_button::HitMask mask(upPicture(), 50331647u);
    EXPECT_EQ(mask.size(), QSize(59, 69));
    EXPECT_TRUE(mask.isOpaque(kOnShape));
    EXPECT_FALSE(mask.isOpaque(kCorner));
    EXPECT_FALSE(mask.isOpaque(QPoint(30, 30)));  // white inside the shape
    EXPECT_FALSE(mask.isOpaque(QPoint(-1, 20)));
    EXPECT_FALSE(mask.isOpaque(QPoint(59, 20)));
    EXPECT_TRUE(picture_button::hitTest(std::nullopt, QPoint(-100, 5000)));
}

TEST(PictureButtonLogic, EmptyPicturesFallBackToTheUpPicture) {
    using picture_button::choosePicture;
    EXPECT_EQ(choosePicture(State::Up, true, false, true, false), Picture::Over);
    EXPECT_EQ(choosePicture(State::Up, true, false, false, false), Picture::Up);
    EXPECT_EQ(choosePicture(State::Up, false, true, true, true), Picture::Up);
    EXPECT_EQ(choosePicture(State::Down, true, false, true, false), Picture::Up);
    EXPECT_EQ(choosePicture(State::Down, false, true, false, false), Picture::Down);
    EXPECT_EQ(choosePicture(State::Disabled, true, true, true, false), Picture::Up);
    EXPECT_EQ(choosePicture(State::Disabled, true, true, true, true), Picture::Disabled);
}

TEST(PictureButtonLogic, ReleaseEndsTheDownStateAndClicksOnlyOnTheShape) {
    picture_button::ButtonState state;
    EXPECT_TRUE(state.press(true, true));
    EXPECT_EQ(state.state(), State::Down);
    EXPECT_FALSE(state.moveTo(false));  // no redraw while down
    EXPECT_EQ(state.state(), State::Down);
    auto release = state.release(false);
    EXPECT_TRUE(release.redraw);
    EXPECT_FALSE(release.click);
    EXPECT_EQ(state.state(), State::Up);

    EXPECT_FALSE(state.press(true, false));  // transparent corner: no down picture
    EXPECT_EQ(state.state(), State::Up);
    EXPECT_TRUE(state.release(true).click);
    EXPECT_TRUE(state.over());

    EXPECT_FALSE(state.press(false, true));  // other buttons never go down
    EXPECT_TRUE(state.release(true).click);  // but their release clicks
}

TEST(PictureButtonLogic, DisabledButtonNeverGoesDownNorClicks) {
    picture_button::ButtonState state;
    EXPECT_FALSE(state.setEnabled(true));
    EXPECT_TRUE(state.setEnabled(false));
    EXPECT_EQ(state.state(), State::Disabled);
    EXPECT_FALSE(state.press(true, true));
    EXPECT_FALSE(state.release(true).click);
    EXPECT_EQ(state.state(), State::Disabled);
    EXPECT_TRUE(state.setEnabled(true));
    EXPECT_EQ(state.state(), State::Up);
}

// A parent with a red background and the button at (0,0).
struct ButtonOnParent {
    ButtonOnParent() {
        parent.resize(100, 100);
        QPalette colours = parent.palette();
        colours.setColor(QPalette::Window, Qt::red);
        parent.setPalette(colours);
        parent.setAutoFillBackground(true);
        button = new TPictureButton(&parent);
        QObject::connect(button, &TPictureButton::OnClick, [this] { ++clicks; });
        parent.show();
        // A button just shown ignores presses for a moment.
        EXPECT_TRUE(QTest::qWaitFor([this] { return button->takesPresses(); }));
    }
    void move(QPoint point, Qt::MouseButtons held = Qt::NoButton) {
        QMouseEvent event(QEvent::MouseMove, point, button->mapToGlobal(point), Qt::NoButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(button, &event);
    }
    QRgb shownAt(QPoint point) { return parent.grab().toImage().pixel(button->pos() + point); }

    QWidget parent;
    TPictureButton* button;
    int clicks = 0;
};

TEST(PictureButtonWidget, UpPictureGivesSizeAndTransparentColour) {
    ButtonOnParent fixture;
    EXPECT_EQ(fixture.button->size(), QSize(50, 50));
    fixture.button->setBounds(5, 6, 10, 10);
    fixture.button->setBitmapUp(upPicture());
    EXPECT_EQ(fixture.button->geometry(), QRect(5, 6, 59, 69));
    EXPECT_EQ(fixture.button->TransparentColor(), 50331647u);
    fixture.button->setBounds(7, 8, 20, 20);
    EXPECT_EQ(fixture.button->geometry(), QRect(7, 8, 59, 69));
    // What lies under a transparent pixel shows through, the shape is drawn.
    EXPECT_EQ(fixture.shownAt(kCorner), qRgb(255, 0, 0));
    EXPECT_EQ(fixture.shownAt(QPoint(30, 30)), qRgb(255, 0, 0));
    EXPECT_EQ(fixture.shownAt(kOnShape), qRgb(0, 0, 200));
}

TEST(PictureButtonWidget, PressOnTheShapeAndReleaseOutsideDoesNotClick) {
    ButtonOnParent fixture;
    fixture.button->setBitmapUp(upPicture());
    fixture.button->setBitmapOver(overPicture());
    QTest::mousePress(fixture.button, Qt::LeftButton, {}, kOnShape);
    EXPECT_EQ(fixture.button->buttonState(), State::Down);
    fixture.move(QPoint(80, 90), Qt::LeftButton);
    EXPECT_EQ(fixture.button->buttonState(), State::Down);
    EXPECT_EQ(fixture.button->currentPicture(), Picture::Up);  // the down picture is empty
    QTest::mouseRelease(fixture.button, Qt::LeftButton, {}, QPoint(80, 90));
    EXPECT_EQ(fixture.button->buttonState(), State::Up);
    EXPECT_EQ(fixture.clicks, 0);
}

TEST(PictureButtonWidget, ReleaseOnTheShapeClicksWhereverThePressWas) {
    ButtonOnParent fixture;
    fixture.button->setBitmapUp(upPicture());
    QTest::mousePress(fixture.button, Qt::LeftButton, {}, kCorner);
    EXPECT_EQ(fixture.button->buttonState(), State::Up);
    QTest::mouseRelease(fixture.button, Qt::LeftButton, {}, kOnShape);
    EXPECT_EQ(fixture.clicks, 1);
    QTest::mouseClick(fixture.button, Qt::RightButton, {}, kOnShape);
    EXPECT_EQ(fixture.clicks, 2);
    QTest::mouseClick(fixture.button, Qt::LeftButton, {}, QPoint(30, 30));  // white hole
    EXPECT_EQ(fixture.clicks, 2);
}

TEST(PictureButtonWidget, DisabledButtonShowsItsPictureAndNeverClicks) {
    ButtonOnParent fixture;
    fixture.button->setBitmapUp(upPicture());
    fixture.button->setButtonEnabled(false);
    EXPECT_EQ(fixture.button->currentPicture(), Picture::Up);
    fixture.button->setBitmapDisabled(overPicture());
    EXPECT_EQ(fixture.button->currentPicture(), Picture::Disabled);
    QTest::mousePress(fixture.button, Qt::LeftButton, {}, kOnShape);
    EXPECT_EQ(fixture.button->buttonState(), State::Disabled);
    QTest::mouseRelease(fixture.button, Qt::LeftButton, {}, kOnShape);
    EXPECT_EQ(fixture.clicks, 0);
}

TEST(PictureButtonWidget, OverPictureFollowsThePointerOnTheShape) {
    ButtonOnParent fixture;
    fixture.button->setBitmapUp(upPicture());
    fixture.button->setBitmapOver(overPicture());
    fixture.move(kOnShape);
    EXPECT_EQ(fixture.button->currentPicture(), Picture::Over);
    EXPECT_EQ(fixture.shownAt(kOnShape), qRgb(200, 0, 100));
    fixture.move(kCorner);
    EXPECT_EQ(fixture.button->currentPicture(), Picture::Up);
    // Nothing of the over picture remains.
    EXPECT_EQ(fixture.shownAt(kOnShape), qRgb(0, 0, 200));
    fixture.move(kOnShape);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(fixture.button, &leave);
    EXPECT_FALSE(fixture.button->isOver());
}

TEST(PictureButtonWidget, OverPictureShapesAButtonWithoutUpPicture) {
    ButtonOnParent fixture;
    fixture.button->setBitmapOver(overPicture());
    EXPECT_EQ(fixture.button->size(), QSize(59, 69));
    EXPECT_FALSE(fixture.button->HitTest(QPoint(10, 10)));
    EXPECT_TRUE(fixture.button->HitTest(QPoint(11, 11)));
    EXPECT_EQ(fixture.shownAt(kOnShape), qRgb(255, 0, 0));  // nothing drawn off the shape
    fixture.move(kOnShape);
    EXPECT_EQ(fixture.shownAt(kOnShape), qRgb(200, 0, 100));
}

TEST(PictureButtonWidget, WithoutPicturesEveryPointIsAHitAndOnlyTheCaptionIsDrawn) {
    ButtonOnParent fixture;
    EXPECT_TRUE(fixture.button->HitTest(QPoint(0, 0)));
    QTest::mouseClick(fixture.button, Qt::LeftButton, {}, QPoint(49, 49));
    EXPECT_EQ(fixture.clicks, 1);
    const QImage blank = fixture.parent.grab().toImage();
    fixture.button->setCaption(QString(300, QChar('W')));
    const QImage withCaption = fixture.parent.grab().toImage();
    EXPECT_NE(blank, withCaption);
    EXPECT_EQ(withCaption.pixel(0, 60), qRgb(255, 0, 0));  // below the caption: parent shows
}

TEST(PictureButtonWidget, CaptionAcceleratorClicksOnlyAnEnabledButton) {
    ButtonOnParent fixture;
    fixture.parent.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fixture.parent));
    fixture.button->setCaption("&Toliau");
    QTest::keyClick(&fixture.parent, Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(fixture.clicks, 1);
    fixture.button->setButtonEnabled(false);
    QTest::keyClick(&fixture.parent, Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(fixture.clicks, 1);
}

TEST(PictureButtonWidget, EmptyUpPictureAfterLoadingLeavesNoHit) {
    ButtonOnParent fixture;
    fixture.button->setBitmapUp(upPicture());
    fixture.button->setBitmapUp(QImage());
    EXPECT_FALSE(fixture.button->HitTest(QPoint(0, 0)));
    EXPECT_FALSE(fixture.button->HitTest(kOnShape));
}

TEST(PictureButtonWidget, MouseEventsFireBeforeTheButtonsOwnHandling) {
    ButtonOnParent fixture;
    fixture.button->setBitmapUp(upPicture());
    std::vector<QString> seen;
    QObject::connect(fixture.button, &TPictureButton::OnMouseDown,
                     [&](Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
                         EXPECT_EQ(button, Qt::LeftButton);
                         EXPECT_EQ(QPoint(x, y), kOnShape);
                         EXPECT_EQ(fixture.button->buttonState(), State::Up);
                         seen.push_back("down");
                     });
    QObject::connect(fixture.button, &TPictureButton::OnMouseMove,
                     [&](Qt::KeyboardModifiers, int, int) { seen.push_back("move"); });
    QObject::connect(fixture.button, &TPictureButton::OnMouseUp,
                     [&](Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
                         EXPECT_EQ(fixture.button->buttonState(), State::Down);
                         seen.push_back("up");
                     });
    QObject::connect(fixture.button, &TPictureButton::OnClick, [&] { seen.push_back("click"); });
    QTest::mousePress(fixture.button, Qt::LeftButton, {}, kOnShape);
    fixture.move(kOnShape, Qt::LeftButton);
    QTest::mouseRelease(fixture.button, Qt::LeftButton, {}, kOnShape);
    EXPECT_EQ(seen, (std::vector<QString>{"down", "move", "up", "click"}));
}

// A button that has just become visible (its window shown, or put in place of another) ignores
// a press and its release; a later press clicks, the second press of a double click included.
TEST(PictureButtonWidget, IgnoresAPressJustAfterItBecomesVisible) {
    ButtonOnParent fixture;
    fixture.button->setBitmapUp(upPicture());
    fixture.button->hide();
    fixture.button->show();
    ASSERT_FALSE(fixture.button->takesPresses());
    QTest::mouseClick(fixture.button, Qt::LeftButton, {}, kOnShape);
    EXPECT_EQ(fixture.clicks, 0);
    EXPECT_EQ(fixture.button->buttonState(), State::Up);
    ASSERT_TRUE(QTest::qWaitFor([&] { return fixture.button->takesPresses(); }));
    QTest::mouseDClick(fixture.button, Qt::LeftButton, {}, kOnShape);
    QTest::mouseRelease(fixture.button, Qt::LeftButton, {}, kOnShape);
    EXPECT_EQ(fixture.clicks, 1);
}

// Space clicks the focused button, once per key press: a held key's repeats never do, nor
// those of the caption's accelerator. The focus shows as a frame.
TEST(PictureButtonWidget, SpaceClicksTheFocusedButtonButNotItsRepeats) {
    ButtonOnParent fixture;
    fixture.button->setBitmapUp(upPicture());
    fixture.button->setCaption("&Toliau");
    fixture.parent.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fixture.parent));
    auto frameShown = [&] {
        const QImage shown = fixture.parent.grab().toImage();
        for (int x = 0; x < fixture.button->width(); ++x) {
            if (shown.pixel(x, 0) != qRgb(255, 0, 0)) {
                return true;
            }
        }
        return false;
    };
    fixture.button->clearFocus();
    EXPECT_FALSE(frameShown());
    fixture.button->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(fixture.button->hasFocus());
    EXPECT_TRUE(frameShown());
    QTest::keyClick(fixture.button, Qt::Key_Space);
    EXPECT_EQ(fixture.clicks, 1);
    for (int key : {int(Qt::Key_Space), int(Qt::Key_T)}) {
        QKeyEvent repeated(QEvent::KeyPress, key,
                           key == Qt::Key_T ? Qt::AltModifier : Qt::NoModifier, QString(), true);
        QApplication::sendEvent(fixture.button, &repeated);
    }
    EXPECT_EQ(fixture.clicks, 1);
    QKeyEvent repeatedEnter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    EXPECT_FALSE(fixture.button->clickByKey(repeatedEnter));
    EXPECT_EQ(fixture.clicks, 1);
}

// The built-in arrows keep their logical size and one shape at every ratio: the over picture
// lies within the up picture, the corners are transparent, and hits use logical coordinates.
TEST(PictureButtonWidget, BuiltInArrowPicturesShareOneShapeAtEveryRatio) {
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        SCOPED_TRACE(ratio);
        const ToliauPictures pictures = toliauPictures(ratio);
        EXPECT_EQ(pictures.up.width(), qCeil(59 * ratio));
        TPictureButton button;
        button.setBitmapUp(pictures.up);
        button.setBitmapOver(pictures.over);
        EXPECT_EQ(button.size(), QSize(59, 69));
        const picture_button::HitMask up(pictures.up, button.TransparentColor());
        const picture_button::HitMask over(pictures.over, button.TransparentColor());
        ASSERT_EQ(over.size(), QSize(59, 69));
        int opaqueUp = 0;
        int opaqueOver = 0;
        for (int y = 0; y < 69; ++y) {
            for (int x = 0; x < 59; ++x) {
                opaqueUp += up.isOpaque({x, y});
                opaqueOver += over.isOpaque({x, y});
                ASSERT_EQ(button.HitTest({x, y}), up.isOpaque({x, y}));
                if (over.isOpaque({x, y})) {
                    ASSERT_TRUE(up.isOpaque({x, y})) << x << "," << y;
                }
            }
        }
        EXPECT_GT(opaqueOver, 300);
        EXPECT_GT(opaqueUp, opaqueOver);
        EXPECT_FALSE(button.HitTest({0, 0}));
        EXPECT_FALSE(button.HitTest({58, 68}));
        EXPECT_TRUE(button.HitTest({40, 19}));  // the arrow head
    }
}

// Alpha 0 is transparent even where the colour is not the bottom-left one; a picture without
// alpha keeps the bottom-left colour rule.
TEST(PictureButtonLogic, AlphaZeroIsTransparent) {
    QImage picture(4, 4, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.setPixel(1, 1, qRgba(255, 255, 255, 255));
    picture.setPixel(2, 2, qRgba(0, 0, 0, 1));
    const picture_button::HitMask mask(picture, picture_button::transparentColorOf(picture));
    EXPECT_TRUE(mask.isOpaque({1, 1}));
    EXPECT_TRUE(mask.isOpaque({2, 2}));
    EXPECT_FALSE(mask.isOpaque({0, 3}));
    EXPECT_EQ(qAlpha(picture_button::withTransparency(picture, 0).pixel(1, 1)), 255);
}

}  // namespace
}  // namespace lentora
