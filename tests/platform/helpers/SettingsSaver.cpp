// SPDX-License-Identifier: GPL-3.0-or-later
// Saves the settings file given as its argument again and again, switching the background
// picture between Fonas1 and Fonas2, until it is killed. Says "saving" once it has begun.
#include "platform/IniFile.h"

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: settings_saver FILE\n", stderr);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    for (bool told = false;; told = true) {
        lentora::IniFile settings(path);
        const bool first = settings.readText("Fonas", "Fono failas", "") == "Fonas1";
        settings.setText("Fonas", "Fono failas", first ? "Fonas2" : "Fonas1");
        settings.save();
        if (!told) {
            std::puts("saving");
            std::fflush(stdout);
        }
    }
}
