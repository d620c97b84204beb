// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

namespace lentora {

// The settings file: sections and key=value lines, names matched without regard to letter
// case, values kept as code page 1257 bytes. The file is read once, when the object is made;
// reads and changes work on that copy, and save() replaces the file with it in one step.
class IniFile {
public:
    explicit IniFile(QString path);

    // The settings held by `bytes`, as if read from a file at `path` (for saving there).
    static IniFile fromBytes(QByteArrayView bytes, QString path = {});

    const QString& path() const { return path_; }

    // A file read after this one: a key this file lacks is read from `fallback` (and from its
    // own fallbacks), in the order they were added. Changes and save() never touch it.
    void addFallback(IniFile fallback);
    // save() makes the file's folder when it is missing (else a missing folder fails it).
    void createFolderOnSave() { createsFolder_ = true; }

    // The file's text as save() writes it.
    QByteArray toBytes() const;

    // At most 1023 characters; a missing file, section or key gives the default.
    // The first file that holds the key (this one, then its fallbacks) gives its value.
    QByteArray readText(QByteArrayView section, QByteArrayView key,
                        QByteArrayView defaultValue) const;
    // Decimal, or hexadecimal after "0x"; anything else gives the default.
    int readInt(QByteArrayView section, QByteArrayView key, int defaultValue) const;

    // Change the copy only; every other section, key, comment and their order stay.
    void setText(QByteArrayView section, QByteArrayView key, QByteArrayView value);
    void setInt(QByteArrayView section, QByteArrayView key, int value);

    // Replaces the file atomically with the copy: all changes or none reach it. The text goes
    // to a temporary file "<name>.save-XXXXXX" beside it first, then takes the file's place;
    // such files that an interrupted save left behind are removed.
    // Throws Error("Unable to write to <path>") when the file cannot be written, a read-only
    // file included.
    void save();

private:
    IniFile() = default;
    void load(QByteArrayView bytes);
    const QByteArray* findLine(QByteArrayView section, QByteArrayView key) const;

    QString path_;
    std::vector<QByteArray> lines_;
    QByteArray lineEnd_;
    bool byteOrderMark_ = false;
    bool tooLarge_ = false;  // never rewritten: that would throw away what it holds
    bool createsFolder_ = false;
    std::vector<IniFile> fallbacks_;
};

// The name pattern of a save's temporary file, after the settings file's own name.
inline constexpr char kIniSaveSuffix[] = ".save-";

// The settings of the program. With a writable program directory: its LENTORA.INI
// (ProgramPaths::settingsFile), read and written, with the system-wide file for the keys it
// lacks. Otherwise the user's file for the course (ProgramPaths::userSettingsFile) is read and
// written, and keys it lacks come from the system-wide file, then the program directory's.
IniFile programSettings();

// A window's font section: SriftName, SriftSize, SriftColor.
struct FontSetting {
    QByteArray name;  // empty: keep the window's own face
    int points = 10;
    int color = 0;  // red in the lowest byte, then green, then blue
};

// The font sizes a window accepts from the settings; outside them the text is unreadable or
// the pages stay empty.
inline constexpr int kMinFontPoints = 6;
inline constexpr int kMaxFontPoints = 48;
int clampFontPoints(int points);

// The size is kept within kMinFontPoints..kMaxFontPoints.
FontSetting readFontSetting(const IniFile& settings, QByteArrayView section, int defaultPoints);

}  // namespace lentora
