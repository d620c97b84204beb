// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartOptions.h"

#include "platform/ProgramPaths.h"

#include <QFileInfo>

namespace lentora {

namespace {

StartOptions failure(const QString& message) {
    StartOptions options;
    options.action = StartOptions::Action::Fail;
    options.message = message;
    return options;
}

}  // namespace

StartOptions parseStartOptions(const QStringList& arguments, const QString& environmentCourse,
                               bool strict) {
    StartOptions options;
    options.courseDir = environmentCourse;
    const QString courseOption = QStringLiteral("--course");
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            options.action = StartOptions::Action::Help;
            return options;
        }
        if (argument == QLatin1String("--version")) {
            options.action = StartOptions::Action::Version;
            return options;
        }
        if (argument == courseOption || argument.startsWith(courseOption + QLatin1Char('='))) {
            QString value;
            if (argument != courseOption) {
                value = argument.mid(courseOption.size() + 1);
            } else if (i + 1 < arguments.size()) {
                value = arguments.at(++i);
            }
            if (value.isEmpty()) {
                return failure(QStringLiteral("--course needs a course directory"));
            }
            options.courseDir = value;
        } else if (argument.startsWith(QLatin1String("--")) || strict) {
            return failure(QStringLiteral("unknown argument '%1'").arg(argument));
        }
    }
    return options;
}

QString helpText() {
    return QStringLiteral(
        "Usage: lentora [--course DIR]\n"
        "Lentora: theory and exercises in Lithuanian grammar and spelling.\n"
        "\n"
        "  --course DIR  run the course in DIR (a folder with MENIU.MNU) instead of the\n"
        "                course beside the program; LENTORA_COURSE=DIR does the same\n"
        "  -h, --help    show this help and exit\n"
        "  --version     show the version and exit\n"
        "\n"
        "Settings are kept in the course folder's LENTORA.INI; when that folder cannot be\n"
        "written, in ~/.config/Lentora/<course id>/LENTORA.INI, read before\n"
        "/etc/lentora/LENTORA.INI and the course folder's file.\n");
}

QString versionText() {
    return QStringLiteral("Lentora " LENTORA_VERSION "\n");
}

std::optional<CourseProblem> courseDirectoryProblem(const QString& courseDir) {
    if (!QFileInfo(courseDir).isDir()) {
        return CourseProblem{QStringLiteral("%1: no such course directory").arg(courseDir),
                             QStringLiteral("Nėra kurso aplanko %1.").arg(courseDir)};
    }
    if (!QFileInfo(resolvePath(joinPath(courseDir, QStringLiteral("MENIU.MNU")))).isFile()) {
        return CourseProblem{
            QStringLiteral("%1 is not a Lentora course: it holds no MENIU.MNU").arg(courseDir),
            QStringLiteral("Aplanke %1 nėra failo MENIU.MNU: tai ne Lentoros kursas.")
                .arg(courseDir)};
    }
    return std::nullopt;
}

}  // namespace lentora
