// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgressStorePlace.h"

#include "platform/ProgramPaths.h"
#include "progress/ServerProgressStore.h"
#include "progress/SqliteProgressStore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace lentora {

namespace {

// A course's tables are a few megabytes; a larger file counts by its name and size alone.
constexpr qint64 kMaxHashedTableBytes = 64 * 1024 * 1024;

}  // namespace

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
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const QDir data(resolvePath(joinPath(programDir, QStringLiteral("Data"))));
    const QFileInfoList tables =
        data.entryInfoList({QStringLiteral("*.cds")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& table : tables) {
        hash.addData(table.fileName().toLower().toUtf8());
        hash.addData(QByteArray::number(table.size()));
        QFile file(table.filePath());
        if (table.size() <= kMaxHashedTableBytes && file.open(QIODevice::ReadOnly)) {
            hash.addData(&file);
        }
    }
    return QString::fromLatin1(hash.result().toHex());
}

}  // namespace lentora
