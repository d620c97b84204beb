// SPDX-License-Identifier: GPL-3.0-or-later
// The marked-words exercises: course/marked/NNN.txt become the rows of Data/TestPabr.cds; the
// mark and erase sounds Testai/Isbrauk/Garsai/BRAUK and TRINT are synthesised here.

#include "CourseBuilder.h"

#include "content/MarkedWordsRow.h"
#include "content/Schema.h"

#include "platform/Error.h"

#include <cmath>
#include <numbers>

namespace lentora::course {

namespace {

[[noreturn]] void fail(const QString& file, int line, const QString& what) {
    throw Error(QStringLiteral("marked/%1, line %2: %3").arg(file).arg(line).arg(what));
}

struct Header {
    QString caption = QStringLiteral("Pratimas");
    QString task;
    bool crossOut = false;
    int outerHeight = 380;
    int outerWidth = 560;
};

int sizeValue(const QString& file, int line, const QString& value) {
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok || number < 200 || number > 1200) {
        fail(file, line, QStringLiteral("a window size from 200 to 1200 pixels"));
    }
    return number;
}

std::vector<content::Value> parseExercise(const QString& file, const QString& source) {
    bool ok = false;
    const int id = QString(file).chopped(4).toInt(&ok);
    if (!ok || file.size() != 7) {
        fail(file, 0, QStringLiteral("the file name must be the exercise number, e.g. 013.txt"));
    }
    const QStringList lines = source.split(QLatin1Char('\n'));
    Header header;
    int lineNumber = 0;
    // The header runs to the first blank line; the text follows it as written.
    for (; lineNumber < lines.size(); ++lineNumber) {
        const QString line = lines[lineNumber].trimmed();
        if (line.isEmpty()) {
            ++lineNumber;
            break;
        }
        if (line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0) {
            fail(file, lineNumber + 1, QStringLiteral("expected 'Key: value'"));
        }
        const QString key = line.left(colon).trimmed();
        const QString value = line.mid(colon + 1).trimmed();
        if (key == QStringLiteral("Antraštė")) {
            header.caption = value;
        } else if (key == QStringLiteral("Užduotis")) {
            header.task = value;
        } else if (key == QStringLiteral("Žymėjimas")) {
            if (value != QStringLiteral("pabraukti") && value != QStringLiteral("išbraukti")) {
                fail(file, lineNumber + 1, QStringLiteral("Žymėjimas is pabraukti or išbraukti"));
            }
            header.crossOut = value == QStringLiteral("išbraukti");
        } else if (key == QStringLiteral("Aukštis")) {
            header.outerHeight = sizeValue(file, lineNumber + 1, value);
        } else if (key == QStringLiteral("Plotis")) {
            header.outerWidth = sizeValue(file, lineNumber + 1, value);
        } else {
            fail(file, lineNumber + 1, QStringLiteral("unknown key '%1'").arg(key));
        }
    }
    if (header.task.isEmpty()) {
        fail(file, 0, QStringLiteral("no Užduotis"));
    }
    QString text = lines.mid(lineNumber).join(QLatin1Char('\n'));
    while (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
    }
    const QByteArray bytes = toContentBytes(text, QStringLiteral("marked/") + file);
    if (bytes.size() > 6000) {
        fail(file, 0, QStringLiteral("the text is longer than 6000 bytes"));
    }
    const QString source_ = QStringLiteral("marked/") + file;
    content::MarkedWordsRow row;
    row.id = id;
    row.caption = toContentBytes(header.caption, source_);
    row.heading = toContentBytes(header.task, source_);
    row.text = bytes;
    row.crossOut = header.crossOut;
    row.outerHeight = header.outerHeight;
    row.outerWidth = header.outerWidth;
    return row.values();
}

// A short pen stroke: filtered noise under a rising (mark) or falling (erase) tone.
std::vector<float> strokeSound(bool erasing, int variant) {
    const int rate = 22050;
    const double seconds = 0.16 + 0.03 * variant;
    const int count = int(seconds * rate);
    std::vector<float> samples(std::size_t(count), 0.0f);
    std::uint32_t noise = 12345u + std::uint32_t(variant) * 977u + (erasing ? 31u : 0u);
    double smoothed = 0.0;
    double phase = 0.0;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / count;
        noise = noise * 1664525u + 1013904223u;
        const double white = double(noise >> 8) / double(1u << 24) * 2.0 - 1.0;
        smoothed += (white - smoothed) * (erasing ? 0.5 : 0.25);
        const double start = erasing ? 900.0 + 80 * variant : 500.0 + 60 * variant;
        const double frequency = erasing ? start * (1.0 - 0.5 * t) : start * (1.0 + 0.8 * t);
        phase += 2.0 * std::numbers::pi * frequency / rate;
        const double envelope = std::sin(std::numbers::pi * t) * (1.0 - 0.3 * t);
        samples[std::size_t(i)] = float(envelope * (0.35 * smoothed + 0.25 * std::sin(phase)));
    }
    return samples;
}

}  // namespace

void buildMarkedWordsContent(const CourseContext& context) {
    const QDir markedDir(context.sourceDir.filePath(QStringLiteral("marked")));
    const content::TableSchema& schema = content::markedWordsSchema();
    content::TableData table = schema.emptyTable();
    for (const QString& file :
         markedDir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        table.rows.push_back(
            parseExercise(file, readSource(context, QStringLiteral("marked/") + file)));
    }
    sortByFirstField(table.rows);
    writeTable(context, schema.file, table);

    for (int variant = 0; variant < 3; ++variant) {
        const QString name = QStringLiteral("%1.WAV").arg(variant + 1);
        writeWav(context, QStringLiteral("Testai/Isbrauk/Garsai/BRAUK/") + name,
                 strokeSound(false, variant));
        writeWav(context, QStringLiteral("Testai/Isbrauk/Garsai/TRINT/") + name,
                 strokeSound(true, variant));
    }
}

}  // namespace lentora::course
