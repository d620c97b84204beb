// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/IniFile.h"

#include "platform/CodePage1257.h"
#include "platform/Error.h"
#include "platform/ProgramPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <vector>

#include <unistd.h>
#include <cstdio>

namespace lentora {

namespace {

// A settings file is a few hundred bytes; anything far larger is not one.
constexpr qint64 kMaxSettingsBytes = 4 * 1024 * 1024;
constexpr qsizetype kMaxValueLength = 1023;
// Left by some editors; kept, so that a second one behind it stays part of the first line.
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

struct FileText {
    QByteArray bytes;
    bool tooLarge = false;
};

FileText readWholeFile(const QString& path) {
    FileText result;
    const QString resolved = resolvePath(path);
    // Only a regular file: a pipe or device could block or never end.
    if (!QFileInfo(resolved).isFile()) {
        return result;
    }
    QFile file(resolved);
    if (!file.open(QIODevice::ReadOnly)) {
        return result;
    }
    if (file.size() > kMaxSettingsBytes) {
        result.tooLarge = true;
        return result;
    }
    // read() rather than readAll(): a file that is not what its size says stays bounded.
    result.bytes = file.read(kMaxSettingsBytes + 1);
    if (result.bytes.size() > kMaxSettingsBytes) {
        result.bytes.clear();
        result.tooLarge = true;
    }
    return result;
}

// The lines of the file without their line ends.
std::vector<QByteArray> splitLines(QByteArrayView bytes) {
    std::vector<QByteArray> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) {
            end = bytes.size();
        }
        QByteArray line = bytes.sliced(start, end - start).toByteArray();
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        lines.push_back(std::move(line));
        start = end + 1;
    }
    if (!lines.empty() && lines.front().startsWith(kByteOrderMark)) {
        lines.front().remove(0, 3);  // a byte order mark left by an editor
    }
    return lines;
}

bool sameName(QByteArrayView a, QByteArrayView b) {
    return fromCp1257(a.trimmed()).compare(fromCp1257(b.trimmed()), Qt::CaseInsensitive) == 0;
}

// The section name of a "[name]" line.
std::optional<QByteArray> sectionName(const QByteArray& line) {
    const QByteArray trimmed = line.trimmed();
    if (!trimmed.startsWith('[')) {
        return std::nullopt;
    }
    const qsizetype close = trimmed.indexOf(']');
    const QByteArray name = close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1);
    return name.trimmed();
}

bool isComment(const QByteArray& line) {
    const QByteArray trimmed = line.trimmed();
    return trimmed.startsWith(';') || trimmed.startsWith('#');
}

// The key of a "key=value" line.
std::optional<QByteArray> keyName(const QByteArray& line) {
    if (isComment(line)) {
        return std::nullopt;
    }
    const qsizetype equals = line.indexOf('=');
    if (equals < 0) {
        return std::nullopt;
    }
    return line.left(equals).trimmed();
}

QByteArray valueOf(const QByteArray& line) {
    QByteArray value = line.mid(line.indexOf('=') + 1).trimmed();
    // A value in matching quotes is read without them.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.mid(1, value.size() - 2);
    }
    return value;
}

struct Location {
    std::optional<std::size_t> section;  // the section's header line
    std::size_t sectionEnd = 0;          // the first line after the section
    std::optional<std::size_t> key;      // the key's line
};

Location locate(const std::vector<QByteArray>& lines, QByteArrayView section, QByteArrayView key) {
    Location location;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::optional<QByteArray> name = sectionName(lines[i]);
        if (name && sameName(*name, section)) {
            location.section = i;
            break;
        }
    }
    if (!location.section) {
        return location;
    }
    std::size_t i = *location.section + 1;
    for (; i < lines.size() && !sectionName(lines[i]); ++i) {
        if (location.key) {
            continue;
        }
        const std::optional<QByteArray> name = keyName(lines[i]);
        if (name && sameName(*name, key)) {
            location.key = i;
        }
    }
    location.sectionEnd = i;
    return location;
}

