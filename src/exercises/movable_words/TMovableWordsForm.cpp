#include "exercises/movable_words/TMovableWordsForm.h"

#include "content/MovableWordsRow.h"
#include "controls/TPictureButton.h"
#include "controls/WindowPictures.h"
#include "exercises/movable_words/MovableWordsView.h"
#include "platform/CodePage1257.h"
#include "platform/Error.h"
#include "platform/ExerciseFont.h"
#include "platform/FileListing.h"
#include "platform/FrameMetrics.h"
#include "platform/IniFile.h"
#include "platform/Pictures.h"
#include "platform/ProgramPaths.h"
#include "platform/Services.h"
#include "platform/TextMetrics.h"
#include "platform/WindowPlacement.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>

namespace lentora {

namespace {

constexpr int kHelpTopic = 6;
const QSize kButtonSize(59, 69);
// The buttons' right and bottom edges inside the outer size.
constexpr int kButtonRightGap = 10;
constexpr int kButtonBottomGap = 28;

}  // namespace

TMovableWordsForm::TMovableWordsForm(movable_words::Variant variant, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      variant_(variant) {
    setWindowModality(Qt::WindowModal);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    setAutoFillBackground(true);

    PaintBox1 = new MovableWordsView(this);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    BitBtn1 = new TPictureButton(this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new TPictureButton(this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    for (TPictureButton* button : {BitBtn1, BitBtn2}) {
        button->setBounds(0, 0, kButtonSize.width(), kButtonSize.height());
        loadToliauPictures(*button);
    }
    BitBtn2->hide();
    connect(BitBtn1, &TPictureButton::OnClick, this,
            [this] { guarded([this] { BitBtn1Click(); }); });
    connect(BitBtn2, &TPictureButton::OnClick, this,
            [this] { guarded([this] { finishClick(); }); });
    connect(PaintBox1, &MovableWordsView::pageLaidOut, this, [this](bool hasNext) {
        BitBtn1->setVisible(hasNext);
        BitBtn2->setVisible(!hasNext);
    });
    connect(PaintBox1, &MovableWordsView::buttonRequested, this,
            [this] { guarded([this] { pressShownButton(); }); });

    PopupMenu1 = new QMenu(this);
    Pagalba1 = PopupMenu1->addAction(QStringLiteral("Pagalba"));
    Pagalba1->setShortcut(QKeySequence(Qt::Key_F1));
    addAction(Pagalba1);
    connect(Pagalba1, &QAction::triggered, this, [this] { guarded([this] { Pagalba1Click(); }); });

    FormCreate();
}

TMovableWordsForm::~TMovableWordsForm() = default;

void TMovableWordsForm::FormCreate() {
    guarded([this] {
        Table1.load(joinPath(programPaths().programDir, QStringLiteral("Data/Nesioj.cds")));
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
    const QSize outer(row->outerWidth, row->outerHeight);
    const QSize client = clientSizeForContent(outer, kButtonSize);
    setFixedSize(client);
    PaintBox1->setGeometry(0, 0, client.width(), client.height());
    const QPoint place = buttonPosition(outer, kButtonSize, kButtonRightGap, kButtonBottomGap);
    BitBtn1->move(place);
    BitBtn2->move(place);

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
    BitBtn1->raise();
    BitBtn2->raise();
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

void TMovableWordsForm::finishClick() {
    leaving_ = true;
    accept();
}

void TMovableWordsForm::pressShownButton() {
    if (BitBtn1->isVisible()) {
        BitBtn1Click();
    } else {
        finishClick();
    }
}

void TMovableWordsForm::Pagalba1Click() {
    services().help->showTopic(kHelpTopic);
}

void TMovableWordsForm::reject() {
    // Escape does not close the exercise; only the finish button does.
    if (leaving_) {
        QDialog::reject();
    }
}

void TMovableWordsForm::closeEvent(QCloseEvent* event) {
    if (leaving_) {
        QDialog::closeEvent(event);
    } else {
        event->ignore();
    }
}

void TMovableWordsForm::contextMenuEvent(QContextMenuEvent* event) {
    PopupMenu1->exec(event->globalPos());
}

}  // namespace lentora
