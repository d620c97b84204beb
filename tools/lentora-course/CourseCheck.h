// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// `lentora-course check`: reads a program directory as the program will and lists what would
// make an item unreachable, unscorable or unreadable (errors) or is likely a slip (warnings).

#include <QString>
#include <QStringList>

#include <vector>

namespace lentora::course {

enum class Severity { Warning, Error };

struct Finding {
    Severity severity = Severity::Error;
    QString file;   // relative to the program directory
    QString place;  // "line 3", "record 61", or empty for the whole file
    QString text;
};

struct CheckReport {
    std::vector<Finding> findings;
    QStringList notes;  // what was measured with which face

    int count(Severity severity) const;
    bool hasErrors() const { return count(Severity::Error) > 0; }
};

CheckReport checkProgramDir(const QString& programDir);

// "error: Data/Meniu.cds, record 6: ..."
QString describeFinding(const Finding& finding);

// The findings to print: the warnings about what is drawn cut only at the largest font size,
// which the unchanged course has in numbers, summed up in one warning per table; every other
// finding as it is, in order.
std::vector<Finding> summariseLargestSizeWarnings(const std::vector<Finding>& findings);

}  // namespace lentora::course
