// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdlib>

namespace lentora {

// What a fuzz target asserts: a broken rule stops the run, and libFuzzer keeps the input.
inline void check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

}  // namespace lentora
