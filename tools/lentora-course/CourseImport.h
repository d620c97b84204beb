// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// `lentora-course import`: turns a program directory back into course sources.

#include <QString>
#include <QStringList>

namespace lentora::course {

struct ImportReport {
    QStringList notHeld;       // what the sources cannot hold, one line each
    int rows = 0;              // table rows written as sources
    int files = 0;             // pictures, sounds and other files copied to files/
    int unreadableTables = 0;  // tables missing or not readable, also named in notHeld
};

// Writes meniu.txt, meniu-lentele.txt, theory/, tests/, help/ and files/ under courseDir from
// the program directory. Then builds the sources into a scratch directory and reports every
// table whose rows come out otherwise. Throws lentora::Error when a file cannot be written.
ImportReport importProgramDir(const QString& programDir, const QString& courseDir);

}  // namespace lentora::course
