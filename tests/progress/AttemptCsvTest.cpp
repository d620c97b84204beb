// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/AttemptCsv.h"
#include "progress/CourseVersion.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using lentora::progress::AttemptSummary;

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

TEST(AttemptCsv, OneQuotedLinePerAttemptAfterABomAndAHeader) {
    AttemptSummary plain;
    plain.menuPath = "Rašyba > Nosinės";
    plain.started = QDateTime(QDate(2024, 3, 5), QTime(9, 7, 2));
    plain.ended = plain.started.addSecs(61);
    plain.points = {6, 8};
    plain.grade = 8;
    AttemptSummary awkward = plain;
    awkward.menuPath = "Skyryba; \"kabutės\"\nir eilutės";
    awkward.grade = 0;
    awkward.incomplete = true;
    QTemporaryDir dir;
    const QString path = dir.filePath("ona.csv");
    EXPECT_EQ(lentora::progress::writeAttemptsCsv(path, "Ona", {plain, awkward}), "");
    EXPECT_EQ(
        readBytes(path),
        QByteArray("\xEF\xBB\xBF") +
            QString(
                "Mokinys;Tema;Pradžia;Pabaiga;Taškai;Daugiausia taškų;Įvertinimas;Neužbaigtas\r\n"
                "Ona;Rašyba > Nosinės;2024-03-05 09:07:02;2024-03-05 09:08:03;6;8;8;ne\r\n"
                "Ona;\"Skyryba; \"\"kabutės\"\"\nir eilutės\";2024-03-05 09:07:02;"
                "2024-03-05 09:08:03;6;8;;taip\r\n")
                .toUtf8());

    const QString error =
        lentora::progress::writeAttemptsCsv(dir.filePath("nėra/ona.csv"), "Ona", {plain});
    EXPECT_TRUE(error.contains("nėra")) << error.toStdString();
}

// The hash follows the tables' bytes and names (letter case aside), nothing else of the folder.
TEST(CourseVersion, HashesTheTablesOnly) {
    QTemporaryDir dir;
    writeBytes(dir.filePath("Meniu.cds"), "meniu");
    writeBytes(dir.filePath("PaprTest.CDS"), "testai");
    const QString version = lentora::progress::courseVersionOf(dir.path());
    EXPECT_EQ(version.size(), 40);
    writeBytes(dir.filePath("Kursas.txt"), "kita");
    EXPECT_EQ(lentora::progress::courseVersionOf(dir.path()), version);
    QFile::rename(dir.filePath("Meniu.cds"), dir.filePath("MENIU.cds"));
    EXPECT_EQ(lentora::progress::courseVersionOf(dir.path()), version);
    writeBytes(dir.filePath("PaprTest.CDS"), "testaI");
    EXPECT_NE(lentora::progress::courseVersionOf(dir.path()), version);
}

}  // namespace
