// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppFixtures.h"

#include "content/DataPacket.h"
#include "content/Rows.h"
#include "content/Schema.h"
#include "platform/CodePage1257.h"

#include <QBuffer>
#include <QImage>

namespace lentora::testing {

using content::FieldDef;
using content::TableData;

QByteArray menuTablePacket(const std::vector<MenuRow>& rows) {
    TableData table = content::menuSchema().emptyTable();
    for (FieldDef& field : table.fields) {
        field.width.reset();  // as files without a WIDTH property
    }
    for (const MenuRow& row : rows) {
        table.rows.push_back(
            content::MenuRow{row.id, row.hint, row.visible, row.enabled, row.komandos}.values());
    }
    return content::writeDataPacket(table);
}

QByteArray movableTablePacket(const std::vector<MovableRow>& rows) {
    TableData table = content::movableWordsSchema().emptyTable();
    for (const MovableRow& row : rows) {
        std::vector<content::Value> values(table.fields.size());  // nulls
        values.front() = double(row.id);
        values.back() = double(row.type);  // Tipas, the last field
        table.rows.push_back(std::move(values));
    }
    return content::writeDataPacket(table);
}

QByteArray bmpBytes(QSize size, const QColor& color) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QByteArray commandLine(int record, const char* kindUtf8) {
    return QByteArray::number(record).rightJustified(5, '0') + QByteArray(10, ' ') +
           toCp1257(QString::fromUtf8(kindUtf8));
}

void writeShellCourse(const TempProgramDir& dir, const std::vector<MenuRow>& menu,
                      const std::vector<MovableRow>& movable, const char* outlineUtf8) {
    dir.writeFile(content::menuSchema().file, menuTablePacket(menu));
    dir.writeFile(content::movableWordsSchema().file, movableTablePacket(movable));
    if (outlineUtf8) {
        dir.writeFile(QStringLiteral("MENIU.MNU"), toCp1257(QString::fromUtf8(outlineUtf8)));
    }
    dir.writeFile(QStringLiteral("Testai/Fonas1.bmp"), bmpBytes({20, 10}, Qt::blue));
}

}  // namespace lentora::testing
