// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QStringList>

class QPaintDevice;
class QPrinter;

namespace lentora {

// The font plain-text jobs are printed in.
QFont printFont();

// Breaks each line into the pieces that fit `width` device pixels of `device` in `font`: at
// word boundaries where possible, inside a word that is wider than the whole width. An empty
// line stays one empty piece.
QStringList wrapPrintLines(const QStringList& lines, const QFont& font, qreal width,
                           QPaintDevice* device);

// Prints the lines one under another from the top of the printable area, continuing a line
// that is too wide on the next line and starting a new sheet when a page is full.
// Throws Error when the printer cannot start the job.
void printTextLines(QPrinter& printer, const QStringList& lines);

}  // namespace lentora
