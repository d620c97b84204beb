// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/simple_test/TPaprTestForma.h"

#include "content/ContentTable.h"
#include "content/Rows.h"
#include "content/Schema.h"
#include "controls/TPictureButton.h"
#include "controls/WindowPictures.h"
#include "exercises/simple_test/SimpleTestDescription.h"
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

using simple_test::kSimpleTest;

[[noreturn]] void throwClosed() {
    throw content::ClosedTableError();
}

void setWindowColor(QWidget& widget) {
    QPalette colours = widget.palette();
    colours.setColor(QPalette::Window, QColor(QRgb(kSimpleTest.windowColor)));
    widget.setPalette(colours);
    widget.setAutoFillBackground(true);
}

}  // namespace

TPaprTestForma::TPaprTestForma(QWidget* parent)
    : ExerciseDialog(kSimpleTest.window.helpTopic, parent) {
    setWindowTitle(QStringLiteral("Pratimas"));
    setFont(
        makeFont(QString::fromLatin1(kSimpleTest.window.designFace), kSimpleTest.designFontPoints));
    setWindowColor(*this);
    setFixedSize(kSimpleTest.designClientSize);

    // Stacking order: the content (background and questions) below the arrow.
    Client = new ScrollingClient(this);
    Client->fit(size());
    Fonas = new QLabel(Client->content());
    Fonas->setObjectName(QStringLiteral("Fonas"));
    Fonas->move(0, 0);

    BitBtn1 = new TPictureButton(this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setBounds(kSimpleTest.designArrowPlace.x(), kSimpleTest.designArrowPlace.y(),
                       kSimpleTest.arrowSize.width(), kSimpleTest.arrowSize.height());
    loadToliauPictures(*BitBtn1);
    connect(BitBtn1, &TPictureButton::OnClick, this, [this] { BitBtn1Click(); });

    FormCreate();
}

// The tables stay open for the window's life, as every window's do.
TPaprTestForma::~TPaprTestForma() {
    FormClose();
}

QWidget* TPaprTestForma::content() const {
    return Client->content();
}

void TPaprTestForma::FormCreate() {
    using TestField = content::TestWindowFields;
    using QuestionField = content::QuestionFields;
    using AnswerField = content::AnswerFields;
    // Loading stops at the first table that fails; the tables after it stay closed, and the
    // failure is the caller's to report.
    try {
        const QString dir = programPaths().programDir;
        TestLangTable.load(joinPath(dir, content::testWindowSchema().file));
        KlausTable.load(joinPath(dir, content::questionSchema().file));
        AtsakTable.load(joinPath(dir, content::answerSchema().file));
    } catch (const Error& error) {
        openFailure_ = error.text();
    }
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

std::vector<simple_test::QuestionRows> TPaprTestForma::readQuestions() {
    if (!KlausTable.isOpen() || !AtsakTable.isOpen()) {
        throwClosed();
    }
    std::vector<simple_test::QuestionRows> questions;
    for (KlausTable.first(); !KlausTable.eof(); KlausTable.next()) {
        simple_test::QuestionRows rows{content::QuestionRow::read(KlausTable), {}};
        for (AtsakTable.first(); !AtsakTable.eof(); AtsakTable.next()) {
            rows.answers.push_back(content::AnswerRow::read(AtsakTable));
        }
        questions.push_back(std::move(rows));
    }
    return questions;
}

bool TPaprTestForma::Execute(std::uint16_t recordNumber, std::int32_t& score,
                             std::int32_t& maxScore) {
    // A table that did not load throws here, which ends the menu command.
    if (!TestLangTable.findKey(double(recordNumber))) {
        return false;
    }
    Fonas->setPixmap(loadPixmap(joinPath(programPaths().paprDir, QStringLiteral("FONAS.BMP"))));
    Fonas->adjustSize();

    // An empty name keeps the design face; the style always stays normal.
    const WindowDescription& window = kSimpleTest.window;
    const ExerciseFont exerciseFont =
        readExerciseFont(programSettings(), window.settingsSection, window.defaultFontPoints,
                         QString::fromLatin1(window.designFace));

    const content::TestWindowRow test = content::TestWindowRow::read(TestLangTable);
    session_.open(test, readQuestions());
    const QSize outer = session_.outerSize();
    const QSize client = clientSizeForContent(outer, BitBtn1->size());
    // A window larger than the screen is cut to it and its content scrolls.
    const QSize inSight = Client->fit(client);
    setFont(exerciseFont.font);
    QPalette colours = palette();
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        colours.setColor(role, exerciseFont.color);
    }
    setPalette(colours);

    setWindowTitle(session_.caption());
    const QPoint place = kSimpleTest.arrowPlace(outer);
    // The arrow keeps its margins from the bottom-right corner in sight.
    BitBtn1->move(std::max(0, place.x() - (client.width() - inSight.width())),
                  std::max(0, place.y() - (client.height() - inSight.height())));

    buildQuestions();
    // The arrow is the only way out, so nothing may cover it.
    BitBtn1->raise();
    // The window opens with the first answer focused, not the arrow; Tab reaches the arrow last.
    if (!session_.focus().isArrow()) {
        widgetFor(session_.focus())->setFocus();
    }

    centreOnScreen(this);
    exec();

    const simple_test::Points points = session_.points();
    score += points.score;
    maxScore += points.maxScore;
    return true;
}

void TPaprTestForma::buildQuestions() {
    controls_.clear();
    const std::vector<simple_test::QuestionItem>& questions = session_.questions();
    for (int q = 0; q < int(questions.size()); ++q) {
        const simple_test::QuestionItem& question = questions[size_t(q)];
        auto* panel = new QFrame(Client->content());
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setLineWidth(1);
        setWindowColor(*panel);
        panel->setGeometry(question.box);

        auto* label = new QLabel(panel);
        label->setTextFormat(Qt::PlainText);
        label->setText(fromCp1257(question.text));
        label->move(kSimpleTest.questionPlace);
        label->adjustSize();

        auto* group = new QButtonGroup(panel);
        group->setExclusive(question.radio);
        std::vector<QAbstractButton*>& controls = controls_.emplace_back();
        for (int a = 0; a < int(question.answers.size()); ++a) {
            const simple_test::AnswerItem& answer = question.answers[size_t(a)];
            QAbstractButton* control = nullptr;
            if (question.radio) {
                control = new QRadioButton(panel);
            } else {
                control = new QCheckBox(panel);
                control->installEventFilter(this);
            }
            control->setText(fromCp1257(answer.text));
            control->setGeometry(kSimpleTest.answerControl(question.box.width(), answer.place));
            group->addButton(control);
            // The control ticks itself, by pointer or key; the session follows.
            connect(control, &QAbstractButton::toggled, this,
                    [this, q, a](bool ticked) { session_.setTicked(q, a, ticked); });
            controls.push_back(control);
        }
        panel->show();
    }
}

QWidget* TPaprTestForma::widgetFor(simple_test::FocusSlot slot) const {
    if (slot.isArrow()) {
        return BitBtn1;
    }
    return controls_[size_t(slot.question)][size_t(slot.answer)];
}

simple_test::FocusSlot TPaprTestForma::slotOf(const QWidget* widget) const {
    for (int q = 0; q < int(controls_.size()); ++q) {
        for (int a = 0; a < int(controls_[size_t(q)].size()); ++a) {
            if (controls_[size_t(q)][size_t(a)] == widget) {
                return {q, a};
            }
        }
    }
    return {};
}

void TPaprTestForma::BitBtn1Click() {
    leave();
}

bool TPaprTestForma::focusNextPrevChild(bool next) {
    // Tab and Shift+Tab follow the session's order: the answers, then the arrow.
    QWidget* focused = focusWidget();
    if (!isVisible() || (focused != BitBtn1 && slotOf(focused).isArrow())) {
        return ExerciseDialog::focusNextPrevChild(next);
    }
    session_.setFocus(slotOf(focused));
    session_.keyPress(next ? Qt::Key_Tab : Qt::Key_Backtab, Qt::NoModifier);
    widgetFor(session_.focus())->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool TPaprTestForma::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return ExerciseDialog::eventFilter(watched, event);
    }
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    const auto key = Qt::Key(keyEvent->key());
    if (key != Qt::Key_Up && key != Qt::Key_Down && key != Qt::Key_Left && key != Qt::Key_Right) {
        return false;
    }
    session_.setFocus(slotOf(static_cast<QWidget*>(watched)));
    if (!session_.keyPress(key, keyEvent->modifiers()).focusMoved) {
        return false;
    }
    widgetFor(session_.focus())->setFocus(Qt::TabFocusReason);
    return true;
}

void TPaprTestForma::keyPressEvent(QKeyEvent* event) {
    // Enter presses the arrow, the window's default action; a held key does not, so that
    // the key that closed one test cannot close the next. Space stays with the focused control,
    // which reports what it ticks.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        const simple_test::TestReaction reaction =
            session_.keyPress(Qt::Key(event->key()), event->modifiers());
        if (reaction.pressShownButton && BitBtn1->isVisible()) {
            BitBtn1->clickByKey(*event);
        }
        return;
    }
    ExerciseDialog::keyPressEvent(event);
}

std::optional<content::ExerciseResult> TPaprTestForma::result() const {
    return std::nullopt;
}

ReviewStep TPaprTestForma::Review(const content::ExerciseResult&) {
    return ReviewStep::Close;
}

}  // namespace lentora
