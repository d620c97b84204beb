// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lentora {

// Seeds the random generator, computes the program paths from the executable's directory,
// installs the Qt services, shows the main window and runs the event loop.
int runProgram(int argc, char* argv[]);

}  // namespace lentora
