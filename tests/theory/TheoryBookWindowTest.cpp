// SPDX-License-Identifier: GPL-3.0-or-later
#include "theory/PageCorner.h"
#include "theory/PaintBox.h"
#include "theory/TTeorijosForma.h"

#include "content/ContentTable.h"
#include "content/DataPacket.h"
#include "content/Rows.h"
#include "content/Schema.h"
#include "platform/Error.h"
#include "platform/FileListing.h"
#include "support/FakeServices.h"
#include "support/TempProgramDir.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace lentora {
namespace {

QByteArray bmp(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QByteArray theoryTable(const std::vector<std::pair<int, QByteArray>>& rows) {
    content::TableData table = content::theorySchema().emptyTable();
    for (const auto& [id, text] : rows) {
        table.rows.push_back(content::TheoryRow{id, text}.values());
    }
    return content::writeDataPacket(table);
}

// A long text: many spreads of words.
QByteArray longText() {
    QByteArray text = "@Ilgas tekstas#\r\n";
    for (int paragraph = 0; paragraph < 40; ++paragraph) {
        text += "Pastraipa su keliais @svarbiais# \xfeod\xfeiais ir pavyzd\xfeiais.\r\n";
    }
    return text;
}

class TheoryBookWindow : public ::testing::Test {
protected:
    void SetUp() override {
        dir.writeFile(content::theorySchema().file,
                      theoryTable({{1, longText()}, {2, "@Trumpas#\r\nVienas sakinys."}}));
        dir.writeFile("Testai/Teorija/Piesin/knyga.bmp", bmp(705, 505));
        for (const char* name : {"a.wav", "B.WAV", "c.wav"}) {
            dir.writeFile(QStringLiteral("Testai/Teorija/Garsai/") + name, "RIFF");
        }
        seedRandom(7);
    }

    // Paints the window as the screen would, so both pages run their layout.
    static void paint(TTeorijosForma& form) { (void)form.grab(); }

    static QAction* action(TTeorijosForma& form, const QString& caption) {
        for (QAction* action : form.actions()) {
            if (action->text() == caption) {
                return action;
            }
        }
        return nullptr;
    }

    testing::TempProgramDir dir;
    testing::ScopedFakeServices fakes;
};

TEST_F(TheoryBookWindow, TurnsPagesForwardAndBackWithASoundEachTime) {
    TTeorijosForma form(nullptr);
    EXPECT_TRUE(fakes.messages.errors.isEmpty()) << fakes.messages.errors.join('\n').toStdString();
    ASSERT_TRUE(form.OpenRecord(1));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    paint(form);
    EXPECT_EQ(form.session().spreads().spreadNo(), 0);
    EXPECT_FALSE(form.previousCorner()->isVisible());
    ASSERT_TRUE(form.nextCorner()->isVisible());
    const int rightStart = form.session().spreads().rightPageStart();
    EXPECT_GT(rightStart, 0);

    QTest::mouseClick(form.nextCorner(), Qt::LeftButton);
    paint(form);
    EXPECT_EQ(form.session().spreads().spreadNo(), 1);
    EXPECT_GT(form.session().spreads().leftPageStart(), rightStart);
    EXPECT_TRUE(form.previousCorner()->isVisible());
    ASSERT_EQ(fakes.sound.played.size(), 1);
    EXPECT_TRUE(fakes.sound.played[0].startsWith(dir.filePath("Testai/Teorija/Garsai/")));

    QTest::mouseClick(form.previousCorner(), Qt::LeftButton);
    paint(form);
    EXPECT_EQ(form.session().spreads().spreadNo(), 0);
    EXPECT_FALSE(form.previousCorner()->isVisible());
    EXPECT_EQ(form.session().spreads().rightPageStart(), rightStart);
    EXPECT_EQ(fakes.sound.played.size(), 2);

    // The keys turn as the corners do, and nothing where no corner is shown.
    QTest::keyClick(&form, Qt::Key_PageUp);
    EXPECT_EQ(fakes.sound.played.size(), 2);
    QTest::keyClick(&form, Qt::Key_PageDown);
    paint(form);
    EXPECT_EQ(form.session().spreads().spreadNo(), 1);
    QTest::keyClick(&form, Qt::Key_Left);
    paint(form);
    EXPECT_EQ(form.session().spreads().spreadNo(), 0);
    EXPECT_EQ(fakes.sound.played.size(), 4);

    // Forward to the end: the next corner disappears on the last spread.
    int turns = 0;
    while (form.nextCorner()->isVisible() && turns < 50) {
        QTest::mouseClick(form.nextCorner(), Qt::LeftButton);
        paint(form);
        ++turns;
    }
    EXPECT_GT(turns, 1);
    EXPECT_LT(turns, 50);
    EXPECT_EQ(form.session().spreads().spreadNo(), turns);
}

// The spread is laid out when the record opens, not when the pages paint: the corner shows
// before any paint, and the right page painted alone follows the left one.
TEST_F(TheoryBookWindow, TheSpreadIsLaidOutBeforeAnyPaint) {
    TTeorijosForma form(nullptr);
    ASSERT_TRUE(form.OpenRecord(1));
    EXPECT_TRUE(form.nextCorner()->isVisibleTo(&form));
    EXPECT_GT(form.session().spreads().rightPageStart(), 0);
    const int rightEnd = form.session().rightPage().endIndex;
    (void)form.rightPage()->grab();
    EXPECT_EQ(form.session().rightPage().endIndex, rightEnd);
}

TEST_F(TheoryBookWindow, AShortTextShowsNoCornersAndAMissingRecordIsNotShown) {
    TTeorijosForma form(nullptr);
    EXPECT_FALSE(form.Execute(99));
    EXPECT_FALSE(form.isVisible());
    ASSERT_TRUE(form.OpenRecord(2));
    paint(form);
    EXPECT_FALSE(form.previousCorner()->isVisibleTo(&form));
    EXPECT_FALSE(form.nextCorner()->isVisibleTo(&form));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Teorija"));
    EXPECT_EQ(form.size(), QSize(714, 518));
}

TEST_F(TheoryBookWindow, MenuCommandsOpenHelpPrintAndClose) {
    TTeorijosForma form(nullptr);
    ASSERT_TRUE(form.OpenRecord(1));
    QAction* help = action(form, QStringLiteral("Pagalba"));
    QAction* print = action(form, QStringLiteral("Spausdinti teoriją"));
    QAction* close = action(form, QStringLiteral("Uždaryti teorijos langą"));
    ASSERT_TRUE(help && print && close);
    EXPECT_EQ(help->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(print->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(close->shortcut(), QKeySequence(Qt::Key_Escape));

    help->trigger();
    EXPECT_EQ(fakes.help.topics, std::vector<int>{5});

    print->trigger();
    ASSERT_EQ(fakes.printer.jobs, 1);
    ASSERT_EQ(fakes.printer.lines.size(), 41);
    EXPECT_EQ(fakes.printer.lines[0], QStringLiteral("Ilgas tekstas"));
    EXPECT_FALSE(fakes.printer.lines.join(QString()).contains('@'));

    // No printer: the learner is told, and the window goes on.
    fakes.printer.failWith = QStringLiteral("Nėra įdiegto spausdintuvo");
    print->trigger();
    ASSERT_EQ(fakes.messages.errors.size(), 1);
    EXPECT_TRUE(fakes.messages.errors[0].startsWith(QStringLiteral("Nėra įdiegto spausdintuvo")));

    form.show();
    close->trigger();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), 1);
}

// The program directory holds only the book picture, the table and the sounds: the corners come
// with the program, so the book opens without a message and draws both on the white book.
TEST_F(TheoryBookWindow, DrawsBothBuiltInCornersWithoutAnyMessage) {
    TTeorijosForma form(nullptr);
    ASSERT_TRUE(form.OpenRecord(1));
    form.show();
    paint(form);
    QTest::mouseClick(form.nextCorner(), Qt::LeftButton);
    paint(form);  // the second spread shows both corners
    const QImage shown = form.grab().toImage().scaled(form.size());
    EXPECT_TRUE(fakes.messages.errors.isEmpty());
    for (PageCorner* corner : {form.previousCorner(), form.nextCorner()}) {
        ASSERT_TRUE(corner->isVisible());
        int drawn = 0;
        const QRect area = corner->geometry();
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                drawn += (shown.pixel(x, y) & 0xffffff) != 0xffffffu;
            }
        }
        // Turned up, each corner covers about a third of its rectangle.
        EXPECT_GT(drawn, area.width() * area.height() / 5);
        EXPECT_LT(drawn, area.width() * area.height() * 2 / 3);
    }
}

