// SPDX-License-Identifier: GPL-3.0-or-later
// The sample course's own checks: its built tables, pictures and sounds fit the windows.
#include "content/ContentTable.h"
#include "content/Rows.h"
#include "content/Schema.h"
#include "exercises/simple_test/SimpleTestProgram.h"
#include "exercises/simple_test/TPaprTestForma.h"
#include "platform/CodePage1257.h"
#include "platform/FileListing.h"
#include "platform/FontTextMetrics.h"
#include "platform/Fonts.h"
#include "support/FakeServices.h"
#include "support/TempProgramDir.h"
#include "theory/TheoryBookSession.h"
#include "theory/TheoryText.h"

#include <QAbstractButton>
#include <QFile>
#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

namespace lentora {
namespace {

using namespace simple_test_support;

QString programFile(const QString& relative) {
    return QStringLiteral(LENTORA_TEST_PROGRAM_DIR "/") + relative;
}

// The course's theory texts: one per topic, well formed, each shown whole (the book cuts a
// text after its first 6000 bytes), some long enough to turn pages.
TEST(SampleCourseTheory, TextsCoverEveryTopicAreShownWholeAndSomeRunPastOneSpread) {
    content::ContentTable table;
    table.load(programFile(content::theorySchema().file));
    const WindowDescription& window = theory::kTheoryBook.window;
    const QFont font = makeFont(QString::fromLatin1(window.designFace), window.defaultFontPoints);
    int longerThanShown = 0;
    int pastOneSpread = 0;
    for (int id = 1; id <= 12; ++id) {
        EXPECT_TRUE(table.findKey(double(id))) << "record " << id;
    }
    for (table.first(); !table.eof(); table.next()) {
        const auto [id, text] = content::TheoryRow::read(table);
        // Bold switched on must be switched off again before the text ends.
        EXPECT_LT(text.lastIndexOf('@'), text.lastIndexOf('#')) << "record " << id;
        EXPECT_FALSE(text.endsWith('\n')) << "record " << id;
        if (text.size() > theory::kShownTextBytes) {
            ++longerThanShown;
        }
        FontTextMetrics metrics(font);
        theory::TheoryBookSession book;
        book.setMetrics(&metrics);
        book.open(text);
        if (book.nextCornerShown()) {
            ++pastOneSpread;
        }
    }
    EXPECT_EQ(longerThanShown, 0);
    EXPECT_GE(pastOneSpread, 3);
}

TEST(SampleCourseTheory, BookIsWhiteUnderThePages) {
    using theory::kTheoryBook;
    const QImage book(programFile(QStringLiteral("Testai/Teorija/Piesin/knyga.bmp")));
    ASSERT_EQ(book.size(), kTheoryBook.book.size());
    for (const QRect& page : {kTheoryBook.pageInBook(kTheoryBook.leftPage),
                              kTheoryBook.pageInBook(kTheoryBook.rightPage)}) {
        for (int y = page.top(); y <= page.bottom(); ++y) {
            for (int x = page.left(); x <= page.right(); ++x) {
                ASSERT_EQ(book.pixel(x, y) & 0xffffff, 0xffffffu) << x << "," << y;
            }
        }
    }
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

TEST(SampleCourseTests, AllRightAnswersGiveFullPoints) {
    testing::ScopedFakeServices services;
    testing::TempProgramDir program;
    for (const char* file :
         {"Data/TestLang.cds", "Data/PaprTest.cds", "Data/PaprAtsa.cds", "Testai/Papr/FONAS.BMP"}) {
        program.copyFile(programFile(QString::fromLatin1(file)), file);
    }
    content::ContentTable answers;
    answers.load(program.filePath(content::answerSchema().file));
    QStringList rightAnswers;
    for (answers.first(); !answers.eof(); answers.next()) {
        const content::AnswerRow answer = content::AnswerRow::read(answers);
        if (answer.testId == 11 && answer.correct) {
            rightAnswers.append(fromCp1257(answer.answer));
        }
    }
    TPaprTestForma form;
    std::int32_t score = 0;
    std::int32_t maxScore = 0;
    whenShown(form, [&] {
        for (QAbstractButton* control : form.findChildren<QAbstractButton*>()) {
            if (rightAnswers.contains(control->text())) {
                control->click();
            }
        }
        pressArrow(form.button());
    });
    EXPECT_TRUE(form.Execute(11, score, maxScore));
    EXPECT_EQ(maxScore, rightAnswers.size());
    EXPECT_EQ(score, maxScore);
    EXPECT_TRUE(services.messages.errors.isEmpty());
}

}  // namespace
}  // namespace lentora
