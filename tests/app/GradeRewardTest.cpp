// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppFixtures.h"
#include "app/Grade.h"
#include "app/TApie.h"
#include "app/TIvertinimoForma.h"
#include "content/Grades.h"
#include "platform/Error.h"
#include "platform/FileListing.h"
#include "platform/FrameMetrics.h"
#include "platform/ProgramPaths.h"
#include "support/FakeServices.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <set>

using namespace lentora;
using namespace lentora::testing;

TEST(Grade, CaptionsAndWindowSizes) {
    EXPECT_EQ(gradeCaption(10), QString::fromUtf8("PUIKU!   Įvertinimas - 10 balų."));
    EXPECT_EQ(gradeCaption(7), QString::fromUtf8("VISAI GERAI.   Įvertinimas - 7 balai."));
    EXPECT_EQ(gradeCaption(3), QString::fromUtf8("BLOGAI.   Įvertinimas - 3 balai."));
    EXPECT_EQ(gradeWindowOuterSize(10), QSize(524, 434));
    EXPECT_EQ(gradeWindowOuterSize(3), QSize(405, 473));
}

TEST(Grade, PicturesAndSoundsDrawnOneToTenStepsThroughTheListing) {
    TempProgramDir dir;
    for (int i = 0; i < 12; ++i) {
        dir.writeFile(QStringLiteral("Ivert/9/p%1.BMP").arg(i, 2, 10, QChar(u'0')), "x");
        dir.writeFile(QStringLiteral("Ivert/9/s%1.wav").arg(i, 2, 10, QChar(u'0')), "x");
    }
    seedRandom(1234);
    std::set<QString> pictures;
    std::set<QString> sounds;
    for (int draw = 0; draw < 400; ++draw) {
        pictures.insert(QFileInfo(pickGradePicture(programPaths().ivertDir, 9)).fileName());
        sounds.insert(QFileInfo(pickGradeSound(programPaths().ivertDir, 9)).fileName());
    }
    // Of twelve files only the second to the eleventh are ever chosen.
    EXPECT_EQ(pictures.size(), 10u);
    EXPECT_EQ(*pictures.begin(), QStringLiteral("p01.BMP"));
    EXPECT_EQ(*pictures.rbegin(), QStringLiteral("p10.BMP"));
    EXPECT_EQ(sounds.size(), 10u);
    EXPECT_TRUE(pickGradePicture(programPaths().ivertDir, 4).isEmpty());
}

TEST(Grade, NoSoundFileMeansNoSound) {
    TempProgramDir dir;
    ScopedFakeServices fakes;
    dir.writeFile(QStringLiteral("Ivert/8/a.WAV"), "x");
    PlayGradeSound(8);
    PlayGradeSound(5);
    ASSERT_EQ(fakes.sound.played.size(), 1);
    EXPECT_TRUE(fakes.sound.played[0].endsWith(QStringLiteral("Ivert/8/a.WAV")));
}

TEST(GradeWindow, SizedFromTheGradeWithOrWithoutPicture) {
    TempProgramDir dir;
    const QString picture =
        dir.writeFile(QStringLiteral("Ivert/10/a.bmp"), bmpBytes({512, 404}, Qt::green));
    {
        TIvertinimoForma window;
        window.prepare(picture, gradeCaption(10), 10);
        EXPECT_EQ(window.windowTitle(), gradeCaption(10));
        EXPECT_EQ(window.size(), clientSizeForOuter({524, 434}));
        EXPECT_EQ(window.image()->pixmap().size(), QSize(512, 404));
        EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    }
    TIvertinimoForma empty;
    empty.prepare(QString(), gradeCaption(3), 3);
    EXPECT_EQ(empty.size(), clientSizeForOuter({405, 473}));
    EXPECT_TRUE(empty.image()->pixmap().isNull());
}

TEST(GradeWindow, ShowGradeOpensWithoutPictureAndReturnsWhenClosed) {
    TempProgramDir dir;
    ScopedFakeServices fakes;
    QString title;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<TIvertinimoForma*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        title = window->windowTitle();
        window->close();
    });
    ShowGrade(6, nullptr);
    EXPECT_EQ(title, QString::fromUtf8("PATENKINAMAI.   Įvertinimas - 6 balai."));
    ASSERT_EQ(fakes.messages.errors.size(), 1);
    EXPECT_TRUE(fakes.messages.errors[0].startsWith("Cannot find any picture in "));
    EXPECT_TRUE(fakes.messages.errors[0].contains("Ivert/6/"));
}

TEST(About, ShowsAPictureAndClosesOnEscapeOnly) {
    TempProgramDir dir;
    dir.writeFile(QStringLiteral("Testai/Apie/only.BMP"), bmpBytes({600, 600}, Qt::red));
    TApie about;
    about.loadPicture();
    EXPECT_EQ(about.image()->pixmap().size(), QSize(600, 600));  // cut off, not scaled
    EXPECT_EQ(about.size(), QSize(520, 515));
    about.show();
    QTest::keyClick(&about, Qt::Key_Return);
    EXPECT_TRUE(about.isVisible());
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
}

TEST(About, NoPictureIsAnError) {
    TempProgramDir dir;
    TApie about;
    try {
        about.loadPicture();
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_TRUE(error.text().startsWith("Cannot find any picture in "))
            << error.text().toStdString();
    }
}

TEST(GradeWindow, TellsThePointsAndOpensTheReviewOnROrAFreshEnter) {
    TempProgramDir dir;
    TIvertinimoForma window;
    window.prepare(QString(), gradeCaption(6), 6);
    const QSize size = window.size();
    window.setPoints({6, 8}, true);
    EXPECT_EQ(window.toolTip(), QString::fromUtf8("6 iš 8 taškų. R – peržiūrėti klaidas"));
    EXPECT_EQ(window.size(), size);
    window.show();
    QKeyEvent repeated(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&window, &repeated);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.reviewRequested());
    QTest::keyClick(&window, Qt::Key_R);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.reviewRequested());

    // Nothing to review: the keys do nothing, the tooltip tells the points alone.
    TIvertinimoForma plain;
    plain.setPoints({6, 8}, false);
    EXPECT_EQ(plain.toolTip(), QString::fromUtf8("6 iš 8 taškų."));
    plain.show();
    QTest::keyClick(&plain, Qt::Key_R);
    QTest::keyClick(&plain, Qt::Key_Return);
    EXPECT_TRUE(plain.isVisible());
}

TEST(GradeWindow, TheReviewOpensOnceTheGradeWindowHasClosed) {
    TempProgramDir dir;
    ScopedFakeServices fakes;
    bool gradeOpenDuringReview = true;
    int reviews = 0;
    QTimer::singleShot(0, [] {
        QWidget* window = QApplication::activeModalWidget();
        ASSERT_NE(window, nullptr);
        QTest::keyClick(window, Qt::Key_Enter);
    });
    ShowGrade(8, nullptr, content::Points{6, 8}, [&] {
        ++reviews;
        gradeOpenDuringReview = QApplication::activeModalWidget() != nullptr;
    });
    EXPECT_EQ(reviews, 1);
    EXPECT_FALSE(gradeOpenDuringReview);
}
