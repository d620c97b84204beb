// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TSriftoForma.h"

#include "platform/Fonts.h"
#include "platform/IniFile.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QVBoxLayout>

namespace lentora {

namespace {

struct StandardColour {
    const char* name;
    QRgb rgb;
};

// The sixteen standard colours of the settings' colour numbers.
constexpr StandardColour kColours[] = {
    {"Juoda", 0x000000},          {"Kaštoninė", 0x800000},      {"Žalia", 0x008000},
    {"Alyvuogių", 0x808000},      {"Tamsiai mėlyna", 0x000080}, {"Violetinė", 0x800080},
    {"Žalsvai mėlyna", 0x008080}, {"Pilka", 0x808080},          {"Sidabrinė", 0xC0C0C0},
    {"Raudona", 0xFF0000},        {"Šviesiai žalia", 0x00FF00}, {"Geltona", 0xFFFF00},
    {"Mėlyna", 0x0000FF},         {"Purpurinė", 0xFF00FF},      {"Žydra", 0x00FFFF},
    {"Balta", 0xFFFFFF},
};

QIcon swatch(const QColor& colour) {
    QPixmap pixmap(16, 12);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

}  // namespace

QString familyWithoutFoundry(const QString& family) {
    static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\]]*\\]\\s*$"));
    return QString(family).remove(foundry);
}

TSriftoForma::TSriftoForma(QWidget* parent, const QFont& preset, const QColor& presetColour)
    : QDialog(parent),
      familyList_(new QListWidget(this)),
      sizeBox_(new QSpinBox(this)),
      colourBox_(new QComboBox(this)),
      preview_(new QLabel(QString::fromUtf8("ĄČĘĖĮŠŲŪŽ ąčęėįšųūž"), this)),
      okButton_(new QPushButton(QString::fromUtf8("Gerai"), this)) {
    setWindowTitle(QString::fromUtf8("Šriftas"));

    // Only installed faces can be chosen.
    const QString presetFamily = familyWithoutFoundry(preset.family());
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family)) {
            continue;
        }
        auto* item = new QListWidgetItem(family, familyList_);
        if (familyWithoutFoundry(family).compare(presetFamily, Qt::CaseInsensitive) == 0 &&
            !familyList_->currentItem()) {
            familyList_->setCurrentItem(item);
        }
    }
    if (!familyList_->currentItem() && familyList_->count() > 0) {
        familyList_->setCurrentRow(0);
    }
    familyList_->scrollToItem(familyList_->currentItem(), QAbstractItemView::PositionAtCenter);

    sizeBox_->setRange(kMinFontPoints, kMaxFontPoints);
    sizeBox_->setValue(
        clampFontPoints(preset.pointSize() > 0 ? preset.pointSize() : fontPoints(preset)));

    int presetIndex = -1;
    for (const StandardColour& standard : kColours) {
        const QColor colour(standard.rgb);
        if (colour.rgb() == presetColour.rgb()) {
            presetIndex = colourBox_->count();
        }
        colourBox_->addItem(swatch(colour), QString::fromUtf8(standard.name), colour);
    }
    if (presetIndex < 0) {
        // A colour of a hand-edited file stays as it is unless another is chosen.
        presetIndex = colourBox_->count();
        colourBox_->addItem(swatch(presetColour), QString::fromUtf8("Kita"), presetColour);
    }
    colourBox_->setCurrentIndex(presetIndex);

    preview_->setAlignment(Qt::AlignCenter);
    preview_->setMinimumHeight(70);
    preview_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    preview_->setAutoFillBackground(true);

    auto* cancelButton = new QPushButton(QString::fromUtf8("Atsisakyti"), this);
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* familyLabel = new QLabel(QString::fromUtf8("Š&riftas:"), this);
    familyLabel->setBuddy(familyList_);
    auto* sizeLabel = new QLabel(QString::fromUtf8("&Dydis:"), this);
    sizeLabel->setBuddy(sizeBox_);
    auto* colourLabel = new QLabel(QString::fromUtf8("&Spalva:"), this);
    colourLabel->setBuddy(colourBox_);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(sizeLabel);
    colourRow->addWidget(sizeBox_);
    colourRow->addSpacing(12);
    colourRow->addWidget(colourLabel);
    colourRow->addWidget(colourBox_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(familyLabel);
    layout->addWidget(familyList_, 1);
    layout->addLayout(colourRow);
    layout->addWidget(preview_);
    layout->addLayout(buttons);

    connect(familyList_, &QListWidget::currentRowChanged, this, [this] { showPreview(); });
    connect(sizeBox_, &QSpinBox::valueChanged, this, [this] { showPreview(); });
    connect(colourBox_, &QComboBox::currentIndexChanged, this, [this] { showPreview(); });
    showPreview();
}

QString TSriftoForma::familyName() const {
    const QListWidgetItem* item = familyList_->currentItem();
    return item ? familyWithoutFoundry(item->text()) : QString();
}

int TSriftoForma::points() const {
    return sizeBox_->value();
}

QColor TSriftoForma::colour() const {
    return colourBox_->currentData().value<QColor>();
}

void TSriftoForma::showPreview() {
    // As the windows will draw it: upright and regular, points at 96 dpi.
    const QListWidgetItem* item = familyList_->currentItem();
    QFont font(item ? item->text() : QString());
    setFontPoints(font, points());
    preview_->setFont(font);
    QPalette colours = preview_->palette();
    colours.setColor(QPalette::WindowText, colour());
    colours.setColor(QPalette::Window, colour().lightness() > 200 ? Qt::darkGray : Qt::white);
    preview_->setPalette(colours);
}

}  // namespace lentora
