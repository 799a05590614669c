// One click of each conversion button against the bare projection library
// doing the same work: one proj_create, one proj_trans and a proj_destroy of
// the same definition on a context made once.  The last lines give each
// handler's time as a ratio of the bare time; the handler should stay within
// 1.20 of it.
//
// Run by hand, on a quiet machine: the default is five interleaved
// repetitions of each benchmark, compared by their medians.

#include "CoordinateTranslator.h"
#include "CurrEdit.h"
#include "ElSpinEdit.h"
#include "F_HauptU.h"
#include "Clipboard.h"
#include "ErrorPresenter.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <proj.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace zelv;

constexpr const char* nad = ZELV_SOURCE_DIR "/nad";
constexpr const char* utmDefinition = "+proj=utm +ellps=GRS80 +zone=32 +lon_0=9 +x_0=500000";
constexpr const char* tmercDefinition = "+proj=tmerc +ellps=bessel +lon_0=10d30 +x_0=6525000";

class SilentPresenter final : public ErrorPresenter {
public:
    void showError(const QString&, const QString&) override { ++shown; }
    bool askYesNo(const QString&, const QString&) override
    {
        ++shown;
        return false;
    }
    int shown = 0;
};

class NoClipboard final : public Clipboard {
public:
    QString text() const override { return {}; }
    void setText(const QString&) override {}
};

// The window as the program has it, beside the repository's nad/, with the
// fields holding the reference values.
struct Window {
    SilentPresenter presenter;
    NoClipboard clipboard;
    QTemporaryDir settings;
    std::unique_ptr<TF_Haupt> window;

    Window()
    {
        window = std::make_unique<TF_Haupt>(MainWindowContext{
            .errorPresenter = presenter,
            .clipboard = clipboard,
            .separators = germanSeparators,
            .executablePath = QStringLiteral(ZELV_SOURCE_DIR "/ZELV_Derarar"),
            .settingsDirectory = settings.path(),
        });
        TF_Haupt& w = *window;
        w.CE_Laenge->setValue(10.76943L);
        w.CE_Breite->setValue(50.41484L);
        w.ElSE_Zone->setValue(32);
        w.CE_Rechts->setValue(625712);
        w.CE_Hoch->setValue(5586252);
        w.CE_TMERC_Laenge_Grad->setValue(10);
        w.CE_TMERC_Laenge_Minuten->setValue(30);
        w.CE_TMERC_BezugsRechts->setValue(6525);
        w.CE_TMERC_Rechts->setValue(6625);
        w.CE_TMERC_Hoch->setValue(5600);
    }
};

Window& theWindow()
{
    static Window window;
    return window;
}

// A context made once, set up as the program's projection layer sets up its
// own: the data directory as the only search path, no logging, no network.
PJ_CONTEXT* bareContext()
{
    static PJ_CONTEXT* context = [] {
        PJ_CONTEXT* c = proj_context_create();
        proj_log_func(c, nullptr, [](void*, int, const char*) {});
        proj_log_level(c, PJ_LOG_NONE);
        const char* const paths[] = {nad};
        proj_context_set_search_paths(c, 1, paths);
        proj_context_set_enable_network(c, 0);
        return c;
    }();
    return context;
}

PJ_COORD bareProjection(const char* definition, PJ_DIRECTION direction, PJ_COORD in)
{
    PJ* projection = proj_create(bareContext(), definition);
    const PJ_COORD out = proj_trans(projection, direction, in);
    proj_destroy(projection);
    return out;
}

void handlerClick(benchmark::State& state, void (TF_Haupt::*handler)())
{
    TF_Haupt& w = *theWindow().window;
    if (!w.CoordinateTranslator()) {
        state.SkipWithError("no projection service: nad/ not found");
        return;
    }
    for (auto _ : state)
        (w.*handler)();
    benchmark::DoNotOptimize(w.CE_Laenge->Value());
    if (theWindow().presenter.shown != 0)
        state.SkipWithError("the window showed an error");
}

void LL_UTM_handler(benchmark::State& state) { handlerClick(state, &TF_Haupt::BitBtn_LL_UTMClick); }
void UTM_LL_handler(benchmark::State& state) { handlerClick(state, &TF_Haupt::BitBtn_UTM_LLClick); }
void TM_LL_handler(benchmark::State& state) { handlerClick(state, &TF_Haupt::BitBtn_TMERC_LLClick); }

// Clicks that repeat the same input leave every field's text as it was, so
// Qt never lays out new text.  A user's clicks change the texts: here the
// zone alternates between 32 and 33, so each click writes new values.
void UTM_LL_handler_changing(benchmark::State& state)
{
    TF_Haupt& w = *theWindow().window;
    if (!w.CoordinateTranslator()) {
        state.SkipWithError("no projection service: nad/ not found");
        return;
    }
    int zone = 32;
    for (auto _ : state) {
        zone = zone == 32 ? 33 : 32;
        w.ElSE_Zone->setValue(zone);
        w.BitBtn_UTM_LLClick();
    }
    w.ElSE_Zone->setValue(32);
    if (theWindow().presenter.shown != 0)
        state.SkipWithError("the window showed an error");
}

