// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ProgramPaths.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace lentora::testing {

// A fresh, empty program directory that programPaths() points at while the object lives;
// the previous paths come back and the directory is removed afterwards.
class TempProgramDir {
public:
    TempProgramDir();
    ~TempProgramDir();
    TempProgramDir(const TempProgramDir&) = delete;
    TempProgramDir& operator=(const TempProgramDir&) = delete;

    bool isValid() const { return dir_.isValid(); }
    // The directory, ending with '/'.
    QString path() const;
    // Absolute path of a relative name ('/' or '\' separators).
    QString filePath(const QString& relative) const;

    // Writes bytes to a relative path, creating its directories; returns the absolute path.
    QString writeFile(const QString& relative, const QByteArray& bytes) const;
    // Copies an existing file in; returns the absolute path of the copy.
    QString copyFile(const QString& source, const QString& relative) const;
    // Creates a directory (and its parents); returns its absolute path ending with '/'.
    QString makeDir(const QString& relative) const;

private:
    QTemporaryDir dir_;
    ProgramPaths previous_;
};

}  // namespace lentora::testing
