// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace lentora {

// Names (no directory part) of the entries of a directory matching a wildcard pattern such as
// "*.bmp", without regard to letter case, in one fixed order: by name, without regard to case.
QStringList listMatchingFiles(const QString& directory, const QString& pattern);

// The entry reached after `steps` moves through the listing, wrapping to the first entry
// (position steps mod n). Empty when nothing matches.
QString pickRandomFile(const QString& directory, const QString& pattern, int steps);

// The same pick as a path: the directory (letter case resolved) joined with the name; empty when
// nothing matches.
QString pickRandomFilePath(const QString& directory, const QString& pattern, int steps);

// The one process-wide random generator.
void seedRandomFromClock();
void seedRandom(std::uint32_t seed);
// A uniform whole number from 0 to bound - 1 (0 when bound <= 0).
int randomBelow(int bound);

}  // namespace lentora
