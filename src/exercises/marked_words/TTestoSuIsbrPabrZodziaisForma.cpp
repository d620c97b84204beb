#include "exercises/marked_words/TTestoSuIsbrPabrZodziaisForma.h"

#include "content/MarkedWordsRow.h"
#include "content/Rows.h"
#include "content/Schema.h"
#include "controls/TPictureButton.h"
#include "controls/WindowPictures.h"
#include "exercises/marked_words/MarkedWordsView.h"
#include "platform/CodePage1257.h"
#include "platform/Error.h"
#include "platform/ExerciseFont.h"
#include "platform/FileListing.h"
#include "platform/Fonts.h"
#include "platform/FrameMetrics.h"
#include "platform/IniFile.h"
#include "platform/ProgramPaths.h"
#include "platform/ScrollingClient.h"
#include "platform/Services.h"
#include "platform/WindowPlacement.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>

#include <algorithm>

namespace lentora {

namespace {

const QColor kHeadingColor(167, 225, 162);
const QColor kMaroon(128, 0, 0);
constexpr int kButtonWidth = 59;
constexpr int kButtonHeight = 69;
constexpr int kStripHeight = 77;
// The smallest client area that still holds the heading, some text and the button.
const QSize kMinClient(2 * kButtonWidth, kButtonHeight + 80);

}  // namespace

TTestoSuIsbrPabrZodziaisForma::TTestoSuIsbrPabrZodziaisForma(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QStringLiteral("Pratimas"));
    setWindowModality(Qt::WindowModal);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    setAutoFillBackground(true);
    setFixedSize(524, 341);
    outer_ = outerSizeForClient(size());

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image2->setPixmap(markedWordsStripPicture(devicePixelRatioF()));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(makeFont(QStringLiteral("Arial"), 10));
    QPalette headingColours = Label1->palette();
    headingColours.setColor(QPalette::Window, kHeadingColor);
    headingColours.setColor(QPalette::WindowText, kMaroon);
    Label1->setPalette(headingColours);
    Label1->setAutoFillBackground(true);

    PaintBox1 = new marked_words::MarkedWordsView(this);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    connect(PaintBox1, &marked_words::MarkedWordsView::toggleRequested, this,
            [this](int token) { guarded([&] { toggleMark(token); }); });
    connect(PaintBox1, &marked_words::MarkedWordsView::pageLaidOut, this,
            [this](bool hasNext) { showPageButtons(hasNext); });
    connect(PaintBox1, &marked_words::MarkedWordsView::pressButtonRequested, this, [this] {
        guarded([this] { BitBtn1->isVisible() ? BitBtn1Click() : BitBtn2Click(); });
    });
    connect(PaintBox1, &marked_words::MarkedWordsView::nextPageRequested, this, [this] {
        guarded([this] {
            if (BitBtn1->isVisible()) {
                BitBtn1Click();
            }
        });
    });

    for (TPictureButton** button : {&BitBtn1, &BitBtn2}) {
        *button = new TPictureButton(this);
        (*button)->setBounds(0, 0, kButtonWidth, kButtonHeight);
        (*button)->setFocusPolicy(Qt::NoFocus);
        loadToliauPictures(**button);
    }
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->hide();
    connect(BitBtn1, &TPictureButton::OnClick, this,
            [this] { guarded([this] { BitBtn1Click(); }); });
    connect(BitBtn2, &TPictureButton::OnClick, this,
            [this] { guarded([this] { BitBtn2Click(); }); });

    PopupMenu1 = new QMenu(this);
    Pagalba1 = PopupMenu1->addAction(QStringLiteral("Pagalba"));
    Pagalba1->setShortcut(QKeySequence(Qt::Key_F1));
    addAction(Pagalba1);
    connect(Pagalba1, &QAction::triggered, this, [this] { guarded([this] { Pagalba1Click(); }); });

    FormCreate();
    FormResize();
}

TTestoSuIsbrPabrZodziaisForma::~TTestoSuIsbrPabrZodziaisForma() {
    Table1.close();
}

void TTestoSuIsbrPabrZodziaisForma::FormCreate() {
    guarded([this] {
        Table1.load(joinPath(programPaths().programDir, content::markedWordsSchema().file));
    });
}