// A held Escape closes the book once it is let go and pressed again, never by repeating.
TEST_F(TheoryBookWindow, AHeldEscapeDoesNotCloseTheBook) {
    TTeorijosForma form(nullptr);
    ASSERT_TRUE(form.OpenRecord(1));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QWindow* window = form.windowHandle();
    QTest::simulateEvent(window, true, Qt::Key_Escape, Qt::NoModifier, QString(), true);
    QApplication::processEvents();
    EXPECT_TRUE(form.isVisible());
    QTest::keyClick(&form, Qt::Key_PageDown);
    EXPECT_EQ(form.session().spreads().spreadNo(), 1);
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
}

// The book picture is made once, yet a course whose picture changed shows the new one.
TEST_F(TheoryBookWindow, AChangedBookPictureIsShownAtTheNextOpening) {
    const auto shownPicture = [](const TTeorijosForma& form) {
        const QList<QLabel*> labels = form.findChildren<QLabel*>();
        return labels.isEmpty() ? QSize() : labels[0]->pixmap().size();
    };
    {
        TTeorijosForma form(nullptr);
        EXPECT_EQ(shownPicture(form), QSize(705, 505));
    }
    dir.writeFile("Testai/Teorija/Piesin/knyga.bmp", bmp(700, 500));
    TTeorijosForma form(nullptr);
    EXPECT_EQ(shownPicture(form), QSize(700, 500));
}

