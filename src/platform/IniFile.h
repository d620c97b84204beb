#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace lentora {

// The settings file: sections and key=value lines, names matched without regard to letter
// case, values kept as code page 1257 bytes. Each read looks at the file as it is now.
class IniFile {
public:
    explicit IniFile(QString path);

    const QString& path() const { return path_; }

    // At most 1023 characters; a missing file, section or key gives the default.
    QByteArray readText(QByteArrayView section, QByteArrayView key,
                        QByteArrayView defaultValue) const;
    // Decimal, or hexadecimal after "0x"; anything else gives the default.
    int readInt(QByteArrayView section, QByteArrayView key, int defaultValue) const;

    // Keeps every other section, key, comment and their order; replaces the file atomically.
    // Throws Error("Unable to write to <path>") when the file cannot be written.
    void writeText(QByteArrayView section, QByteArrayView key, QByteArrayView value);
    void writeInt(QByteArrayView section, QByteArrayView key, int value);

private:
    QString path_;
};

// The settings file of the program (ProgramPaths::settingsFile).
IniFile programSettings();

// A window's font section: SriftName, SriftSize, SriftColor.
struct FontSetting {
    QByteArray name;  // empty: keep the window's own face
    int points = 10;
    int color = 0;  // red in the lowest byte, then green, then blue
};

FontSetting readFontSetting(const IniFile& settings, QByteArrayView section, int defaultPoints);

}  // namespace lentora
