#include "platform/TextMetrics.h"
#include "theory/PageLayout.h"
#include "theory/TheoryText.h"

#include "content/ContentTable.h"
#include "platform/FileListing.h"
#include "platform/Fonts.h"

#include <QFile>
#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

namespace lentora {
namespace {

QString programFile(const QString& relative) {
    return QStringLiteral(LENTORA_TEST_PROGRAM_DIR "/") + relative;
}

// The course's theory texts: one per topic, well formed, each shown whole (the book cuts a
// text after its first 6000 bytes), some long enough to turn pages.
TEST(SampleCourseTheory, TextsCoverEveryTopicAreShownWholeAndSomeRunPastOneSpread) {
    content::ContentTable table;
    table.load(programFile(QStringLiteral("Data/Teorija.cds")));
    const QFont font = makeFont(QStringLiteral("Times New Roman"), 14);
    int longerThanShown = 0;
    int pastOneSpread = 0;
    for (int id = 1; id <= 12; ++id) {
        EXPECT_TRUE(table.findKey(double(id))) << "record " << id;
    }
    for (table.first(); !table.eof(); table.next()) {
        const int id = table.asInt("Id");
        const QByteArray text = table.asText("Teorija");
        // Bold switched on must be switched off again before the text ends.
        EXPECT_LT(text.lastIndexOf('@'), text.lastIndexOf('#')) << "record " << id;
        EXPECT_FALSE(text.endsWith('\n')) << "record " << id;
        if (text.size() > theory::kShownTextBytes) {
            ++longerThanShown;
        }
        const QByteArrayList tokens = theory::bookTokens(text);
        FontTextMetrics metrics(font);
        const int leftEnd = theory::layoutPage(tokens, 0, 267, 425, metrics).endIndex;
        const int rightEnd = theory::layoutPage(tokens, leftEnd, 265, 425, metrics).endIndex;
        if (tokens.size() > rightEnd + 1) {
            ++pastOneSpread;
        }
    }
    EXPECT_EQ(longerThanShown, 0);
    EXPECT_GE(pastOneSpread, 3);
}

TEST(SampleCourseTheory, BookIsWhiteUnderThePagesAndCornersHaveTheirSizes) {
    const QImage book(programFile(QStringLiteral("Testai/Teorija/Piesin/knyga.bmp")));
    ASSERT_EQ(book.size(), QSize(705, 505));
    // The page areas, in picture coordinates (the picture sits at (8, 8) in the window).
    for (const QRect& page : {QRect(38, 24, 267, 425), QRect(392, 24, 265, 425)}) {
        for (int y = page.top(); y <= page.bottom(); ++y) {
            for (int x = page.left(); x <= page.right(); ++x) {
                ASSERT_EQ(book.pixel(x, y) & 0xffffff, 0xffffffu) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(QImage(programFile(QStringLiteral("Testai/Teorija/Piesin/kampas_atgal.bmp"))).size(),
              QSize(59, 54));
    EXPECT_EQ(QImage(programFile(QStringLiteral("Testai/Teorija/Piesin/kampas_pirmyn.bmp"))).size(),
              QSize(50, 63));
}

TEST(SampleCourseTheory, ThereAreSeveralDifferentPageTurnSounds) {
    const QString directory = programFile(QStringLiteral("Testai/Teorija/Garsai/"));
    const QStringList names = listMatchingFiles(directory, QStringLiteral("*.WAV"));
    ASSERT_GE(names.size(), 3);
    QSet<QByteArray> contents;
    for (const QString& name : names) {
        QFile file(directory + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_GT(bytes.size(), 44);
        EXPECT_TRUE(bytes.startsWith("RIFF")) << name.toStdString();
        // 16-bit mono at 22050 Hz: 0.3 to 0.6 seconds.
        const double seconds = (bytes.size() - 44) / 2.0 / 22050.0;
        EXPECT_GE(seconds, 0.3) << name.toStdString();
        EXPECT_LE(seconds, 0.6) << name.toStdString();
        contents.insert(bytes);
    }
    EXPECT_EQ(contents.size(), names.size());
}

}  // namespace
}  // namespace lentora
