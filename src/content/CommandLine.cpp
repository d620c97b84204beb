// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/CommandLine.h"

#include "platform/CodePage1257.h"

#include <algorithm>
#include <array>
#include <limits>

namespace lentora::content {

namespace {

struct KindInfo {
    CommandKind kind;
    const char16_t* name;
    bool record16;
};

constexpr std::array<KindInfo, 4> kKinds{{
    {CommandKind::Theory, u"Teorijos langas", true},
    {CommandKind::SimpleTest, u"Paprastas pratimas", true},
    {CommandKind::MovableWords, u"Kilnojamų žodžių pratimas", true},
    {CommandKind::MarkedWords, u"Pratimas su pabraukiamais/išbraukiamais žodžiais", false},
}};

constexpr std::array<CommandKind, 4> kKindOrder{CommandKind::Theory, CommandKind::SimpleTest,
                                                CommandKind::MovableWords,
                                                CommandKind::MarkedWords};

const KindInfo* infoOf(CommandKind kind) {
    const auto found = std::find_if(kKinds.begin(), kKinds.end(),
                                    [kind](const KindInfo& info) { return info.kind == kind; });
    return found == kKinds.end() ? nullptr : &*found;
}

}  // namespace

std::int32_t readLeadingInteger(QByteArrayView text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(value * 10 + (text[i] - '0'), limit);
    }
    if (negative) {
        value = -value;
    }
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, limit - 1));
}

std::span<const CommandKind> commandKinds() {
    return kKindOrder;
}

const QByteArray& kindName(CommandKind kind) {
    static const std::array<QByteArray, 4> names = [] {
        std::array<QByteArray, 4> bytes;
        for (std::size_t i = 0; i < kKinds.size(); ++i) {
            bytes[i] = toCp1257(QString::fromUtf16(kKinds[i].name));
        }
        return bytes;
    }();
    static const QByteArray none;
    const KindInfo* info = infoOf(kind);
    return info ? names[std::size_t(info - kKinds.data())] : none;
}

QString kindNameText(CommandKind kind) {
    const KindInfo* info = infoOf(kind);
    return info ? QString::fromUtf16(info->name) : QString();
}

bool takesRecord16(CommandKind kind) {
    const KindInfo* info = infoOf(kind);
    return info && info->record16;
}

std::int32_t recordNumberFor(CommandKind kind, std::int32_t recordNumber) {
    return takesRecord16(kind) ? static_cast<std::uint16_t>(recordNumber) : recordNumber;
}

CommandKind commandKindOf(QByteArrayView name) {
    for (CommandKind kind : kKindOrder) {
        if (name == kindName(kind)) {
            return kind;
        }
    }
    return CommandKind::None;
}

CommandLine parseCommandLine(QByteArrayView line) {
    CommandLine command;
    command.recordNumber =
        readLeadingInteger(line.first(std::min<qsizetype>(kRecordColumns, line.size())));
    if (line.size() >= kKindColumn) {
        command.kindName = line.sliced(kKindColumn - 1).toByteArray();
    }
    command.kind = commandKindOf(command.kindName);
    return command;
}

QByteArray formatCommandLine(int recordNumber, CommandKind kind) {
    return QByteArray::number(recordNumber).rightJustified(kRecordColumns, '0') +
           QByteArray(kKindColumn - 1 - kRecordColumns, ' ') + kindName(kind);
}

}  // namespace lentora::content
