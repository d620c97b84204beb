// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace lentora::theory {

// Which pair of pages the book shows and where each page of the spreads seen so far begins.
// The right page of a spread records where the next spread starts, so going forward follows
// the layout just drawn and going back returns to the spreads recorded before.
class SpreadState {
public:
    static constexpr int kSpreadCount = 1000;

    int spreadNo() const { return spreadNo_; }
    int leftPageStart() const { return spreadStart_[spreadNo_]; }
    int rightPageStart() const { return leftPageEnd_[spreadNo_]; }

    void reset();
    void leftPageLaidOut(int endIndex);
    // Records where the next spread begins and updates the arrows.
    void rightPageLaidOut(int endIndex, int tokenCount);

    bool previousVisible() const { return previousVisible_; }
    bool nextVisible() const { return nextVisible_; }

    // Move by one spread within 0..999; false when already at the end.
    bool turnBack();
    bool turnForward();

private:
    static std::uint16_t clampIndex(int index);

    int spreadNo_ = 0;
    std::array<std::uint16_t, kSpreadCount> spreadStart_{};
    std::array<std::uint16_t, kSpreadCount> leftPageEnd_{};
    bool previousVisible_ = false;
    bool nextVisible_ = false;
};

}  // namespace lentora::theory
