// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>

#include <cstdint>
#include <optional>
#include <vector>

namespace lentora::picture_button {

// Colours are numbers with red in the lowest byte; this flag marks a picture's own
// transparent colour (a white-backed picture gives 0x02FFFFFF = 50331647).
inline constexpr std::uint32_t kTransparentFlag = 0x02000000;
inline constexpr std::uint32_t kWhite = 0x00FFFFFF;

// The bottom-left pixel with the flag added; white for a two-colour picture.
std::uint32_t transparentColorOf(const QImage& picture);

// True when the pixel has the colour's red, green and blue parts (the flag byte is ignored).
bool hasColor(QRgb pixel, std::uint32_t color);

// The size a picture covers on the screen: its pixel size over its device pixel ratio.
QSize logicalSize(const QImage& picture);

// A picture with an alpha channel is transparent where its alpha is 0; one without is
// transparent where it has its transparent colour.
bool isTransparentPixel(const QImage& picture, QRgb pixel, std::uint32_t transparentColor);

// The hit shape of a picture in logical pixels: opaque where the picture is not transparent.
class HitMask {
public:
    HitMask() = default;
    HitMask(const QImage& picture, std::uint32_t transparentColor);

    QSize size() const { return size_; }
    bool isOpaque(QPoint point) const;  // a point outside the mask is never opaque

private:
    QSize size_;
    std::vector<bool> opaque_;
};

// The picture with its transparent pixels made fully transparent, ready to draw; it keeps the
// picture's device pixel ratio.
QImage withTransparency(const QImage& picture, std::uint32_t transparentColor);

// HitTest: every point is a hit until a mask has been built.
bool hitTest(const std::optional<HitMask>& mask, QPoint point);

enum class State { Up, Disabled, Down };
enum class Picture { Up, Down, Over, Disabled };

// Which picture to draw; an empty down, over or disabled picture falls back to the up one.
Picture choosePicture(State state, bool over, bool hasDown, bool hasOver, bool hasDisabled);

// The button's reaction to mouse input and to its enabled flag, apart from drawing.
class ButtonState {
public:
    State state() const { return state_; }
    bool over() const { return over_; }
    bool enabled() const { return enabled_; }

    // Each returns true when the button's look may have changed.
    bool moveTo(bool hit);
    bool leave();
    bool press(bool leftButton, bool hit);
    struct Release {
        bool redraw = false;
        bool click = false;
    };
    Release release(bool hit);
    bool setEnabled(bool enabled);

private:
    State state_ = State::Up;
    bool over_ = false;
    bool enabled_ = true;
};

}  // namespace lentora::picture_button
