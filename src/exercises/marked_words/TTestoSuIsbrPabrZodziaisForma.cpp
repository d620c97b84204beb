// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/marked_words/TTestoSuIsbrPabrZodziaisForma.h"

#include "content/MarkedWordsRow.h"
#include "content/Rows.h"
#include "content/Schema.h"
#include "controls/PageButtons.h"
#include "controls/TPictureButton.h"
#include "controls/WindowPictures.h"
#include "exercises/marked_words/MarkedWordsResult.h"
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

#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

namespace lentora {

using marked_words::kMarkedWords;

static_assert(kMarkedWords.arrow == PageButtons::kSize);

namespace {

QColor colour(marked_words::Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

}  // namespace

TTestoSuIsbrPabrZodziaisForma::TTestoSuIsbrPabrZodziaisForma(QWidget* parent)
    : ExerciseDialog(kMarkedWords.window.helpTopic, parent) {
    setWindowTitle(QStringLiteral("Pratimas"));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    setAutoFillBackground(true);
    setFixedSize(kMarkedWords.designClient);
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
    headingColours.setColor(QPalette::Window, colour(kMarkedWords.headingBackground));
    headingColours.setColor(QPalette::WindowText, colour(kMarkedWords.headingText));
    Label1->setPalette(headingColours);
    Label1->setAutoFillBackground(true);

    PaintBox1 = new marked_words::MarkedWordsView(this);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    connect(PaintBox1, &marked_words::MarkedWordsView::marked, this,
            [this](bool erasing) { guarded([&] { PlayMarkSound(erasing); }); });
    connect(PaintBox1, &marked_words::MarkedWordsView::pageLaidOut, this,
            [this](bool hasNext) { buttons_.showFor(hasNext); });
    connect(PaintBox1, &marked_words::MarkedWordsView::pressShownButton, this,
            [this] { buttons_.pressShown(); });
    connect(PaintBox1, &marked_words::MarkedWordsView::leaveReview, this, [this](bool forward) {
        leaveReview(forward ? ReviewStep::Next : ReviewStep::Previous);
    });

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("Summary"));
    summary_->setTextFormat(Qt::PlainText);
    summary_->setAlignment(Qt::AlignCenter);
    summary_->hide();

    buttons_ = PageButtons::create(this);
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
    // The failure is the caller's to report, once for its whole command.
    try {
        Table1.load(joinPath(programPaths().programDir, content::markedWordsSchema().file));
    } catch (const Error& error) {
        openFailure_ = error.text();
    }
}

bool TTestoSuIsbrPabrZodziaisForma::Execute(std::int32_t recordNumber, std::int32_t& score,
                                            std::int32_t& maxScore) {
    // A table that did not load throws ClosedTableError here; the caller skips the window.
    const std::optional<content::MarkedWordsRow> row =
        content::readMarkedWordsRow(Table1, recordNumber);
    if (!row) {
        return false;
    }
    setReviewing(false);
    shown_ = {content::exerciseCaption(fromCp1257(row->caption)),
              fromCp1257(row->heading),
              QSize(row->outerWidth, row->outerHeight),
              row->crossOut,
              {}};
    shownRecord_ = recordNumber;
    layOutWindow();
    session_ = std::make_unique<marked_words::MarkedWordsSession>(row->text, row->crossOut,
                                                                  outer_.height());
    showSession();

    const content::Points points = session_->points();
    score += points.score;
    maxScore += points.maxScore;
    return true;
}

std::optional<content::ExerciseResult> TTestoSuIsbrPabrZodziaisForma::result() const {
    if (!shownRecord_ || !session_) {
        return std::nullopt;
    }
    marked_words::ShownExercise shown = shown_;
    shown.crossOut = session_->crossOut();
    shown.tokens = session_->tokens();
    return marked_words::exerciseResult(shown, *shownRecord_);
}

ReviewStep TTestoSuIsbrPabrZodziaisForma::Review(const content::ExerciseResult& result) {
    std::optional<marked_words::ShownExercise> shown = marked_words::restoreExercise(result);
    if (!shown) {
        // Nothing to show: the review goes on without it.
        return ReviewStep::Next;
    }
    setReviewing(true);
    summary_->setText(
        content::reviewSummary(result.points, marked_words::wrongMarks(shown->tokens)));
    shown_ = {shown->caption, shown->heading, shown->outer, shown->crossOut, {}};
    shownRecord_ = result.record;
    layOutWindow();
    session_ = marked_words::MarkedWordsSession::review(std::move(shown->tokens), shown->crossOut,
                                                        outer_.height());
    showSession();
    setReviewing(false);
    return reviewStep();
}

void TTestoSuIsbrPabrZodziaisForma::layOutWindow() {
    // An empty name keeps the design face; the style always stays normal.
    const ExerciseFont exerciseFont = readExerciseFont(
        programSettings(), kMarkedWords.window.settingsSection,
        kMarkedWords.window.defaultFontPoints, QString::fromLatin1(kMarkedWords.window.designFace));

    Label1->setText(shown_.heading);
    setWindowTitle(shown_.caption);

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
    summary_->setFont(exerciseFont.font);
    summary_->setPalette(textColours);
    // A review's summary strip goes above the heading; the rest keeps its places below it.
    strip_ = reviewing()
                 ? QFontMetrics(exerciseFont.font).height() + 2 * kMarkedWords.reviewStripMargin
                 : 0;
    summary_->setVisible(reviewing());

    // A window larger than the screen is cut to it: the text area shrinks with it and the
    // text takes more pages, so the arrow and every word stay in sight without scrolling.
    // A row too small for its content grows until the heading, a line and the arrow show.
    // Marks underline or strike a word through, neither makes its line taller.
    const QSize smallest = kMarkedWords.minimumOuter(QFontMetrics(Label1->font()).height(),
                                                     QFontMetrics(PaintBox1->font()).height());
    const ScreenFit fit =
        fitContentToScreen(this, shown_.outer.expandedTo(smallest), clientSizeForOuter(smallest));
    outer_ = fit.outer;
    setFixedSize(fit.client + QSize(0, strip_));
    FormResize();
}

void TTestoSuIsbrPabrZodziaisForma::showSession() {
    PaintBox1->setSession(session_.get());
    PaintBox1->setFocus();

    centreOnScreen(this);
    exec();
}

void TTestoSuIsbrPabrZodziaisForma::FormResize() {
    const int headingHeight = kMarkedWords.headingHeight(QFontMetrics(Label1->font()).height());
    summary_->setGeometry(0, 0, width(), strip_);
    Label1->setGeometry(0, strip_, width(), headingHeight);
    const int strip = kMarkedWords.stripHeight;
    Image2->setGeometry(0, height() - strip, width(), strip);
    // Gaps from the outer size, kept inside the client area so the button is always reachable.
    const QPoint below(0, strip_);
    PaintBox1->setGeometry(kMarkedWords.textArea(outer_, headingHeight).translated(below));
    buttons_.place(kMarkedWords.buttonPlace(outer_) + below);
}

void TTestoSuIsbrPabrZodziaisForma::resizeEvent(QResizeEvent* event) {
    ExerciseDialog::resizeEvent(event);
    guarded([this] { FormResize(); });
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
    PaintBox1->turnPage();
}

void TTestoSuIsbrPabrZodziaisForma::BitBtn2Click() {
    if (reviewing()) {
        leaveReview(ReviewStep::Next);
    } else {
        leave();
    }
}

}  // namespace lentora
