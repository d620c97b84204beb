// SPDX-License-Identifier: GPL-3.0-or-later
// lentora-cds: shows a data packet as JSON, and builds one from JSON, so that course content
// can be authored and checked as text.

#include "CdsJson.h"

#include "content/DataPacket.h"
#include "platform/Error.h"

#include <QFile>
#include <QSaveFile>

#include <cstdio>

namespace {

constexpr const char* kUsage =
    "usage: lentora-cds dump FILE\n"
    "       lentora-cds build IN.json OUT.cds\n"
    "\n"
    "dump   prints the table's current rows as JSON (UTF-8) on standard output\n"
    "build  writes a data packet from JSON in the shape that dump prints\n";

int usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

int failure(const QString& file, const QString& what) {
    std::fprintf(stderr, "lentora-cds: %s: %s\n", file.toLocal8Bit().constData(),
                 what.toUtf8().constData());
    return 1;
}

bool readWhole(const QString& path, QByteArray& bytes, QString& problem) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        problem = QStringLiteral("cannot open the file: %1").arg(file.errorString());
        return false;
    }
    if (file.isSequential()) {
        problem = QStringLiteral("not a regular file");
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        problem = QStringLiteral("cannot read the file: %1").arg(file.errorString());
        return false;
    }
    return true;
}

int dump(const QString& path) {
    QByteArray bytes;
    QString problem;
    if (!readWhole(path, bytes, problem)) {
        return failure(path, problem);
    }
    QByteArray json;
    try {
        json = lentora::cds::tableToJson(lentora::content::parseDataPacket(bytes, path));
    } catch (const lentora::Error& e) {
        // The reader's text already names the file.
        std::fprintf(stderr, "lentora-cds: %s\n", e.text().toUtf8().constData());
        return 1;
    }
    json.append('\n');
    if (std::fwrite(json.constData(), 1, std::size_t(json.size()), stdout) !=
            std::size_t(json.size()) ||
        std::fflush(stdout) != 0) {
        return failure(QStringLiteral("<stdout>"), QStringLiteral("cannot write the output"));
    }
    return 0;
}

int build(const QString& in, const QString& out) {
    QByteArray json;
    QString problem;
    if (!readWhole(in, json, problem)) {
        return failure(in, problem);
    }
    QByteArray packet;
    try {
        packet = lentora::content::writeDataPacket(lentora::cds::tableFromJson(json));
    } catch (const lentora::Error& e) {
        return failure(in, e.text());
    }
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly) || file.write(packet) != packet.size() || !file.commit()) {
        return failure(out, QStringLiteral("cannot write the file: %1").arg(file.errorString()));
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 3 && QByteArray(argv[1]) == "dump") {
        return dump(QString::fromLocal8Bit(argv[2]));
    }
    if (argc == 4 && QByteArray(argv[1]) == "build") {
        return build(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    return usage();
}
