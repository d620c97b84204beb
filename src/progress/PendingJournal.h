// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace lentora::progress {

// The attempts a store could not write at once: a file of one line each, appended and synced.
// Several programs may append to it while one of them takes it to write its lines elsewhere:
// taking moves the file aside under a lock, so no append is lost, and the file set aside is
// removed only after its lines are kept, so a crash in between loses nothing (it is taken again,
// and the store's ids make a second write harmless).
class PendingJournal {
public:
    explicit PendingJournal(QString path);

    const QString& path() const { return path_; }

    // Appends the line (it must hold no line break) and syncs it to the disk. On failure the
    // file is left as it was and `error` tells why.
    bool append(const QByteArray& line, QString* error);

    struct Taken {
        std::vector<QByteArray> lines;  // non-empty lines, each once per file it was in
        QStringList files;              // the files set aside, this time and by any before
    };
    // Moves the journal aside and reads it, with what earlier takes left unfinished.
    Taken take();
    // After the taken lines are kept: `unwritten` go back to the journal, then the taken files
    // are removed. False when a line could not go back (its file then stays, to be taken again).
    bool finish(const Taken& taken, const std::vector<QByteArray>& unwritten, QString* error);

private:
    QString path_;
};

}  // namespace lentora::progress
