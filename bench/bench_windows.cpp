// SPDX-License-Identifier: GPL-3.0-or-later
// Each window from its constructor (its table and picture loads included) to the end of its
// first paint, on the built sample course, beside a bare QDialog measured the same way. A
// window that takes more than one frame (16 ms) shows the learner an empty rectangle first.
#include "app/Grade.h"
#include "app/LentoraWindowFactory.h"
#include "app/TApie.h"
#include "app/TIvertinimoForma.h"
#include "app/TPagrindineForma.h"
#include "app/TProgNustForm.h"
#include "content/ContentTable.h"
#include "content/MarkedWordsRow.h"
#include "content/MovableWordsRow.h"
#include "content/Schema.h"
#include "controls/TPictureButton.h"
#include "exercises/marked_words/TTestoSuIsbrPabrZodziaisForma.h"
#include "exercises/movable_words/TMovableWordsForm.h"
#include "exercises/simple_test/TPaprTestForma.h"
#include "platform/ProgramPaths.h"
#include "theory/TTeorijosForma.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QMap>
#include <QTimer>

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

namespace {

using namespace lentora;
using Clock = std::chrono::steady_clock;

// Ends the modal loop right after the first paint of a dialog: the queued call runs once the
// whole window has painted and been flushed.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(std::function<void(QDialog*)> close) : close_(std::move(close)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || painted_ || !watched->isWidgetType()) {
            return false;
        }
        auto* dialog = qobject_cast<QDialog*>(static_cast<QWidget*>(watched)->window());
        if (dialog == nullptr) {
            return false;
        }
        painted_ = true;
        QMetaObject::invokeMethod(
            this,
            [this, dialog] {
                stop_ = Clock::now();
                close_(dialog);
            },
            Qt::QueuedConnection);
        return false;
    }

    Clock::time_point stop() const { return stop_; }

private:
    std::function<void(QDialog*)> close_;
    bool painted_ = false;
    Clock::time_point stop_;
};

void closeDialog(QDialog* dialog) {
    dialog->done(QDialog::Rejected);
}

// `open` constructs the window and runs its modal loop.
void measureOpening(benchmark::State& state, const std::function<void()>& open,
                    std::function<void(QDialog*)> close = closeDialog) {
    setProgramPaths(ProgramPaths::forDirectory(QStringLiteral(LENTORA_BENCH_PROGRAM_DIR "/")));
    for (auto _ : state) {
        FirstPaint watcher(close);
        qApp->installEventFilter(&watcher);
        const Clock::time_point start = Clock::now();
        open();
        qApp->removeEventFilter(&watcher);
        state.SetIterationTime(std::chrono::duration<double>(watcher.stop() - start).count());
        QCoreApplication::processEvents();
    }
}

// The theory record with the longest text; the simple test with the most answers.
int longestTheory() {
    content::ContentTable table;
    table.load(joinPath(programPaths().programDir, QStringLiteral("Data/Teorija.cds")));
    int best = 0;
    qsizetype longest = -1;
    for (table.first(); !table.eof(); table.next()) {
        if (table.asText("Teorija").size() > longest) {
            longest = table.asText("Teorija").size();
            best = table.asInt("Id");
        }
    }
    return best;
}

int largestSimpleTest() {
    content::ContentTable answers;
    answers.load(joinPath(programPaths().programDir, QStringLiteral("Data/PaprAtsa.cds")));
    QMap<int, int> counts;
    for (answers.first(); !answers.eof(); answers.next()) {
        ++counts[answers.asInt("TestoID")];
    }
    int best = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (best == 0 || it.value() > counts.value(best)) {
            best = it.key();
        }
    }
    return best;
}

// The movable-words record of a Tipas with the most rows.
int largestMovableWords(int type) {
    content::ContentTable table;
    table.load(joinPath(programPaths().programDir, content::movableWordsSchema().file));
    std::vector<int> ids;
    for (table.first(); !table.eof(); table.next()) {
        ids.push_back(table.asInt(content::MovableWordsFields::id));
    }
    int best = 0;
    qsizetype most = -1;
    for (const int id : ids) {
        const std::optional<content::MovableWordsRow> row = content::readMovableWordsRow(table, id);
        if (row && row->type == type && row->sentences.size() > most) {
            most = row->sentences.size();
            best = id;
        }
    }
    return best;
}

// The marked-words record with the longest text (records are numbered below 1000).
int longestMarkedWords() {
    content::ContentTable table;
    table.load(joinPath(programPaths().programDir, content::markedWordsSchema().file));
    int best = 0;
    qsizetype longest = -1;
    for (int id = 1; id < 1000; ++id) {
        const std::optional<content::MarkedWordsRow> row = content::readMarkedWordsRow(table, id);
        if (row && row->text.size() > longest) {
            longest = row->text.size();
            best = id;
        }
    }
    return best;
}

