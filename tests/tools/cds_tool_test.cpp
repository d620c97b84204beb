// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/DataPacket.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lentora::content;

namespace {

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

ToolRun runCds(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(LENTORA_TEST_TOOLS_DIR "/lentora-cds"), arguments);
    ToolRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "lentora-cds did not finish normally";
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString writeTemp(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

}  // namespace

TEST(CdsTool, BuildThenDumpGivesBackTheSameJson) {
    QTemporaryDir dir;
    const QByteArray longText(300, 'z');
    const QByteArray json =
        "{\"fields\":[{\"name\":\"Id\",\"type\":\"number\",\"width\":null},"
        "{\"name\":\"Užduotis\",\"type\":\"text\",\"width\":255},"
        "{\"name\":\"Ilgas\",\"type\":\"text\",\"width\":null},"
        "{\"name\":\"Teisingas\",\"type\":\"flag\",\"width\":null},"
        "{\"name\":\"Komandos\",\"type\":\"memo\",\"width\":240}],"
        "\"key\":[\"Id\"],"
        "\"rows\":[[null,null,null,null,null],"
        "[-1.5,\"Ąžuolas \\\"ir\\\" \\\\ šaknys\",\"" +
        longText +
        "\",false,\"\"],[1e-07,\"\",\"\",true,\"\"],"
        "[16,\"Šios\",\"t\\tab\",true,\"00016          Teorijos langas\\r\\n\"],"
        "[4294967296,\"\\u0001\",\"1e-07\",false,\"\"]]}\n";
    const QString in = writeTemp(dir, QStringLiteral("in.json"), json);
    const QString cds = dir.filePath(QStringLiteral("out.cds"));

    const ToolRun build = runCds({QStringLiteral("build"), in, cds});
    ASSERT_EQ(build.exitCode, 0) << build.err.toStdString();
    const ToolRun dump = runCds({QStringLiteral("dump"), cds});
    ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    EXPECT_EQ(dump.out, json);

    // A width up to 255 and a text without width whose values fit take a 1-byte prefix;
    // a longer one takes 2 bytes; texts are stored in code page 1257.
    QFile file(cds);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const TableData table = parseDataPacket(file.readAll(), cds);
    EXPECT_EQ(table.fields[1].size, 1);
    EXPECT_EQ(table.fields[2].size, 2);
    EXPECT_EQ(table.fields[4].size, 4);
    EXPECT_EQ(table.fields[1].name, QByteArray("U\xFE"
                                               "duotis"));
}

TEST(CdsTool, BrokenInputsFailNamingTheFile) {
    QTemporaryDir dir;
    const QString broken =
        writeTemp(dir, QStringLiteral("broken.cds"), QByteArray("\x96\x19\xE0\xBD\x01", 5));
    ToolRun run = runCds({QStringLiteral("dump"), broken});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(broken)) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());

    run = runCds({QStringLiteral("dump"), dir.filePath(QStringLiteral("missing.cds"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("missing.cds")));

    const std::pair<QByteArray, const char*> badJson[] = {
        {"{\"fields\":[", "invalid JSON"},
        {"{\"fields\":[{\"name\":\"A\",\"type\":\"flag\"}],\"rows\":[[1]]}", "row 1, field A"},
        {"{\"fields\":[{\"name\":\"A\",\"type\":\"number\"}],\"rows\":[[1,2]]}", "row 1"},
        {"{\"fields\":[{\"name\":\"A\",\"type\":\"date\"}],\"rows\":[]}", "field 1"},
        {"{\"fields\":[{\"name\":\"A\",\"type\":\"text\",\"width\":10}],\"rows\":[[\"\\u4e2d\"]]}",
         "code page 1257"},
        {"{\"fields\":[{\"name\":\"A\",\"type\":\"number\"}],\"key\":[\"B\"],\"rows\":[]}",
         "not a field"},
    };
    for (const auto& [bytes, expected] : badJson) {
        const QString in = writeTemp(dir, QStringLiteral("bad.json"), bytes);
        run = runCds({QStringLiteral("build"), in, dir.filePath(QStringLiteral("bad.cds"))});
        EXPECT_EQ(run.exitCode, 1) << bytes.toStdString();
        EXPECT_TRUE(run.err.contains(in) && run.err.contains(QLatin1String(expected)))
            << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("bad.cds"))));
    }

    run = runCds({QStringLiteral("dump")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("usage")));
}

// A command-line tool for content authors must run where no GUI library is installed.
TEST(CdsTool, LinksNoGuiLibrary) {
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {QStringLiteral(LENTORA_TEST_TOOLS_DIR "/lentora-cds")});
    ASSERT_TRUE(ldd.waitForFinished(60000));
    const QString libraries = QString::fromLocal8Bit(ldd.readAllStandardOutput());
    ASSERT_TRUE(libraries.contains(QLatin1String("libQt6Core"))) << libraries.toStdString();
    for (const char* gui :
         {"libQt6Widgets", "libQt6Gui", "libQt6Multimedia", "libQt6PrintSupport"}) {
        EXPECT_FALSE(libraries.contains(QLatin1String(gui))) << gui;
    }
}
