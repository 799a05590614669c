// The table path against the one-notation-per-line path on the same 100,000
// coordinates: lines through BatchConverter::convertLines, and a table
// "Nr;Ort;Koordinaten" read row by row, converted, judged for far rows and
// written back with the result and note columns.  The table's time should stay within 1.2 of
// the lines' time; the last line gives the ratio of the medians.
//
// Run by hand, on a quiet machine, from a Release build with
// ZELV_BENCHMARKS=ON: build/bench/bench/table_bench

#include "BatchConversion.h"
#include "TableConversion.h"
#include "TableReader.h"
#include "TableText.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <sstream>
#include <string>

namespace {

using namespace zelv;

constexpr const char* nad = ZELV_PROGRAM_NAD;
constexpr int places = 100000;

// Points inside UTM zone 32 with a fixed seed, as the batch benchmark has them.
std::vector<std::string> coordinates()
{
    std::mt19937 random(1);
    std::uniform_real_distribution<double> latitude(47, 55);
    std::uniform_real_distribution<double> longitude(6, 12);
    std::vector<std::string> texts;
    for (int i = 0; i < places; ++i) {
        char text[64];
        std::snprintf(text, sizeof text, "%.6f, %.6f", latitude(random), longitude(random));
        texts.emplace_back(text);
    }
    return texts;
}

const std::string& lines()
{
    static const std::string text = [] {
        std::string all;
        for (const std::string& c : coordinates())
            all += c + '\n';
        return all;
    }();
    return text;
}

const std::string& table()
{
    static const std::string text = [] {
        std::string all = "Nr;Ort;Koordinaten\n";
        int number = 0;
        for (const std::string& c : coordinates()) {
            ++number;
            all += std::to_string(number) + ";Ort " + std::to_string(number) + ";" + c + '\n';
        }
        return all;
    }();
    return text;
}

void linePath(benchmark::State& state)
{
    BatchConverter converter(nad, BatchFormat::GermanCsv);
    for (auto _ : state) {
        std::istringstream in(lines());
        std::ostringstream out;
        std::ostringstream messages;
        benchmark::DoNotOptimize(converter.convertLines(in, "bench", out, messages));
        benchmark::DoNotOptimize(out.str().size());
    }
}

void tablePath(benchmark::State& state)
{
    BatchConverter converter(nad, BatchFormat::GermanCsv);
    for (auto _ : state) {
        // As the command line does it: read row by row, convert, write.
        std::istringstream in(table());
        TableRowReader reader(in);
        std::vector<TableRow> rows;
        for (TableRow row; reader.next(row);)
            rows.push_back(std::move(row));
        const auto columns = std::get<TableColumns>(chooseColumns(rows, {"Koordinaten"}, ""));
        std::ostringstream out;
        std::ostringstream messages;
        CsvTableSink sink(out, BatchFormat::GermanCsv);
        TableConversion conversion(converter, columns);
        for (TableRow& row : rows)
            conversion.add(std::move(row));
        benchmark::DoNotOptimize(conversion.write(sink, messages, "bench"));
        benchmark::DoNotOptimize(out.str().size());
    }
}

BENCHMARK(linePath)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(tablePath)->Unit(benchmark::kMillisecond)->Iterations(3);

// Prints the ratio of the medians after the usual report.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.aggregate_name == "median" || (run.aggregate_name.empty() && !run.report_big_o))
                medians_[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        if (medians_.count("linePath") && medians_.count("tablePath"))
            std::printf("table path / line path: %.3f (target <= 1.20)\n",
                        medians_["tablePath"] / medians_["linePath"]);
    }

private:
    std::map<std::string, double> medians_;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
