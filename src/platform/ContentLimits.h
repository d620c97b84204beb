// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lentora {

// Sizes and places from the content are cut to this, so broken content cannot ask for a
// window or control beyond any screen.
inline constexpr int kMaxContentExtent = 4000;

// A number from the content as a whole number within [low, high] (NaN gives low).
int clampedInt(double value, int low, int high);

}  // namespace lentora
