// SPDX-License-Identifier: GPL-3.0-or-later
// A topic of a theory page and one exercise of each kind, each left with one mistake, is played
// from the menu, kept in a real store and reviewed from the grade window and from "Mano
// pažanga": each exercise in its own window, in order, with just that mistake marked.
#include "AppFixtures.h"
#include "app/LentoraWindowFactory.h"
#include "app/ProgressStorePlace.h"
#include "app/ProgressWindow.h"
#include "app/TIvertinimoForma.h"
#include "app/TPagrindineForma.h"
#include "content/MovableWordsRow.h"
#include "content/Rows.h"
#include "exercises/marked_words/MarkedWordsView.h"
#include "exercises/marked_words/TTestoSuIsbrPabrZodziaisForma.h"
#include "exercises/movable_words/MovableWordsView.h"
#include "exercises/movable_words/TMovableWordsForm.h"
#include "exercises/simple_test/SimpleTestDescription.h"
#include "exercises/simple_test/SimpleTestProgram.h"
#include "support/FakeServices.h"
#include "theory/TTeorijosForma.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lentora;
using namespace lentora::testing;
using movable_words::BoxRef;
using movable_words::Mark;

namespace {

QByteArray cp(const char* utf8) {
    return toCp1257(QString::fromUtf8(utf8));
}

constexpr const char* kTheory = "Teorijos langas";
constexpr const char* kSimple = "Paprastas pratimas";
constexpr const char* kMovable = "Kilnojamų žodžių pratimas";
constexpr const char* kMarked = "Pratimas su pabraukiamais/išbraukiamais žodžiais";

// The course: theory 1, test 1 (two radio questions), gap filling 3, sorting 4, marked text 5.
void writeCourse(simple_test_support::TestProgram& program) {
    const TempProgramDir& dir = program.dir;
    program.addTest(1, 500, 300, "Testas");
    program.addQuestion(1, 1, QRect(10, 10, 300, 70), "Kuris teisingas?",
                        simple_test_support::kRadio);
    program.addAnswer(1, 1, 1, "žąsis", true, {12, 25});
    program.addAnswer(1, 1, 2, "žasis", false, {12, 45});
    program.addQuestion(1, 2, QRect(10, 90, 300, 70), "O čia?", simple_test_support::kRadio);
    program.addAnswer(1, 2, 1, "ąžuolas", true, {12, 25});
    program.addAnswer(1, 2, 2, "ažuolas", false, {12, 45});
    program.write();

    writeShellCourse(dir,
                     {{1, commandLine(1, kTheory) + "\r\n" + commandLine(1, kSimple) + "\r\n" +
                              commandLine(3, kMovable) + "\r\n" + commandLine(4, kMovable) +
                              "\r\n" + commandLine(5, kMarked)}},
                     {}, "&Rašyba\r\n\t&Nosinės raidės [00001]\r\n");
    content::TableData theory = content::theorySchema().emptyTable();
    theory.rows.push_back(content::TheoryRow{1, cp("@Nosinės#\r\nTrumpas sakinys.")}.values());
    dir.writeFile(content::theorySchema().file, content::writeDataPacket(theory));
    dir.writeFile(QStringLiteral("Testai/Teorija/Piesin/knyga.bmp"),
                  bmpBytes({705, 505}, Qt::white));

    content::TableData movable = content::movableWordsSchema().emptyTable();
    movable.rows.push_back(content::MovableWordsRow{3,
                                                    cp("Įrašykite"),
                                                    {cp("Vakar ______."), cp("Rytoj ______.")},
                                                    {cp("lijo"), cp("snigs")},
                                                    620,
                                                    300,
                                                    150,
                                                    1}
                               .values());
    movable.rows.push_back(content::MovableWordsRow{4,
                                                    cp("Surūšiuokite"),
                                                    {"Vienas.", "Kitas.", "Trečias.", "Ketvirtas."},
                                                    {"A", "B", "@A", "@B"},
                                                    620,
                                                    300,
                                                    150,
                                                    2}
                               .values());
    dir.writeFile(content::movableWordsSchema().file, content::writeDataPacket(movable));
    dir.writeFile(QStringLiteral("Testai/Nesioj/PIESIN/pievos.bmp"), bmpBytes({80, 60}, Qt::green));

    content::TableData marked = content::markedWordsSchema().emptyTable();
    marked.rows.push_back({5.0, cp("Pratimas"), cp("Pabraukite daiktavardžius"),
                           cp("Vaikas @bėga, @namas."), QByteArray("Pabraukiami"), 300.0, 500.0});
    dir.writeFile(content::markedWordsSchema().file, content::writeDataPacket(marked));
    dir.writeFile(QStringLiteral("Testai/Isbrauk/Garsai/BRAUK/a.WAV"), "RIFF");
    for (int grade = 3; grade <= 10; ++grade) {
        dir.writeFile(QStringLiteral("Ivert/%1/a.bmp").arg(grade), bmpBytes({40, 40}, Qt::red));
    }
}

void drag(const TMovableWordsForm& form, BoxRef from, BoxRef to) {
    const QPoint start = form.session()->pageLayout().boxRect(from).value().center();
    const QPoint end = form.session()->pageLayout().boxRect(to).value().center();
    QTest::mousePress(form.view(), Qt::LeftButton, {}, start);
    QTest::mouseMove(form.view(), end);
    QTest::mouseRelease(form.view(), Qt::LeftButton, {}, end);
}

// The rows of a movable-words review marked wrong, each with its right word shown.
std::vector<int> wrongRows(const TMovableWordsForm& form) {
    std::vector<int> wrong;
    for (const movable_words::LaidOutRow& row : form.session()->pageLayout().rows) {
        EXPECT_EQ(row.rightWord.has_value(), row.mark == Mark::Wrong) << row.slot;
        EXPECT_NE(row.mark, Mark::None) << row.slot;
        if (row.mark == Mark::Wrong) {
            wrong.push_back(row.slot);
        }
    }
    return wrong;
}

// Plays every window that comes up as a learner with one mistake in each exercise, asks the
// grade window for the review and checks each review window; notes what it saw in order.
class Learner : public QObject {
public:
    Learner() {
        connect(&poll_, &QTimer::timeout, this, [this] { step(); });
        poll_.start(5);
    }
    QStringList seen;
    std::function<void(ProgressWindow&)> atProgress;

private:
    void step() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible() || modal == handled_) {
            return;
        }
        handled_ = modal;
        const auto* exercise = qobject_cast<ExerciseDialog*>(modal);
        const QString prefix = exercise && exercise->reviewing() ? QStringLiteral("review ") : "";
        if (auto* book = qobject_cast<TTeorijosForma*>(modal)) {
            seen.append("theory");
            book->Udaryti1Click();
        } else if (auto* form = qobject_cast<TPaprTestForma*>(modal)) {
            seen.append(prefix + "simple test");
            prefix.isEmpty() ? play(*form) : check(*form);
        } else if (auto* form = qobject_cast<TMovableWordsForm*>(modal)) {
            const bool sorting = qobject_cast<TNesMazForm*>(form) != nullptr;
            seen.append(prefix + (sorting ? "sorting" : "gap filling"));
            if (prefix.isEmpty()) {
                play(*form, sorting);
            } else {
                EXPECT_EQ(wrongRows(*form), std::vector<int>{sorting ? 3 : 1});
                EXPECT_EQ(form->view()->summary(), sorting ? QString::fromUtf8("3 iš 4 taškų")
                                                           : QString::fromUtf8("1 iš 2 taškų"));
                QTest::keyClick(form->view(), Qt::Key_PageDown);
            }
        } else if (auto* form = qobject_cast<TTestoSuIsbrPabrZodziaisForma*>(modal)) {
            seen.append(prefix + "marked words");
            prefix.isEmpty() ? play(*form) : check(*form);
        } else if (auto* grade = qobject_cast<TIvertinimoForma*>(modal)) {
            seen.append("grade");
            EXPECT_EQ(grade->toolTip(), QString::fromUtf8("6 iš 10 taškų. R – peržiūrėti klaidas"));
            QTest::keyClick(grade, Qt::Key_R);
        } else if (auto* progress = qobject_cast<ProgressWindow*>(modal)) {
            seen.append("progress");
            // Out of this slot, so the poll goes on while the review runs.
            QTimer::singleShot(0, progress, [this, progress] {
                atProgress(*progress);
                progress->accept();
            });
        } else {
            ADD_FAILURE() << "unexpected window " << modal->metaObject()->className();
            modal->close();
        }
    }

    static QAbstractButton* control(const TPaprTestForma& form, int question, const char* text) {
        for (int a = 0; QAbstractButton* button = form.answerControl(question, a); ++a) {
            if (button->text() == QString::fromUtf8(text)) {
                return button;
            }
        }
        ADD_FAILURE() << text;
        return nullptr;
    }
    static void play(TPaprTestForma& form) {
        control(form, 0, "žąsis")->click();
        control(form, 1, "ažuolas")->click();  // the mistake
        simple_test_support::pressArrow(form.button());
    }
    static void check(TPaprTestForma& form) {
        const QColor red(QRgb(simple_test::kSimpleTest.reviewWrongColor));
        const QColor green(QRgb(simple_test::kSimpleTest.reviewRightColor));
        EXPECT_EQ(form.summary()->text(), QString::fromUtf8("1 iš 2 taškų"));
        EXPECT_EQ(control(form, 0, "žąsis")->palette().color(QPalette::WindowText), green);
        EXPECT_EQ(control(form, 1, "ažuolas")->palette().color(QPalette::WindowText), red);
        // Only the right answer missed is outlined.
        for (int q = 0; q < 2; ++q) {
            for (int a = 0; a < 2; ++a) {
                const bool missed =
                    form.answerControl(q, a)->text() == QString::fromUtf8("ąžuolas");
                EXPECT_EQ(form.answerOutline(q, a) != nullptr, missed) << q << "/" << a;
            }
        }
        QTest::keyClick(form.focusWidget(), Qt::Key_PageDown);
    }

    static void play(TMovableWordsForm& form, bool sorting) {
        const movable_words::Exercise& exercise = form.session()->exercise();
        if (sorting) {
            const int a = int(exercise.categories().indexOf("A"));
            const int b = int(exercise.categories().indexOf("B"));
            for (const auto& [category, row] :
                 std::vector<std::pair<int, int>>{{a, 0}, {b, 1}, {a, 2}, {a, 3}}) {  // 3 wrong
                drag(form, {BoxRef::Pool, category}, {BoxRef::Gap, row});
            }
        } else {
            for (int slot = 0; slot < 2; ++slot) {
                if (exercise.wordSlots()[std::size_t(slot)].poolWord == "lijo") {
                    drag(form, {BoxRef::Pool, slot}, {BoxRef::Gap, 0});  // gap 1 stays empty
                }
            }
        }
        emit form.finishButton()->OnClick();
    }

    // Tokens: Vaikas(0) " "(1) bėga(2) ","(3) " "(4) namas(5) "."(6). Marked by keys, as the
    // pointer of an offscreen test reaches the window below.
    static void play(TTestoSuIsbrPabrZodziaisForma& form) {
        QSet<int> seen;
        while (const std::optional<int> focused = form.session()->focused()) {
            if (seen.contains(*focused)) {
                break;
            }
            seen.insert(*focused);
            if (*focused == 0 || *focused == 2 || *focused == 5) {  // Vaikas is no target
                QTest::keyClick(form.textArea(), Qt::Key_Space);
            }
            QTest::keyClick(form.textArea(), Qt::Key_Tab);
        }
        emit form.finishButton()->OnClick();
    }
    static void check(TTestoSuIsbrPabrZodziaisForma& form) {
        EXPECT_EQ(form.summary()->text(),
                  QString::fromUtf8("1 iš 2 taškų (už klaidingas žymes atimta taškų: 1)"));
        const QColor red(192, 0, 0);
        const QColor green(0, 100, 0);
        for (int i = 0; i < int(form.tokens().size()); ++i) {
            const marked_words::MarkedWordsView::TokenLook look = form.textArea()->lookOf(i);
            if (i == 0 || i == 2 || i == 5) {
                EXPECT_EQ(look.text, i == 0 ? red : green) << i;
            }
            EXPECT_FALSE(look.outlined) << i;
        }
        QTest::keyClick(form.textArea(), Qt::Key_PageDown);
    }

    QTimer poll_;
    QPointer<QWidget> handled_;
};

