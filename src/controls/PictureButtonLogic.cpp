// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/PictureButtonLogic.h"

#include <algorithm>

namespace lentora::picture_button {

namespace {

std::uint32_t colorNumber(QRgb pixel) {
    return std::uint32_t(qRed(pixel)) | (std::uint32_t(qGreen(pixel)) << 8) |
           (std::uint32_t(qBlue(pixel)) << 16);
}

}  // namespace

std::uint32_t transparentColorOf(const QImage& picture) {
    if (picture.isNull() || picture.depth() == 1) {
        return kWhite | kTransparentFlag;
    }
    return colorNumber(picture.pixel(0, picture.height() - 1)) | kTransparentFlag;
}

bool hasColor(QRgb pixel, std::uint32_t color) {
    return colorNumber(pixel) == (color & kWhite);
}

QSize logicalSize(const QImage& picture) {
    return picture.deviceIndependentSize().toSize();
}

bool isTransparentPixel(const QImage& picture, QRgb pixel, std::uint32_t transparentColor) {
    return picture.hasAlphaChannel() ? qAlpha(pixel) == 0 : hasColor(pixel, transparentColor);
}

HitMask::HitMask(const QImage& picture, std::uint32_t transparentColor)
    : size_(logicalSize(picture)) {
    const QImage argb = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                          : QImage::Format_RGB32);
    const qreal ratio = picture.devicePixelRatio();
    // Each logical pixel takes the device pixel at its centre.
    auto devicePixel = [ratio](int logical, int limit) {
        return std::min(limit - 1, int((logical + 0.5) * ratio));
    };
    opaque_.resize(std::size_t(size_.width()) * std::size_t(size_.height()));
    for (int y = 0; y < size_.height(); ++y) {
        const auto* line =
            reinterpret_cast<const QRgb*>(argb.constScanLine(devicePixel(y, argb.height())));
        for (int x = 0; x < size_.width(); ++x) {
            opaque_[std::size_t(y) * std::size_t(size_.width()) + std::size_t(x)] =
                !isTransparentPixel(picture, line[devicePixel(x, argb.width())], transparentColor);
        }
    }
}

bool HitMask::isOpaque(QPoint point) const {
    if (point.x() < 0 || point.y() < 0 || point.x() >= size_.width() ||
        point.y() >= size_.height()) {
        return false;
    }
    return opaque_[std::size_t(point.y()) * std::size_t(size_.width()) + std::size_t(point.x())];
}

QImage withTransparency(const QImage& picture, std::uint32_t transparentColor) {
    if (picture.hasAlphaChannel()) {
        return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if (hasColor(line[x], transparentColor)) {
                line[x] = 0;
            } else {
                line[x] |= 0xFF000000u;
            }
        }
    }
    return result;
}

bool hitTest(const std::optional<HitMask>& mask, QPoint point) {
    return !mask || mask->isOpaque(point);
}

Picture choosePicture(State state, bool over, bool hasDown, bool hasOver, bool hasDisabled) {
    switch (state) {
        case State::Disabled:
            return hasDisabled ? Picture::Disabled : Picture::Up;
        case State::Down:
            return hasDown ? Picture::Down : Picture::Up;
        case State::Up:
            break;
    }
    return over && hasOver ? Picture::Over : Picture::Up;
}

bool ButtonState::moveTo(bool hit) {
    const bool changed = over_ != hit;
    over_ = hit;
    return changed && state_ != State::Down;
}

bool ButtonState::leave() {
    over_ = false;
    return state_ != State::Down;
}

bool ButtonState::press(bool leftButton, bool hit) {
    if (!leftButton || !enabled_ || !hit) {
        return false;
    }
    state_ = State::Down;
    return true;
}

ButtonState::Release ButtonState::release(bool hit) {
    Release result;
    if (state_ == State::Down) {
        state_ = State::Up;
        result.redraw = true;
    }
    if (hit && enabled_) {
        if (!over_) {
            result.redraw = true;
        }
        over_ = true;
        result.click = true;
    }
    return result;
}

bool ButtonState::setEnabled(bool enabled) {
    if (enabled == enabled_) {
        return false;
    }
    enabled_ = enabled;
    state_ = enabled ? State::Up : State::Disabled;
    return true;
}

}  // namespace lentora::picture_button
