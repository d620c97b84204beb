// SPDX-License-Identifier: GPL-3.0-or-later
#include "CourseBuilder.h"

#include "CourseSpelling.h"

#include "content/Schema.h"
#include "platform/CodePage1257.h"
#include "platform/Error.h"

#include <QBuffer>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>
#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace lentora::course {

namespace {

QString sourcePath(const CourseContext& context, const QString& relativePath) {
    return context.sourceDir.filePath(relativePath);
}

void appendLe16(QByteArray& bytes, std::uint16_t value) {
    char buffer[2];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, 2);
}

void appendLe32(QByteArray& bytes, std::uint32_t value) {
    char buffer[4];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, 4);
}

// A 24-bit BMP; the format has no transparency, so it is flattened onto white.
QByteArray encodeBmp(const QImage& source) {
    if (source.isNull()) {
        throw Error(QStringLiteral("Cannot save an empty picture"));
    }
    QImage opaque(source.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, source);
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!opaque.save(&buffer, "BMP")) {
        throw Error(QStringLiteral("Cannot encode the picture as BMP"));
    }
    return buffer.data();
}

}  // namespace

QString readSource(const CourseContext& context, const QString& relativePath) {
    const QString path = sourcePath(context, relativePath);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(QStringLiteral("Cannot open file %1").arg(path));
    }
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        throw Error(QStringLiteral("%1 is not valid UTF-8").arg(path));
    }
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QByteArray toContentBytes(const QString& text) {
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // toCp1257 turns what it cannot encode into '?', which would slip into the content silently.
    const qsizetype missing = firstCharacterWithoutCp1257(normal);
    if (missing >= 0) {
        const int line = int(normal.left(missing).count(QLatin1Char('\n'))) + 1;
        // The whole character, not the first half of its UTF-16 pair.
        const char32_t codePoint = QStringView(normal).mid(missing).toUcs4().value(0);
        throw Error(QStringLiteral("line %1: the character %2 (U+%3) has no code page 1257 form")
                        .arg(line)
                        .arg(QString::fromUcs4(&codePoint, 1))
                        .arg(QString::number(uint(codePoint), 16)
                                 .toUpper()
                                 .rightJustified(4, QLatin1Char('0'))));
    }
    const QByteArray bytes = toCp1257(normal);
    QByteArray result;
    result.reserve(bytes.size() + bytes.count('\n'));
    for (const char c : bytes) {
        if (c == '\n') {
            result.append('\r');
        }
        result.append(c);
    }
    return result;
}

QByteArray toContentBytes(const QString& text, const QString& sourceName) {
    try {
        return toContentBytes(text);
    } catch (const Error& error) {
        throw Error(QStringLiteral("%1, %2").arg(sourceName, error.text()));
    }
}

void writeOutputFile(const CourseContext& context, const QString& relativePath,
                     const QByteArray& bytes) {
    const QString path = context.outputDir.filePath(relativePath);
    const QString directory = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(directory)) {
        throw Error(QStringLiteral("Cannot create directory %1").arg(directory));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw Error(QStringLiteral("Cannot write file %1").arg(path));
    }
}

void writeTable(const CourseContext& context, const QString& relativePath,
                const content::TableData& table) {
    writeOutputFile(context, relativePath, content::writeDataPacket(table));
}

void writeBmp(const CourseContext& context, const QString& relativePath, const QImage& image) {
    try {
        writeOutputFile(context, relativePath, encodeBmp(image));
    } catch (const Error& error) {
        throw Error(QStringLiteral("%1: %2").arg(relativePath, error.text()));
    }
}

void writeWav(const CourseContext& context, const QString& relativePath,
              const std::vector<float>& samples, int sampleRate) {
    const auto dataBytes = std::uint32_t(samples.size() * 2);
    QByteArray bytes;
    bytes.reserve(int(44 + dataBytes));
    bytes.append("RIFF");
    appendLe32(bytes, 36 + dataBytes);
    bytes.append("WAVEfmt ");
    appendLe32(bytes, 16);
    appendLe16(bytes, 1);  // PCM
    appendLe16(bytes, 1);  // mono
    appendLe32(bytes, std::uint32_t(sampleRate));
    appendLe32(bytes, std::uint32_t(sampleRate) * 2);
    appendLe16(bytes, 2);
    appendLe16(bytes, 16);
    bytes.append("data");
    appendLe32(bytes, dataBytes);
    for (const float sample : samples) {
        const float clamped = std::isfinite(sample) ? std::clamp(sample, -1.0f, 1.0f) : 0.0f;
        appendLe16(bytes, std::uint16_t(std::int16_t(std::lround(clamped * 32767.0f))));
    }
    writeOutputFile(context, relativePath, bytes);
}

void copyVerbatimFiles(const CourseContext& context) {
    const QDir files(context.sourceDir.filePath(QStringLiteral("files")));
    if (!files.exists()) {
        return;
    }
    QDirIterator it(files.path(), QDir::Files, QDirIterator::Subdirectories);
    QStringList paths;
    while (it.hasNext()) {
        paths << it.next();
    }
    paths.sort();
    for (const QString& path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            throw Error(QStringLiteral("Cannot open file %1").arg(path));
        }
        writeOutputFile(context, files.relativeFilePath(path), file.readAll());
    }
}

// The checker reads the course's own spelling words beside the tables.
static void copyCourseWords(const CourseContext& context) {
    if (context.sourceDir.exists(QStringLiteral("zodynas.txt"))) {
        writeOutputFile(context, kCourseWordsFile,
                        readSource(context, QStringLiteral("zodynas.txt")).toUtf8());
    }
}

QStringList buildCourseParts(const CourseContext& context) {
    QStringList errors;
    // One part's error does not keep the others from being built and checked.
    for (void (*part)(const CourseContext&) :
         {buildShellContent, buildTheoryContent, buildSimpleTestContent, buildMovableWordsContent,
          buildMarkedWordsContent, copyCourseWords, copyVerbatimFiles}) {
        try {
            part(context);
        } catch (const std::exception& error) {
            errors << QString::fromUtf8(error.what());
        }
    }
    return errors;
}

void buildCourse(const CourseContext& context) {
    const QStringList errors = buildCourseParts(context);
    if (!errors.isEmpty()) {
        throw Error(errors.join(QStringLiteral("; ")));
    }
}

QString describeBuiltCourse(const CourseContext& context) {
    auto rows = [&](const content::TableSchema& schema) {
        QFile file(context.outputDir.filePath(schema.file));
        if (!file.open(QIODevice::ReadOnly)) {
            return 0;
        }
        try {
            return int(content::parseDataPacket(file.readAll(), schema.file).rows.size());
        } catch (const Error&) {
            return 0;
        }
    };
    return QStringLiteral(
               "%1 topics, %2 theory texts, %3 tests, %4 movable-words and %5 "
               "marked-words exercises written to %6")
        .arg(rows(content::menuSchema()))
        .arg(rows(content::theorySchema()))
        .arg(rows(content::testWindowSchema()))
        .arg(rows(content::movableWordsSchema()))
        .arg(rows(content::markedWordsSchema()))
        .arg(QDir::toNativeSeparators(context.outputDir.path()));
}

void sortByFirstField(std::vector<std::vector<content::Value>>& rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        return std::get<double>(a.front()) < std::get<double>(b.front());
    });
}

}  // namespace lentora::course
