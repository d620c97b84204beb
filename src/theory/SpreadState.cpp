// SPDX-License-Identifier: GPL-3.0-or-later
#include "theory/SpreadState.h"

#include <algorithm>
#include <limits>

namespace lentora::theory {

void SpreadState::reset() {
    *this = SpreadState();
}

std::uint16_t SpreadState::clampIndex(int index) {
    // A 6000-byte text gives far fewer tokens than this; the clamp only keeps the tables sane.
    return static_cast<std::uint16_t>(
        std::clamp(index, 0, int(std::numeric_limits<std::uint16_t>::max())));
}

void SpreadState::leftPageLaidOut(int endIndex) {
    leftPageEnd_[spreadNo_] = clampIndex(endIndex);
}

void SpreadState::rightPageLaidOut(int endIndex, int tokenCount) {
    if (spreadNo_ < kSpreadCount - 1) {
        spreadStart_[spreadNo_ + 1] = clampIndex(endIndex);
    }
    previousVisible_ = spreadNo_ > 0;
    nextVisible_ = tokenCount > endIndex + 1;
}

bool SpreadState::turnBack() {
    if (spreadNo_ == 0) {
        return false;
    }
    --spreadNo_;
    return true;
}

bool SpreadState::turnForward() {
    if (spreadNo_ >= kSpreadCount - 1) {
        return false;
    }
    ++spreadNo_;
    return true;
}

}  // namespace lentora::theory
