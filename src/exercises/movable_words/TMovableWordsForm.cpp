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
    connect(buttons_.finish, &TPictureButton::OnClick, this,
            [this] { guarded([this] { leave(); }); });
    connect(PaintBox1, &MovableWordsView::pageLaidOut, this,
            [this](bool hasNext) { buttons_.showFor(hasNext); });
    connect(PaintBox1, &MovableWordsView::pressShownButton, this,
            [this] { buttons_.pressShown(); });

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

    QImage background;
    const QString picture = pickRandomFilePath(programPaths().nesiojPiesinDir,
                                               QStringLiteral("*.bmp"), randomBelow(10));
    if (!picture.isEmpty()) {
        try {
            background = loadImage(picture);
        } catch (const Error&) {
            // An unreadable picture leaves the page white; the exercise still opens.
        }
    }

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
    setWindowTitle(fromCp1257(row->task));
    setFixedSize(fit.client);
    PaintBox1->setGeometry(0, 0, fit.client.width(), fit.client.height());
    PaintBox1->setBackground(background);
    PaintBox1->setSession(session_.get(), exerciseFont.font, exerciseFont.color);
    buttons_.place(kMovableWords.buttonPlace(fit.outer));
    PaintBox1->setFocus();

    centreOnScreen(this);
    exec();

    const content::Points points = session_->points();
    score += points.score;
    maxScore += points.maxScore;
    return true;
}

void TMovableWordsForm::BitBtn1Click() {
    PaintBox1->nextPage();
}

std::optional<content::ExerciseResult> TMovableWordsForm::result() const {
    return std::nullopt;
}

ReviewStep TMovableWordsForm::Review(const content::ExerciseResult&) {
    return ReviewStep::Close;
}

}  // namespace lentora
