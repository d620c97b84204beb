// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ContentLimits.h"

#include <algorithm>
#include <cmath>

namespace lentora {

int clampedInt(double value, int low, int high) {
    if (std::isnan(value)) {
        return low;
    }
    return static_cast<int>(std::clamp(std::trunc(value), double(low), double(high)));
}

}  // namespace lentora