// The projection service alone, as the handlers call it.
void UTM_LL_service(benchmark::State& state)
{
    TCoordinateTranslator* translator = theWindow().window->CoordinateTranslator();
    if (!translator) {
        state.SkipWithError("no projection service: nad/ not found");
        return;
    }
    for (auto _ : state) {
        translator->SetDefinition(utmDefinition);
        benchmark::DoNotOptimize(translator->Inverse(625712, 5586252));
    }
}

// The share of the conversions back that is no projection at all: the
// refresh of the angle fields and the location text that follows them.
void refresh_angle_fields(benchmark::State& state)
{
    TF_Haupt& w = *theWindow().window;
    for (auto _ : state) {
        w.CE_LaengeExit();
        w.CE_BreiteExit();
    }
}

void LL_UTM_bare(benchmark::State& state)
{
    const PJ_COORD in = proj_coord(10.76943 * degreesToRadians, 50.41484 * degreesToRadians, 0, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(bareProjection(utmDefinition, PJ_FWD, in));
}

void UTM_LL_bare(benchmark::State& state)
{
    const PJ_COORD in = proj_coord(625712, 5586252, 0, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(bareProjection(utmDefinition, PJ_INV, in));
}

void TM_LL_bare(benchmark::State& state)
{
    const PJ_COORD in = proj_coord(6625000, 5600000, 0, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(bareProjection(tmercDefinition, PJ_INV, in));
}

// Keeps every repetition's time per benchmark, for the medians at the end.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times_[run.run_name.function_name].push_back(run.GetAdjustedRealTime());
        }
        ConsoleReporter::ReportRuns(runs);
    }

    double median(const std::string& name) const
    {
        const auto found = times_.find(name);
        if (found == times_.end() || found->second.empty())
            return NAN;
        std::vector<double> times = found->second;
        std::sort(times.begin(), times.end());
        const std::size_t n = times.size();
        return n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    }

private:
    std::map<std::string, std::vector<double>> times_;
};

} // namespace

BENCHMARK(LL_UTM_handler)->Unit(benchmark::kMicrosecond);
BENCHMARK(LL_UTM_bare)->Unit(benchmark::kMicrosecond);
BENCHMARK(UTM_LL_handler)->Unit(benchmark::kMicrosecond);
BENCHMARK(UTM_LL_bare)->Unit(benchmark::kMicrosecond);
BENCHMARK(TM_LL_handler)->Unit(benchmark::kMicrosecond);
BENCHMARK(TM_LL_bare)->Unit(benchmark::kMicrosecond);
BENCHMARK(UTM_LL_handler_changing)->Unit(benchmark::kMicrosecond);
BENCHMARK(UTM_LL_service)->Unit(benchmark::kMicrosecond);
BENCHMARK(refresh_angle_fields)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    // Defaults that a command-line flag overrides (the last one given wins).
    std::vector<char*> args(argv, argv + argc);
    char repetitions[] = "--benchmark_repetitions=5";
    char interleaving[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, {repetitions, interleaving});
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\nmedian real time per click (us), handler against bare PROJ:\n");
    bool within = true;
    int compared = 0;
    for (const char* name : {"LL_UTM", "UTM_LL", "TM_LL"}) {
        const double handler = reporter.median(std::string(name) + "_handler");
        const double bare = reporter.median(std::string(name) + "_bare");
        if (std::isnan(handler) || std::isnan(bare))
            continue;
        const double ratio = handler / bare;
        within = within && ratio <= 1.20;
        ++compared;
        std::printf("%-7s handler %7.2f  bare %7.2f  ratio %.3f\n", name, handler, bare, ratio);
    }
    if (compared == 0)
        std::printf("target: no figures (each repetition's time is needed; drop --benchmark_report_aggregates_only)\n");
    else
        std::printf("target: ratio <= 1.20 -- %s\n", within ? "met" : "missed");
    const double changing = reporter.median("UTM_LL_handler_changing");
    if (!std::isnan(changing))
        std::printf("UTM_LL with a new result every click: %.2f (ratio %.3f)\n", changing,
                    changing / reporter.median("UTM_LL_bare"));
    const double service = reporter.median("UTM_LL_service");
    if (!std::isnan(service))
        std::printf("UTM_LL through the projection service alone: %.2f (ratio %.3f)\n", service,
                    service / reporter.median("UTM_LL_bare"));
    const double refresh = reporter.median("refresh_angle_fields");
    if (!std::isnan(refresh))
        std::printf("of which the angle fields' refresh after UTM_LL and TM_LL: %.2f\n", refresh);
    theWindow().window.reset();
    benchmark::Shutdown();
    return 0;
}
