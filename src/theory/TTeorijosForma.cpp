// SPDX-License-Identifier: GPL-3.0-or-later
#include "theory/TTeorijosForma.h"

#include "content/Rows.h"
#include "content/Schema.h"
#include "controls/HelpTopic.h"
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
#include "platform/ScrollingClient.h"
#include "platform/Services.h"
#include "platform/WindowPlacement.h"
#include "theory/PageCorner.h"
#include "theory/PageLayout.h"
#include "theory/PaintBox.h"
#include "theory/TheoryText.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPixmapCache>

namespace lentora {

namespace {

using theory::kTheoryBook;

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

// The book picture and the corners are made once, not at every opening. The key holds what
// the picture is made from (the file as it is now, the scale), so a changed course or scale
// makes it again.
QPixmap cachedBookPicture(const QString& path) {
    const QFileInfo file(path);
    if (!file.exists()) {
        return loadPixmap(path);  // found by a case-insensitive match, or reported missing
    }
    const QString key = QStringLiteral("lentora/book/%1/%2/%3")
                            .arg(file.absoluteFilePath())
                            .arg(file.lastModified().toMSecsSinceEpoch())
                            .arg(file.size());
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = loadPixmap(path);  // throws, and caches nothing, when it cannot be read
        QPixmapCache::insert(key, picture);
    }
    return picture;
}

QPixmap cachedBuiltInPicture(const QString& resource, QSize size, qreal devicePixelRatio) {
    const QString key = QStringLiteral("lentora/builtin/%1/%2x%3/%4")
                            .arg(resource)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(devicePixelRatio);
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = builtInPicture(resource, size, devicePixelRatio);
        QPixmapCache::insert(key, picture);
    }
    return picture;
}

}  // namespace

TTeorijosForma::TTeorijosForma(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Teorija"));
    setWindowModality(Qt::WindowModal);
    // The book keeps its design size; where the screen is smaller, its content scrolls.
    Client = new ScrollingClient(this);
    Client->fit(kTheoryBook.clientSize);
    QWidget* content = Client->content();
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);

    // Stacking order, bottom to top: book, corners, pages.
    Knyga = new QLabel(content);
    Knyga->move(kTheoryBook.book.topLeft());
    Image2 = new PageCorner(content, kTheoryBook.previousCorner,
                            QStringLiteral("Versti ankstesnį puslapį"));
    Image3 = new PageCorner(content, kTheoryBook.nextCorner, QStringLiteral("Versti kitą puslapį"));
    Image2->hide();
    Image3->hide();
    PaintBox1 = new PaintBox(content, [this](QPainter& painter) { Page1OnPaint(painter); });
    PaintBox1->setGeometry(kTheoryBook.leftPage);
    PaintBox2 = new PaintBox(content, [this](QPainter& painter) { Page2OnPaint(painter); });
    PaintBox2->setGeometry(kTheoryBook.rightPage);
    session_.resizePages(PaintBox1->size(), PaintBox2->size());
    connect(Image2, &PageCorner::clicked, this, [this] { guarded([this] { Image2DblClick(); }); });
    connect(Image3, &PageCorner::clicked, this, [this] { guarded([this] { Image3DblClick(); }); });

    PopupMenu1 = new QMenu(this);
    addHelpTopicItem(*this, *PopupMenu1, kTheoryBook.window.helpTopic);
    auto addItem = [this](const QString& caption, const QKeySequence& shortcut, auto handler) {
        QAction* action = PopupMenu1->addAction(caption);
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        // A held key acts once: it neither prints again and again nor closes the book unseen.
        action->setAutoRepeat(false);
        connect(action, &QAction::triggered, this, [handler] { guarded(handler); });
        addAction(action);
    };
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
        Knyga->setPixmap(cachedBookPicture(joinPath(paths.teorijaDir, "Piesin/knyga.bmp")));
        Knyga->adjustSize();
    });
    // Loaded even when the book picture is missing: the text is worth showing without it.
    try {
        table_.load(joinPath(paths.programDir, content::theorySchema().file));
    } catch (const Error& error) {
        openFailure_ = error.text();
    }
    // The corners are part of the window's design, built into the program.
    const std::pair<PageCorner*, const char*> corners[] = {{Image2, ":/theory/kampas_atgal.svg"},
                                                           {Image3, ":/theory/kampas_pirmyn.svg"}};
    for (const auto& [corner, resource] : corners) {
        corner->setPicture(cachedBuiltInPicture(QString::fromLatin1(resource), corner->size(),
                                                devicePixelRatioF()));
    }
}

