// SPDX-License-Identifier: GPL-3.0-or-later
#include "CourseBuilder.h"
#include "ShellPictures.h"

#include "content/CommandLine.h"
#include "content/Rows.h"
#include "content/Schema.h"
#include "platform/CodePage1257.h"
#include "platform/Error.h"
#include "platform/ProgramPaths.h"

#include <QRegularExpression>
#include <QSet>
#include <QUuid>

#include <algorithm>
#include <map>

namespace lentora::course {

namespace {

const QString kMenuSource = QStringLiteral("meniu.txt");
const QString kMenuTableSource = QStringLiteral("meniu-lentele.txt");
const QString kHelpSource = QStringLiteral("help/pagalba.html");
const QString kCourseIdSource = QStringLiteral("kursas.txt");

// The kind named by its text, or None.
content::CommandKind commandKindNamed(const QString& name) {
    for (content::CommandKind kind : content::commandKinds()) {
        if (content::kindNameText(kind) == name) {
            return kind;
        }
    }
    return content::CommandKind::None;
}

Error sourceError(const QString& source, int line, const QString& text) {
    return Error(QStringLiteral("%1, line %2: %3").arg(source).arg(line).arg(text));
}

// Checks the outline's depths and returns its link numbers with their lines.
std::map<int, int> outlineLinks(const QString& outline) {
    static const QRegularExpression link(QStringLiteral("\\[(\\d{5})\\]$"));
    std::map<int, int> links;
    int previousDepth = -1;
    const QStringList lines = outline.split(QLatin1Char('\n'));
    for (int index = 0; index < lines.size(); ++index) {
        const QString& line = lines[index];
        const int lineNumber = index + 1;
        if (line.isEmpty() && index == lines.size() - 1) {
            break;
        }
        int depth = 0;
        while (depth < line.size() && line[depth] == QLatin1Char('\t')) {
            ++depth;
        }
        if (depth == line.size()) {
            throw sourceError(kMenuSource, lineNumber, QStringLiteral("empty menu line"));
        }
        if (depth > previousDepth + 1) {
            throw sourceError(kMenuSource, lineNumber,
                              QStringLiteral("more than one level deeper than the line before"));
        }
        previousDepth = depth;
        if (line.endsWith(QLatin1Char(']'))) {
            const auto match = link.match(line);
            if (!match.hasMatch()) {
                throw sourceError(kMenuSource, lineNumber,
                                  QStringLiteral("a link must be five digits in brackets"));
            }
            const int number = match.captured(1).toInt();
            if (number != 0) {
                links.emplace(number, lineNumber);
            }
        }
    }
    return links;
}

bool parseFlag(const QString& value, int lineNumber) {
    if (value == QLatin1String("taip")) {
        return true;
    }
    if (value == QLatin1String("ne")) {
        return false;
    }
    throw sourceError(kMenuTableSource, lineNumber, QStringLiteral("write \"taip\" or \"ne\""));
}

int parseRecordNumber(const QString& text, int lineNumber) {
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < 0 || number > 99999 || text.startsWith(QLatin1Char('+'))) {
        throw sourceError(kMenuTableSource, lineNumber,
                          QStringLiteral("\"%1\" is not a record number (0 to 99999)").arg(text));
    }
    return number;
}

content::TableData menuTable(const QString& source) {
    content::TableData table = content::menuSchema().emptyTable();

    struct Row {
        int id = 0;
        QString hint;
        bool visible = true;
        bool enabled = true;
        QStringList commands;
    };
    std::vector<Row> rows;
    QSet<int> ids;

    const QStringList lines = source.split(QLatin1Char('\n'));
    for (int index = 0; index < lines.size(); ++index) {
        const int lineNumber = index + 1;
        const QString line = lines[index].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0) {
            throw sourceError(kMenuTableSource, lineNumber,
                              QStringLiteral("expected \"Key: value\""));
        }
        const QString key = line.left(colon).trimmed();
        const QString value = line.mid(colon + 1).trimmed();
        if (key == QLatin1String("Id")) {
            const int id = parseRecordNumber(value, lineNumber);
            if (id == 0) {
                throw sourceError(kMenuTableSource, lineNumber,
                                  QStringLiteral("Id 0 links nothing"));
            }
            if (ids.contains(id)) {
                throw sourceError(kMenuTableSource, lineNumber,
                                  QStringLiteral("Id %1 appears twice").arg(id));
            }
            ids.insert(id);
            rows.push_back(Row{id, {}, true, true, {}});
            continue;
        }
        if (rows.empty()) {
            throw sourceError(kMenuTableSource, lineNumber,
                              QStringLiteral("a block must start with its \"Id:\" line"));
        }
        Row& row = rows.back();
        if (key == QLatin1String("Hint")) {
            if (toCp1257(value).size() > 255) {
                throw sourceError(kMenuTableSource, lineNumber,
                                  QStringLiteral("the hint is longer than 255 characters"));
            }
            row.hint = value;
        } else if (key == QLatin1String("Matomas")) {
            row.visible = parseFlag(value, lineNumber);
        } else if (key == QLatin1String("Pasiekiamas")) {
            row.enabled = parseFlag(value, lineNumber);
        } else if (key == QLatin1String("Komanda")) {
            const qsizetype blank = value.indexOf(QLatin1Char(' '));
            const QString kind = blank < 0 ? QString() : value.mid(blank + 1).trimmed();
            const content::CommandKind commandKind = commandKindNamed(kind);
            if (commandKind == content::CommandKind::None) {
                throw sourceError(kMenuTableSource, lineNumber,
                                  QStringLiteral("unknown window kind \"%1\"").arg(kind));
            }
            const int record = parseRecordNumber(value.left(blank), lineNumber);
            row.commands << fromCp1257(content::formatCommandLine(record, commandKind));
        } else {
            throw sourceError(kMenuTableSource, lineNumber,
                              QStringLiteral("unknown key \"%1\"").arg(key));
        }
    }

    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.id < b.id; });
    for (const Row& row : rows) {
        const QString where = QStringLiteral("%1, Id %2").arg(kMenuTableSource).arg(row.id);
        table.rows.push_back(
            content::MenuRow{row.id, toContentBytes(row.hint, where), row.visible, row.enabled,
                             toContentBytes(row.commands.join(QLatin1Char('\n')), where)}
                .values());
    }
    return table;
}

