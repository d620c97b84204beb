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

namespace {

constexpr int kHelpTopic = 6;
// The buttons' right and bottom edges inside the outer size.
constexpr int kButtonRightGap = 10;
constexpr int kButtonBottomGap = 28;

}  // namespace

TMovableWordsForm::TMovableWordsForm(movable_words::Variant variant, QWidget* parent)
    : ExerciseDialog(kHelpTopic, parent), variant_(variant) {
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
    connect(PaintBox1, &MovableWordsView::buttonRequested, this,
            [this] { guarded([this] { pressShownButton(); }); });

    FormCreate();
}

TMovableWordsForm::~TMovableWordsForm() = default;

void TMovableWordsForm::FormCreate() {
    guarded([this] {
        Table1.load(joinPath(programPaths().programDir, content::movableWordsSchema().file));
    });
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

    const ExerciseFont exerciseFont = readExerciseFont(
        programSettings(), "Testas su nesiojamais zodziais", 14, QStringLiteral("MS Sans Serif"));

    setWindowTitle(fromCp1257(row->task));
    // A window larger than the screen is cut to it: the page shows fewer rows and the
    // exercise takes more pages, so the buttons and every row stay in sight.
    const ScreenFit fit =
        fitContentToScreen(this, QSize(row->outerWidth, row->outerHeight), PageButtons::kSize);
    const QSize client = fit.client;
    setFixedSize(client);
    PaintBox1->setGeometry(0, 0, client.width(), client.height());
    const QPoint place =
        buttonPosition(fit.outer, PageButtons::kSize, kButtonRightGap, kButtonBottomGap);

    FontTextMetrics metrics(exerciseFont.font);
    // Rows end above the buttons, which stand over the boxes' column; a window too low for
    // that uses its whole height.
    movable_words::PageGeometry geometry{client.width(), place.y() - movable_words::kPad,
                                         row->boxWidth, metrics.lineHeight()};
    if (movable_words::rowsPerPage(geometry) == 0) {
        geometry.height = client.height();
    }
    const int rows = movable_words::rowsPerPage(geometry);
    if (rows == 0) {
        return false;
    }
    seedRandomFromClock();
    const std::vector<int> order =
        movable_words::blockShuffle(int(row->words.size()), rows, randomBelow);
    exercise_ = std::make_unique<movable_words::Exercise>(variant_, row->words, order);
    PaintBox1->setBackground(background);
    PaintBox1->setRowsBottom(geometry.height);
    PaintBox1->setExercise(movable_words::tokenizeSentences(row->sentences), exercise_.get(),
                           exerciseFont.font, exerciseFont.color, row->boxWidth);
    buttons_.place(place);
    PaintBox1->setFocus();

    centreOnScreen(this);
    exec();
    Table1.close();

    const movable_words::Points points = exercise_->score();
    score += points.score;
    maxScore += points.maxScore;
    return true;
}

void TMovableWordsForm::BitBtn1Click() {
    PaintBox1->nextPage();
}

void TMovableWordsForm::pressShownButton() {
    if (buttons_.shown() == buttons_.next) {
        BitBtn1Click();
    } else {
        leave();
    }
}

}  // namespace lentora
