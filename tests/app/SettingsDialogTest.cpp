// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TProgNustForm.h"
#include "app/TSriftoForma.h"
#include "platform/CodePage1257.h"
#include "platform/Fonts.h"
#include "platform/IniFile.h"
#include "platform/ProgramPaths.h"
#include "support/FakeServices.h"
#include "support/TempProgramDir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace lentora;
using namespace lentora::testing;

namespace {

// A settings file edited by hand before the dialog opens.
void editSettings(QByteArrayView section, QByteArrayView key, QByteArrayView value) {
    IniFile settings = programSettings();
    settings.setText(section, key, value);
    settings.save();
}

QByteArrayList nonEmptyLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QByteArrayList lines;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (!line.trimmed().isEmpty()) {
            lines.append(line.trimmed());
        }
    }
    return lines;
}

struct SettingsDialogTest : ::testing::Test {
    TempProgramDir dir;
    ScopedFakeServices fakes;
    std::vector<FontChoice> presets;
    std::optional<FontChoice> answer;

    FontChooser chooser() {
        return [this](QWidget*, const FontChoice& preset) {
            presets.push_back(preset);
            return answer;
        };
    }
};

}  // namespace

TEST_F(SettingsDialogTest, AnEmptyNameShowsTheFaceInUseAndStaysEmptyUnlessAnotherIsChosen) {
    TProgNustForm dialog(nullptr, chooser());
    const QString inUse = QFontInfo(makeFont(QStringLiteral("Times New Roman"), 10)).family();
    EXPECT_TRUE(dialog.namesBoxes[0]->text().isEmpty());
    EXPECT_EQ(dialog.namesBoxes[0]->placeholderText(), inUse);

    answer = FontChoice{inUse, 16, 0};  // only the size changed
    dialog.changeButtons[0]->click();
    EXPECT_TRUE(dialog.namesBoxes[0]->text().isEmpty());
    EXPECT_EQ(dialog.sizeBoxes[0]->text(), QStringLiteral("16"));
    dialog.BitBtn1->click();
    EXPECT_EQ(programSettings().readText("Teorijos langas", "SriftName", "?"), "");
    EXPECT_EQ(programSettings().readInt("Teorijos langas", "SriftSize", 0), 16);
}

TEST_F(SettingsDialogTest, GeraiWithoutChangesWritesEveryKeyInOrder) {
    dir.writeFile(QStringLiteral("LENTORA.INI"),
                  "[Status Bar]\r\nSriftName=Arial\r\n[Teorijos langas]\r\nSriftSize=5000\r\n");
    TProgNustForm dialog(nullptr, chooser());
    // Shown as the windows use them: cut to the font range, or the window's own default.
    EXPECT_EQ(dialog.sizeBoxes[0]->text(), QStringLiteral("48"));
    EXPECT_EQ(dialog.sizeBoxes[1]->text(), QStringLiteral("14"));
    EXPECT_TRUE(dialog.backgroundButtons[0]->isChecked());
    dialog.BitBtn1->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    const QByteArrayList expected = {"[Status Bar]",
                                     "SriftName=Arial",
                                     "[Teorijos langas]",
                                     "SriftSize=48",
                                     "SriftName=",
                                     "SriftColor=0",
                                     "[Testas su nesiojamais zodziais]",
                                     "SriftName=",
                                     "SriftSize=14",
                                     "SriftColor=0",
                                     "[Pabraukiami zodziai]",
                                     "SriftName=",
                                     "SriftSize=12",
                                     "SriftColor=0",
                                     "[Paprastas testas]",
                                     "SriftName=",
                                     "SriftSize=10",
                                     "SriftColor=0",
                                     "[Spalvos]",
                                     "Spalvu skaicius=256",
                                     "[Fonas]",
                                     "Fono failas=Fonas1"};
    EXPECT_EQ(nonEmptyLines(programPaths().settingsFile), expected);
}

TEST_F(SettingsDialogTest, GeraiWithoutAFileWritesTheSizesTheWindowsUse) {
    TProgNustForm dialog(nullptr, chooser());
    dialog.BitBtn1->click();
    const IniFile settings = programSettings();
    const int expected[] = {14, 14, 12, 10};
    for (int row = 0; row < FontRowCount; ++row) {
        EXPECT_EQ(settings.readInt(fontSection(row), "SriftSize", 0), expected[row]) << row;
    }
}

TEST_F(SettingsDialogTest, AtsisakytiWritesNothing) {
    TProgNustForm dialog(nullptr, chooser());
    dialog.chooseBackground(2);
    dialog.BitBtn2->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(QFile::exists(programPaths().settingsFile));
}

TEST_F(SettingsDialogTest, BackgroundOptions) {
    {
        TProgNustForm dialog(nullptr, chooser());
        dialog.backgroundButtons[2]->click();
        dialog.BitBtn1->click();
    }
    EXPECT_EQ(programSettings().readText("Fonas", "Fono failas", ""), "Fonas3");

    // An unknown name checks nothing and is written back as it was.
    editSettings("Fonas", "Fono failas", "Kitas \xE0");
    TProgNustForm dialog(nullptr, chooser());
    for (QRadioButton* button : dialog.backgroundButtons) {
        EXPECT_FALSE(button->isChecked());
    }
    dialog.BitBtn1->click();
    EXPECT_EQ(programSettings().readText("Fonas", "Fono failas", ""), "Kitas \xE0");
}

