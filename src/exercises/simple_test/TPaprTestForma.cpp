#include "exercises/simple_test/TPaprTestForma.h"

#include "content/Rows.h"
#include "content/Schema.h"
#include "controls/TPictureButton.h"
#include "controls/WindowPictures.h"
#include "exercises/simple_test/SimpleTestLogic.h"
#include "platform/CodePage1257.h"
#include "platform/Error.h"
#include "platform/ExerciseFont.h"
#include "platform/Fonts.h"
#include "platform/FrameMetrics.h"
#include "platform/IniFile.h"
#include "platform/Pictures.h"
#include "platform/ProgramPaths.h"
#include "platform/ScrollingClient.h"
#include "platform/Services.h"
#include "platform/WindowPlacement.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>

namespace lentora {

namespace {

const QColor kWindowColor(228, 254, 228);
constexpr int kHelpTopic = 7;
constexpr int kAnswerHeight = 17;

[[noreturn]] void throwClosed() {
    throw Error(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

}  // namespace

TPaprTestForma::TPaprTestForma(QWidget* parent) : ExerciseDialog(kHelpTopic, parent) {
    setWindowTitle(QStringLiteral("Pratimas"));
    setFont(makeFont(QStringLiteral("MS Sans Serif"), 8));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kWindowColor);
    setPalette(colours);
    setAutoFillBackground(true);
    setFixedSize(487, 341);

    // Stacking order: the content (background and questions) below the arrow.
    Client = new ScrollingClient(this);
    Client->fit(size());
    Fonas = new QLabel(Client->content());
    Fonas->setObjectName(QStringLiteral("Fonas"));
    Fonas->move(0, 0);

    BitBtn1 = new TPictureButton(this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setBounds(416, 261, 59, 69);
    loadToliauPictures(*BitBtn1);
    connect(BitBtn1, &TPictureButton::OnClick, this, [this] { BitBtn1Click(); });

    FormCreate();
}

TPaprTestForma::~TPaprTestForma() = default;

QWidget* TPaprTestForma::content() const {
    return Client->content();
}

void TPaprTestForma::FormCreate() {
    using TestField = content::TestWindowFields;
    using QuestionField = content::QuestionFields;
    using AnswerField = content::AnswerFields;
    // Loading stops at the first table that fails; the tables after it stay closed.
    guarded([this] {
        const QString dir = programPaths().programDir;
        TestLangTable.load(joinPath(dir, content::testWindowSchema().file));
        KlausTable.load(joinPath(dir, content::questionSchema().file));
        AtsakTable.load(joinPath(dir, content::answerSchema().file));
    });
    if (TestLangTable.isOpen() && KlausTable.isOpen()) {
        KlausTable.linkToMaster(TestLangTable, {QuestionField::testId}, {TestField::testId});
    }
    if (KlausTable.isOpen() && AtsakTable.isOpen()) {
        AtsakTable.linkToMaster(KlausTable, {AnswerField::testId, AnswerField::questionId},
                                {QuestionField::testId, QuestionField::questionId});
    }
}

void TPaprTestForma::FormClose() {
    TestLangTable.close();
    KlausTable.close();
    AtsakTable.close();
}

bool TPaprTestForma::Execute(std::uint16_t recordNumber, std::int32_t& score,
                             std::int32_t& maxScore) {
    // A table that did not load throws here, which ends the menu command.
    if (!TestLangTable.findKey(double(recordNumber))) {
        FormClose();
        return false;
    }
    Fonas->setPixmap(loadPixmap(joinPath(programPaths().paprDir, QStringLiteral("FONAS.BMP"))));
    Fonas->adjustSize();
    radioAnswers_.clear();
    checkAnswers_.clear();

    // An empty name keeps the design face; the style always stays normal.
    const ExerciseFont exerciseFont = readExerciseFont(programSettings(), "Paprastas testas", 10,
                                                       QStringLiteral("MS Sans Serif"));

    const content::TestWindowRow test = content::TestWindowRow::read(TestLangTable);
    const QSize outer(clampedInt(test.width, 0, kMaxContentExtent),
                      clampedInt(test.height, 0, kMaxContentExtent));
    const QSize client = clientSizeForContent(outer, BitBtn1->size());
    // A window larger than the screen is cut to it and its content scrolls.
    const QSize inSight = Client->fit(client);
    setFont(exerciseFont.font);
    QPalette colours = palette();
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        colours.setColor(role, exerciseFont.color);
    }
    setPalette(colours);

    setWindowTitle(content::exerciseCaption(fromCp1257(test.caption)));
    const QPoint place = buttonPosition(outer, BitBtn1->size(), 15, 30);
    // The arrow keeps its margins from the bottom-right corner in sight.
    BitBtn1->move(std::max(0, place.x() - (client.width() - inSight.width())),
                  std::max(0, place.y() - (client.height() - inSight.height())));

    buildQuestions();
    // The arrow is the only way out, so nothing may cover it; Tab reaches it last.
    BitBtn1->raise();
    // The window opens with the first answer focused, not the arrow; Tab reaches the arrow last.
    const QList<QAbstractButton*> answers = Client->content()->findChildren<QAbstractButton*>();
    if (!answers.isEmpty()) {
        QWidget::setTabOrder(answers.last(), BitBtn1);
        answers.first()->setFocus();
    }

    centreOnScreen(this);
    exec();
    FormClose();

    std::vector<simple_test::AnswerEntry> entries;
    entries.reserve(radioAnswers_.size() + checkAnswers_.size());
    for (const Answer& answer : radioAnswers_) {
        entries.push_back({answer.control->isChecked(), answer.correct, true});
    }
    for (const Answer& answer : checkAnswers_) {
        entries.push_back({answer.control->isChecked(), answer.correct, false});
    }
    const simple_test::Points points = simple_test::scoreAnswers(entries);
    score += points.score;
    maxScore += points.maxScore;
    return true;
}

void TPaprTestForma::buildQuestions() {
    if (!KlausTable.isOpen() || !AtsakTable.isOpen()) {
        throwClosed();
    }
    constexpr int kMaxExtent = kMaxContentExtent;
    for (KlausTable.first(); !KlausTable.eof(); KlausTable.next()) {
        auto* panel = new QFrame(Client->content());
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setLineWidth(1);
        QPalette colours = panel->palette();
        colours.setColor(QPalette::Window, kWindowColor);
        panel->setPalette(colours);
        panel->setAutoFillBackground(true);
        const content::QuestionRow question = content::QuestionRow::read(KlausTable);
        const int panelWidth = clampedInt(question.width, 0, kMaxExtent);
        panel->setGeometry(clampedInt(question.x, -kMaxExtent, kMaxExtent),
                           clampedInt(question.y, -kMaxExtent, kMaxExtent), panelWidth,
                           clampedInt(question.height, 0, kMaxExtent));

        auto* label = new QLabel(panel);
        label->setTextFormat(Qt::PlainText);
        label->setText(fromCp1257(question.question));
        label->move(5, 5);
        label->adjustSize();

        const bool radio = simple_test::isRadioKind(question.kind);
        auto* group = new QButtonGroup(panel);
        group->setExclusive(radio);
        for (AtsakTable.first(); !AtsakTable.eof(); AtsakTable.next()) {
            QAbstractButton* control = nullptr;
            if (radio) {
                control = new QRadioButton(panel);
            } else {
                control = new QCheckBox(panel);
            }
            const content::AnswerRow row = content::AnswerRow::read(AtsakTable);
            control->setText(fromCp1257(row.answer));
            const int left = clampedInt(row.x, -kMaxExtent, kMaxExtent);
            const int top = clampedInt(row.y, -kMaxExtent, kMaxExtent);
            // The caption is cut 2 pixels inside the panel's right edge.
            control->setGeometry(left, top, std::max(0, panelWidth - left - 2), kAnswerHeight);
            group->addButton(control);
            Answer answer{control, row.correct};
            (radio ? radioAnswers_ : checkAnswers_).push_back(answer);
        }
        panel->show();
    }
}

void TPaprTestForma::BitBtn1Click() {
    leave();
}

void TPaprTestForma::keyPressEvent(QKeyEvent* event) {
    // Enter presses the arrow, the window's default action; a held key does not, so that
    // the key that closed one test cannot close the next.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (BitBtn1->isVisible()) {
            BitBtn1->clickByKey(*event);
        }
        return;
    }
    ExerciseDialog::keyPressEvent(event);
}

}  // namespace lentora
