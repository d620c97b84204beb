// lentora-course <course-dir> <program-dir>: builds the sample course into the program directory.

#include "CourseBuilder.h"

#include "platform/Error.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    // Text is drawn into the pictures, which needs a GUI application (offscreen is enough).
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: lentora-course <course-dir> <program-dir>\n");
        return 2;
    }
    using namespace lentora::course;
    CourseContext context{QDir(arguments.at(1)), QDir(arguments.at(2))};
    if (!context.sourceDir.exists()) {
        std::fprintf(stderr, "lentora-course: no course directory %s\n",
                     qPrintable(arguments.at(1)));
        return 1;
    }
    try {
        buildShellContent(context);
        buildTheoryContent(context);
        buildSimpleTestContent(context);
        buildMovableWordsContent(context);
        buildMarkedWordsContent(context);
    } catch (const lentora::Error& error) {
        std::fprintf(stderr, "lentora-course: %s\n", error.what());
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lentora-course: %s\n", error.what());
        return 1;
    }
    return 0;
}
