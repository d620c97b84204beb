// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace lentora {

// Windows code page 1257 (Baltic). Content, the menu file and settings stay bytes; these
// convert only where Qt draws or edits text. Bytes the code page leaves undefined become
// U+FFFD; characters it cannot encode become '?'.
QString fromCp1257(QByteArrayView bytes);
QByteArray toCp1257(QStringView text);

// The index of the first character that code page 1257 cannot encode, or -1 when it can
// encode them all.
qsizetype firstCharacterWithoutCp1257(QStringView text);

}  // namespace lentora
