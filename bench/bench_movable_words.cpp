// SPDX-License-Identifier: GPL-3.0-or-later
// The largest movable-words exercise (100 rows, 14 pt): laying out and painting one page, and
// opening the window from its table to the first paint.

#include "content/DataPacket.h"
#include "content/Schema.h"
#include "controls/TPictureButton.h"
#include "exercises/movable_words/MovableWordsView.h"
#include "exercises/movable_words/TMovableWordsForm.h"
#include "platform/FontTextMetrics.h"
#include "platform/Fonts.h"
#include "platform/ProgramPaths.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace lentora;

QByteArrayList sentences() {
    QByteArrayList lines;
    for (int i = 0; i < 100; ++i) {
        lines.append("Vakar mes su draugais ______ \xe1 kin\xe0 ir @\xfei\xfbr\xebjome film\xe0 " +
                     QByteArray::number(i) + ".");
    }
    return lines;
}

QByteArrayList words() {
    QByteArrayList list;
    for (int i = 0; i < 100; ++i) {
        list.append("\xebjome" + QByteArray::number(i));
    }
    return list;
}

void BM_LayOutAndPaintPage(benchmark::State& state) {
    const QFont font = makeFont(QString::fromLatin1(movable_words::kMovableWords.window.designFace),
                                movable_words::kMovableWords.window.defaultFontPoints);
    const QByteArrayList lines = sentences();
    const QByteArrayList list = words();
    std::vector<int> order(100);
    for (int i = 0; i < 100; ++i) {
        order[std::size_t(i)] = i;
    }
    const QSize client = movable_words::kMovableWords.clientSize({640, 480});
    MovableWordsView view;
    view.resize(client);
    QImage background(640, 480, QImage::Format_RGB32);
    background.fill(QColor(200, 230, 200));
    view.setBackground(background);
    QPixmap target(view.size());
    for (auto _ : state) {
        // A fresh session with its exercise font lays the page out, then it is painted.
        auto metrics = std::make_unique<FontTextMetrics>(font);
        const movable_words::PageGeometry geometry =
            movable_words::pageGeometryFor({640, 480}, 150, metrics->lineHeight());
        movable_words::MovableWordsSession session(movable_words::Variant::Gaps, lines, list, order,
                                                   geometry, client, std::move(metrics));
        view.setSession(&session, font, Qt::black);
        view.render(&target);
        benchmark::DoNotOptimize(session.pageLayout().rows.size());
    }
}
BENCHMARK(BM_LayOutAndPaintPage)->Unit(benchmark::kMicrosecond);

void BM_OpenWindowToFirstPaint(benchmark::State& state) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("Data"));
    QDir(dir.path()).mkpath(QStringLiteral("Testai/Nesioj/PIESIN"));
    content::TableData table = content::movableWordsSchema().emptyTable();
    table.rows.push_back({1.0, QByteArray("Veiksma\xfeod\xfeio laikai"), sentences().join("\r\n"),
                          words().join("\r\n"), 640.0, 480.0, 150.0, 1.0});
    QFile file(dir.filePath(content::movableWordsSchema().file));
    file.open(QIODevice::WriteOnly);
    file.write(content::writeDataPacket(table));
    file.close();
    QImage background(640, 480, QImage::Format_RGB32);
    background.fill(QColor(200, 230, 200));
    background.save(dir.filePath(QStringLiteral("Testai/Nesioj/PIESIN/fonas.bmp")), "BMP");
    setProgramPaths(ProgramPaths::forDirectory(dir.path()));

    for (auto _ : state) {
        TNesiotiForm form;
        std::int32_t score = 0, maxScore = 0;
        QTimer::singleShot(0, &form, [&form] {
            const QPixmap first = form.view()->grab();
            benchmark::DoNotOptimize(first.width());
            emit form.finishButton()->OnClick();
        });
        form.Execute(1, score, maxScore);
    }
}
BENCHMARK(BM_OpenWindowToFirstPaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return lentora::runBenchmarksWithApplication(argc, argv);
}
