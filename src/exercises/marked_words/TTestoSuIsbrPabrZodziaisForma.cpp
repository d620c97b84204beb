#include "exercises/marked_words/TTestoSuIsbrPabrZodziaisForma.h"

#include "content/MarkedWordsRow.h"
#include "content/Rows.h"
#include "content/Schema.h"
#include "controls/PageButtons.h"
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
#include "platform/Services.h"
#include "platform/WindowPlacement.h"

#include <QLabel>

#include <algorithm>

namespace lentora {

namespace {

const QColor kHeadingColor(167, 225, 162);
const QColor kMaroon(128, 0, 0);
constexpr int kHelpTopic = 4;
constexpr int kStripHeight = 77;
// The smallest client area that still holds the heading, some text and the button.
const QSize kMinClient(2 * PageButtons::kSize.width(), PageButtons::kSize.height() + 80);

}  // namespace

TTestoSuIsbrPabrZodziaisForma::TTestoSuIsbrPabrZodziaisForma(QWidget* parent)
    : ExerciseDialog(kHelpTopic, parent) {
    setWindowTitle(QStringLiteral("Pratimas"));
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
            [this](bool hasNext) { buttons_.showFor(hasNext); });
    connect(PaintBox1, &marked_words::MarkedWordsView::pressButtonRequested, this, [this] {
        guarded([this] { buttons_.shown() == buttons_.next ? BitBtn1Click() : BitBtn2Click(); });
    });
    connect(PaintBox1, &marked_words::MarkedWordsView::nextPageRequested, this, [this] {
        guarded([this] {
            if (buttons_.next->isVisible()) {
                BitBtn1Click();
            }
        });
    });

    buttons_ = PageButtons::create(this);
    // The text area keeps the keyboard: Enter presses the arrow that shows.
    buttons_.next->setFocusPolicy(Qt::NoFocus);
    buttons_.finish->setFocusPolicy(Qt::NoFocus);
    connect(buttons_.next, &TPictureButton::OnClick, this,
            [this] { guarded([this] { BitBtn1Click(); }); });
    connect(buttons_.finish, &TPictureButton::OnClick, this,
            [this] { guarded([this] { BitBtn2Click(); }); });

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

    // A window larger than the screen is cut to it: the text area shrinks with it and the
    // text takes more pages, so the arrow and every word stay in sight without scrolling.
    const ScreenFit fit =
        fitContentToScreen(this, QSize(row->outerWidth, row->outerHeight), kMinClient);
    outer_ = fit.outer;
    setFixedSize(fit.client);
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
    const QPoint place = buttonPosition(outer_, buttons_.next->size(), 10, 30);
    const int top = headingHeight + 4;
    PaintBox1->setGeometry(15, top, std::max(0, outer_.width() - 42),
                           std::max(0, place.y() - top - 3));
    buttons_.place(place);
}

void TTestoSuIsbrPabrZodziaisForma::resizeEvent(QResizeEvent* event) {
    ExerciseDialog::resizeEvent(event);
    guarded([this] { FormResize(); });
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
    leave();
}

}  // namespace lentora
