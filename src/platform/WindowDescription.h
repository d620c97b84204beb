// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lentora {

// What every window kind says of itself in one place: where its settings live, the font it is
// designed for and its help topic. Each kind's own description (beside its session) holds one,
// and the window, the settings dialog, the course checker and the tests read it.
struct WindowDescription {
    const char* settingsSection;  // code page 1257, as in the settings file
    int defaultFontPoints;        // when the section names no size
    const char* designFace;       // when the section names no face
    int helpTopic;
};

}  // namespace lentora
