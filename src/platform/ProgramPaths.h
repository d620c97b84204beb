// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lentora {

// The program-wide paths, computed once at start-up from the executable's directory.
// Directories end with '/'. Relative parts may be written with backslashes; they are
// stored with forward slashes.
struct ProgramPaths {
    QString programDir;
    QString settingsFile;     // LENTORA.INI
    QString testaiDir;        // Testai/
    QString menuFile;         // meniu.mnu
    QString ivertDir;         // Ivert/
    QString teorijaDir;       // Testai/Teorija/
    QString nesiojPiesinDir;  // Testai/Nesioj/PIESIN/
    QString isbraukDir;       // Testai/Isbrauk/
    QString paprDir;          // Testai/Papr/
    QString apieDir;          // Testai/Apie/
    QString helpFile;         // Pagalba/pagalba.hlp

    // Where the settings are read and written. A program directory that this user cannot
    // write (an installed program) keeps the settings in the user's own file for its course.
    bool programDirWritable = true;
    QString userSettingsFile;    // <user config>/<course id>/LENTORA.INI; empty: none known
    QString systemSettingsFile;  // /etc/lentora/LENTORA.INI, an administrator's settings

    static ProgramPaths forDirectory(const QString& programDir);
};

const ProgramPaths& programPaths();
void setProgramPaths(const ProgramPaths& paths);

// Directory + relative name; backslashes in either become '/'.
QString joinPath(const QString& directory, const QString& relative);

// The path of an existing file or directory whose components match the given ones without
// regard to letter case ("Data/nesioj.cds" finds "Data/Nesioj.cds"). Backslashes count as
// separators. When nothing matches, the path with '/' separators is returned unchanged.
QString resolvePath(const QString& path);

// The file that names a course, "Data/Kursas.txt": its first line is the course's UUID.
inline constexpr char kCourseIdFile[] = "Data/Kursas.txt";

// The stable name of the course in a program directory, fit for a file name: the UUID of its
// Data/Kursas.txt, or, for a course without one, "dir-" and a hash of the directory's
// canonical path.
QString courseId(const QString& programDir);

}  // namespace lentora
