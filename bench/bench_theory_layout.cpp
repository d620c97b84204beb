// SPDX-License-Identifier: GPL-3.0-or-later
// Lays out one spread of the theory book, as every turn of the book does, with the real
// theory font.

#include "platform/FontTextMetrics.h"
#include "platform/Fonts.h"
#include "theory/PageLayout.h"
#include "theory/TheoryBookDescription.h"
#include "theory/TheoryText.h"

#include <QApplication>

#include "BenchMain.h"

#include <benchmark/benchmark.h>

namespace {

using namespace lentora;

// A 6000-byte theory text with titles, bold runs and Lithuanian letters (code page 1257).
QByteArray theoryText() {
    QByteArray text = "@Daiktavard\xfeio linksniai#\r\n";
    const QByteArray paragraph =
        "@Kilmininkas# atsako \xe1 klausim\xe0 @ko?#. Jis rodo priklausym\xe0, kiek\xe1 ir "
        "dal\xe1: @brolio# knyga, stiklin\xeb @pieno#, daug @\xfemoni\xf8#. Kilmininko "
        "reikalauja daugelis veiksma\xfeod\xfei\xf8: laukti @draugo#, ie\xf0koti @kelio#.\r\n";
    while (text.size() < theory::kShownTextBytes) {
        text += paragraph;
    }
    return text.left(theory::kShownTextBytes);
}

void BM_LayOutSpread(benchmark::State& state) {
    const QByteArrayList tokens = theory::bookTokens(theoryText());
    using theory::kTheoryBook;
    const QFont font = makeFont(QString::fromLatin1(kTheoryBook.window.designFace),
                                kTheoryBook.window.defaultFontPoints);
    const QSize leftPage = kTheoryBook.leftPage.size();
    const QSize rightPage = kTheoryBook.rightPage.size();
    int start = 0;
    for (auto _ : state) {
        // Fresh metrics each spread: the worst case, a font just changed.
        FontTextMetrics leftMetrics(font);
        const theory::PageLayout left =
            theory::layoutPage(tokens, start, leftPage.width(), leftPage.height(), leftMetrics);
        FontTextMetrics rightMetrics(font);
        const theory::PageLayout right = theory::layoutPage(
            tokens, left.endIndex, rightPage.width(), rightPage.height(), rightMetrics);
        benchmark::DoNotOptimize(right.endIndex);
        // Walk through the text spread by spread, starting over at its end.
        start = right.endIndex + 1 < tokens.size() ? right.endIndex : 0;
    }
}
BENCHMARK(BM_LayOutSpread)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return lentora::runBenchmarksWithApplication(argc, argv);
}
