// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the fuzzing seed corpus into the directory given as the only argument.

#include "content/CommandLine.h"
#include "content/DataPacket.h"
#include "content/Rows.h"
#include "content/Schema.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstring>

using namespace lentora::content;

namespace {

void put(QByteArray& b, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        b.append(char((v >> (8 * i)) & 0xFF));
    }
}

void putDouble(QByteArray& b, double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    put(b, bits, 8);
}

// A table saved with pending edits: an edited row (old and new version) and an inserted one.
QByteArray changeLogPacket() {
    QByteArray b("\x96\x19\xE0\xBD", 4);
    put(b, 1, 4), put(b, 24, 4), put(b, 2, 2), put(b, 3, 4), put(b, 1, 4), put(b, 0, 2);
    b.append(char(2)).append("Id"), put(b, 8, 2), put(b, 4, 2), put(b, 0, 2), put(b, 0, 2);
    b.append(char(1)).append("T"), put(b, 2, 2), put(b, 0x49, 2), put(b, 0, 2), put(b, 0, 2);
    put(b, 3, 2);
    b.append(char(13)).append("DEFAULT_ORDER"), put(b, 2, 2), put(b, 0x82, 2), put(b, 1, 4),
        put(b, 1, 2);
    b.append(char(10)).append("CHANGE_LOG"), put(b, 4, 2), put(b, 0x81, 2), put(b, 6, 4);
    for (int v : {2, 1, 8, 3, 0, 4}) {
        put(b, std::uint64_t(v), 4);
    }
    b.append(char(4)).append("LCID"), put(b, 4, 2), put(b, 1, 2), put(b, 1033, 4);
    const struct {
        int status;
        double id;
        const char* text;
    } rows[] = {{1, 5, "old"}, {8, 5, "new"}, {4, 2, "inserted"}};
    for (const auto& row : rows) {
        b.append(char(row.status)).append(char(0));
        putDouble(b, row.id);
        put(b, std::strlen(row.text), 2);
        b.append(row.text);
    }
    return b;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: fuzz_make_seeds DIR\n", stderr);
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    dir.mkpath(QStringLiteral("."));
    auto save = [&](const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", name);
            std::exit(1);
        }
    };

    TableData menu = menuSchema().emptyTable();
    menu.rows = {
        MenuRow{2, "\xD0ios", true, true, formatCommandLine(2, CommandKind::Theory) + "\r\n"}
            .values(),
        {1.0, std::monostate{}, false, std::monostate{}, std::monostate{}},
        MenuRow{1, "dup", true, false, "a\r\nb"}.values()};
    save("menu.cds", writeDataPacket(menu));

    TableData answers;
    // Two number keys, a text with a 2-byte length prefix, a flag.
    answers.fields = {numberField("A"), numberField("B"), textField("T", 300), flagField("F")};
    answers.keyFields = {0, 1};
    answers.rows = {{11.0, 2.0, QByteArray(280, 'a'), true}, {11.0, 1.0, QByteArray("b"), false}};
    save("answers.cds", writeDataPacket(answers));

    TableData textKey;
    textKey.fields = {textField("K", 30), memoField("V", 1)};
    textKey.keyFields = {0};
    textKey.rows = {{QByteArray("b"), QByteArray("x")}, {QByteArray("a"), std::monostate{}}};
    save("textkey.cds", writeDataPacket(textKey));

    save("empty.cds", writeDataPacket(TableData{}));
    save("changelog.cds", changeLogPacket());
    return 0;
}