TEST_F(TheoryBookWindow, MissingFilesAreReportedAndTheBookGoesOn) {
    QFile::remove(dir.filePath("Testai/Teorija/Piesin/knyga.bmp"));
    QDir(dir.filePath("Testai/Teorija/Garsai")).removeRecursively();
    {
        TTeorijosForma form(nullptr);
        ASSERT_GE(fakes.messages.errors.size(), 1);
        EXPECT_TRUE(fakes.messages.errors[0].contains(QStringLiteral("knyga.bmp")));
        // The text is still there, and the corner still turns the page, silently.
        ASSERT_TRUE(form.OpenRecord(1));
        form.show();
        paint(form);
        ASSERT_TRUE(form.nextCorner()->isVisible());
        QTest::mouseClick(form.nextCorner(), Qt::LeftButton);
        EXPECT_EQ(form.session().spreads().spreadNo(), 1);
        EXPECT_TRUE(fakes.sound.played.isEmpty());
    }

    // Without its table the book cannot open any record; it says why, and the caller tells
    // the learner (once per command), not the window.
    QFile::remove(dir.filePath("Data/Teorija.cds"));
    fakes.messages.errors.clear();
    TTeorijosForma form(nullptr);
    EXPECT_TRUE(form.openFailure().contains(QStringLiteral("Teorija.cds")));
    EXPECT_FALSE(fakes.messages.errors.join("").contains(QStringLiteral("Teorija.cds")));
    EXPECT_THROW(form.Execute(1), content::ClosedTableError);
}

}  // namespace
}  // namespace lentora
