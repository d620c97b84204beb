// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/SqlStatement.h"

#include <QSqlQuery>
#include <QVariant>

namespace lentora::progress {

bool runStatement(QSqlQuery& query, const QString& sql, const QVariantList& values) {
    if (!query.prepare(sql)) {
        return false;
    }
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    return query.exec();
}

}  // namespace lentora::progress
