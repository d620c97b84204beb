// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "progress/ClassServer.h"
#include "progress/ProgressStore.h"

#include <QString>

#include <memory>

namespace lentora {

// The one place the program makes its progress store: the learner's own SQLite file,
// progress.sqlite in the user's application data folder (never the program directory).
// A class server is one more store made here.
QString progressDatabasePath();
std::unique_ptr<progress::ProgressStore> openProgressStore(const QString& databasePath,
                                                           progress::ProgressReport report);

// A class server's store for a login: its queue in the user's application data folder.
std::unique_ptr<progress::ProgressStore> openClassStore(const progress::ClassServer& server,
                                                        const QString& login,
                                                        const QString& password,
                                                        progress::ProgressReport report);

// A hash of the course's tables, which names the course's version in its attempts.
QString courseVersionOfProgram(const QString& programDir);

}  // namespace lentora
