// SPDX-License-Identifier: GPL-3.0-or-later
// The movable-words exercises: course/movable/NN.txt become the rows of Data/Nesioj.cds; the
// builder also draws their backgrounds Testai/Nesioj/PIESIN/*.bmp.

#include "CourseBuilder.h"

#include "content/MovableWordsRow.h"
#include "content/Schema.h"
#include "platform/Error.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace lentora::course {

namespace {

constexpr int kOuterWidth = 640;
constexpr int kOuterHeight = 480;
constexpr int kMinBoxWidth = 110;
constexpr int kMaxBoxWidth = 190;

struct SourceExercise {
    int id = 0;
    QString caption;
    int type = 1;
    int boxWidth = 0;  // 0: as wide as the longest word needs
    QStringList sentences;
    QStringList words;
};

[[noreturn]] void fail(const QString& file, int line, const QString& what) {
    throw Error(QStringLiteral("movable/%1, line %2: %3").arg(file).arg(line).arg(what));
}

SourceExercise parseExercise(const QString& file, const QString& text) {
    SourceExercise exercise;
    bool ok = false;
    exercise.id = QFileInfo(file).completeBaseName().toInt(&ok);
    if (!ok || exercise.id <= 0 || exercise.id > 65535) {
        fail(file, 0, QStringLiteral("the file name must be the exercise number, e.g. 03.txt"));
    }
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        if (line.startsWith(QStringLiteral("Antraštė:"))) {
            exercise.caption = line.mid(9).trimmed();
        } else if (line.startsWith(QStringLiteral("Tipas:"))) {
            exercise.type = line.mid(6).trimmed().toInt(&ok);
            if (!ok || (exercise.type != 1 && exercise.type != 2)) {
                fail(file, i + 1, QStringLiteral("Tipas is 1 (gaps) or 2 (sorting)"));
            }
        } else if (line.startsWith(QStringLiteral("Langelis:"))) {
            exercise.boxWidth = line.mid(9).trimmed().toInt(&ok);
            if (!ok || exercise.boxWidth < 40 || exercise.boxWidth > 300) {
                fail(file, i + 1, QStringLiteral("Langelis is a width from 40 to 300 pixels"));
            }
        } else {
            const qsizetype bar = line.lastIndexOf(QLatin1Char('|'));
            if (bar < 0) {
                fail(file, i + 1,
                     QStringLiteral("expected \"sentence | word\", \"Antraštė:\", \"Tipas:\" "
                                    "or \"Langelis:\""));
            }
            QString word = line.mid(bar + 1).trimmed();
            if (word.isEmpty() || word.contains(QLatin1Char('@'))) {
                fail(file, i + 1, QStringLiteral("the word after \"|\" is empty or has a \"@\""));
            }
            exercise.sentences.append(line.left(bar).trimmed());
            exercise.words.append(word);
        }
    }
    if (exercise.caption.isEmpty() || exercise.words.isEmpty()) {
        fail(file, 0, QStringLiteral("an exercise needs \"Antraštė:\" and at least one row"));
    }
    return exercise;
}

// Sorting rows: the first row of each category offers it, the later ones repeat it with '@'.
QStringList sortingWords(const QStringList& words) {
    QStringList out;
    QStringList seen;
    for (const QString& word : words) {
        out.append(seen.contains(word) ? QStringLiteral("@") + word : word);
        seen.append(word);
    }
    return out;
}

int neededBoxWidth(const QStringList& words) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(19);  // the exercise font, 14 pt at 96 dpi
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString& word : words) {
        widest = std::max(widest, metrics.horizontalAdvance(word) + 12);
    }
    return std::clamp(widest, kMinBoxWidth, kMaxBoxWidth);
}

// Three calm backgrounds: a meadow, a sky with clouds and squared paper.
QImage meadow() {
    QImage image(640, 480, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, 480);
    sky.setColorAt(0, QColor(190, 225, 250));
    sky.setColorAt(0.55, QColor(225, 242, 228));
    sky.setColorAt(1, QColor(150, 200, 120));
    painter.fillRect(image.rect(), sky);
    painter.setPen(QPen(QColor(110, 170, 90), 2));
    for (int x = 0; x < 640; x += 9) {
        const int h = 10 + (x * 37 % 23);
        painter.drawLine(x, 480, x + 4, 480 - h);
    }
    return image;
}

QImage clouds() {
    QImage image(640, 480, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, 480);
    sky.setColorAt(0, QColor(120, 170, 230));
    sky.setColorAt(1, QColor(215, 235, 250));
    painter.fillRect(image.rect(), sky);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 190));
    const QPoint centres[] = {{90, 80}, {330, 140}, {540, 60}, {200, 330}, {500, 380}};
    for (const QPoint& c : centres) {
        painter.drawEllipse(c, 60, 24);
        painter.drawEllipse(c + QPoint(-35, 8), 38, 20);
        painter.drawEllipse(c + QPoint(38, 6), 42, 20);
    }
    return image;
}

QImage squaredPaper() {
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(QColor(250, 247, 232));
    QPainter painter(&image);
    painter.setPen(QColor(190, 210, 230));
    for (int x = 0; x < 640; x += 16) {
        painter.drawLine(x, 0, x, 480);
    }
    for (int y = 0; y < 480; y += 16) {
        painter.drawLine(0, y, 640, y);
    }
    painter.setPen(QPen(QColor(230, 120, 120), 2));
    painter.drawLine(40, 0, 40, 480);
    return image;
}

}  // namespace

void buildMovableWordsContent(const CourseContext& context) {
    const content::TableSchema& schema = content::movableWordsSchema();
    content::TableData table = schema.emptyTable();
    const QDir dir(context.sourceDir.filePath(QStringLiteral("movable")));
    QStringList files = dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    QList<int> ids;
    for (const QString& file : files) {
        const SourceExercise exercise =
            parseExercise(file, readSource(context, QStringLiteral("movable/") + file));
        if (ids.contains(exercise.id)) {
            fail(file, 0, QStringLiteral("exercise %1 is given twice").arg(exercise.id));
        }
        ids.append(exercise.id);
        const QString source = QStringLiteral("movable/") + file;
        const QByteArray caption = toContentBytes(exercise.caption, source);
        if (caption.size() > 255) {
            fail(file, 0, QStringLiteral("the caption is longer than 255 characters"));
        }
        const QStringList words =
            exercise.type == 2 ? sortingWords(exercise.words) : exercise.words;
        const int boxWidth =
            exercise.boxWidth > 0 ? exercise.boxWidth : neededBoxWidth(exercise.words);
        content::MovableWordsRow row;
        row.id = exercise.id;
        row.task = caption;
        for (const QString& sentence : exercise.sentences) {
            row.sentences.append(toContentBytes(sentence, source));
        }
        for (const QString& word : words) {
            row.words.append(toContentBytes(word, source));
        }
        row.outerWidth = kOuterWidth;
        row.outerHeight = kOuterHeight;
        row.boxWidth = boxWidth;
        row.type = exercise.type;
        table.rows.push_back(row.values());
    }
    sortByFirstField(table.rows);
    writeTable(context, schema.file, table);

    writeBmp(context, QStringLiteral("Testai/Nesioj/PIESIN/pieva.bmp"), meadow());
    writeBmp(context, QStringLiteral("Testai/Nesioj/PIESIN/debesys.bmp"), clouds());
    writeBmp(context, QStringLiteral("Testai/Nesioj/PIESIN/languotas.bmp"), squaredPaper());
}

}  // namespace lentora::course
