#include "theory/TTeorijosForma.h"

#include "content/Rows.h"
#include "content/Schema.h"
#include "platform/BuiltInPictures.h"
#include "platform/CodePage1257.h"
#include "platform/Error.h"
#include "platform/ExerciseFont.h"
#include "platform/FileListing.h"
#include "platform/FontTextMetrics.h"
#include "platform/Fonts.h"
#include "platform/IniFile.h"
#include "platform/Pictures.h"
#include "platform/ProgramPaths.h"
#include "platform/Services.h"
#include "platform/WindowPlacement.h"
#include "theory/PageCorner.h"
#include "theory/PageLayout.h"
#include "theory/PaintBox.h"
#include "theory/TheoryText.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>

namespace lentora {

namespace {

constexpr int kDefaultPoints = 14;
constexpr int kHelpTopic = 5;
const QRect kLeftPageArea(46, 32, 267, 425);
const QRect kRightPageArea(400, 32, 265, 425);

// The face of the body text when the settings name none: a serif face with every Lithuanian
// letter.
constexpr const char* kDefaultFace = "Times New Roman";

void drawPage(QPainter& painter, const theory::PageLayout& page, FontTextMetrics& metrics,
              const QColor& color) {
    painter.setPen(color);
    for (const theory::PlacedToken& token : page.placed) {
        painter.setFont(metrics.font(theory::pageTextStyle(token.bold, token.title)));
        painter.fillRect(token.x, token.y, token.width, token.height, Qt::white);
        painter.drawText(token.x,
                         token.y + metrics.ascent(theory::pageTextStyle(token.bold, token.title)),
                         fromCp1257(token.text));
    }
}

}  // namespace

TTeorijosForma::TTeorijosForma(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Teorija"));
    setWindowModality(Qt::WindowModal);
    setFixedSize(714, 518);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);

    // Stacking order, bottom to top: book, corners, pages.
    Knyga = new QLabel(this);
    Knyga->move(8, 8);
    Image2 =
        new PageCorner(this, QRect(31, 438, 59, 54), QStringLiteral("Versti ankstesnį puslapį"));
    Image3 = new PageCorner(this, QRect(625, 427, 50, 63), QStringLiteral("Versti kitą puslapį"));
    Image2->hide();
    Image3->hide();
    PaintBox1 = new PaintBox(this, [this](QPainter& painter) { Page1OnPaint(painter); });
    PaintBox1->setGeometry(kLeftPageArea);
    PaintBox2 = new PaintBox(this, [this](QPainter& painter) { Page2OnPaint(painter); });
    PaintBox2->setGeometry(kRightPageArea);
    connect(Image2, &PageCorner::clicked, this, [this] { guarded([this] { Image2DblClick(); }); });
    connect(Image3, &PageCorner::clicked, this, [this] { guarded([this] { Image3DblClick(); }); });

    PopupMenu1 = new QMenu(this);
    auto addItem = [this](const QString& caption, const QKeySequence& shortcut, auto handler) {
        QAction* action = PopupMenu1->addAction(caption);
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [handler] { guarded(handler); });
        addAction(action);
    };
    addItem(QStringLiteral("Pagalba"), QKeySequence(Qt::Key_F1), [this] { Pagalba1Click(); });
    PopupMenu1->addSeparator();
    addItem(QStringLiteral("Spausdinti teoriją"), QKeySequence(Qt::CTRL | Qt::Key_S),
            [this] { Spausdintiteorijosmediag1Click(); });
    PopupMenu1->addSeparator();
    addItem(QStringLiteral("Uždaryti teorijos langą"), QKeySequence(Qt::Key_Escape),
            [this] { Udaryti1Click(); });

    FormCreate();
}

TTeorijosForma::~TTeorijosForma() {
    table_.close();
}

void TTeorijosForma::FormCreate() {
    const ProgramPaths& paths = programPaths();
    guarded([&] {
        Knyga->setPixmap(loadPixmap(joinPath(paths.teorijaDir, "Piesin/knyga.bmp")));
        Knyga->adjustSize();
    });
    // Loaded even when the book picture is missing: the text is worth showing without it.
    guarded([&] { table_.load(joinPath(paths.programDir, content::theorySchema().file)); });
    // The corners are part of the window's design, built into the program.
    const std::pair<PageCorner*, const char*> corners[] = {{Image2, ":/theory/kampas_atgal.svg"},
                                                           {Image3, ":/theory/kampas_pirmyn.svg"}};
    for (const auto& [corner, resource] : corners) {
        corner->setPicture(
            builtInPicture(QString::fromLatin1(resource), corner->size(), devicePixelRatioF()));
    }
}

