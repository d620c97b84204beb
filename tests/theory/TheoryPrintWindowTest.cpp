// SPDX-License-Identifier: GPL-3.0-or-later
#include "theory/TheoryText.h"

#include "platform/TextPrinting.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lentora::theory {
namespace {

QStringList words(const QString& text) {
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// The printed job, read back from a PDF: every line in order, without the markup, long lines
// wrapped and further sheets started.
TEST(TheoryPrintJob, PrintsEveryLineInOrderWithoutMarkup) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    QByteArray memo =
        "@Nosin\xeb"
        "s raid\xebs#\r\n";
    for (int i = 1; i <= 90; ++i) {
        memo += "Eilut\xeb " + QByteArray::number(i) +
                ": ra\xf0ome @\xe0#, @\xe6#, @\xeb#, "
                "@\xe1#, @\xf8#.\r\n";
    }
    QByteArray longLine = "Ilga eilut\xeb";
    for (int i = 0; i < 60; ++i) {
        longLine += " \xfeodis" + QByteArray::number(i);
    }
    memo += longLine + "\r\n@Pabaiga#";
    const QStringList lines = printLines(memo);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("teorija.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printTextLines(printer, lines);

    QProcess process;
    process.start(pdftotext,
                  {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(60000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_GE(text.count(QLatin1Char('\f')), 2) << "expected more than one sheet";
    EXPECT_FALSE(text.contains(QLatin1Char('@')) || text.contains(QLatin1Char('#')));
    EXPECT_EQ(words(text), words(lines.join(QLatin1Char('\n'))));
    EXPECT_TRUE(text.contains(QStringLiteral("Eilutė 90: rašome ą, ę, ė, į, ų.")));
}

}  // namespace
}  // namespace lentora::theory
