// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Error.h"
#include "platform/Fonts.h"
#include "platform/FrameMetrics.h"
#include "platform/Pictures.h"
#include "support/TempProgramDir.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>

#include <QFile>

#include <limits>

#include <gtest/gtest.h>

using namespace lentora;
using lentora::testing::TempProgramDir;

TEST(Fonts, PointsBecomePixelsAt96Dpi) {
    EXPECT_EQ(pointsToPixels(8), 11);
    EXPECT_EQ(pointsToPixels(10), 13);
    EXPECT_EQ(pointsToPixels(12), 16);
    EXPECT_EQ(pointsToPixels(14), 19);
    QFont font = makeFont("Arial", 14);
    EXPECT_EQ(font.pixelSize(), 19);
    EXPECT_EQ(fontPoints(font), 14);
    // A broken size from the settings still gives a usable font.
    setFontPoints(font, 2000000000);
    EXPECT_GT(font.pixelSize(), 0);
    EXPECT_LE(font.pixelSize(), 500);
    setFontPoints(font, -5);
    EXPECT_GE(font.pixelSize(), 1);
}

TEST(Fonts, ContentFacesMapToInstalledFacesWithLithuanianLetters) {
    EXPECT_EQ(installedFaceFor("arial"), "Liberation Sans");
    EXPECT_EQ(installedFaceFor("TIMESLT"), "Liberation Serif");
    EXPECT_EQ(installedFaceFor("Times New Roman"), "Liberation Serif");
    EXPECT_EQ(installedFaceFor("Some Face"), "Some Face");
    for (const char* face : {"MS Sans Serif", "Arial", "TimesLT"}) {
        const QString installed = installedFaceFor(face);
        ASSERT_TRUE(QFontDatabase::hasFamily(installed)) << installed.toStdString();
        EXPECT_EQ(QFontInfo(makeFont(face, 10)).family(), installed);
        const QFontMetrics metrics(makeFont(face, 10));
        for (const QChar letter : QStringLiteral("ąčęėįšųūžĄČĘĖĮŠŲŪŽ")) {
            EXPECT_TRUE(metrics.inFont(letter)) << installed.toStdString();
        }
    }
}

TEST(Fonts, ColourNumbersHaveRedInTheLowestByte) {
    EXPECT_EQ(colorFromNumber(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(colorFromNumber(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(colorFromNumber(0), QColor(Qt::black));
    EXPECT_EQ(numberFromColor(QColor(1, 2, 3)), 0x030201);
    // System colours saved by a Windows font dialog: window text is black, not dark red.
    EXPECT_EQ(colorFromNumber(-2147483640), QColor(Qt::black));
    EXPECT_EQ(colorFromNumber(static_cast<int>(0x80000005u)), QColor(Qt::white));
}

TEST(FrameMetrics, ContentSizesAreClampedToSaneExtents) {
    EXPECT_EQ(clampedInt(487.0, 0, kMaxContentExtent), 487);
    EXPECT_EQ(clampedInt(-5.0, 0, kMaxContentExtent), 0);
    EXPECT_EQ(clampedInt(1e300, 0, kMaxContentExtent), kMaxContentExtent);
    EXPECT_EQ(clampedInt(std::numeric_limits<double>::quiet_NaN(), 0, kMaxContentExtent), 0);
    EXPECT_EQ(clampedInt(-std::numeric_limits<double>::infinity(), -10, 10), -10);
    EXPECT_EQ(clientSizeForContent(QSize(9000, -7)), QSize(3994, 0));
}

TEST(FrameMetrics, ButtonKeepsItsGapsAndStaysReachable) {
    const QSize button(59, 69);
    // 500 x 400 outer: a 494 x 375 client area, the button 74 and 99 pixels in.
    EXPECT_EQ(clientSizeForContent(QSize(500, 400), button), QSize(494, 375));
    EXPECT_EQ(buttonPosition(QSize(500, 400), button, 15, 30), QPoint(426, 301));
    EXPECT_EQ(buttonPosition(QSize(500, 400), button, 10, 28), QPoint(431, 303));
    // A window too small for the button still shows all of it.
    EXPECT_EQ(clientSizeForContent(QSize(10, 0), button), button);
    EXPECT_EQ(buttonPosition(QSize(10, 0), button, 15, 30), QPoint(0, 0));
    // Far beyond the clamp the button still sits inside the client area.
    EXPECT_EQ(buttonPosition(QSize(100000, 100000), button, 15, 30), QPoint(3926, 3901));
}

TEST(Pictures, LoadWithoutRegardToCaseOrReportThePath) {
    TempProgramDir dir;
    QImage image(59, 69, QImage::Format_RGB32);
    image.fill(Qt::white);
    dir.makeDir("Testai/Papr");
    ASSERT_TRUE(image.save(dir.filePath("Testai/Papr/fonas.bmp"), "BMP"));

    EXPECT_EQ(loadImage(dir.path() + "testai\\PAPR\\Fonas.BMP").size(), QSize(59, 69));
    EXPECT_EQ(loadPixmap(dir.path() + "Testai/Papr/fonas.bmp").size(), QSize(59, 69));

    const QString missing = dir.path() + "Testai/nera.bmp";
    try {
        loadImage(missing);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.text(), "Cannot open file " + missing);
    }
    const QString broken = dir.writeFile("broken.bmp", "BM\xFF\xFF\xFF\x7F garbage");
    EXPECT_THROW(loadPixmap(broken), Error);

    // A picture cut short is an unreadable one, not a black one.
    QFile whole(dir.filePath("Testai/Papr/fonas.bmp"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QString cut = dir.writeFile("cut.bmp", whole.read(whole.size() - 100));
    try {
        loadImage(cut);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.text(), "Cannot open file " + cut);
    }

    dir.makeDir("Tuscias");
    EXPECT_FALSE(pickRandomPicture(dir.path(), "*.BMP", 0).isEmpty());
    try {
        pickRandomPicture(dir.filePath("Tuscias/"), "*.BMP", 3);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.text(), "Cannot find any picture in " + dir.filePath("Tuscias/"));
    }
}