void buildMenu(const CourseContext& context) {
    const QString outline = readSource(context, kMenuSource);
    const std::map<int, int> links = outlineLinks(outline);
    const content::TableData table = menuTable(readSource(context, kMenuTableSource));
    QSet<int> ids;
    for (const auto& row : table.rows) {
        ids.insert(int(std::get<double>(row[0])));
    }
    for (const auto& [number, line] : links) {
        if (!ids.contains(number)) {
            throw sourceError(kMenuSource, line,
                              QStringLiteral("[%1] has no row in %2")
                                  .arg(number, 5, 10, QLatin1Char('0'))
                                  .arg(kMenuTableSource));
        }
    }
    writeOutputFile(context, QStringLiteral("MENIU.MNU"), toContentBytes(outline, kMenuSource));
    writeTable(context, content::menuSchema().file, table);
}

void buildHelp(const CourseContext& context) {
    // An imported help file that is not UTF-8 comes as it is from course/files/.
    if (!context.sourceDir.exists(kHelpSource) &&
        context.sourceDir.exists(QStringLiteral("files/Pagalba/pagalba.hlp"))) {
        return;
    }
    // The help window reads HTML as UTF-8 (the page declares its charset), so it is copied as is.
    writeOutputFile(context, QStringLiteral("Pagalba/pagalba.hlp"),
                    readSource(context, kHelpSource).toUtf8());
}

// The course's UUID names the users' settings of an installed course, so a rebuild keeps it.
// A course without kursas.txt is known by its program directory instead.
void buildCourseId(const CourseContext& context) {
    if (!context.sourceDir.exists(kCourseIdSource)) {
        return;
    }
    const QString text = readSource(context, kCourseIdSource).trimmed();
    const QUuid id = QUuid::fromString(text);
    if (id.isNull() || text.contains(QLatin1Char('\n'))) {
        throw sourceError(kCourseIdSource, 1, QStringLiteral("not one UUID"));
    }
    writeOutputFile(context, QLatin1String(kCourseIdFile),
                    id.toString(QUuid::WithoutBraces).toLatin1() + "\r\n");
}

void buildPictures(const CourseContext& context) {
    for (int number = 1; number <= kBackgroundCount; ++number) {
        writeBmp(context, QStringLiteral("Testai/Fonas%1.bmp").arg(number), drawBackground(number));
    }
    for (int variant = 0; variant < kAboutPictureCount; ++variant) {
        writeBmp(context, QStringLiteral("Testai/Apie/apie%1.bmp").arg(variant + 1),
                 drawAboutPicture(variant));
    }
    constexpr int kSampleRate = 22050;
    for (int grade = 3; grade <= 10; ++grade) {
        const QString directory = QStringLiteral("Ivert/%1/").arg(grade);
        for (int variant = 0; variant < kGradePictureVariants; ++variant) {
            writeBmp(context, directory + QStringLiteral("ivert%1.bmp").arg(variant + 1),
                     drawGradePicture(grade, variant));
        }
        for (int variant = 0; variant < kGradeSoundVariants; ++variant) {
            writeWav(context, directory + QStringLiteral("ivert%1.wav").arg(variant + 1),
                     synthesiseGradeSound(grade, variant, kSampleRate), kSampleRate);
        }
    }
}

}  // namespace

void buildShellContent(const CourseContext& context) {
    buildMenu(context);
    buildHelp(context);
    buildCourseId(context);
    buildPictures(context);
}

}  // namespace lentora::course
