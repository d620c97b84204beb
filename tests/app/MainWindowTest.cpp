// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppFixtures.h"
#include "app/BevelPanel.h"
#include "app/Grade.h"
#include "app/MainSettings.h"
#include "app/MenuBuilder.h"
#include "app/TPagrindineForma.h"
#include "app/TProgNustForm.h"
#include "exercises/marked_words/TTestoSuIsbrPabrZodziaisForma.h"
#include "platform/Error.h"
#include "platform/Fonts.h"
#include "platform/FrameMetrics.h"
#include "platform/IniFile.h"
#include "platform/WindowPlacement.h"
#include "support/FakeServices.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace lentora;
using namespace lentora::testing;

namespace {

struct RecordingWindows : WindowFactory {
    std::vector<int> tests;
    struct Test : WindowEntry {
        RecordingWindows* owner;
        explicit Test(RecordingWindows* o) : owner(o) {}
        bool Execute(std::int32_t record, content::Points& totals) override {
            owner->tests.push_back(record);
            totals.score += 5;
            totals.maxScore += 8;
            return true;
        }
    };
    RecordingWindows() {
        add({content::CommandKind::SimpleTest},
            [this](QWidget*) { return std::make_unique<Test>(this); });
        add({content::CommandKind::MarkedWords}, exerciseWindow<TTestoSuIsbrPabrZodziaisForma>());
    }
};

constexpr const char* kOutline =
    "&Rašyba\r\n\tBalsių rašyba\r\n\t\tNosinės raidės [00001]\r\n\t-\r\n\tDidžiosios [00005]\r\n"
    "&Gramatika\r\n\tLaikai [00009]\r\n";

struct MainWindowTest : ::testing::Test {
    TempProgramDir dir;
    ScopedFakeServices fakes;
    RecordingWindows* windows = nullptr;
    std::vector<int> grades;

    std::unique_ptr<TPagrindineForma> makeWindow() {
        auto factory = std::make_unique<RecordingWindows>();
        windows = factory.get();
        auto window = std::make_unique<TPagrindineForma>(std::move(factory));
        window->setGradeReward(
            [this](const EntryOutcome& outcome) { grades.push_back(outcome.grade); });
        return window;
    }

    void writeCourse(const char* outline = kOutline) {
        writeShellCourse(dir,
                         {{1, commandLine(11, "Paprastas pratimas") + "\r\n" +
                                  commandLine(12, "Paprastas pratimas")},
                          {5, {}, true, false, "Did\xFEiosios raid\xEBs"},
                          {9, {}, false, true}},
                         {}, outline);
    }

    static QAction* findAction(QMenu* menu, const QString& text) {
        for (QAction* action : menu->actions()) {
            if (action->text() == text) {
                return action;
            }
        }
        return nullptr;
    }
};

QRgb colourAt(const QLabel* label) {
    return label->pixmap().toImage().pixel(0, 0);
}

}  // namespace

TEST_F(MainWindowTest, BuildsTheMenuWithTheFixedMenuLast) {
    writeCourse();
    auto window = makeWindow();
    const QList<QAction*> bar = window->menuBar()->actions();
    ASSERT_EQ(bar.size(), 3);
    EXPECT_EQ(bar[0]->text(), QString::fromUtf8("&Rašyba"));
    EXPECT_EQ(bar[2]->menu(), window->programMenu());
    EXPECT_EQ(window->programMenu()->title(), QStringLiteral("&Programa"));
    ASSERT_EQ(window->menuLinks().size(), 3u);
    EXPECT_EQ(window->menuLinks()[1].menuId, 5);

    QMenu* spelling = bar[0]->menu();
    populateMenu(spelling);
    populateMenu(bar[1]->menu());
    EXPECT_FALSE(spelling->actions().at(2)->isEnabled());  // Pasiekiamas false
    EXPECT_TRUE(spelling->toolTipsVisible());
    EXPECT_EQ(spelling->actions().at(2)->toolTip(), QString::fromUtf8("Didžiosios raidės"));
    EXPECT_FALSE(bar[1]->menu()->actions().at(0)->isVisible());  // Matomas false
    EXPECT_EQ(fakes.help.helpFile, programPaths().helpFile);
    EXPECT_TRUE(fakes.messages.errors.isEmpty());
}