void TTeorijosForma::readFontSettings() {
    const WindowDescription& window = kTheoryBook.window;
    const ExerciseFont font =
        readExerciseFont(programSettings(), window.settingsSection, window.defaultFontPoints,
                         QString::fromLatin1(window.designFace));
    baseFont_ = font.font;
    textColor_ = font.color;
    PaintBox1->setFont(baseFont_);
    PaintBox2->setFont(baseFont_);
    // The session keeps measuring with the old metrics until it has the new ones.
    auto metrics = std::make_unique<FontTextMetrics>(baseFont_);
    session_.setMetrics(metrics.get());
    metrics_ = std::move(metrics);
}

bool TTeorijosForma::OpenRecord(std::uint16_t recordNumber) {
    if (!table_.findKey(double(recordNumber))) {
        return false;
    }
    readFontSettings();
    session_.open(content::TheoryRow::read(table_).text);
    showSpread();
    return true;
}

bool TTeorijosForma::Execute(std::uint16_t recordNumber) {
    if (!OpenRecord(recordNumber)) {
        return false;
    }
    Client->fit(kTheoryBook.clientSize);  // on the screen the book opens on
    centreOnScreen(this);
    exec();
    return true;
}

void TTeorijosForma::Page1OnPaint(QPainter& painter) {
    if (metrics_) {
        drawPage(painter, session_.leftPage(), *metrics_, textColor_);
    }
}

void TTeorijosForma::Page2OnPaint(QPainter& painter) {
    if (metrics_) {
        drawPage(painter, session_.rightPage(), *metrics_, textColor_);
    }
}

void TTeorijosForma::showSpread() {
    Image2->setVisible(session_.previousCornerShown());
    Image3->setVisible(session_.nextCornerShown());
    PaintBox1->update();
    PaintBox2->update();
}

void TTeorijosForma::react(const theory::BookReaction& reaction) {
    if (reaction.playPageTurnSound) {
        playPageTurnSound();
    }
    if (reaction.spreadTurned) {
        showSpread();
    }
}

void TTeorijosForma::playPageTurnSound() {
    const QString sound = pickRandomFilePath(joinPath(programPaths().teorijaDir, "Garsai/"),
                                             QStringLiteral("*.WAV"), 1 + randomBelow(10));
    if (!sound.isEmpty()) {
        services().sound->playAsync(sound);
    }
}

void TTeorijosForma::Image2DblClick() {
    react(session_.clickPrevious());
}

void TTeorijosForma::Image3DblClick() {
    react(session_.clickNext());
}

void TTeorijosForma::Pagalba1Click() {
    services().help->showTopic(kTheoryBook.window.helpTopic);
}

void TTeorijosForma::Spausdintiteorijosmediag1Click() {
    services().printer->printLines(session_.printLines());
}

void TTeorijosForma::Udaryti1Click() {
    done(1);
}

void TTeorijosForma::contextMenuEvent(QContextMenuEvent* event) {
    PopupMenu1->popup(event->globalPos());
}

void TTeorijosForma::keyPressEvent(QKeyEvent* event) {
    const auto key = Qt::Key(event->key());
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    bool handled = false;
    guarded([&] {
        const theory::BookReaction reaction = session_.keyPress(key, modifiers);
        handled = reaction.handled;
        react(reaction);
    });
    if (!handled) {
        QDialog::keyPressEvent(event);
    }
}

}  // namespace lentora
