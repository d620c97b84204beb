// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariantList>

class QSqlQuery;

namespace lentora::progress {

// Prepares and runs a statement with its values bound in order; false when either fails (the
// query's lastError() says why). Values are only ever bound, never written into the text.
bool runStatement(QSqlQuery& query, const QString& sql, const QVariantList& values = {});

// Qt SQL binds a null string as NULL; the columns hold texts, empty ones too.
inline QString storedText(const QString& value) {
    return value.isNull() ? QStringLiteral("") : value;
}

}  // namespace lentora::progress
