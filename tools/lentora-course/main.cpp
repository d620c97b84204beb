// SPDX-License-Identifier: GPL-3.0-or-later
// lentora-course <course-dir> <program-dir>: builds the course into the program directory.
// lentora-course check [--all] <program-dir>: lists what the program would find wrong there;
// what is drawn cut only at the largest font size is summed up per table unless --all.
// lentora-course import <program-dir> <course-dir>: turns a program directory into sources.

#include "CourseBuilder.h"
#include "CourseCheck.h"
#include "CourseImport.h"

#include "platform/Error.h"

#include <QGuiApplication>

#include <cstdio>

namespace {

using namespace lentora::course;

int check(const QString& programDir, bool all) {
    const CheckReport report = checkProgramDir(programDir);
    for (const QString& note : report.notes) {
        std::printf("note: %s\n", qPrintable(note));
    }
    for (const Finding& finding :
         all ? report.findings : summariseLargestSizeWarnings(report.findings)) {
        std::printf("%s\n", qPrintable(describeFinding(finding)));
    }
    std::printf("%d errors, %d warnings\n", report.count(Severity::Error),
                report.count(Severity::Warning));
    return report.hasErrors() ? 1 : 0;
}

int import(const QString& programDir, const QString& courseDir) {
    const ImportReport report = importProgramDir(programDir, courseDir);
    for (const QString& line : report.notHeld) {
        std::printf("not kept: %s\n", qPrintable(line));
    }
    if (report.notHeld.isEmpty()) {
        std::printf("%d rows, %d files imported\n", report.rows, report.files);
        return 0;
    }
    std::printf(
        "import incomplete: %lld not kept, %d tables unreadable; %d rows, %d files "
        "imported\n",
        static_cast<long long>(report.notHeld.size()), report.unreadableTables, report.rows,
        report.files);
    return 1;
}

int build(const QString& courseDir, const QString& programDir) {
    CourseContext context{QDir(courseDir), QDir(programDir)};
    if (!context.sourceDir.exists()) {
        std::fprintf(stderr, "lentora-course: no course directory %s\n", qPrintable(courseDir));
        return 1;
    }
    const QStringList errors = buildCourseParts(context);
    for (const QString& error : errors) {
        std::fprintf(stderr, "lentora-course: %s\n", qPrintable(error));
    }
    if (!errors.isEmpty()) {
        std::fprintf(stderr, "lentora-course: %lld errors; the program directory is incomplete\n",
                     static_cast<long long>(errors.size()));
        return 1;
    }
    std::printf("%s\n", qPrintable(describeBuiltCourse(context)));
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Text is drawn and measured, which needs a GUI application; the tool shows no window, so
    // it runs offscreen unless told otherwise and works without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    try {
        if (arguments.size() == 3 && arguments.at(1) == QLatin1String("check")) {
            return check(arguments.at(2), false);
        }
        if (arguments.size() == 4 && arguments.at(1) == QLatin1String("check") &&
            arguments.at(2) == QLatin1String("--all")) {
            return check(arguments.at(3), true);
        }
        if (arguments.size() == 4 && arguments.at(1) == QLatin1String("import")) {
            return import(arguments.at(2), arguments.at(3));
        }
        if (arguments.size() == 3) {
            return build(arguments.at(1), arguments.at(2));
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lentora-course: %s\n", error.what());
        return 1;
    }
    std::fprintf(stderr,
                 "usage: lentora-course <course-dir> <program-dir>\n"
                 "       lentora-course check [--all] <program-dir>\n"
                 "       lentora-course import <program-dir> <course-dir>\n");
    return 2;
}
