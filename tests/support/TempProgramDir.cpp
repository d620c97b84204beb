// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lentora::testing {

TempProgramDir::TempProgramDir() : previous_(programPaths()) {
    ProgramPaths paths = ProgramPaths::forDirectory(path());
    // Only the directory's own file: a machine's /etc/lentora must not change what tests see.
    paths.systemSettingsFile.clear();
    paths.userSettingsFile.clear();
    setProgramPaths(paths);
}

TempProgramDir::~TempProgramDir() {
    setProgramPaths(previous_);
}

QString TempProgramDir::path() const {
    return dir_.path() + QLatin1Char('/');
}

QString TempProgramDir::filePath(const QString& relative) const {
    return joinPath(path(), relative);
}

QString TempProgramDir::writeFile(const QString& relative, const QByteArray& bytes) const {
    const QString target = filePath(relative);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile file(target);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes);
    }
    return target;
}

QString TempProgramDir::copyFile(const QString& source, const QString& relative) const {
    const QString target = filePath(relative);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile::remove(target);
    QFile::copy(source, target);
    return target;
}

QString TempProgramDir::makeDir(const QString& relative) const {
    QString target = filePath(relative);
    QDir().mkpath(target);
    if (!target.endsWith(QLatin1Char('/'))) {
        target += QLatin1Char('/');
    }
    return target;
}

}  // namespace lentora::testing