std::optional<int> parseWholeNumber(QByteArray text) {
    text = text.trimmed();
    bool negative = false;
    if (text.startsWith('-') || text.startsWith('+')) {
        negative = text.front() == '-';
        text.remove(0, 1);
    }
    if (text.isEmpty() || text.front() == '+' || text.front() == '-' || text.front() == ' ') {
        return std::nullopt;
    }
    bool ok = false;
    if (text.startsWith("0x") || text.startsWith("0X")) {
        const QByteArray digits = text.mid(2);
        if (digits.isEmpty() || digits.front() == '+' || digits.front() == '-') {
            return std::nullopt;
        }
        // Up to eight hex digits, as colours are written: 0xFFFFFFFF is -1.
        const qulonglong value = digits.toULongLong(&ok, 16);
        if (!ok || value > 0xFFFFFFFFull) {
            return std::nullopt;
        }
        const auto bits = static_cast<std::uint32_t>(value);
        const auto number = static_cast<std::int32_t>(negative ? 0u - bits : bits);
        return number;
    }
    const qlonglong value = text.toLongLong(&ok, 10);
    const qlonglong signedValue = negative ? -value : value;
    if (!ok || signedValue < INT_MIN || signedValue > INT_MAX) {
        return std::nullopt;
    }
    return static_cast<int>(signedValue);
}

QByteArray oneLine(QByteArrayView text) {
    // A line break inside a value would start a new key or section in the file.
    QByteArray line = text.toByteArray();
    line.replace('\r', ' ');
    line.replace('\n', ' ');
    return line;
}

// The value as a line stores it: one that reading would change (blanks at its ends, or
// matching quotes around it) goes in quotes, which reading takes off again.
QByteArray storedValue(QByteArrayView value) {
    QByteArray line = oneLine(value);
    const bool quoted = line.size() >= 2 && (line.front() == '"' || line.front() == '\'') &&
                        line.back() == line.front();
    if (quoted || line.trimmed().size() != line.size()) {
        line = '"' + line + '"';
    }
    return line;
}

// Temporary files of saves that never finished: "<name>.save-" and six more characters.
void removeUnfinishedSaves(const QFileInfo& target) {
    const QString prefix = target.fileName() + QLatin1String(kIniSaveSuffix);
    const QDir dir = target.absoluteDir();
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (name.size() == prefix.size() + 6 && name.startsWith(prefix)) {
            QFile::remove(dir.filePath(name));
        }
    }
}

}  // namespace

IniFile::IniFile(QString path) : path_(std::move(path)) {
    const FileText file = readWholeFile(path_);
    tooLarge_ = file.tooLarge;
    load(file.bytes);
}

IniFile IniFile::fromBytes(QByteArrayView bytes, QString path) {
    IniFile settings;
    settings.path_ = std::move(path);
    if (bytes.size() > kMaxSettingsBytes) {
        settings.tooLarge_ = true;
        bytes = {};
    }
    settings.load(bytes);
    return settings;
}

void IniFile::load(QByteArrayView bytes) {
    lineEnd_ =
        bytes.contains("\r\n") || !bytes.contains('\n') ? QByteArray("\r\n") : QByteArray("\n");
    lines_ = splitLines(bytes);
    byteOrderMark_ = bytes.startsWith(kByteOrderMark);
}

QByteArray IniFile::toBytes() const {
    QByteArray bytes = byteOrderMark_ ? QByteArray(kByteOrderMark) : QByteArray();
    for (const QByteArray& line : lines_) {
        bytes += line;
        bytes += lineEnd_;
    }
    return bytes;
}

void IniFile::addFallback(IniFile fallback) {
    fallbacks_.push_back(std::move(fallback));
}

const QByteArray* IniFile::findLine(QByteArrayView section, QByteArrayView key) const {
    const Location location = locate(lines_, section, key);
    if (location.key) {
        return &lines_[*location.key];
    }
    for (const IniFile& fallback : fallbacks_) {
        if (const QByteArray* line = fallback.findLine(section, key)) {
            return line;
        }
    }
    return nullptr;
}

QByteArray IniFile::readText(QByteArrayView section, QByteArrayView key,
                             QByteArrayView defaultValue) const {
    const QByteArray* line = findLine(section, key);
    if (!line) {
        return defaultValue.toByteArray().left(kMaxValueLength);
    }
    return valueOf(*line).left(kMaxValueLength);
}

