// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/WindowFactory.h"

namespace lentora {

// The program's real windows, one registration per window kind.
class LentoraWindowFactory : public WindowFactory {
public:
    LentoraWindowFactory();
};

}  // namespace lentora