QAction* findAction(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

}  // namespace

TEST(ReviewOfMistakes, ATopicPlayedWithAMistakeOfEachKindIsKeptAndReviewedFromGradeAndProgress) {
    ScopedFakeServices fakes;
    ShortDoubleClickInterval shortInterval;
    simple_test_support::TestProgram program;
    writeCourse(program);
    QTemporaryDir data;
    TPagrindineForma window(std::make_unique<LentoraWindowFactory>());
    const QString database = data.filePath(QStringLiteral("progress.sqlite"));
    window.setProgressStoreMaker([database](progress::ProgressReport report) {
        return openProgressStore(database, report);
    });
    window.show();
    window.openProgress();

    Learner learner;
    const QString path = QString::fromUtf8("Rašyba > Nosinės raidės");
    const QString csvPath = data.filePath(QStringLiteral("bandymai.csv"));
    learner.atProgress = [&](ProgressWindow& progressWindow) {
        const QAbstractItemModel* topics = progressWindow.topicsView()->model();
        EXPECT_EQ(topics->rowCount(), 1);
        EXPECT_EQ(topics->index(0, 0).data().toString(), path);
        EXPECT_EQ(topics->index(0, 2).data().toString(), QStringLiteral("6"));
        progressWindow.setExportPathChooser([&] { return csvPath; });
        progressWindow.exportAttempts();
        QTableView* attempts = progressWindow.attemptsView();
        const QRect row = attempts->visualRect(attempts->model()->index(0, 1));
        QTest::mouseClick(attempts->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(attempts->viewport(), Qt::LeftButton, {}, row.center());
    };

    QMenu* spelling = window.menuBar()->actions()[0]->menu();
    emit spelling->aboutToShow();
    spelling->actions()[0]->trigger();
    const QStringList reviewed{"review simple test", "review gap filling", "review sorting",
                               "review marked words"};
    EXPECT_EQ(learner.seen, QStringList({"theory", "simple test", "gap filling", "sorting",
                                         "marked words", "grade"}) +
                                reviewed);

    // Kept with one wrong item in each exercise, each item's texts as shown.
    const std::vector<progress::AttemptSummary> attempts = window.progress().attempts();
    ASSERT_EQ(attempts.size(), 1u);
    EXPECT_EQ(attempts[0].menuPath, path);
    EXPECT_EQ(attempts[0].grade, 6);
    const std::optional<progress::Attempt> attempt =
        window.progress().store()->attempt(attempts[0].id);
    ASSERT_TRUE(attempt);
    ASSERT_EQ(attempt->exercises.size(), 4u);
    for (const content::ExerciseResult& done : attempt->exercises) {
        EXPECT_EQ(std::count_if(done.items.begin(), done.items.end(),
                                [](const content::ItemResult& item) { return !item.correct; }),
                  1)
            << content::exerciseKindName(done.kind).toStdString();
    }
    EXPECT_EQ(attempt->exercises[0].items[1].given, QString::fromUtf8("ažuolas"));
    EXPECT_EQ(attempt->exercises[0].items[1].right, QString::fromUtf8("ąžuolas"));

    learner.seen.clear();
    QAction* progressItem = findAction(window.programMenu(), QString::fromUtf8("Mano pažanga"));
    ASSERT_NE(progressItem, nullptr);
    progressItem->trigger();
    EXPECT_EQ(learner.seen, QStringList{"progress"} + reviewed);
    QFile csv(csvPath);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);  // the header and the one attempt
    EXPECT_TRUE(lines[1].contains(path.toUtf8()));
    EXPECT_TRUE(fakes.messages.errors.isEmpty()) << fakes.messages.errors.join('\n').toStdString();
    EXPECT_TRUE(fakes.messages.messages.empty());
}
