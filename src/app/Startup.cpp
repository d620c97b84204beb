// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Startup.h"

#include "app/LentoraWindowFactory.h"
#include "app/StartOptions.h"
#include "app/TPagrindineForma.h"
#include "platform/FileListing.h"
#include "platform/ProgramPaths.h"
#include "platform/QtServices.h"
#include "platform/Services.h"
#include "platform/Translations.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>

namespace lentora {

namespace {

QStringList argumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(QString::fromLocal8Bit(argv[i]));
    }
    return arguments;
}

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

}  // namespace

int runProgram(int argc, char* argv[]) {
    const QString environmentCourse = qEnvironmentVariable("LENTORA_COURSE");
    // Help and version are answered before the application exists, so they need no display.
    StartOptions options = parseStartOptions(argumentsOf(argc, argv), environmentCourse, false);
    if (options.action == StartOptions::Action::Help) {
        print(stdout, helpText());
        return 0;
    }
    if (options.action == StartOptions::Action::Version) {
        print(stdout, versionText());
        return 0;
    }
    QApplication application(argc, argv);
    if (options.action != StartOptions::Action::Fail) {
        // Qt has taken its own options by now; whatever is left must be ours.
        options = parseStartOptions(QCoreApplication::arguments().mid(1), environmentCourse, true);
    }
    if (options.action == StartOptions::Action::Fail) {
        print(stderr, QStringLiteral("lentora: %1\nTry 'lentora --help'.\n").arg(options.message));
        return 2;
    }
    seedRandomFromClock();
    // Only the name: a display name would be added to every window's caption. It also names
    // the user's settings folder, so it comes before the paths.
    QCoreApplication::setApplicationName(QStringLiteral("Lentora"));
    installLithuanianTranslations();
    installQtServices();
    QString programDir = QCoreApplication::applicationDirPath();
    if (!options.courseDir.isEmpty()) {
        if (const std::optional<CourseProblem> problem =
                courseDirectoryProblem(options.courseDir)) {
            print(stderr, QStringLiteral("lentora: %1\n").arg(problem->terminalText));
            services().messages->showError(problem->boxText);
            return 1;
        }
        programDir = QFileInfo(options.courseDir).absoluteFilePath();
    }
    setProgramPaths(ProgramPaths::forDirectory(programDir));
    TPagrindineForma window(std::make_unique<LentoraWindowFactory>());
    window.show();
    return application.exec();
}

}  // namespace lentora
