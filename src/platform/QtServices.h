// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lentora {

// Installs the real Qt implementations of the services (needs a QApplication). Called once at
// start-up.
void installQtServices();

}  // namespace lentora