void TTeorijosForma::readFontSettings() {
    const ExerciseFont font = readExerciseFont(programSettings(), "Teorijos langas", kDefaultPoints,
                                               QString::fromLatin1(kDefaultFace));
    baseFont_ = font.font;
    textColor_ = font.color;
    PaintBox1->setFont(baseFont_);
    PaintBox2->setFont(baseFont_);
}

bool TTeorijosForma::OpenRecord(std::uint16_t recordNumber) {
    if (!table_.findKey(double(recordNumber))) {
        return false;
    }
    // The whole text is kept for printing; the book shows its first 6000 bytes.
    fullText_ = content::TheoryRow::read(table_).text;
    readFontSettings();
    tokens_ = theory::bookTokens(fullText_);
    spreads_.reset();
    Image2->hide();
    Image3->hide();
    PaintBox1->update();
    PaintBox2->update();
    return true;
}

bool TTeorijosForma::Execute(std::uint16_t recordNumber) {
    if (!OpenRecord(recordNumber)) {
        return false;
    }
    centreOnScreen(this);
    exec();
    return true;
}

int TTeorijosForma::layOutLeftPage(QPainter* painter) {
    FontTextMetrics metrics(baseFont_);
    const theory::PageLayout page = theory::layoutPage(
        tokens_, spreads_.leftPageStart(), PaintBox1->width(), PaintBox1->height(), metrics);
    if (painter) {
        drawPage(*painter, page, metrics, textColor_);
    }
    spreads_.leftPageLaidOut(page.endIndex);
    return page.endIndex;
}

void TTeorijosForma::Page1OnPaint(QPainter& painter) {
    layOutLeftPage(&painter);
}

void TTeorijosForma::Page2OnPaint(QPainter& painter) {
    // The right page begins where the left page of this spread ended.
    if (!spreads_.leftPageCurrent()) {
        layOutLeftPage(nullptr);
    }
    FontTextMetrics metrics(baseFont_);
    const theory::PageLayout page = theory::layoutPage(
        tokens_, spreads_.rightPageStart(), PaintBox2->width(), PaintBox2->height(), metrics);
    drawPage(painter, page, metrics, textColor_);
    spreads_.rightPageLaidOut(page.endIndex, int(tokens_.size()));
    Image2->setVisible(spreads_.previousVisible());
    Image3->setVisible(spreads_.nextVisible());
}

void TTeorijosForma::playPageTurnSound() {
    const QString sound = pickRandomFilePath(joinPath(programPaths().teorijaDir, "Garsai/"),
                                             QStringLiteral("*.WAV"), 1 + randomBelow(10));
    if (!sound.isEmpty()) {
        services().sound->playAsync(sound);
    }
}

void TTeorijosForma::Image2DblClick() {
    playPageTurnSound();
    if (spreads_.turnBack()) {
        PaintBox1->update();
        PaintBox2->update();
    }
}

void TTeorijosForma::Image3DblClick() {
    playPageTurnSound();
    if (spreads_.turnForward()) {
        PaintBox1->update();
        PaintBox2->update();
    }
}

void TTeorijosForma::Pagalba1Click() {
    services().help->showTopic(kHelpTopic);
}

void TTeorijosForma::Spausdintiteorijosmediag1Click() {
    services().printer->printLines(theory::printLines(fullText_));
}

void TTeorijosForma::Udaryti1Click() {
    done(1);
}

void TTeorijosForma::contextMenuEvent(QContextMenuEvent* event) {
    PopupMenu1->popup(event->globalPos());
}

void TTeorijosForma::keyPressEvent(QKeyEvent* event) {
    // The keys turn only where a corner is shown, as a click on it would.
    switch (event->key()) {
        case Qt::Key_PageDown:
        case Qt::Key_Right:
            if (Image3->isVisible()) {
                guarded([this] { Image3DblClick(); });
            }
            break;
        case Qt::Key_PageUp:
        case Qt::Key_Left:
            if (Image2->isVisible()) {
                guarded([this] { Image2DblClick(); });
            }
            break;
        default:
            QDialog::keyPressEvent(event);
    }
}

}  // namespace lentora
