// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/PendingJournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lentora::progress {

namespace {

constexpr char kAsideMark[] = ".taking-";
// A journal set aside larger than this is not read (and so never removed): no unbounded
// allocation for a file that is no journal.
constexpr qint64 kLargestJournal = qint64(512) << 20;

QString errnoText() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

void syncDirectoryOf(const QString& path) {
    const int fd = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The journal opened and locked, the very file at its path: another program may have moved
// the file aside between the open and the lock.
int openLocked(const QString& path, int flags) {
    const QByteArray name = QFile::encodeName(path);
    for (int tries = 0; tries < 100; ++tries) {
        const int fd = ::open(name.constData(), flags | O_CLOEXEC, 0600);
        if (fd < 0) {
            return -1;
        }
        if (::flock(fd, LOCK_EX) != 0) {
            const int saved = errno;
            ::close(fd);
            errno = saved;
            return -1;
        }
        struct stat opened {};
        struct stat named {};
        if (::fstat(fd, &opened) == 0 && ::stat(name.constData(), &named) == 0 &&
            opened.st_ino == named.st_ino && opened.st_dev == named.st_dev) {
            return fd;
        }
        ::close(fd);  // moved aside meanwhile: open the one at the path now
    }
    errno = EAGAIN;
    return -1;
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += written;
    }
    return true;
}

}  // namespace

PendingJournal::PendingJournal(QString path) : path_(std::move(path)) {}

bool PendingJournal::append(const QByteArray& line, QString* error) {
    const int fd = openLocked(path_, O_RDWR | O_APPEND | O_CREAT);
    if (fd < 0) {
        *error = errnoText();
        return false;
    }
    struct stat before {};
    ::fstat(fd, &before);
    QByteArray bytes = line + '\n';
    // A line cut short by a crash must not swallow this one.
    char last = '\n';
    if (before.st_size > 0 && ::pread(fd, &last, 1, before.st_size - 1) == 1 && last != '\n') {
        bytes.prepend('\n');
    }
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    if (!written) {
        *error = errnoText();
        if (::ftruncate(fd, before.st_size) == 0) {
            ::fsync(fd);
        }
    }
    ::close(fd);
    if (written && before.st_size == 0) {
        syncDirectoryOf(path_);  // a new file: its name must outlive a crash too
    }
    return written;
}

PendingJournal::Taken PendingJournal::take() {
    const QFileInfo info(path_);
    const int fd = openLocked(path_, O_RDWR);
    if (fd >= 0) {
        const QString aside =
            path_ + kAsideMark + QUuid::createUuid().toString(QUuid::WithoutBraces);
        if (::rename(QFile::encodeName(path_).constData(), QFile::encodeName(aside).constData()) ==
            0) {
            syncDirectoryOf(path_);
        }
        ::close(fd);
    }
    Taken taken;
    const QStringList asides = info.dir().entryList({info.fileName() + kAsideMark + '*'},
                                                    QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& name : asides) {
        QFile file(info.dir().filePath(name));
        if (file.size() > kLargestJournal || !file.open(QIODevice::ReadOnly)) {
            continue;
        }
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (!line.trimmed().isEmpty()) {
                taken.lines.push_back(line);
            }
        }
        taken.files.push_back(file.fileName());
    }
    return taken;
}

bool PendingJournal::finish(const Taken& taken, const std::vector<QByteArray>& unwritten,
                            QString* error) {
    for (const QByteArray& line : unwritten) {
        if (!append(line, error)) {
            return false;
        }
    }
    for (const QString& file : taken.files) {
        QFile::remove(file);
    }
    if (!taken.files.isEmpty()) {
        syncDirectoryOf(path_);
    }
    return true;
}

}  // namespace lentora::progress
