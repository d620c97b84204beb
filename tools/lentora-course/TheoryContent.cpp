// SPDX-License-Identifier: GPL-3.0-or-later
// The theory book's part of the course: the theory table from course/theory/*.txt, the book
// picture, and the page-turn sounds.

#include "CourseBuilder.h"

#include "content/Rows.h"
#include "content/Schema.h"

#include "platform/Error.h"
#include "theory/TheoryBookDescription.h"

#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QRegularExpression>

#include <cmath>
#include <map>
#include <random>

namespace lentora::course {

namespace {

// Book geometry in picture coordinates. The window's page areas (kTheoryBook.pageInBook) lie
// inside these pages, which must stay white there.
constexpr int kBookWidth = theory::kTheoryBook.book.width();
constexpr int kBookHeight = theory::kTheoryBook.book.height();
const QRect kLeftPage(24, 10, 327, 474);    // lower-left corner at (24, 483)
const QRect kRightPage(355, 10, 312, 472);  // lower-right corner at (666, 481)

const QColor kCover(110, 38, 30);
const QColor kPageEdge(214, 206, 188);

void drawPage(QPainter& painter, const QRect& page, bool left) {
    // A few sheet edges under the page give the book its thickness.
    for (int i = 4; i >= 1; --i) {
        const QRect sheet = page.adjusted(left ? -i : 0, 0, left ? 0 : i, i);
        painter.fillRect(sheet, i % 2 ? kPageEdge : QColor(236, 230, 216));
    }
    painter.fillRect(page, Qt::white);
    // Shade towards the spine, outside the text area.
    const int shade = 22;
    QRect gutter = left ? QRect(page.right() - shade + 1, page.top(), shade, page.height())
                        : QRect(page.left(), page.top(), shade, page.height());
    QLinearGradient gradient(gutter.left(), 0, gutter.right(), 0);
    gradient.setColorAt(left ? 0.0 : 1.0, Qt::white);
    gradient.setColorAt(left ? 1.0 : 0.0, QColor(196, 190, 178));
    painter.fillRect(gutter, gradient);
}

QImage drawBook() {
    QImage book(kBookWidth, kBookHeight, QImage::Format_RGB32);
    book.fill(Qt::white);
    QPainter painter(&book);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(70, 20, 16), 2));
    painter.setBrush(kCover);
    painter.drawRoundedRect(QRectF(3, 3, kBookWidth - 6, kBookHeight - 6), 14, 14);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    drawPage(painter, kLeftPage, true);
    drawPage(painter, kRightPage, false);
    painter.fillRect(QRect(351, 6, 4, 492), QColor(70, 20, 16));  // the spine
    return book;
}

void buildPictures(const CourseContext& context) {
    // The page corners come with the program; they lie on the book's page corners.
    writeBmp(context, "Testai/Teorija/Piesin/knyga.bmp", drawBook());
}

// A paper rustle: band-limited noise in a swell, broken into crackles.
std::vector<float> pageTurnSound(unsigned seed, double seconds, double brightness) {
    constexpr int kRate = 22050;
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    std::uniform_real_distribution<float> chance(0.0f, 1.0f);
    const int count = int(seconds * kRate);
    std::vector<float> samples(size_t(count), 0.0f);
    float low = 0;
    float previous = 0;
    float crackle = 0;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / count;
        // Quick rise, slower fall, like a page swept over.
        const double swell = std::pow(std::sin(M_PI * std::pow(t, 0.6)), 2.0);
        if (chance(random) < 0.004f) {
            crackle = 0.5f + chance(random);
        }
        crackle *= 0.996f;
        const float white = noise(random);
        low += float(brightness) * (white - low);  // low-pass
        const float band = low - previous;         // and high-pass
        previous = low;
        samples[size_t(i)] = float(swell) * (0.9f * band * (0.35f + crackle)) * 2.2f;
    }
    return samples;
}

void buildSounds(const CourseContext& context) {
    writeWav(context, "Testai/Teorija/Garsai/vartymas1.wav", pageTurnSound(11, 0.35, 0.55));
    writeWav(context, "Testai/Teorija/Garsai/vartymas2.wav", pageTurnSound(23, 0.45, 0.35));
    writeWav(context, "Testai/Teorija/Garsai/vartymas3.wav", pageTurnSound(37, 0.58, 0.7));
}

// course/theory/NN-name.txt: the record Id is the number the name starts with; each line of the
// file is one paragraph, the first one the title.
void buildTable(const CourseContext& context) {
    const QDir directory(context.sourceDir.filePath("theory"));
    const QStringList names =
        directory.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    if (names.isEmpty()) {
        throw Error(QStringLiteral("No theory texts in %1").arg(directory.path()));
    }
    static const QRegularExpression idPattern(QStringLiteral("^(\\d{1,5})-"));
    std::map<int, QByteArray> texts;
    for (const QString& name : names) {
        const QRegularExpressionMatch match = idPattern.match(name);
        const int id = match.hasMatch() ? match.captured(1).toInt() : -1;
        if (id < 0 || id > 65535) {
            throw Error(QStringLiteral("theory/%1: the name must start with the record number "
                                       "(0 to 65535) and a '-'")
                            .arg(name));
        }
        if (texts.count(id)) {
            throw Error(QStringLiteral("theory/%1: record %2 is given twice").arg(name).arg(id));
        }
        QString text = readSource(context, QStringLiteral("theory/") + name);
        // A line break at the end would show as an empty paragraph on a spread of its own.
        while (text.endsWith(QLatin1Char('\n'))) {
            text.chop(1);
        }
        try {
            texts[id] = toContentBytes(text);
        } catch (const Error& error) {
            throw Error(QStringLiteral("theory/%1, %2").arg(name, error.text()));
        }
    }

    content::TableData table = content::theorySchema().emptyTable();
    for (const auto& [id, text] : texts) {
        table.rows.push_back(content::TheoryRow{id, text}.values());
    }
    writeTable(context, content::theorySchema().file, table);
}

}  // namespace

void buildTheoryContent(const CourseContext& context) {
    buildTable(context);
    buildPictures(context);
    buildSounds(context);
}

}  // namespace lentora::course
