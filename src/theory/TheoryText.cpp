// SPDX-License-Identifier: GPL-3.0-or-later
#include "theory/TheoryText.h"

#include "content/MemoLines.h"
#include "platform/CodePage1257.h"

namespace lentora::theory {

QByteArrayList tokenize(QByteArrayView text) {
    QByteArrayList tokens;
    QByteArray word(" ");
    QByteArray prefix("$");
    bool boldState = false;
    bool wordIsBold = false;

    auto appendWord = [&] {
        QByteArray token = prefix;
        if (wordIsBold) {
            token += '#';
        }
        token += word;
        tokens.append(std::move(token));
        wordIsBold = boldState;
    };

    for (char byte : text) {
        switch (byte) {
            case '\r':
                appendWord();
                prefix.clear();
                word = QByteArray(5, ' ');
                tokens.append(QByteArray("~"));
                break;
            case '@':
                boldState = true;
                wordIsBold = true;
                break;
            case '#':
                boldState = false;
                break;
            case '\n':
                break;
            case ' ':
                appendWord();
                word = QByteArray(" ");
                break;
            default:
                word += byte;
                break;
        }
    }
    return tokens;
}

QByteArrayList bookTokens(QByteArrayView memo) {
    QByteArray text = memo.first(std::min<qsizetype>(memo.size(), kShownTextBytes)).toByteArray();
    text += '\r';
    return tokenize(text);
}

bool isParagraphEnd(QByteArrayView token) {
    return token.startsWith('~');
}

TokenStyle decodeToken(QByteArrayView token) {
    TokenStyle style;
    // The bold marker stands first, or second behind the title marker.
    if (token.startsWith('#')) {
        style.bold = true;
        token = token.sliced(1);
    } else if (token.startsWith("$#")) {
        style.bold = true;
        style.title = true;
        style.text = token.sliced(2).toByteArray();
        return style;
    }
    if (token.startsWith('$')) {
        style.title = true;
        token = token.sliced(1);
    }
    style.text = token.toByteArray();
    return style;
}

QStringList printLines(QByteArrayView memo) {
    QStringList lines;
    for (QByteArray line : content::splitMemoLines(memo)) {
        line.replace("@", "").replace("#", "");
        lines.append(fromCp1257(line));
    }
    return lines;
}

}  // namespace lentora::theory
