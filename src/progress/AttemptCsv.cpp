// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/AttemptCsv.h"

#include <QDir>
#include <QSaveFile>

namespace lentora::progress {

namespace {

QString field(QString text) {
    if (text.contains(';') || text.contains('"') || text.contains('\n') || text.contains('\r')) {
        text.replace('"', QStringLiteral("\"\""));
        return '"' + text + '"';
    }
    return text;
}

QString timeText(const QDateTime& time) {
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                          : QString();
}

}  // namespace

QByteArray csvTable(const QList<QStringList>& rows) {
    QString text;
    for (const QStringList& row : rows) {
        QStringList fields;
        for (const QString& value : row) {
            fields << field(value);
        }
        text += fields.join(';') + QStringLiteral("\r\n");
    }
    return "\xEF\xBB\xBF" + text.toUtf8();
}

QString writeCsvFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        return QStringLiteral("Nepavyko įrašyti failo „%1“: %2")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    }
    return {};
}

QByteArray attemptsCsv(const QString& learnerName, const std::vector<AttemptSummary>& attempts) {
    QList<QStringList> rows{{QStringLiteral("Mokinys"), QStringLiteral("Tema"),
                             QStringLiteral("Pradžia"), QStringLiteral("Pabaiga"),
                             QStringLiteral("Taškai"), QStringLiteral("Daugiausia taškų"),
                             QStringLiteral("Įvertinimas"), QStringLiteral("Neužbaigtas")}};
    for (const AttemptSummary& attempt : attempts) {
        rows.append({learnerName, attempt.menuPath, timeText(attempt.started),
                     timeText(attempt.ended), QString::number(attempt.points.score),
                     QString::number(attempt.points.maxScore),
                     attempt.grade > 0 ? QString::number(attempt.grade) : QString(),
                     attempt.incomplete ? QStringLiteral("taip") : QStringLiteral("ne")});
    }
    return csvTable(rows);
}

QString writeAttemptsCsv(const QString& path, const QString& learnerName,
                         const std::vector<AttemptSummary>& attempts) {
    return writeCsvFile(path, attemptsCsv(learnerName, attempts));
}

}  // namespace lentora::progress
