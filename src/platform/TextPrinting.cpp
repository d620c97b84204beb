// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextPrinting.h"

#include "platform/Error.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>

#include <algorithm>

namespace lentora {

QFont printFont() {
    QFont font(QStringLiteral("Liberation Serif"));
    font.setStyleHint(QFont::Serif);
    font.setPointSize(11);
    return font;
}

QStringList wrapPrintLines(const QStringList& lines, const QFont& font, qreal width,
                           QPaintDevice* device) {
    QStringList pieces;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& line : lines) {
        if (line.isEmpty()) {
            pieces.append(QString());
            continue;
        }
        QTextLayout layout(line, font, device);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine textLine = layout.createLine(); textLine.isValid();
             textLine = layout.createLine()) {
            textLine.setLineWidth(std::max<qreal>(width, 1));
            QString piece = line.mid(textLine.textStart(), textLine.textLength());
            // The blanks where the line broke are not printed.
            while (piece.endsWith(QLatin1Char(' '))) {
                piece.chop(1);
            }
            pieces.append(piece);
        }
        layout.endLayout();
    }
    return pieces;
}

void printTextLines(QPrinter& printer, const QStringList& lines) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        throw Error(QStringLiteral("Nepavyko pradėti spausdinimo"));
    }
    const QFont font(printFont(), &printer);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const qreal lineHeight = std::max<qreal>(metrics.lineSpacing(), 1);

    const QStringList pieces = wrapPrintLines(lines, font, page.width(), &printer);
    qreal y = 0;
    for (const QString& piece : pieces) {
        if (y > 0 && y + lineHeight > page.height()) {
            printer.newPage();
            y = 0;
        }
        painter.drawText(QPointF(0, y + metrics.ascent()), piece);
        y += lineHeight;
    }
    painter.end();
}

}  // namespace lentora
