// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TProgNustForm.h"

#include "app/TSriftoForma.h"
#include "platform/CodePage1257.h"
#include "platform/Error.h"
#include "platform/Fonts.h"
#include "platform/IniFile.h"
#include "platform/Services.h"
#include "platform/WindowPlacement.h"

#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>

#include <algorithm>

namespace lentora {

namespace {

struct RowPlace {
    const char* label;
    QRect labelRect;
    int boxY;
    int buttonY;
};

// Places on the "Šriftai" page, row by row.
const std::array<RowPlace, FontRowCount> kRowPlaces = {{
    {"Teorijos lango šriftas", {4, 34, 137, 13}, 30, 28},
    {"Kilnojamų žodžių pratimo\nšriftas", {4, 67, 137, 33}, 73, 71},
    {"Pratimo su pabraukiamais/\nišbraukiamais  žodžiais šriftas", {4, 110, 137, 33}, 116, 115},
    {"Paprasto pratimo šriftas", {4, 162, 137, 13}, 158, 158},
}};

const std::array<const char*, 5> kBackgroundCaptions = {"Pirmas piešinys", "Antras piešinys",
                                                        "Trečias piešinys", "Ketvirtas piešinys",
                                                        "Penktas piešinys"};

QLabel* label(QWidget* parent, const char* text, const QRect& place, const QFont& font) {
    auto* result = new QLabel(QString::fromUtf8(text), parent);
    result->setGeometry(place);
    result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    result->setFont(font);
    return result;
}

// The stand-in faces run wider than the originals: the dialog font, made smaller until every
// line of every row label fits its width, so that the four labels share one size.
QFont rowLabelFont(const QFont& dialogFont) {
    QFont font = dialogFont;
    if (font.pixelSize() <= 0) {
        return font;
    }
    auto fits = [&] {
        const QFontMetrics metrics(font);
        for (const RowPlace& place : kRowPlaces) {
            for (const QString& line : QString::fromUtf8(place.label).split(u'\n')) {
                if (metrics.horizontalAdvance(line) > place.labelRect.width()) {
                    return false;
                }
            }
        }
        return true;
    };
    while (!fits() && font.pixelSize() > 8) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    return font;
}

// A question mark, the glyph of the help button.
QIcon questionMarkIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QFont font(installedFaceFor(QStringLiteral("Arial")));
    font.setPixelSize(15);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 128));
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("?"));
    return QIcon(pixmap);
}

}  // namespace

