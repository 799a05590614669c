// "Liste umrechnen" on 100,000 rows: from the click on "Umrechnen" to the
// summary, with the table written to its file, on the offscreen platform.
// The target is under 2 s on the development machine.  Run by hand:
//   QT_QPA_PLATFORM=offscreen build/bench/bench/list_dialog_bench

#include "ListConversionDialog.h"

#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>

namespace {

using namespace zelv;

constexpr int places = 100000;

void dialogConversion(benchmark::State& state)
{
    QTemporaryDir directory;
    const QString input = directory.filePath(QStringLiteral("orte.csv"));
    {
        std::mt19937 random(1);
        std::uniform_real_distribution<double> latitude(47, 55);
        std::uniform_real_distribution<double> longitude(6, 12);
        QFile file(input);
        file.open(QIODevice::WriteOnly);
        file.write("Nr;Ort;Koordinaten\n");
        for (int i = 1; i <= places; ++i) {
            char row[96];
            std::snprintf(row, sizeof row, "%d;Ort %d;%.6f, %.6f\n", i, i, latitude(random), longitude(random));
            file.write(row);
        }
    }
    ListDialogContext context;
    context.dataDirectory = ZELV_PROGRAM_NAD;
    context.confirmOverwrite = [](QWidget*, const QString&) { return true; };
    for (auto _ : state) {
        ListConversionDialog dialog(input, context);
        QSignalSpy ended(&dialog, &ListConversionDialog::conversionEnded);
        dialog.startConversion();
        if (!ended.wait(60000))
            state.SkipWithError("no end");
        benchmark::DoNotOptimize(dialog.summary());
    }
}

BENCHMARK(dialogConversion)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

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
