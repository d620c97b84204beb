// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lentora::progress {

// Which tables an attempt was done with: the SHA-1 (hex) of the course's table files, the
// "*.cds" files of its data directory (names without regard to letter case, in their lower-case
// order), each by its lower-case name, its size and its bytes. A table that cannot be read
// counts by its name alone, so the hash still tells the course apart.
QString courseVersionOf(const QString& dataDirectory);

}  // namespace lentora::progress
