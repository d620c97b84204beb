// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/AttemptCsv.h"

#include <QDir>
#include <QSaveFile>
#include <QStringList>

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

QByteArray attemptsCsv(const QString& learnerName, const std::vector<AttemptSummary>& attempts) {
    QString text = QStringLiteral(
        "Mokinys;Tema;Pradžia;Pabaiga;Taškai;Daugiausia taškų;Įvertinimas;Neužbaigtas\r\n");
    for (const AttemptSummary& attempt : attempts) {
        const QStringList fields{
            field(learnerName),
            field(attempt.menuPath),
            timeText(attempt.started),
            timeText(attempt.ended),
            QString::number(attempt.points.score),
            QString::number(attempt.points.maxScore),
            attempt.grade > 0 ? QString::number(attempt.grade) : QString(),
            attempt.incomplete ? QStringLiteral("taip") : QStringLiteral("ne")};
        text += fields.join(';') + QStringLiteral("\r\n");
    }
    return "\xEF\xBB\xBF" + text.toUtf8();
}

QString writeAttemptsCsv(const QString& path, const QString& learnerName,
                         const std::vector<AttemptSummary>& attempts) {
    QSaveFile file(path);
    const QByteArray bytes = attemptsCsv(learnerName, attempts);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        return QStringLiteral("Nepavyko įrašyti failo „%1“: %2")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    }
    return {};
}

}  // namespace lentora::progress
