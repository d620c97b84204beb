// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The course builder turns the UTF-8 sources under course/ into a ready program directory:
// MENIU.MNU, Data/*.cds, Testai/, Ivert/, Pagalba/. Pictures and sounds are drawn and
// synthesised here, so the sources stay plain text.

#include "content/DataPacket.h"

#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

namespace lentora::course {

struct CourseContext {
    QDir sourceDir;  // course/
    QDir outputDir;  // the program directory
};

// Reads a UTF-8 source file under course/ (throws lentora::Error when missing).
QString readSource(const CourseContext& context, const QString& relativePath);

// UTF-8 text with LF line ends -> code page 1257 bytes with CR LF line ends.
// Throws lentora::Error naming the line when a character has no code page 1257 form.
QByteArray toContentBytes(const QString& text);
// The same, with the error text starting with `sourceName` (the source file it came from).
QByteArray toContentBytes(const QString& text, const QString& sourceName);

// Writes a file under the program directory, creating its directories.
void writeOutputFile(const CourseContext& context, const QString& relativePath,
                     const QByteArray& bytes);
void writeTable(const CourseContext& context, const QString& relativePath,
                const content::TableData& table);
// Saves as a 24-bit Windows BMP.
void writeBmp(const CourseContext& context, const QString& relativePath, const QImage& image);
// 16-bit mono PCM WAV; samples in -1..1.
void writeWav(const CourseContext& context, const QString& relativePath,
              const std::vector<float>& samples, int sampleRate = 22050);

// Field definitions for tables.

// The parts of the course, each in its own source file.
void buildShellContent(const CourseContext& context);   // menu, backgrounds, grades, about, help
void buildTheoryContent(const CourseContext& context);  // theory table, book, corners, sounds
void buildSimpleTestContent(const CourseContext& context);    // test tables, FONAS.BMP, button
void buildMovableWordsContent(const CourseContext& context);  // Nesioj.cds, its backgrounds
void buildMarkedWordsContent(const CourseContext& context);   // TestPabr.cds, mark sounds
// Copies course/files/... as it is to the same place in the program directory, over anything
// drawn there: pictures and sounds taken from elsewhere (import puts them there).
void copyVerbatimFiles(const CourseContext& context);

// Every part above, in order: the whole program directory from the sources. Each part is
// built even when one before it failed; returns the error of each part that failed.
QStringList buildCourseParts(const CourseContext& context);
// The same; throws lentora::Error with every part's error when any failed.
void buildCourse(const CourseContext& context);

// "47 topics, 52 theory texts, 62 tests, ... written to <dir>": what a build wrote.
QString describeBuiltCourse(const CourseContext& context);

// Rows in the order of their first field, as the tables are read.
void sortByFirstField(std::vector<std::vector<content::Value>>& rows);

}  // namespace lentora::course
