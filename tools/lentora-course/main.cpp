// lentora-course <course-dir> <program-dir>: builds the course into the program directory.
// lentora-course check <program-dir>: lists what the program would find wrong there.
// lentora-course import <program-dir> <course-dir>: turns a program directory into sources.

#include "CourseBuilder.h"
#include "CourseCheck.h"
#include "CourseImport.h"

#include "platform/Error.h"

#include <QGuiApplication>

#include <cstdio>

namespace {

using namespace lentora::course;

int check(const QString& programDir) {
    const CheckReport report = checkProgramDir(programDir);
    for (const QString& note : report.notes) {
        std::printf("note: %s\n", qPrintable(note));
    }
    for (const Finding& finding : report.findings) {
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
    std::printf("%d rows, %d files imported\n", report.rows, report.files);
    return 0;
}

int build(const QString& courseDir, const QString& programDir) {
    CourseContext context{QDir(courseDir), QDir(programDir)};
    if (!context.sourceDir.exists()) {
        std::fprintf(stderr, "lentora-course: no course directory %s\n", qPrintable(courseDir));
        return 1;
    }
    buildCourse(context);
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
            return check(arguments.at(2));
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
                 "       lentora-course check <program-dir>\n"
                 "       lentora-course import <program-dir> <course-dir>\n");
    return 2;
}