std::optional<FontChoice> chooseFontAndColour(QWidget* parent, const FontChoice& preset) {
    QFont initial(installedFaceFor(preset.family));
    initial.setPointSize(clampFontPoints(preset.points));
    TSriftoForma chooser(parent, initial, colorFromNumber(preset.color));
    if (chooser.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return FontChoice{chooser.familyName(), chooser.points(), numberFromColor(chooser.colour())};
}

TProgNustForm::TProgNustForm(QWidget* parent, FontChooser chooser)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      TabbedNotebook1(new QTabWidget(this)),
      BitBtn1(new QPushButton(QString::fromUtf8("Gerai"), this)),
      BitBtn2(new QPushButton(QString::fromUtf8("Atsisakyti"), this)),
      BitBtn3(new QPushButton(QString::fromUtf8("Pagalba"), this)),
      chooser_(std::move(chooser)) {
    setWindowTitle(QStringLiteral("Programos parametrai"));
    setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    setFont(makeFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(426, 281);
    TabbedNotebook1->setGeometry(0, 0, 426, 281);

    auto* fonts = new QWidget;
    label(fonts, "Pavadinimas", {148, 8, 100, 13}, font());
    label(fonts, "Dydis", {280, 8, 50, 13}, font());
    const QFont rowFont = rowLabelFont(font());
    for (int row = 0; row < FontRowCount; ++row) {
        const RowPlace& place = kRowPlaces[row];
        rowLabels[row] = label(fonts, place.label, place.labelRect, rowFont);
        namesBoxes[row] = new QLineEdit(fonts);
        namesBoxes[row]->setGeometry(148, place.boxY, 121, 21);
        namesBoxes[row]->setReadOnly(true);
        sizeBoxes[row] = new QLineEdit(fonts);
        sizeBoxes[row]->setGeometry(280, place.boxY, 57, 21);
        sizeBoxes[row]->setReadOnly(true);
        changeButtons[row] = new QPushButton(QStringLiteral("Keisti"), fonts);
        changeButtons[row]->setGeometry(344, place.buttonY, 65, 25);
        changeButtons[row]->setAutoDefault(false);
        connect(changeButtons[row], &QPushButton::clicked, this, [this, row] { changeFont(row); });
    }
    TabbedNotebook1->addTab(fonts, QString::fromUtf8("Šriftai"));

    auto* backgroundPage = new QWidget;
    auto* group =
        new QGroupBox(QString::fromUtf8("Pasirinkite fono piešinio numerį"), backgroundPage);
    group->setGeometry(8, 8, 401, 153);
    for (int option = 1; option <= 5; ++option) {
        auto* button = new QRadioButton(QString::fromUtf8(kBackgroundCaptions[option - 1]), group);
        button->setGeometry(28, 24 + 25 * (option - 1), 200, 17);
        connect(button, &QRadioButton::clicked, this, [this, option] { chooseBackground(option); });
        backgroundButtons[option - 1] = button;
    }
    TabbedNotebook1->addTab(backgroundPage, QString::fromUtf8("Fono piešinys"));

    BitBtn1->setGeometry(129, 246, 92, 27);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    BitBtn1->setToolTip(QString::fromUtf8("Įrašyti pakeitimus"));
    BitBtn1->setDefault(true);
    BitBtn2->setGeometry(227, 246, 92, 27);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    BitBtn2->setToolTip(QString::fromUtf8("Atsisakyti pakeitimų"));
    BitBtn2->setAutoDefault(false);
    BitBtn3->setGeometry(325, 246, 92, 27);
    BitBtn3->setIcon(questionMarkIcon());
    BitBtn3->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &TProgNustForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn3, &QPushButton::clicked, this, &TProgNustForm::BitBtn3Click);

    FormCreate();
    centreOnScreen(this);
}

void TProgNustForm::FormCreate() {
    model_ = readSettingsDialogModel(programSettings());
    for (int row = 0; row < FontRowCount; ++row) {
        showRow(row);
    }
    const int option = backgroundOption(model_.background);
    if (option > 0) {
        backgroundButtons[option - 1]->setChecked(true);
    }
}

QString TProgNustForm::faceInUse(int row) {
    return familyWithoutFoundry(QFontInfo(makeFont(windowDefaultFace(row), 10)).family());
}

void TProgNustForm::showRow(int row) {
    // An empty name means the window's own face: show which one that is.
    namesBoxes[row]->setPlaceholderText(faceInUse(row));
    namesBoxes[row]->setText(fromCp1257(model_.rows[row].name));
    sizeBoxes[row]->setText(fromCp1257(model_.rows[row].size));
}

void TProgNustForm::changeFont(int row) {
    guarded([&] {
        FontRow& values = model_.rows[row];
        bool isNumber = false;
        const int points = QString::fromLatin1(values.size).trimmed().toInt(&isNumber);
        if (!isNumber) {
            throw Error(
                QStringLiteral("'%1' is not a valid integer value").arg(fromCp1257(values.size)));
        }
        // An empty name means the window's own face, so the chooser starts on that one.
        const QString family =
            values.name.isEmpty() ? windowDefaultFace(row) : fromCp1257(values.name);
        const std::optional<FontChoice> choice =
            chooser_(this, FontChoice{family, points, values.color});
        if (!choice) {
            return;
        }
        // Keeping the window's own face stays an empty name, so that the file does not start
        // naming the face this machine happens to stand in with.
        if (!values.name.isEmpty() ||
            choice->family.compare(faceInUse(row), Qt::CaseInsensitive) != 0) {
            values.name = toCp1257(choice->family);
        }
        values.size = QByteArray::number(clampFontPoints(choice->points));
        values.color = choice->color;
        showRow(row);
    });
}

void TProgNustForm::chooseBackground(int option) {
    model_.background = backgroundForOption(option);
    backgroundButtons[option - 1]->setChecked(true);
}

void TProgNustForm::BitBtn1Click() {
    guarded([&] {
        IniFile settings = programSettings();
        writeSettingsDialogModel(settings, model_);
    });
    accept();
}

void TProgNustForm::BitBtn3Click() {
    services().help->showTopic(2);
}

}  // namespace lentora
