#include "platform/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

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

}  // namespace lentora
