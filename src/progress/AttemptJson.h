// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/Attempt.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace lentora::progress {

// One attempt as one line of JSON (no line break inside), as the pending journal keeps it. The
// exercises' `shown` snapshots go in base64, so any bytes survive.
QByteArray attemptToJson(const Attempt& attempt);

// The attempt of a line written by attemptToJson; none for a broken, truncated or foreign line.
std::optional<Attempt> attemptFromJson(QByteArrayView line);

}  // namespace lentora::progress
