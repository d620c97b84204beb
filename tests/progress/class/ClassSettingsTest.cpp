// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/IniFile.h"
#include "progress/ClassServer.h"

#include <gtest/gtest.h>

namespace lentora::progress {
namespace {

TEST(ClassSettings, TheKlaseSectionNamesTheServerAndItsAbsenceNone) {
    EXPECT_FALSE(ClassServer::fromSettings(IniFile::fromBytes("[Fonas]\r\nFono failas=1\r\n")));
    const auto server = ClassServer::fromSettings(IniFile::fromBytes(
        "[klase]\r\nServeris=db.mokykla.lt\r\nDuomenuBaze=lentora\r\nKlase=6b\r\n"));
    ASSERT_TRUE(server);
    EXPECT_EQ(server->host, QStringLiteral("db.mokykla.lt"));
    EXPECT_EQ(server->port, 5432);
    EXPECT_EQ(server->database, QStringLiteral("lentora"));
    EXPECT_EQ(server->className, QStringLiteral("6b"));
    // TCP needs TLS; a socket directory does not.
    EXPECT_FALSE(server->isUnixSocket());
    ClassServer socket = *server;
    socket.host = QStringLiteral("/var/run/postgresql");
    EXPECT_TRUE(socket.isUnixSocket());
    const auto badPort =
        ClassServer::fromSettings(IniFile::fromBytes("[Klase]\r\nPrievadas=99999\r\n"));
    ASSERT_TRUE(badPort);
    EXPECT_EQ(badPort->port, 5432);
}

}  // namespace
}  // namespace lentora::progress
