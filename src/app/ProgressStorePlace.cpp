// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgressStorePlace.h"

#include "platform/ProgramPaths.h"
#include "progress/CourseVersion.h"
#include "progress/ServerProgressStore.h"
#include "progress/SqliteProgressStore.h"

#include <QDir>
#include <QStandardPaths>

namespace lentora {

QString progressDatabasePath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return QDir(folder).filePath(QStringLiteral("progress.sqlite"));
}

std::unique_ptr<progress::ProgressStore> openProgressStore(const QString& databasePath,
                                                           progress::ProgressReport report) {
    return std::make_unique<progress::SqliteProgressStore>(databasePath, std::move(report));
}

std::unique_ptr<progress::ProgressStore> openClassStore(const progress::ClassServer& server,
                                                        const QString& login,
                                                        const QString& password,
                                                        progress::ProgressReport report) {
    return std::make_unique<progress::ServerProgressStore>(
        server, login, password,
        std::make_unique<progress::SqliteProgressStore>(
            progress::ServerProgressStore::queuePath(login), report),
        progress::ServerProgressStore::sentPath(login), std::move(report));
}

QString courseVersionOfProgram(const QString& programDir) {
    return progress::courseVersionOf(resolvePath(joinPath(programDir, QStringLiteral("Data"))));
}

}  // namespace lentora
