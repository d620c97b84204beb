#include "content/CommandLine.h"
#include "platform/CodePage1257.h"

#include <gtest/gtest.h>

using namespace lentora;
using namespace lentora::content;

namespace {

QByteArray line(const char* record, const char* kindUtf8) {
    return QByteArray(record) + QByteArray(10, ' ') + toCp1257(QString::fromUtf8(kindUtf8));
}

}  // namespace

TEST(CommandLine, RecordNumberAndKindInFixedColumns) {
    const CommandLine theory = parseCommandLine(line("00006", "Teorijos langas"));
    EXPECT_EQ(theory.recordNumber, 6);
    EXPECT_EQ(theory.kind, CommandKind::Theory);
    EXPECT_EQ(parseCommandLine(line("00061", "Kilnojamų žodžių pratimas")).kind,
              CommandKind::MovableWords);
    EXPECT_EQ(
        parseCommandLine(line("00001", "Pratimas su pabraukiamais/išbraukiamais žodžiais")).kind,
        CommandKind::MarkedWords);
    // The same names in UTF-8 bytes are not the cp1257 names the content holds.
    EXPECT_EQ(commandKindOf("Kilnojam\xC5\xB3 \xC5\xBEod\xC5\xBEi\xC5\xB3 pratimas"),
              CommandKind::None);
    EXPECT_EQ(parseCommandLine(line("00001", "Paprastas pratimas ")).kind, CommandKind::None);
    EXPECT_EQ(parseCommandLine(line("00001", "paprastas pratimas")).kind, CommandKind::None);
    EXPECT_EQ(parseCommandLine("  12x").recordNumber, 12);
    const CommandLine shortLine = parseCommandLine("00001          ");
    EXPECT_TRUE(shortLine.kindName.isEmpty());
    EXPECT_EQ(parseCommandLine("").recordNumber, 0);
    EXPECT_EQ(parseCommandLine("00001          X").kindName, "X");  // column 16
}

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
