// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayList>
#include <QByteArrayView>

namespace lentora::content {

// Memo text split at CR LF; a line break at the very end starts no further line.
QByteArrayList splitMemoLines(QByteArrayView memo);

// Text split at any line break: CR LF, a lone CR or a lone LF. A break at the very end
// starts no further line.
QByteArrayList splitLinesAtAnyBreak(QByteArrayView text);

}  // namespace lentora::content
