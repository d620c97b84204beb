// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up to the first painted main window: the course's main window with a menu of 3,000
// linked items against a bare Qt window with an empty menu bar, both inside one process
// (window creation to first paint) and as a fresh process (launch to first paint).
#include "app/LentoraWindowFactory.h"
#include "app/TPagrindineForma.h"
#include "content/CommandLine.h"
#include "content/DataPacket.h"
#include "content/Rows.h"
#include "content/Schema.h"
#include "platform/ProgramPaths.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <chrono>
#include <cstdio>

namespace {

using namespace lentora;

constexpr int kLinkedItems = 3000;

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

// 10 menus of 10 submenus of 30 linked items, and a menu table row for each.
void writeBigCourse(const QString& programDir) {
    QByteArray outline;
    content::TableData table = content::menuSchema().emptyTable();
    int id = 0;
    for (int menu = 1; menu <= 10; ++menu) {
        outline += "Meniu " + QByteArray::number(menu) + "\r\n";
        for (int sub = 1; sub <= 10; ++sub) {
            outline += "\tSkyrius " + QByteArray::number(sub) + "\r\n";
            for (int item = 1; item <= kLinkedItems / 100; ++item) {
                ++id;
                const QByteArray number = QByteArray::number(id).rightJustified(5, '0');
                outline += "\t\tTema " + number + " [" + number + "]\r\n";
                table.rows.push_back(content::MenuRow{
                    id, "Patarimas", true, true,
                    content::formatCommandLine(id, content::CommandKind::Theory) + "\r\n"}
                                         .values());
            }
        }
    }
    writeFile(programDir + "MENIU.MNU", outline);
    writeFile(programDir + content::menuSchema().file, content::writeDataPacket(table));
    table = content::movableWordsSchema().emptyTable();
    table.rows.emplace_back(table.fields.size());  // one row of nulls
    table.rows.back().front() = 1.0;
    table.rows.back().back() = 1.0;  // Tipas
    writeFile(programDir + content::movableWordsSchema().file, content::writeDataPacket(table));
    QImage background(600, 484, QImage::Format_RGB32);
    background.fill(Qt::darkCyan);
    QDir().mkpath(programDir + "Testai");
    if (!background.save(programDir + "Testai/Fonas1.bmp", "BMP")) {
        qFatal("cannot write the background");
    }
}

template <class MakeWindow>
void measureFirstPaint(benchmark::State& state, MakeWindow makeWindow) {
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto window = makeWindow();
        window->show();
        benchmark::DoNotOptimize(window->grab());
        const auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
        window.reset();
        QCoreApplication::processEvents();
    }
}

void BM_LentoraMainWindow3000Items(benchmark::State& state) {
    QTemporaryDir dir;
    const QString programDir = dir.path() + '/';
    writeBigCourse(programDir);
    // Without the background picture, to tell the menu's share from the picture's.
    if (state.range(0) == 0) {
        QFile::remove(programDir + "Testai/Fonas1.bmp");
    }
    setProgramPaths(ProgramPaths::forDirectory(programDir));
    measureFirstPaint(state, [] {
        auto window = std::make_unique<TPagrindineForma>(std::make_unique<LentoraWindowFactory>());
        if (window->menuLinks().size() != kLinkedItems) {
            qFatal("menu not built");
        }
        return window;
    });
}

void BM_BareQtWindow(benchmark::State& state) {
    measureFirstPaint(state, [] {
        auto window = std::make_unique<QMainWindow>();
        window->setMenuBar(new QMenuBar);
        window->setCentralWidget(new QWidget);
        window->centralWidget()->setFixedSize(600, 506);
        return window;
    });
}

// Start-up as the learner sees it: a fresh process from launch to its first painted window.
// The child is this program, run with "--startup-child main|bare <program dir>".
constexpr char kChildFlag[] = "--startup-child";

class FirstPaintSignal : public QObject {
    bool painting_ = false;

public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && !painting_) {
            painting_ = true;
            // Queued, so it runs once the whole window has painted and been flushed.
            QMetaObject::invokeMethod(
                this,
                [] {
                    std::fputs("painted\n", stdout);
                    std::fflush(stdout);
                    _exit(0);  // the parent measured what it needs; skip the teardown
                },
                Qt::QueuedConnection);
        }
        return false;
    }
};

int runStartupChild(int argc, char* argv[]) {
    const QByteArray kind = argv[2];
    const QString programDir = QString::fromLocal8Bit(argv[3]);
    QApplication application(argc, argv);
    FirstPaintSignal signal;
    application.installEventFilter(&signal);
    std::unique_ptr<QWidget> window;
    if (kind == "main") {
        setProgramPaths(ProgramPaths::forDirectory(programDir));
        window = std::make_unique<TPagrindineForma>(std::make_unique<LentoraWindowFactory>());
    } else {
        auto bare = std::make_unique<QMainWindow>();
        bare->setMenuBar(new QMenuBar);
        // The same window with one menu caption: the first text drawn loads the fonts.
        if (kind == "caption") {
            bare->menuBar()->addMenu(QStringLiteral("Programa"));
        }
        bare->setCentralWidget(new QWidget);
        bare->centralWidget()->setFixedSize(600, 506);
        window = std::move(bare);
    }
    window->show();
    QTimer::singleShot(10000, [] { _exit(1); });
    return application.exec();
}

void measureProcessStartup(benchmark::State& state, const char* kind) {
    QTemporaryDir dir;
    const QString programDir = dir.path() + '/';
    writeBigCourse(programDir);
    for (auto _ : state) {
        QProcess child;
        QElapsedTimer timer;
        timer.start();
        child.start(QCoreApplication::applicationFilePath(),
                    {kChildFlag, QString::fromLatin1(kind), programDir});
        if (!child.waitForReadyRead(10000) || !child.readAll().startsWith("painted")) {
            state.SkipWithError("the child did not paint");
            break;
        }
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        child.waitForFinished(10000);
    }
}

void BM_ProcessStartupBareQtWindow(benchmark::State& state) {
    measureProcessStartup(state, "bare");
}

void BM_ProcessStartupBareQtWindowWithCaption(benchmark::State& state) {
    measureProcessStartup(state, "caption");
}

void BM_ProcessStartupLentora3000Items(benchmark::State& state) {
    measureProcessStartup(state, "main");
}

BENCHMARK(BM_BareQtWindow)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LentoraMainWindow3000Items)
    ->ArgName("background")
    ->Arg(1)
    ->Arg(0)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProcessStartupBareQtWindow)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProcessStartupBareQtWindowWithCaption)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProcessStartupLentora3000Items)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (argc == 4 && qstrcmp(argv[1], kChildFlag) == 0) {
        return runStartupChild(argc, argv);
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
