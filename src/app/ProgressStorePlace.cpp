// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgressStorePlace.h"

#include "platform/ProgramPaths.h"

#include <QDir>
#include <QStandardPaths>

#if __has_include("progress/SqliteProgressStore.h")
#include "progress/SqliteProgressStore.h"
#define LENTORA_HAS_SQLITE_STORE 1
#endif

namespace lentora {

QString progressDatabasePath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return QDir(folder).filePath(QStringLiteral("progress.sqlite"));
}

std::unique_ptr<progress::ProgressStore> openProgressStore(const QString& databasePath,
                                                           progress::ProgressReport report) {
#ifdef LENTORA_HAS_SQLITE_STORE
    return std::make_unique<progress::SqliteProgressStore>(databasePath, std::move(report));
#else
    (void)databasePath;
    (void)report;
    return nullptr;
#endif
}

QString courseVersionOfProgram(const QString& programDir) {
#ifdef LENTORA_HAS_SQLITE_STORE
    return progress::courseVersionOf(joinPath(programDir, QStringLiteral("Data/")));
#else
    (void)programDir;
    return {};
#endif
}

}  // namespace lentora
