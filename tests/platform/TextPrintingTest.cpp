// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextPrinting.h"

#include <QFontMetricsF>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lentora;

namespace {

QString pdfText(const QString& pdf) {
    QProcess process;
    process.start("pdftotext", {"-layout", pdf, "-"});
    if (!process.waitForFinished(30000)) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

TEST(TextPrinting, LongLinesWrapAtWordsAndLongWordsBreak) {
    QPrinter printer(QPrinter::HighResolution);
    const QFont font = printFont();
    const QFontMetricsF metrics(font, &printer);
    const qreal width = metrics.horizontalAdvance("abcdefghij") * 2.5;  // about 25 letters

    const QStringList pieces = wrapPrintLines(
        {"short", "", "one two three four five six seven eight nine ten", QString(60, QChar(u'ž'))},
        font, width, &printer);
    ASSERT_GE(pieces.size(), 7);
    EXPECT_EQ(pieces[0], "short");
    EXPECT_EQ(pieces[1], "");
    QString rejoined;
    int index = 2;
    for (; index < pieces.size() && !pieces[index].startsWith(u'ž'); ++index) {
        EXPECT_LE(metrics.horizontalAdvance(pieces[index]), width);
        EXPECT_FALSE(pieces[index].endsWith(' '));
        rejoined += (rejoined.isEmpty() ? "" : " ") + pieces[index];
    }
    EXPECT_EQ(rejoined, "one two three four five six seven eight nine ten");
    QString word;
    for (; index < pieces.size(); ++index) {
        EXPECT_LE(metrics.horizontalAdvance(pieces[index]), width);
        word += pieces[index];
    }
    EXPECT_EQ(word, QString(60, QChar(u'ž')));
}

TEST(TextPrinting, PdfHoldsTheLinesInOrderOnAsManySheetsAsNeeded) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("theory.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));

    QStringList lines;
    lines << "Nosinės raidės ą, ę, į, ų"
          << "";
    for (int i = 1; i <= 150; ++i) {
        lines << QString("Eilutė %1").arg(i);
    }
    printTextLines(printer, lines);

    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains("Nosinės raidės ą, ę, į, ų"));
    EXPECT_LT(text.indexOf("Eilutė 1\n"), text.indexOf("Eilutė 2\n"));
    EXPECT_LT(text.indexOf("Eilutė 99\n"), text.indexOf("Eilutė 150"));
    // 150 lines of 11 pt do not fit one A4 sheet; pdftotext ends each page with a form feed.
    const qsizetype sheets = text.count(QChar('\f'));
    EXPECT_GE(sheets, 2);
    EXPECT_LE(sheets, 4);
}
