// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/Attempt.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace lentora::progress {

// A learner's attempts for a teacher's spreadsheet: UTF-8 with a byte order mark, ';' between
// fields, a header row, one attempt a line (CR LF), a field quoted when it holds ';', '"' or a
// line break.
QByteArray attemptsCsv(const QString& learnerName, const std::vector<AttemptSummary>& attempts);

// Writes attemptsCsv() to the file whole or not at all; the error text, empty when written.
QString writeAttemptsCsv(const QString& path, const QString& learnerName,
                         const std::vector<AttemptSummary>& attempts);

}  // namespace lentora::progress
