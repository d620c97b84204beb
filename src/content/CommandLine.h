// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <span>

namespace lentora::content {

// The number at the start of a text: leading blanks skipped, an optional sign, then the
// digits up to the first other character. No digit gives 0; values beyond 32 bits saturate.
std::int32_t readLeadingInteger(QByteArrayView text);

enum class CommandKind { None, Theory, SimpleTest, MovableWords, MarkedWords };

// The kinds a command line can name, in the order they are compared.
std::span<const CommandKind> commandKinds();

// The kind's name as the menu table holds it (code page 1257), and as text; empty for None.
const QByteArray& kindName(CommandKind kind);
QString kindNameText(CommandKind kind);

// The theory book, the simple test and the movable-words windows take 16-bit record numbers.
bool takesRecord16(CommandKind kind);
// The record number as the kind's window receives it: cut to 16 bits where it takes 16.
std::int32_t recordNumberFor(CommandKind kind, std::int32_t recordNumber);

// One line of a menu row's Komandos: the record number in columns 1-5, columns 6-15 ignored,
// the kind from column 16 to the end of the line.
inline constexpr qsizetype kRecordColumns = 5;
inline constexpr qsizetype kKindColumn = 16;

struct CommandLine {
    std::int32_t recordNumber = 0;
    QByteArray kindName;  // code page 1257, untrimmed
    CommandKind kind = CommandKind::None;
};

// The kind names compared exactly, letter case and blanks included.
CommandKind commandKindOf(QByteArrayView kindName);
CommandLine parseCommandLine(QByteArrayView line);

// A well-formed line: five digits with leading zeros, ten blanks, the kind name.
QByteArray formatCommandLine(int recordNumber, CommandKind kind);

}  // namespace lentora::content
