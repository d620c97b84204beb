// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/Attempt.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace lentora::progress {

// A learner's attempts for a teacher's spreadsheet: UTF-8 with a byte order mark, ';' between
// fields, a header row, one attempt a line (CR LF), a field quoted when it holds ';', '"' or a
// line break.
// Rows as such a table: the byte order mark, then each row's fields between ';', each field
// quoted when it holds ';', '"' or a line break, CR LF after each row.
QByteArray csvTable(const QList<QStringList>& rows);
// Writes the bytes to the file whole or not at all; the error text, empty when written.
QString writeCsvFile(const QString& path, const QByteArray& bytes);

QByteArray attemptsCsv(const QString& learnerName, const std::vector<AttemptSummary>& attempts);

// Writes attemptsCsv() to the file whole or not at all; the error text, empty when written.
QString writeAttemptsCsv(const QString& path, const QString& learnerName,
                         const std::vector<AttemptSummary>& attempts);

}  // namespace lentora::progress
