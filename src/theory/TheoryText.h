// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QStringList>

namespace lentora::theory {

// The book shows only the start of a long theory text.
inline constexpr int kShownTextBytes = 6000;

// Breaks a theory text (code page 1257 bytes) into the book's tokens:
// "~" ends a paragraph; a word token is an optional "$" (title), an optional "#" (bold) and the
// word's text with its leading blank (five spaces at a paragraph start, else one).
// "@" turns bold on, "#" turns it off; neither is ever shown.
QByteArrayList tokenize(QByteArrayView text);

// The tokens of a memo as the book shows it: its first 6000 bytes with a carriage return added.
QByteArrayList bookTokens(QByteArrayView memo);

// A word token with its markers taken off.
struct TokenStyle {
    QByteArray text;
    bool bold = false;
    bool title = false;
};
bool isParagraphEnd(QByteArrayView token);
TokenStyle decodeToken(QByteArrayView token);

// The lines to print: the whole memo, split at line breaks, with every "@" and "#" removed.
QStringList printLines(QByteArrayView memo);

}  // namespace lentora::theory