bool TTestoSuIsbrPabrZodziaisForma::Execute(std::int32_t recordNumber, std::int32_t& score,
                                            std::int32_t& maxScore) {
    // A table that did not load throws here, which ends the menu command.
    const std::optional<content::MarkedWordsRow> row =
        content::readMarkedWordsRow(Table1, recordNumber);
    if (!row) {
        return false;
    }
    // An empty name keeps the design face; the style always stays normal.
    const ExerciseFont exerciseFont = readExerciseFont(programSettings(), "Pabraukiami zodziai", 12,
                                                       QStringLiteral("MS Sans Serif"));

    CrossOut = row->markKind != "Pabraukiami";
    Label1->setText(fromCp1257(row->heading));
    setWindowTitle(content::exerciseCaption(fromCp1257(row->caption)));

    QFont headingFont = Label1->font();
    headingFont.setFamily(exerciseFont.font.family());
    headingFont.setPixelSize(exerciseFont.font.pixelSize());
    headingFont.setBold(false);
    headingFont.setItalic(false);
    Label1->setFont(headingFont);
    PaintBox1->setFont(exerciseFont.font);
    QPalette textColours = PaintBox1->palette();
    textColours.setColor(QPalette::WindowText, exerciseFont.color);
    PaintBox1->setPalette(textColours);

    tokens_ = marked_words::tokenize(row->text);
    paging_ = marked_words::Paging{};
    paging_.pageStart[0] = 0;
    leaving_ = false;

    // A window larger than the screen is cut to it: the text area shrinks with it and the
    // text takes more pages, so the arrow and every word stay in sight without scrolling.
    const QSize wanted = clientSizeForContent(QSize(row->outerWidth, row->outerHeight), kMinClient);
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QSize client = screen ? clientSizeWithin(wanted, screen->availableGeometry()) : wanted;
    outer_ =
        client == wanted ? QSize(row->outerWidth, row->outerHeight) : outerSizeForClient(client);
    setFixedSize(client);
    FormResize();
    PaintBox1->setPage(&tokens_, &paging_, CrossOut, outer_.height());
    PaintBox1->relayout();
    PaintBox1->setFocus();

    centreOnScreen(this);
    exec();

    const marked_words::Points points = marked_words::scoreTokens(tokens_);
    score += points.score;
    maxScore += points.maxScore;
    return true;
}

void TTestoSuIsbrPabrZodziaisForma::FormResize() {
    const int headingHeight = QFontMetrics(Label1->font()).height() + 2;
    Label1->setGeometry(0, 0, width(), headingHeight);
    Image2->setGeometry(0, height() - kStripHeight, width(), kStripHeight);
    // Gaps from the outer size, kept inside the client area so the button is always reachable.
    const QPoint place = buttonPosition(outer_, BitBtn1->size(), 10, 30);
    BitBtn1->move(place);
    BitBtn2->move(place);
    const int top = headingHeight + 4;
    PaintBox1->setGeometry(15, top, std::max(0, outer_.width() - 42),
                           std::max(0, place.y() - top - 3));
    BitBtn1->raise();
    BitBtn2->raise();
}

void TTestoSuIsbrPabrZodziaisForma::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    guarded([this] { FormResize(); });
}

void TTestoSuIsbrPabrZodziaisForma::showPageButtons(bool hasNextPage) {
    BitBtn1->setVisible(hasNextPage);
    BitBtn2->setVisible(!hasNextPage);
}

void TTestoSuIsbrPabrZodziaisForma::toggleMark(int token) {
    if (token < 0 || token >= int(tokens_.size())) {
        return;
    }
    marked_words::WordToken& word = tokens_[std::size_t(token)];
    word.Marked = !word.Marked;
    PlayMarkSound(!word.Marked);
    PaintBox1->repaintToken(token);
}

void TTestoSuIsbrPabrZodziaisForma::PlayMarkSound(bool erasing) {
    const QString path = pickRandomFilePath(
        joinPath(programPaths().isbraukDir,
                 erasing ? QStringLiteral("Garsai/TRINT/") : QStringLiteral("Garsai/BRAUK/")),
        QStringLiteral("*.WAV"), randomBelow(10) + 1);
    // No sound files: nothing plays and nothing is reported.
    if (!path.isEmpty()) {
        services().sound->playAsync(path);
    }
}

void TTestoSuIsbrPabrZodziaisForma::BitBtn1Click() {
    if (paging_.turn()) {
        PaintBox1->update();
    }
}

void TTestoSuIsbrPabrZodziaisForma::BitBtn2Click() {
    leaving_ = true;
    accept();
}

void TTestoSuIsbrPabrZodziaisForma::Pagalba1Click() {
    services().help->showTopic(4);
}

void TTestoSuIsbrPabrZodziaisForma::reject() {
    // Escape does not leave the exercise; only the finish button does.
    if (leaving_) {
        QDialog::reject();
    }
}

void TTestoSuIsbrPabrZodziaisForma::closeEvent(QCloseEvent* event) {
    if (leaving_) {
        QDialog::closeEvent(event);
    } else {
        event->ignore();
    }
}

void TTestoSuIsbrPabrZodziaisForma::contextMenuEvent(QContextMenuEvent* event) {
    PopupMenu1->exec(event->globalPos());
}

}  // namespace lentora