TEST_F(MainWindowTest, KeepsItsDesignWithItsTopOnTheScreenAtEveryScale) {
    writeCourse();
    auto window = makeWindow();
    EXPECT_EQ(window->centralWidget()->size(), QSize(600, 506));
    // 1280 x 1024 pixels at scale factors 1, 1.5 and 2, less a task bar.
    for (const QRect available : {QRect(0, 0, 1280, 984), QRect(0, 0, 853, 656),
                                  QRect(0, 0, 640, 492), QRect(0, 30, 640, 482)}) {
        SCOPED_TRACE(available.height());
        for (const QSize outer : {outerSizeForClient(window->size()), gradeWindowOuterSize(3),
                                  gradeWindowOuterSize(10)}) {
            const QPoint place = centredKeepingTopVisible(outer, available);
            EXPECT_GE(place.y(), available.y());
            EXPECT_GE(place.x(), available.x());
            if (available.height() > outer.height()) {
                EXPECT_LE(place.y() + outer.height(), available.bottom() + 1);
            }
        }
    }
}

TEST_F(MainWindowTest, ChoosingALinkedItemRunsItsLinesAndOneGrade) {
    writeCourse();
    auto window = makeWindow();
    QMenu* spelling = window->menuBar()->actions()[0]->menu();
    spelling->popup({0, 0});  // opening a menu makes its items
    QMenu* vowelMenu = spelling->actions()[0]->menu();
    vowelMenu->popup({0, 0});
    QAction* vowels = vowelMenu->actions()[0];
    vowels->trigger();
    EXPECT_EQ(windows->tests, (std::vector<int>{11, 12}));
    EXPECT_EQ(grades, std::vector<int>{7});  // 10 of 16: 62.5 %
}

TEST_F(MainWindowTest, FixedMenuItems) {
    writeCourse();
    auto window = makeWindow();
    QAction* help = findAction(window->programMenu(), QStringLiteral("&Pagalba"));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->shortcut(), QKeySequence(Qt::Key_F1));
    help->trigger();
    EXPECT_EQ(fakes.help.contentsRequests, 1);
    EXPECT_TRUE(grades.empty());

    QAction* settings = findAction(window->programMenu(), QStringLiteral("Programos &parametrai"));
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));

    // The background chosen in the dialog shows when it closes.
    dir.writeFile(QStringLiteral("Testai/Fonas3.bmp"), bmpBytes({5, 5}, Qt::yellow));
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<TProgNustForm*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->backgroundButtons[2]->click();
        dialog->BitBtn1->click();
    });
    settings->trigger();
    EXPECT_EQ(colourAt(window->Image1), QColor(Qt::yellow).rgb());

    window->show();
    findAction(window->programMenu(), QString::fromUtf8("Baigti darbą"))->trigger();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, MissingOutlineLeavesTheMenuBarEmpty) {
    writeCourse(nullptr);
    auto window = makeWindow();
    EXPECT_TRUE(window->menuBar()->actions().isEmpty());
    ASSERT_EQ(fakes.messages.messages.size(), 1u);
    EXPECT_EQ(fakes.messages.messages[0].first, QString());
    EXPECT_EQ(fakes.messages.messages[0].second, QStringLiteral("Negaliu surasti failo MENIU.MNU"));
    EXPECT_FALSE(window->Image1->pixmap().isNull());  // the settings are still applied
}

TEST_F(MainWindowTest, AnUnreadableMovableWordsTableLosesOnlyItsExercises) {
    writeShellCourse(dir,
                     {{1,
                       commandLine(5, "Kilnojamų žodžių pratimas") + "\r\n" +
                           commandLine(11, "Paprastas pratimas"),
                       true, true, "Tema"}},
                     {}, "Tema [00001]\r\n");
    dir.writeFile(QStringLiteral("Data/Nesioj.cds"), "not a data packet");
    auto window = makeWindow();
    ASSERT_EQ(fakes.messages.errors.size(), 1);
    EXPECT_TRUE(fakes.messages.errors[0].contains(QStringLiteral("Nesioj.cds")));
    ASSERT_EQ(window->menuBar()->actions().size(), 2);
    EXPECT_FALSE(window->Image1->pixmap().isNull());

    // The item's hint, shown where the pointer rests on it.
    window->show();
    QMenuBar* bar = window->menuBar();
    const QPoint onItem = bar->actionGeometry(bar->actions()[0]).center();
    QHelpEvent hover(QEvent::ToolTip, onItem, bar->mapToGlobal(onItem));
    QApplication::sendEvent(bar, &hover);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Tema"));

    bar->actions()[0]->trigger();
    EXPECT_EQ(windows->tests, std::vector<int>{11});
    EXPECT_EQ(grades, std::vector<int>{7});
    EXPECT_EQ(fakes.messages.errors.size(), 1);
}

