// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgramPaths.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <QUuid>

#include <optional>

namespace lentora {

namespace {

QString withSlashes(QString path) {
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

QString asDirectory(QString path) {
    path = withSlashes(std::move(path));
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/'))) {
        path += QLatin1Char('/');
    }
    return path;
}

std::optional<ProgramPaths>& storedPaths() {
    static std::optional<ProgramPaths> paths;
    return paths;
}

// The entry of `directory` named like `name` without regard to case: the exact name when it
// exists, otherwise the first case-insensitive match in byte order.
std::optional<QString> matchEntry(const QString& directory, const QString& name) {
    const QString base = directory.isEmpty() ? QStringLiteral(".") : directory;
    if (QFileInfo::exists(base + QLatin1Char('/') + name)) {
        return name;
    }
    const QStringList entries = QDir(base).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return entry;
        }
    }
    return std::nullopt;
}

}  // namespace

ProgramPaths ProgramPaths::forDirectory(const QString& programDir) {
    ProgramPaths paths;
    paths.programDir = asDirectory(programDir);
    paths.settingsFile = paths.programDir + QStringLiteral("LENTORA.INI");
    paths.testaiDir = paths.programDir + QStringLiteral("Testai/");
    paths.menuFile = paths.programDir + QStringLiteral("meniu.mnu");
    paths.ivertDir = paths.programDir + QStringLiteral("Ivert/");
    paths.teorijaDir = paths.testaiDir + QStringLiteral("Teorija/");
    paths.nesiojPiesinDir = paths.testaiDir + QStringLiteral("Nesioj/PIESIN/");
    paths.isbraukDir = paths.testaiDir + QStringLiteral("Isbrauk/");
    paths.paprDir = paths.testaiDir + QStringLiteral("Papr/");
    paths.apieDir = paths.testaiDir + QStringLiteral("Apie/");
    paths.helpFile = paths.programDir + QStringLiteral("Pagalba/pagalba.hlp");
    paths.programDirWritable = QFileInfo(paths.programDir).isWritable();
    const QString userConfig = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (!userConfig.isEmpty()) {
        paths.userSettingsFile = userConfig + QLatin1Char('/') + courseId(paths.programDir) +
                                 QStringLiteral("/LENTORA.INI");
    }
    paths.systemSettingsFile = QStringLiteral("/etc/lentora/LENTORA.INI");
    return paths;
}

const ProgramPaths& programPaths() {
    std::optional<ProgramPaths>& paths = storedPaths();
    if (!paths) {
        // Until start-up sets them, the paths follow the executable's directory.
        const QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                         : QDir::currentPath();
        paths = ProgramPaths::forDirectory(dir);
    }
    return *paths;
}

void setProgramPaths(const ProgramPaths& paths) {
    storedPaths() = paths;
}

QString joinPath(const QString& directory, const QString& relative) {
    const QString dir = withSlashes(directory);
    QString rest = withSlashes(relative);
    if (dir.isEmpty()) {
        return rest;
    }
    while (rest.startsWith(QLatin1Char('/'))) {
        rest.remove(0, 1);
    }
    return dir.endsWith(QLatin1Char('/')) ? dir + rest : dir + QLatin1Char('/') + rest;
}

QString resolvePath(const QString& path) {
    const QString normalized = withSlashes(path);
    if (normalized.isEmpty() || QFileInfo::exists(normalized)) {
        return normalized;
    }
    const bool absolute = normalized.startsWith(QLatin1Char('/'));
    const bool trailingSlash = normalized.endsWith(QLatin1Char('/'));
    const QStringList parts = normalized.split(QLatin1Char('/'), Qt::SkipEmptyParts);

    QString resolved = absolute ? QStringLiteral("/") : QString();
    for (const QString& part : parts) {
        QString next;
        if (part == QLatin1String(".") || part == QLatin1String("..")) {
            next = part;
        } else {
            // The directory listed so far, without its trailing separator (but "/" for root).
            QString directory = resolved;
            if (directory.size() > 1 && directory.endsWith(QLatin1Char('/'))) {
                directory.chop(1);
            }
            const std::optional<QString> entry = matchEntry(directory, part);
            if (!entry) {
                return normalized;
            }
            next = *entry;
        }
        if (!resolved.isEmpty() && !resolved.endsWith(QLatin1Char('/'))) {
            resolved += QLatin1Char('/');
        }
        resolved += next;
    }
    if (trailingSlash && !resolved.endsWith(QLatin1Char('/'))) {
        resolved += QLatin1Char('/');
    }
    return resolved;
}

QString courseId(const QString& programDir) {
    QFile file(resolvePath(joinPath(programDir, QLatin1String(kCourseIdFile))));
    if (QFileInfo(file.fileName()).isFile() && file.open(QIODevice::ReadOnly)) {
        // Only a UUID: the id becomes a folder name, so nothing else from the file reaches it.
        const QUuid id = QUuid::fromString(QString::fromLatin1(file.readLine(200).trimmed()));
        if (!id.isNull()) {
            return id.toString(QUuid::WithoutBraces);
        }
    }
    const QString canonical = QFileInfo(programDir).canonicalFilePath();
    const QString place =
        canonical.isEmpty() ? QFileInfo(programDir).absoluteFilePath() : canonical;
    const QByteArray hash = QCryptographicHash::hash(place.toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("dir-") + QString::fromLatin1(hash.toHex().left(32));
}

}  // namespace lentora
