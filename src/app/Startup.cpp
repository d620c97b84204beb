#include "app/Startup.h"

#include "app/LentoraWindowFactory.h"
#include "app/TPagrindineForma.h"
#include "platform/FileListing.h"
#include "platform/ProgramPaths.h"
#include "platform/QtServices.h"
#include "platform/Services.h"
#include "platform/Translations.h"

#include <QApplication>

namespace lentora {

int runProgram(int argc, char* argv[]) {
    QApplication application(argc, argv);
    seedRandomFromClock();
    setProgramPaths(ProgramPaths::forDirectory(QCoreApplication::applicationDirPath()));
    // Only the name: a display name would be added to every window's caption.
    QCoreApplication::setApplicationName(QStringLiteral("Lentora"));
    installLithuanianTranslations();
    installQtServices();
    TPagrindineForma window(std::make_unique<LentoraWindowFactory>());
    window.show();
    return application.exec();
}

}  // namespace lentora