TEST_F(MainWindowTest, AnUnreadableExerciseTableIsToldOnceAndTheOtherPointsStillGrade) {
    writeShellCourse(dir,
                     {{1, commandLine(11, "Paprastas pratimas") + "\r\n" +
                              commandLine(3, "Pratimas su pabraukiamais/išbraukiamais žodžiais")}},
                     {}, "Tema [00001]\r\n");
    dir.writeFile(QStringLiteral("Data/TestPabr.cds"), "not a data packet");
    auto window = makeWindow();
    window->menuBar()->actions()[0]->trigger();
    EXPECT_EQ(windows->tests, std::vector<int>{11});
    EXPECT_EQ(grades, std::vector<int>{7});
    ASSERT_EQ(fakes.messages.errors.size(), 1);
    EXPECT_TRUE(fakes.messages.errors[0].contains(QStringLiteral("TestPabr.cds")));
}

TEST_F(MainWindowTest, AnUnreadableMenuTableGreysTheLinkedItemsAndIsToldOnce) {
    writeCourse();
    dir.writeFile(QStringLiteral("Data/Meniu.cds"), "not a data packet");
    auto window = makeWindow();
    QMenu* grammar = window->menuBar()->actions()[1]->menu();
    populateMenu(grammar);
    EXPECT_FALSE(grammar->actions()[0]->isEnabled());
    ASSERT_EQ(fakes.messages.errors.size(), 1);
    EXPECT_TRUE(fakes.messages.errors[0].contains(QStringLiteral("Meniu.cds")));
}

TEST_F(MainWindowTest, ApplyMainSettingsReadsBackgroundAndStatusFont) {
    writeCourse();
    auto window = makeWindow();
    EXPECT_EQ(colourAt(window->Image1), QColor(Qt::blue).rgb());  // Fonas1 by default
    EXPECT_EQ(window->StatusLine->font().family(),
              makeFont(QStringLiteral("TimesLT"), 10).family());
    EXPECT_EQ(fontPoints(window->StatusLine->font()), 10);

    IniFile settings = programSettings();
    settings.setText("Status Bar", "SriftSize", "14");
    settings.setText("Fonas", "Fono failas", "Nera");
    settings.save();
    const QFont clockFont = window->LaikasPanel->font();
    EXPECT_THROW(window->ApplyMainSettings(), Error);
    EXPECT_EQ(fontPoints(window->StatusLine->font()), 14);
    EXPECT_EQ(window->LaikasPanel->font(), clockFont);
    EXPECT_EQ(colourAt(window->Image1), QColor(Qt::blue).rgb());  // the old background stays

    dir.writeFile(QStringLiteral("Testai/nera.BMP"), bmpBytes({3, 3}, Qt::green));
    window->ApplyMainSettings();
    EXPECT_EQ(colourAt(window->Image1), QColor(Qt::green).rgb());
}

TEST(MainSettings, ClockShowsHoursMinutesSecondsWithoutTimeZone) {
    const QTime time(13, 5, 9);
    for (const QLocale& locale :
         {QLocale(QLocale::Lithuanian, QLocale::Lithuania),
          QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c(), QLocale::system()}) {
        const QString text = clockText(time, locale);
        SCOPED_TRACE(text.toStdString());
        EXPECT_TRUE(text.contains(QStringLiteral("05")) && text.contains(QStringLiteral("09")));
        EXPECT_FALSE(text.contains(QStringLiteral("UTC")) || text.contains(QStringLiteral("GMT")));
    }
    EXPECT_EQ(clockText(time, QLocale(QLocale::Lithuanian, QLocale::Lithuania)),
              QStringLiteral("13:05:09"));
}
