// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/CourseVersion.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <algorithm>

namespace lentora::progress {

QString courseVersionOf(const QString& dataDirectory) {
    const QDir directory(dataDirectory);
    QStringList names;
    for (const QString& name : directory.entryList(QDir::Files | QDir::Hidden)) {
        if (name.endsWith(QLatin1String(".cds"), Qt::CaseInsensitive)) {
            names << name;
        }
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.toLower().compare(b.toLower());
        return folded != 0 ? folded < 0 : a < b;
    });
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString& name : names) {
        QFile file(directory.filePath(name));
        hash.addData(name.toLower().toUtf8());
        hash.addData(QByteArrayView("\0", 1));
        if (!file.open(QIODevice::ReadOnly)) {
            hash.addData(QByteArrayView("unreadable\0", 11));
            continue;
        }
        hash.addData(QByteArray::number(file.size()));
        hash.addData(QByteArrayView("\0", 1));
        hash.addData(&file);
    }
    return QString::fromLatin1(hash.result().toHex());
}

}  // namespace lentora::progress
