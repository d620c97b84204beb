// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercises/simple_test/TPaprTestForma.h"

#include "content/ContentTable.h"
#include "content/Rows.h"
#include "content/Schema.h"
#include "controls/TPictureButton.h"
#include "controls/WindowPictures.h"
#include "exercises/simple_test/SimpleTestDescription.h"
#include "exercises/simple_test/SimpleTestResult.h"
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
#include <QFontMetrics>
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

// Where a review writes a question's points inside its box: at the right of the question's
// line when they clear its text; a long question would be written over, so then in the box's
// bottom right corner, if that clears every answer's text.
QPoint pointsPlace(const QLabel& question, const std::vector<QAbstractButton*>& answers,
                   QSize points) {
    const QWidget& box = *question.parentWidget();
    const QPoint margin = kSimpleTest.questionPlace;
    const int x = std::max(0, box.width() - points.width() - margin.x());
    const QPoint onQuestionLine(x, margin.y());
    constexpr int kGap = 4;
    if (question.geometry().right() + kGap < x) {
        return onQuestionLine;
    }
    const QRect corner(QPoint(x, std::max(0, box.height() - points.height() - margin.y())), points);
    if (corner.intersects(question.geometry())) {
        return onQuestionLine;
    }
    for (const QAbstractButton* answer : answers) {
        if (corner.intersects(
                QRect(answer->pos(), QSize(answer->sizeHint().width(), answer->height())))) {
            return onQuestionLine;
        }
    }
    return corner.topLeft();
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

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("Summary"));
    summary_->setTextFormat(Qt::PlainText);
    summary_->setAlignment(Qt::AlignCenter);
    summary_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    summary_->hide();
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

    const content::TestWindowRow test = content::TestWindowRow::read(TestLangTable);
    session_.open(test, readQuestions());
    shownRecord_ = recordNumber;
    setReviewing(false);
    showSession();

    const simple_test::Points points = session_.points();
    score += points.score;
    maxScore += points.maxScore;
    return true;
}

std::optional<content::ExerciseResult> TPaprTestForma::result() const {
    if (!shownRecord_) {
        return std::nullopt;
    }
    return simple_test::exerciseResult(session_, *shownRecord_);
}

ReviewStep TPaprTestForma::Review(const content::ExerciseResult& result) {
    std::optional<simple_test::SimpleTestSession> shown = simple_test::restoreSession(result);
    if (!shown) {
        // Nothing to show: the review goes on without it.
        return ReviewStep::Next;
    }
    session_ = std::move(*shown);
    shownRecord_ = result.record;
    // The background may be gone since; the answers still show without it.
    try {
        Fonas->setPixmap(loadPixmap(joinPath(programPaths().paprDir, QStringLiteral("FONAS.BMP"))));
    } catch (const Error&) {
        Fonas->clear();
    }
    Fonas->adjustSize();
    setReviewing(true);
    summaryText_ = content::reviewSummary(result.points, simple_test::wrongTicks(session_));
    showSession();
    setReviewing(false);
    return reviewStep();
}

void TPaprTestForma::showSession() {
    // An empty name keeps the design face; the style always stays normal.
    const WindowDescription& window = kSimpleTest.window;
    const ExerciseFont exerciseFont =
        readExerciseFont(programSettings(), window.settingsSection, window.defaultFontPoints,
                         QString::fromLatin1(window.designFace));

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

    // A review's summary strip goes above the content, which keeps its size and places.
    int strip = 0;
    if (reviewing()) {
        strip = QFontMetrics(exerciseFont.font).height() + 2 * kSimpleTest.reviewStripMargin;
        setFixedSize(width(), height() + strip);
        Client->move(0, strip);
        summary_->setGeometry(0, 0, width(), strip);
        summary_->setText(summaryText_);
    }
    summary_->setVisible(reviewing());

    setWindowTitle(session_.caption());
    const QPoint place = kSimpleTest.arrowPlace(outer);
    // The arrow keeps its margins from the bottom-right corner in sight.
    BitBtn1->move(std::max(0, place.x() - (client.width() - inSight.width())),
                  strip + std::max(0, place.y() - (client.height() - inSight.height())));

    buildQuestions();
    // The arrow is the only way out, so nothing may cover it.
    BitBtn1->raise();
    // The window opens with the first answer focused, not the arrow; Tab reaches the arrow last.
    // A review's answers take no focus: the window's keys are all it has.
    if (reviewing()) {
        BitBtn1->setFocus();
    } else if (!session_.focus().isArrow()) {
        widgetFor(session_.focus())->setFocus();
    }

    centreOnScreen(this);
    exec();
}