TEST_F(SettingsDialogTest, KeistiPresetsTheChooserAndTakesItsAnswer) {
    editSettings("Pabraukiami zodziai", "SriftName", "Arial");
    editSettings("Pabraukiami zodziai", "SriftSize", "12");
    editSettings("Pabraukiami zodziai", "SriftColor", "0x0000FF");
    TProgNustForm dialog(nullptr, chooser());

    dialog.changeButtons[2]->click();  // cancelled
    ASSERT_EQ(presets.size(), 1u);
    EXPECT_EQ(presets[0].family, QStringLiteral("Arial"));
    EXPECT_EQ(presets[0].points, 12);
    EXPECT_EQ(presets[0].color, 255);
    EXPECT_EQ(dialog.sizeBoxes[2]->text(), QStringLiteral("12"));

    answer = FontChoice{QString::fromUtf8("Šriftas"), 16, 0x00FF00};
    dialog.changeButtons[2]->click();
    EXPECT_EQ(dialog.namesBoxes[2]->text(), QString::fromUtf8("Šriftas"));
    EXPECT_EQ(dialog.sizeBoxes[2]->text(), QStringLiteral("16"));
    dialog.BitBtn1->click();
    const IniFile settings = programSettings();
    EXPECT_EQ(settings.readText("Pabraukiami zodziai", "SriftName", ""), toCp1257(u"Šriftas"));
    EXPECT_EQ(settings.readText("Pabraukiami zodziai", "SriftColor", ""), "65280");
    EXPECT_TRUE(fakes.messages.errors.isEmpty());
}

TEST_F(SettingsDialogTest, KeistiWithoutANameStartsOnTheWindowsOwnFace) {
    TProgNustForm dialog(nullptr, chooser());
    dialog.changeButtons[0]->click();
    dialog.changeButtons[3]->click();
    ASSERT_EQ(presets.size(), 2u);
    EXPECT_EQ(presets[0].family, QStringLiteral("Times New Roman"));
    EXPECT_EQ(presets[1].family, QStringLiteral("MS Sans Serif"));
}

TEST_F(SettingsDialogTest, KeistiWithABrokenSizeReportsAndDoesNotOpenTheChooser) {
    editSettings("Teorijos langas", "SriftSize", "dideli");
    TProgNustForm dialog(nullptr, chooser());
    dialog.changeButtons[0]->click();
    EXPECT_TRUE(presets.empty());
    EXPECT_EQ(fakes.messages.errors,
              QStringList{QStringLiteral("'dideli' is not a valid integer value.")});
}

TEST_F(SettingsDialogTest, PagalbaOpensTopicTwoAndStaysOpen) {
    TProgNustForm dialog(nullptr, chooser());
    dialog.show();
    dialog.BitBtn3->click();
    EXPECT_EQ(fakes.help.topics, std::vector<int>{2});
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(SettingsDialogTest, AnUnwritableFileIsReportedWritesNoKeyAndTheDialogStillCloses) {
    const QByteArray original = "[Fonas]\r\nFono failas=Fonas2\r\n";
    const QString settingsPath = dir.writeFile(QStringLiteral("LENTORA.INI"), original);
    // Read-only, in a directory that could take a new file.
    QFile::setPermissions(settingsPath, QFileDevice::ReadOwner);
    TProgNustForm dialog(nullptr, chooser());
    dialog.BitBtn1->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(fakes.messages.errors,
              QStringList{QStringLiteral("Unable to write to %1.").arg(settingsPath)});
    QFile file(settingsPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), original);
    QFile::setPermissions(settingsPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST(FontChooser, OffersFaceSizeAndTheSixteenColoursButNoStyle) {
    QFont preset(installedFaceFor(QStringLiteral("Arial")));
    preset.setPointSize(12);
    EXPECT_EQ(TSriftoForma(nullptr, preset, QColor(Qt::black)).colour(), QColor(Qt::black));
    preset.setItalic(true);  // a style the settings cannot keep
    TSriftoForma chooser(nullptr, preset, QColor(0, 0, 128));
    EXPECT_EQ(chooser.familyName(), familyWithoutFoundry(QFontInfo(preset).family()));
    EXPECT_TRUE(chooser.findChildren<QFontDialog*>().isEmpty());
    EXPECT_TRUE(chooser.findChildren<QCheckBox*>().isEmpty());
    EXPECT_FALSE(chooser.preview()->font().italic());
    EXPECT_FALSE(chooser.preview()->font().bold());
    EXPECT_EQ(chooser.points(), 12);
    chooser.sizeBox()->setValue(20);
    EXPECT_EQ(fontPoints(chooser.preview()->font()), 20);
    EXPECT_EQ(chooser.colourBox()->count(), 16);
    EXPECT_EQ(chooser.colour(), QColor(0, 0, 128));
    EXPECT_EQ(chooser.preview()->text(), QString::fromUtf8("ĄČĘĖĮŠŲŪŽ ąčęėįšųūž"));
    chooser.colourBox()->setCurrentIndex(9);
    EXPECT_EQ(chooser.preview()->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(chooser.okButton()->text(), QString::fromUtf8("Gerai"));
    EXPECT_EQ(familyWithoutFoundry(QStringLiteral("Nimbus Roman [UKWN]")), "Nimbus Roman");

    // A colour of a hand-edited file that is none of the sixteen is kept.
    TSriftoForma other(nullptr, preset, QColor(1, 2, 3));
    EXPECT_EQ(other.colourBox()->count(), 17);
    EXPECT_EQ(other.colour(), QColor(1, 2, 3));
}

TEST_F(SettingsDialogTest, TheFourRowLabelsShareOneSize) {
    TProgNustForm dialog(nullptr, chooser());
    for (QLabel* label : dialog.rowLabels) {
        EXPECT_EQ(label->font().pixelSize(), dialog.rowLabels[0]->font().pixelSize());
    }
}
