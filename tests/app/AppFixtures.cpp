#include "AppFixtures.h"

#include "content/DataPacket.h"
#include "platform/CodePage1257.h"

#include <QBuffer>
#include <QImage>

namespace lentora::testing {

using content::FieldDef;
using content::FieldType;
using content::TableData;

QByteArray menuTablePacket(const std::vector<MenuRow>& rows) {
    TableData table;
    // Hint and Komandos without a WIDTH property.
    table.fields = {content::numberField("Id"), FieldDef{"Hint", FieldType::Text, 1, std::nullopt},
                    content::flagField("Matomas"), content::flagField("Pasiekiamas"),
                    FieldDef{"Komandos", FieldType::Memo, 4, std::nullopt}};
    table.keyFields = {0};
    for (const MenuRow& row : rows) {
        table.rows.push_back({double(row.id), row.hint, row.visible, row.enabled, row.komandos});
    }
    return content::writeDataPacket(table);
}

QByteArray movableTablePacket(const std::vector<MovableRow>& rows) {
    TableData table;
    table.fields = {content::numberField("Id"), content::numberField("Tipas")};
    table.keyFields = {0};
    for (const MovableRow& row : rows) {
        table.rows.push_back({double(row.id), double(row.type)});
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
    dir.writeFile(QStringLiteral("Data/Meniu.cds"), menuTablePacket(menu));
    dir.writeFile(QStringLiteral("Data/Nesioj.cds"), movableTablePacket(movable));
    if (outlineUtf8) {
        dir.writeFile(QStringLiteral("MENIU.MNU"), toCp1257(QString::fromUtf8(outlineUtf8)));
    }
    dir.writeFile(QStringLiteral("Testai/Fonas1.bmp"), bmpBytes({20, 10}, Qt::blue));
}

}  // namespace lentora::testing
