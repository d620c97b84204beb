// SPDX-License-Identifier: GPL-3.0-or-later
// The marked-words exercise: laying out one page of a 6000-byte text,
// opening the window, and repainting one marked word.

#include "exercises/marked_words/MarkedWordsDescription.h"
#include "exercises/marked_words/MarkedWordsLogic.h"
#include "exercises/marked_words/MarkedWordsSession.h"
#include "exercises/marked_words/MarkedWordsView.h"
#include "platform/FontTextMetrics.h"
#include "platform/Fonts.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QPixmap>

#include "BenchMain.h"

#include <benchmark/benchmark.h>

namespace {

using namespace lentora;
using namespace lentora::marked_words;

QByteArray exerciseText() {
    const QByteArray line =
        "Mama padovanojo @dukrai nauj\xe0 suknel\xe6, o senelis "
        "papasakojo @an\xfbkams pasak\xe0.\r\n";
    QByteArray text;
    while (text.size() < kMaxTextBytes) {
        text += line;
    }
    return text.left(kMaxTextBytes);
}

QFont exerciseFont() {
    return makeFont(QString::fromLatin1(kMarkedWords.window.designFace),
                    kMarkedWords.window.defaultFontPoints);
}

// A window of the size a typical row gives, and its text area.
constexpr QSize kOuter(560, 380);

QRect textArea() {
    return kMarkedWords.textArea(kOuter,
                                 kMarkedWords.headingHeight(QFontMetrics(exerciseFont()).height()));
}

void BM_LayOutPage(benchmark::State& state) {
    Tokens tokens = tokenize(exerciseText());
    const QFont font = exerciseFont();
    const QRect area = textArea();
    for (auto _ : state) {
        FontTextMetrics metrics(font);
        benchmark::DoNotOptimize(
            layoutPage(tokens, 0, area.width(), area.height(), kOuter.height(), metrics, false));
    }
}
BENCHMARK(BM_LayOutPage)->Unit(benchmark::kMicrosecond);

// Tokenizing, laying out and painting the first page in a fresh text area.
void BM_OpenPage(benchmark::State& state) {
    const QByteArray text = exerciseText();
    for (auto _ : state) {
        MarkedWordsSession session(text, false, kOuter.height());
        QDialog window;
        window.resize(kOuter);
        MarkedWordsView view(&window);
        view.setFont(exerciseFont());
        view.setGeometry(textArea());
        view.setSession(&session);
        QPixmap target(window.size());
        window.render(&target);
        benchmark::DoNotOptimize(target);
    }
}
BENCHMARK(BM_OpenPage)->Unit(benchmark::kMillisecond);

// A mark click repaints only the word's rectangle.
void BM_RepaintMarkedWord(benchmark::State& state) {
    MarkedWordsSession session(exerciseText(), false, kOuter.height());
    MarkedWordsView view;
    view.setFont(exerciseFont());
    view.resize(textArea().size());
    view.setSession(&session);
    QPixmap target(view.size());
    const QRect word = session.tokens()[2].rect();
    for (auto _ : state) {
        session.toggle(2);
        view.render(&target, word.topLeft(), QRegion(word));
    }
}
BENCHMARK(BM_RepaintMarkedWord)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return lentora::runBenchmarksWithApplication(argc, argv);
}
