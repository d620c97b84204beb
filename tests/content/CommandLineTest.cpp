// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/CommandLine.h"
#include "platform/CodePage1257.h"

#include <gtest/gtest.h>

using namespace lentora;
using namespace lentora::content;

namespace {

QByteArray line(const char* record, const char* kindUtf8) {
    return QByteArray(record) + QByteArray(10, ' ') + toCp1257(QString::fromUtf8(kindUtf8));
}

struct LineCase {
    const char* name;
    QByteArray line;
    int recordNumber;
    CommandKind kind;
    QByteArray kindName;
};

const LineCase kLineCases[] = {
    {"Theory", line("00006", "Teorijos langas"), 6, CommandKind::Theory, {}},
    {"MovableWords", line("00061", "Kilnojamų žodžių pratimas"), 61, CommandKind::MovableWords, {}},
    {"MarkedWords",
     line("00001", "Pratimas su pabraukiamais/išbraukiamais žodžiais"),
     1,
     CommandKind::MarkedWords,
     {}},
    {"SimpleTest", line("00042", "Paprastas pratimas"), 42, CommandKind::SimpleTest, {}},
    // The content holds cp1257 names: the same name in UTF-8 bytes is none of them.
    {"Utf8NameIsNoKind",
     "00061          Kilnojam\xC5\xB3 \xC5\xBEod\xC5\xBEi\xC5\xB3 pratimas",
     61,
     CommandKind::None,
     {}},
    {"TrailingBlankIsNoKind", line("00001", "Paprastas pratimas "), 1, CommandKind::None, {}},
    {"OtherLetterCaseIsNoKind", line("00001", "paprastas pratimas"), 1, CommandKind::None, {}},
    {"RecordNumberEndsAtItsFirstNonDigit", "  12x", 12, CommandKind::None, {}},
    {"NoKindColumn", "00001          ", 1, CommandKind::None, ""},
    {"EmptyLine", "", 0, CommandKind::None, ""},
    {"KindStartsInColumn16", "00001          X", 1, CommandKind::None, "X"},
};

class CommandLines : public ::testing::TestWithParam<LineCase> {};

}  // namespace

TEST_P(CommandLines, RecordNumberAndKindInFixedColumns) {
    const LineCase& c = GetParam();
    const CommandLine parsed = parseCommandLine(c.line);
    EXPECT_EQ(parsed.recordNumber, c.recordNumber);
    EXPECT_EQ(parsed.kind, c.kind);
    if (!c.kindName.isNull()) {
        EXPECT_EQ(parsed.kindName, c.kindName);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLines, ::testing::ValuesIn(kLineCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLine, FormattedLinesReadBackAndRecordsKeepTheirWidthPerKind) {
    for (CommandKind kind : commandKinds()) {
        const CommandLine read = parseCommandLine(formatCommandLine(16, kind));
        EXPECT_EQ(read.kind, kind);
        EXPECT_EQ(read.recordNumber, 16);
        EXPECT_EQ(kindName(kind), toCp1257(kindNameText(kind)));
    }
    EXPECT_EQ(formatCommandLine(16, CommandKind::Theory),
              QByteArray("00016          Teorijos langas"));
    EXPECT_EQ(recordNumberFor(CommandKind::SimpleTest, 70000), 4464);
    EXPECT_EQ(recordNumberFor(CommandKind::MovableWords, -1), 65535);
    EXPECT_EQ(recordNumberFor(CommandKind::MarkedWords, 70000), 70000);
}
