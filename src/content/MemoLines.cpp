// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/MemoLines.h"

namespace lentora::content {

QByteArrayList splitMemoLines(QByteArrayView memo) {
    QByteArrayList lines;
    qsizetype start = 0;
    while (start < memo.size()) {
        const qsizetype end = memo.indexOf(QByteArrayView("\r\n"), start);
        if (end < 0) {
            lines.append(memo.sliced(start).toByteArray());
            break;
        }
        lines.append(memo.sliced(start, end - start).toByteArray());
        start = end + 2;
    }
    return lines;
}

QByteArrayList splitLinesAtAnyBreak(QByteArrayView text) {
    QByteArrayList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype stop = start;
        while (stop < text.size() && text[stop] != '\r' && text[stop] != '\n') {
            ++stop;
        }
        lines.append(text.sliced(start, stop - start).toByteArray());
        start = stop;
        if (start < text.size() && text[start] == '\r') {
            ++start;
        }
        if (start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

}  // namespace lentora::content
