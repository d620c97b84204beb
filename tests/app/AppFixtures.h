// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/TempProgramDir.h"

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QString>

#include <utility>
#include <vector>

namespace lentora::testing {

struct MenuRow {
    MenuRow(int id, QByteArray komandos = {}, bool visible = true, bool enabled = true,
            QByteArray hint = {})
        : id(id),
          komandos(std::move(komandos)),
          visible(visible),
          enabled(enabled),
          hint(std::move(hint)) {}

    int id = 0;
    QByteArray komandos;  // CR LF separated command lines
    bool visible = true;
    bool enabled = true;
    QByteArray hint;
};

struct MovableRow {
    int id = 0;
    int type = 1;
};

// Data packets of the two tables the main window loads.
QByteArray menuTablePacket(const std::vector<MenuRow>& rows);
QByteArray movableTablePacket(const std::vector<MovableRow>& rows);

// A BMP picture of one colour.
QByteArray bmpBytes(QSize size, const QColor& color);

// A command line: five-digit record, ten blanks, kind name (UTF-8 here, stored in cp1257).
QByteArray commandLine(int record, const char* kindUtf8);

// Writes Data/Meniu.cds, Data/Nesioj.cds, the outline (cp1257 from UTF-8) and Testai/Fonas1.bmp.
void writeShellCourse(const TempProgramDir& dir, const std::vector<MenuRow>& menu,
                      const std::vector<MovableRow>& movable, const char* outlineUtf8);

}  // namespace lentora::testing