// The main window is no dialog: shown, it paints in the event loop, which ends after the paint.
class MainWindowPaint : public QObject {
public:
    explicit MainWindowPaint(QEventLoop& loop) : loop_(loop) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted_ && watched->isWidgetType() &&
            qobject_cast<TPagrindineForma*>(static_cast<QWidget*>(watched)->window())) {
            painted_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    stop_ = Clock::now();
                    loop_.quit();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

    Clock::time_point stop() const { return stop_; }

private:
    QEventLoop& loop_;
    bool painted_ = false;
    Clock::time_point stop_;
};

void BM_MainWindow(benchmark::State& state) {
    setProgramPaths(ProgramPaths::forDirectory(QStringLiteral(LENTORA_BENCH_PROGRAM_DIR "/")));
    for (auto _ : state) {
        QEventLoop loop;
        MainWindowPaint watcher(loop);
        qApp->installEventFilter(&watcher);
        const Clock::time_point start = Clock::now();
        {
            TPagrindineForma window(std::make_unique<LentoraWindowFactory>());
            window.show();
            loop.exec();
        }
        qApp->removeEventFilter(&watcher);
        state.SetIterationTime(std::chrono::duration<double>(watcher.stop() - start).count());
        QCoreApplication::processEvents();
    }
}

void BM_BareDialog(benchmark::State& state) {
    measureOpening(state, [] {
        QDialog dialog;
        dialog.resize(600, 500);
        dialog.exec();
    });
}

void BM_TheoryBookLongestText(benchmark::State& state) {
    setProgramPaths(ProgramPaths::forDirectory(QStringLiteral(LENTORA_BENCH_PROGRAM_DIR "/")));
    const int record = longestTheory();
    measureOpening(state, [record] {
        TTeorijosForma book;
        book.Execute(std::uint16_t(record));
    });
}

void BM_SimpleTestLargest(benchmark::State& state) {
    setProgramPaths(ProgramPaths::forDirectory(QStringLiteral(LENTORA_BENCH_PROGRAM_DIR "/")));
    const int record = largestSimpleTest();
    measureOpening(
        state,
        [record] {
            TPaprTestForma test;
            std::int32_t score = 0;
            std::int32_t maxScore = 0;
            test.Execute(std::uint16_t(record), score, maxScore);
        },
        // The arrow is the test's only way out.
        [](QDialog* dialog) { emit static_cast<TPaprTestForma*>(dialog)->button()->OnClick(); });
}

template <class Form>
void measureMovableWords(benchmark::State& state, int type) {
    setProgramPaths(ProgramPaths::forDirectory(QStringLiteral(LENTORA_BENCH_PROGRAM_DIR "/")));
    const int record = largestMovableWords(type);
    measureOpening(
        state,
        [record] {
            Form form;
            std::int32_t score = 0;
            std::int32_t maxScore = 0;
            form.Execute(record, score, maxScore);
        },
        [](QDialog* dialog) { emit static_cast<Form*>(dialog)->finishButton()->OnClick(); });
}

void BM_GapFillingLargest(benchmark::State& state) {
    measureMovableWords<TNesiotiForm>(state, 1);
}

void BM_SortingLargest(benchmark::State& state) {
    measureMovableWords<TNesMazForm>(state, 2);
}

void BM_MarkedWordsLongest(benchmark::State& state) {
    setProgramPaths(ProgramPaths::forDirectory(QStringLiteral(LENTORA_BENCH_PROGRAM_DIR "/")));
    const int record = longestMarkedWords();
    measureOpening(
        state,
        [record] {
            TTestoSuIsbrPabrZodziaisForma form;
            std::int32_t score = 0;
            std::int32_t maxScore = 0;
            form.Execute(record, score, maxScore);
        },
        [](QDialog* dialog) {
            emit static_cast<TTestoSuIsbrPabrZodziaisForma*>(dialog)->finishButton()->OnClick();
        });
}

void BM_GradeWindow(benchmark::State& state) {
    measureOpening(state, [] {
        const QString picture = pickGradePicture(programPaths().ivertDir, 10);
        TIvertinimoForma window;
        window.ShowGradeWindow(picture, gradeCaption(10), 10);
    });
}

void BM_AboutWindow(benchmark::State& state) {
    measureOpening(state, [] {
        TApie about;
        about.ShowAbout();
    });
}

void BM_SettingsDialog(benchmark::State& state) {
    measureOpening(state, [] {
        TProgNustForm dialog;
        dialog.exec();
    });
}

}  // namespace

BENCHMARK(BM_BareDialog)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MainWindow)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TheoryBookLongestText)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimpleTestLargest)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GapFillingLargest)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortingLargest)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarkedWordsLongest)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GradeWindow)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AboutWindow)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SettingsDialog)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return lentora::runBenchmarksWithApplication(argc, argv);
}
