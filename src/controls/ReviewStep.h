// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lentora {

// How the learner left one exercise of a review of mistakes.
enum class ReviewStep { Next, Previous, Close };

}  // namespace lentora
