#include "app/TSriftoForma.h"

#include "platform/Fonts.h"
#include "platform/IniFile.h"

#include <QComboBox>
#include <QFontDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
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
      fontPart_(new QFontDialog(this)),
      colourBox_(new QComboBox(this)),
      preview_(new QLabel(QString::fromUtf8("ĄČĘĖĮŠŲŪŽ ąčęėįšųūž"), this)),
      okButton_(new QPushButton(QString::fromUtf8("Gerai"), this)) {
    setWindowTitle(QString::fromUtf8("Šriftas"));

    // A child widget, never the platform's own dialog, and without its own buttons.
    fontPart_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fontPart_->setWindowFlags(Qt::Widget);
    fontPart_->setCurrentFont(preset);
    // Effects are not kept, and the preview below shows the colour too.
    for (QGroupBox* group : fontPart_->findChildren<QGroupBox*>()) {
        group->hide();
    }

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

    auto* colourLabel = new QLabel(QString::fromUtf8("&Spalva:"), this);
    colourLabel->setBuddy(colourBox_);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(colourLabel);
    colourRow->addWidget(colourBox_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fontPart_, 1);
    layout->addLayout(colourRow);
    layout->addWidget(preview_);
    layout->addLayout(buttons);

    connect(fontPart_, &QFontDialog::currentFontChanged, this, [this] { showPreview(); });
    connect(colourBox_, &QComboBox::currentIndexChanged, this, [this] { showPreview(); });
    showPreview();
}

QString TSriftoForma::familyName() const {
    return familyWithoutFoundry(fontPart_->currentFont().family());
}

int TSriftoForma::points() const {
    const QFont font = fontPart_->currentFont();
    return font.pointSize() > 0 ? font.pointSize() : fontPoints(font);
}

QColor TSriftoForma::colour() const {
    return colourBox_->currentData().value<QColor>();
}

void TSriftoForma::showPreview() {
    // In the size the windows will use: points at 96 dpi.
    QFont font = fontPart_->currentFont();
    setFontPoints(font, clampFontPoints(points()));
    preview_->setFont(font);
    QPalette colours = preview_->palette();
    colours.setColor(QPalette::WindowText, colour());
    colours.setColor(QPalette::Window, colour().lightness() > 200 ? Qt::darkGray : Qt::white);
    preview_->setPalette(colours);
}

}  // namespace lentora