int IniFile::readInt(QByteArrayView section, QByteArrayView key, int defaultValue) const {
    const QByteArray* line = findLine(section, key);
    if (!line) {
        return defaultValue;
    }
    return parseWholeNumber(valueOf(*line).left(kMaxValueLength)).value_or(defaultValue);
}

void IniFile::setText(QByteArrayView section, QByteArrayView key, QByteArrayView value) {
    const Location location = locate(lines_, section, key);
    if (location.key) {
        QByteArray& line = lines_[*location.key];
        // Keeps the key as the file spells it.
        line = line.left(line.indexOf('=')).trimmed() + '=' + storedValue(value);
    } else if (location.section) {
        // After the section's last entry, so blank lines before the next section stay there.
        std::size_t insertAt = location.sectionEnd;
        while (insertAt > *location.section + 1 && lines_[insertAt - 1].trimmed().isEmpty()) {
            --insertAt;
        }
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                      oneLine(key).trimmed() + '=' + storedValue(value));
    } else {
        lines_.push_back('[' + oneLine(section).trimmed() + ']');
        lines_.push_back(oneLine(key).trimmed() + '=' + storedValue(value));
    }
}

void IniFile::setInt(QByteArrayView section, QByteArrayView key, int value) {
    setText(section, key, QByteArray::number(value));
}

void IniFile::save() {
    const Error failure(QStringLiteral("Unable to write to %1").arg(path_));
    if (tooLarge_) {
        throw failure;
    }
    const QString target = resolvePath(path_);
    // Replacing goes through the directory, which would get past a read-only file (and
    // access checks let root write anything, so the file's own write bits count too).
    const QFileInfo existing(target);
    constexpr auto kAnyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (existing.exists() &&
        (!existing.isFile() || !existing.isWritable() || !(existing.permissions() & kAnyWrite))) {
        throw failure;
    }
    const QByteArray bytes = toBytes();
    // A symbolic link keeps pointing at the settings: its target is what gets replaced.
    const QFileInfo place(existing.isSymLink() ? existing.symLinkTarget() : target);
    if (createsFolder_ && !place.absoluteDir().exists() && !QDir().mkpath(place.absolutePath())) {
        throw failure;
    }
    QTemporaryFile out(place.absoluteFilePath() + QLatin1String(kIniSaveSuffix) +
                       QLatin1String("XXXXXX"));
    // Written in full and on disk before it takes the file's place, so a crash or power loss
    // at any moment leaves the old file or the new one.
    if (!out.open() || out.write(bytes) != bytes.size() || !out.flush() ||
        ::fsync(out.handle()) != 0) {
        throw failure;
    }
    constexpr auto kNewFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                              QFileDevice::ReadGroup | QFileDevice::ReadOther;
    out.setPermissions(existing.exists() ? existing.permissions() : kNewFile);
    if (std::rename(QFile::encodeName(out.fileName()).constData(),
                    QFile::encodeName(place.absoluteFilePath()).constData()) != 0) {
        throw failure;
    }
    out.setAutoRemove(false);  // its name is the settings file's now
    removeUnfinishedSaves(place);
}

IniFile programSettings() {
    const ProgramPaths& paths = programPaths();
    if (paths.programDirWritable || paths.userSettingsFile.isEmpty()) {
        IniFile settings(paths.settingsFile);
        if (!paths.systemSettingsFile.isEmpty()) {
            settings.addFallback(IniFile(paths.systemSettingsFile));
        }
        return settings;
    }
    IniFile settings(paths.userSettingsFile);
    settings.createFolderOnSave();  // the user's folder of the course comes with its first save
    if (!paths.systemSettingsFile.isEmpty()) {
        settings.addFallback(IniFile(paths.systemSettingsFile));
    }
    settings.addFallback(IniFile(paths.settingsFile));
    return settings;
}

int clampFontPoints(int points) {
    return std::clamp(points, kMinFontPoints, kMaxFontPoints);
}

FontSetting readFontSetting(const IniFile& settings, QByteArrayView section, int defaultPoints) {
    FontSetting setting;
    setting.name = settings.readText(section, "SriftName", "");
    setting.points = clampFontPoints(settings.readInt(section, "SriftSize", defaultPoints));
    setting.color = settings.readInt(section, "SriftColor", 0);
    return setting;
}

}  // namespace lentora
