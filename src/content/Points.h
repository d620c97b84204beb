// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace lentora::content {

// The points of one exercise, or the sum of a command list's exercises: what the learner
// scored and what could be scored.
struct Points {
    std::int32_t score = 0;
    std::int32_t maxScore = 0;

    Points& operator+=(const Points& other) {
        score += other.score;
        maxScore += other.maxScore;
        return *this;
    }
    friend bool operator==(const Points&, const Points&) = default;
};

}  // namespace lentora::content
