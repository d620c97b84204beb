// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/movable_words/TMovableWordsForm.h"

#include "content/MovableWordsRow.h"
#include "content/Schema.h"
#include "controls/TPictureButton.h"
#include "exercises/movable_words/MovableWordsView.h"
#include "platform/CodePage1257.h"
#include "platform/Error.h"
#include "platform/ExerciseFont.h"
#include "platform/FileListing.h"
#include "platform/FontTextMetrics.h"
#include "platform/FrameMetrics.h"
#include "platform/IniFile.h"
#include "platform/Pictures.h"
#include "platform/ProgramPaths.h"
#include "platform/Services.h"
#include "platform/WindowPlacement.h"

#include <QFileInfo>

namespace lentora {

using movable_words::kMovableWords;

static_assert(kMovableWords.arrow == PageButtons::kSize);

TMovableWordsForm::TMovableWordsForm(movable_words::Variant variant, QWidget* parent)
    : ExerciseDialog(kMovableWords.window.helpTopic, parent), variant_(variant) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    setAutoFillBackground(true);

    PaintBox1 = new MovableWordsView(this);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    buttons_ = PageButtons::create(this);
    connect(buttons_.next, &TPictureButton::OnClick, this,
            [this] { guarded([this] { BitBtn1Click(); }); });
    // A review shows only the arrow that goes on to the next exercise.
    connect(buttons_.finish, &TPictureButton::OnClick, this,
            [this] { guarded([this] { reviewing() ? leaveReview(ReviewStep::Next) : leave(); }); });
    connect(PaintBox1, &MovableWordsView::pageLaidOut, this,
            [this](bool hasNext) { buttons_.showFor(hasNext && !reviewing()); });
    connect(PaintBox1, &MovableWordsView::pressShownButton, this,
            [this] { buttons_.pressShown(); });
    connect(PaintBox1, &MovableWordsView::leaveForward, this,
            [this] { guarded([this] { leaveReview(ReviewStep::Next); }); });
    connect(PaintBox1, &MovableWordsView::leaveBack, this,
            [this] { guarded([this] { leaveReview(ReviewStep::Previous); }); });

    FormCreate();
}

TMovableWordsForm::~TMovableWordsForm() {
    Table1.close();
}

void TMovableWordsForm::FormCreate() {
    // The failure is the caller's to report, once for its whole command.
    try {
        Table1.load(joinPath(programPaths().programDir, content::movableWordsSchema().file));
    } catch (const Error& error) {
        openFailure_ = error.text();
    }
}

bool TMovableWordsForm::Execute(std::int32_t recordNumber, std::int32_t& score,
                                std::int32_t& maxScore) {
    const std::optional<content::MovableWordsRow> row =
        content::readMovableWordsRow(Table1, recordNumber);
    if (!row) {
        return false;
    }

    const QImage background = pickBackground({});
    const ExerciseFont exerciseFont =
        readExerciseFont(programSettings(), kMovableWords.window.settingsSection,
                         kMovableWords.window.defaultFontPoints,
                         QString::fromLatin1(kMovableWords.window.designFace));

    // A window larger than the screen is cut to it: the page shows fewer rows and the
    // exercise takes more pages, so the buttons and every row stay in sight.
    // A row too small for its content grows until one row and the arrow show.
    const QSize smallest =
        kMovableWords.minimumOuter(QFontMetrics(exerciseFont.font).height(), row->boxWidth);
    const ScreenFit fit =
        fitContentToScreen(this, QSize(row->outerWidth, row->outerHeight).expandedTo(smallest),
                           kMovableWords.clientSize(smallest));
    seedRandomFromClock();
    std::unique_ptr<movable_words::MovableWordsSession> session =
        movable_words::MovableWordsSession::open(
            variant_, *row, fit.outer, std::make_unique<FontTextMetrics>(exerciseFont.font),
            randomBelow);
    if (!session) {
        return false;  // too small for one row
    }
    session_ = std::move(session);
    record_ = recordNumber;
    present(row->task, fit, exerciseFont.font, exerciseFont.color, background);

    const content::Points points = session_->points();
    score += points.score;
    maxScore += points.maxScore;
    return true;
}

QImage TMovableWordsForm::pickBackground(const QString& wanted) {
    const QString directory = resolvePath(programPaths().nesiojPiesinDir);
    QString picture;
    if (!wanted.isEmpty()) {
        for (const QString& name : listMatchingFiles(directory, QStringLiteral("*.bmp"))) {
            if (name.compare(wanted, Qt::CaseInsensitive) == 0) {
                picture = joinPath(directory, name);
            }
        }
    }
    if (picture.isEmpty()) {
        picture = pickRandomFilePath(directory, QStringLiteral("*.bmp"), randomBelow(10));
    }
    picture_.clear();
    if (!picture.isEmpty()) {
        try {
            QImage background = loadImage(picture);
            picture_ = QFileInfo(picture).fileName();
            return background;
        } catch (const Error&) {
            // An unreadable picture leaves the page white; the exercise still opens.
        }
    }
    return {};
}

void TMovableWordsForm::present(const QByteArray& task, const ScreenFit& fit, const QFont& font,
                                const QColor& color, const QImage& background) {
    setWindowTitle(fromCp1257(task));
    setFixedSize(fit.client);
    PaintBox1->setGeometry(0, 0, fit.client.width(), fit.client.height());
    PaintBox1->setBackground(background);
    PaintBox1->setSession(session_.get(), font, color);
    buttons_.place(kMovableWords.buttonPlace(fit.outer));
    PaintBox1->setFocus();

    centreOnScreen(this);
    exec();
}

void TMovableWordsForm::BitBtn1Click() {
    PaintBox1->nextPage();
}

std::optional<content::ExerciseResult> TMovableWordsForm::result() const {
    if (!session_) {
        return std::nullopt;
    }
    return session_->result(record_, picture_);
}

ReviewStep TMovableWordsForm::Review(const content::ExerciseResult& result) {
    const std::optional<movable_words::MovableWordsSnapshot> shown =
        movable_words::MovableWordsSnapshot::fromResult(result);
    if (!shown) {
        return ReviewStep::Next;
    }
    const QImage background = pickBackground(shown->picture);
    const ExerciseFont exerciseFont =
        readExerciseFont(programSettings(), kMovableWords.window.settingsSection,
                         kMovableWords.window.defaultFontPoints,
                         QString::fromLatin1(kMovableWords.window.designFace));
    // The exercise's own size, grown to hold the summary and a row with its right word.
    const QSize smallest =
        kMovableWords.minimumReviewOuter(QFontMetrics(exerciseFont.font).height(), shown->boxWidth);
    const ScreenFit fit = fitContentToScreen(this, shown->outer.expandedTo(smallest),
                                             kMovableWords.clientSize(smallest));
    std::unique_ptr<movable_words::MovableWordsSession> session =
        movable_words::MovableWordsSession::openReview(
            *shown, fit.outer, std::make_unique<FontTextMetrics>(exerciseFont.font));
    if (!session) {
        return ReviewStep::Next;
    }
    session_ = std::move(session);
    record_ = result.record;
    setReviewing(true);
    PaintBox1->setSummary(content::reviewSummary(result.points, 0));
    present(shown->task, fit, exerciseFont.font, exerciseFont.color, background);
    setReviewing(false);
    return reviewStep();
}

}  // namespace lentora