void TPaprTestForma::buildQuestions() {
    for (QFrame* panel : panels_) {
        delete panel;
    }
    panels_.clear();
    controls_.clear();
    outlines_.clear();
    pointsLabels_.clear();
    const bool review = reviewing();
    const std::vector<simple_test::QuestionItem>& questions = session_.questions();
    for (int q = 0; q < int(questions.size()); ++q) {
        const simple_test::QuestionItem& question = questions[size_t(q)];
        auto* panel = new QFrame(Client->content());
        panels_.push_back(panel);
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
        // A review shows the ticks as they were left, whatever they were.
        group->setExclusive(question.radio && !review);
        std::vector<QAbstractButton*>& controls = controls_.emplace_back();
        std::vector<QFrame*>& outlines = outlines_.emplace_back();
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
            controls.push_back(control);
            outlines.push_back(nullptr);
            if (review) {
                showReviewed(*control, answer, outlines.back());
                continue;
            }
            // The control ticks itself, by pointer or key; the session follows.
            connect(control, &QAbstractButton::toggled, this,
                    [this, q, a](bool ticked) { session_.setTicked(q, a, ticked); });
        }
        if (review) {
            auto* points = new QLabel(panel);
            points->setTextFormat(Qt::PlainText);
            points->setText(content::pointsText(session_.pointsOf(q)));
            points->adjustSize();
            points->move(pointsPlace(*label, controls, points->size()));
            pointsLabels_.push_back(points);
        }
        panel->show();
    }
}

void TPaprTestForma::showReviewed(QAbstractButton& control, const simple_test::AnswerItem& answer,
                                  QFrame*& outline) {
    // Shown, never changed: neither the pointer nor the keys reach it.
    control.setChecked(answer.ticked);
    control.setFocusPolicy(Qt::NoFocus);
    control.setAttribute(Qt::WA_TransparentForMouseEvents);
    control.installEventFilter(this);  // what still reaches it: a press sent to it, a mnemonic
    const simple_test::AnswerMark mark = simple_test::answerMark(answer);
    if (mark == simple_test::AnswerMark::TickedRight ||
        mark == simple_test::AnswerMark::TickedWrong) {
        QPalette colours = control.palette();
        colours.setColor(QPalette::WindowText,
                         QColor(QRgb(mark == simple_test::AnswerMark::TickedRight
                                         ? kSimpleTest.reviewRightColor
                                         : kSimpleTest.reviewWrongColor)));
        control.setPalette(colours);
    } else if (mark == simple_test::AnswerMark::MissedRight) {
        outline = new QFrame(control.parentWidget());
        outline->setFrameStyle(QFrame::Box | QFrame::Plain);
        outline->setLineWidth(1);
        QPalette colours = outline->palette();
        colours.setColor(QPalette::WindowText, QColor(QRgb(kSimpleTest.reviewWrongColor)));
        outline->setPalette(colours);
        outline->setAttribute(Qt::WA_TransparentForMouseEvents);
        outline->setGeometry(control.geometry());
        outline->raise();
    }
}

QAbstractButton* TPaprTestForma::answerControl(int question, int answer) const {
    if (question < 0 || question >= int(controls_.size()) || answer < 0 ||
        answer >= int(controls_[size_t(question)].size())) {
        return nullptr;
    }
    return controls_[size_t(question)][size_t(answer)];
}

QFrame* TPaprTestForma::answerOutline(int question, int answer) const {
    return answerControl(question, answer) == nullptr ? nullptr
                                                      : outlines_[size_t(question)][size_t(answer)];
}

QLabel* TPaprTestForma::questionPoints(int question) const {
    return question >= 0 && question < int(pointsLabels_.size()) ? pointsLabels_[size_t(question)]
                                                                 : nullptr;
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
    if (reviewing()) {
        leaveReview(ReviewStep::Next);
    } else {
        leave();
    }
}

bool TPaprTestForma::focusNextPrevChild(bool next) {
    // Tab and Shift+Tab follow the session's order: the answers, then the arrow.
    QWidget* focused = focusWidget();
    if (reviewing()) {
        return true;  // the arrow is the review's only stop
    }
    if (!isVisible() || (focused != BitBtn1 && slotOf(focused).isArrow())) {
        return ExerciseDialog::focusNextPrevChild(next);
    }
    session_.setFocus(slotOf(focused));
    session_.keyPress(next ? Qt::Key_Tab : Qt::Key_Backtab, Qt::NoModifier);
    widgetFor(session_.focus())->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool TPaprTestForma::eventFilter(QObject* watched, QEvent* event) {
    if (reviewing() && qobject_cast<QAbstractButton*>(watched) != nullptr) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::Shortcut:
                return true;
            default:
                return ExerciseDialog::eventFilter(watched, event);
        }
    }
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
    // A review has one page: the page keys go on to the next exercise or back to the one before.
    if (reviewing() && (event->key() == Qt::Key_PageDown || event->key() == Qt::Key_PageUp)) {
        if (!event->isAutoRepeat()) {
            leaveReview(event->key() == Qt::Key_PageDown ? ReviewStep::Next : ReviewStep::Previous);
        }
        return;
    }
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

}  // namespace lentora
