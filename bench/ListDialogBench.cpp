// "Liste umrechnen" against its targets, on the offscreen platform:
//   dialogConversion  100,000 rows from the click on "Umrechnen" to the
//                     summary, with the table written to its file (< 2 s);
//   preview60MB       a 60 MB table from the dialog's construction to its
//                     preview and guesses (< 1 s);
//   refusal60MBLine   a 60 MB file of one line, refused before the dialog
//                     opens;
//   wholeRun60MB      the 60 MB table from construction to the summary; its
//                     counters give the longest stall of the event loop
//                     (stall_ms, target < 200) and the peak resident memory
//                     over the file's size (memory_per_file_size, < 3).
// Run by hand: QT_QPA_PLATFORM=offscreen build/…/bench/list_dialog_bench

#include "ListConversionDialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <random>

namespace {

using namespace zelv;

QTemporaryDir& directory()
{
    static QTemporaryDir folder;
    return folder;
}

// "Nr;Ort;Koordinaten" rows inside UTM zone 32, with a fixed seed, until the file has `bytes`.
QString table(const QString& name, int rows, qint64 bytes = 0)
{
    const QString input = directory().filePath(name);
    if (QFile::exists(input))
        return input;
    std::mt19937 random(1);
    std::uniform_real_distribution<double> latitude(47, 55);
    std::uniform_real_distribution<double> longitude(6, 12);
    QFile file(input);
    file.open(QIODevice::WriteOnly);
    file.write("Nr;Ort;Koordinaten\n");
    for (int i = 1; i <= rows || file.size() < bytes; ++i) {
        char row[96];
        std::snprintf(row, sizeof row, "%d;Ort %d;%.6f, %.6f\n", i, i, latitude(random), longitude(random));
        file.write(row);
    }
    return input;
}

ListDialogContext context()
{
    ListDialogContext context;
    context.dataDirectory = ZELV_PROGRAM_NAD;
    context.confirmOverwrite = [](QWidget*, const QString&) { return true; };
    context.showRefusal = [](QWidget*, const QString&) {};
    return context;
}

void waitForPreview(ListConversionDialog& dialog, benchmark::State& state)
{
    QSignalSpy ready(&dialog, &ListConversionDialog::previewReady);
    if (!dialog.isPreviewReady() && !ready.wait(60000))
        state.SkipWithError("no preview");
}

void dialogConversion(benchmark::State& state)
{
    const QString input = table(QStringLiteral("orte.csv"), 100000);
    for (auto _ : state) {
        state.PauseTiming();
        ListConversionDialog dialog(input, context());
        waitForPreview(dialog, state);
        state.ResumeTiming();
        QSignalSpy ended(&dialog, &ListConversionDialog::conversionEnded);
        dialog.startConversion();
        if (!ended.wait(60000))
            state.SkipWithError("no end");
        benchmark::DoNotOptimize(dialog.summary());
    }
}

void preview60MB(benchmark::State& state)
{
    const QString input = table(QStringLiteral("gross.csv"), 0, 60 * 1024 * 1024);
    for (auto _ : state) {
        ListConversionDialog dialog(input, context());
        waitForPreview(dialog, state);
    }
}

void refusal60MBLine(benchmark::State& state)
{
    const QString input = directory().filePath(QStringLiteral("eine-zeile.csv"));
    if (!QFile::exists(input)) {
        QFile file(input);
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray(60 * 1024 * 1024, '5'));
    }
    for (auto _ : state) {
        ListConversionDialog dialog(input, context());
        if (dialog.refusal().isEmpty())
            state.SkipWithError("not refused");
        benchmark::DoNotOptimize(dialog.exec());
    }
}

void wholeRun60MB(benchmark::State& state)
{
    const QString input = table(QStringLiteral("gross.csv"), 0, 60 * 1024 * 1024);
    qint64 longest = 0;
    for (auto _ : state) {
        // A timer that should tick every 10 ms: its longest gap is the event loop's longest stall.
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0;
        QTimer ticker;
        ticker.setInterval(10);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            longest = std::max(longest, clock.elapsed() - last);
            last = clock.elapsed();
        });
        ticker.start();
        ListConversionDialog dialog(input, context());
        dialog.show();
        QSignalSpy ended(&dialog, &ListConversionDialog::conversionEnded);
        dialog.startConversion(); // starts once the preview is there
        if (!ended.wait(600000))
            state.SkipWithError("no end");
        longest = std::max(longest, clock.elapsed() - last);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["stall_ms"] = static_cast<double>(longest);
    state.counters["peak_rss_MB"] = usage.ru_maxrss / 1024.0;
    state.counters["memory_per_file_size"] = usage.ru_maxrss * 1024.0 / QFileInfo(input).size();
}

// The whole run first: the peak memory is the process's, and the other runs would raise it.
BENCHMARK(wholeRun60MB)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(dialogConversion)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(preview60MB)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(refusal60MBLine)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
