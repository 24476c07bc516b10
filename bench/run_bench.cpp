// Speed of one whole run into recording surfaces (with and without the settings
// file it saves first), and of the report text alone.
// Run: build/release/bench/sundial_bench
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/example_site.h"
#include "core/dial/recording_surface.h"
#include "core/dial/report.h"
#include "core/dial/run.h"

namespace {

using sundial::bench::ExampleSite;

void BM_WholeRun(benchmark::State& state) {
    const sundial::SiteState site = ExampleSite();
    const auto file = std::filesystem::temp_directory_path() / "sundial_bench_localdata.txt";
    sundial::RecordingSurface draw(9000, 4400), number(9000, 4400), chart(9000, 4400);
    sundial::DialGeometry dial;
    for (auto _ : state) {
        draw.Forget(), number.Forget(), chart.Forget();
        sundial::RunTargets targets{draw, number, chart,
                                    [&] { sundial::DrawCascadeFurniture(draw, chart); }};
        benchmark::DoNotOptimize(sundial::RunDial(site, file, targets, dial));
    }
}
BENCHMARK(BM_WholeRun);

// The run itself: an empty settings path saves nothing.
void BM_WholeRunWithoutSettingsFile(benchmark::State& state) {
    const sundial::SiteState site = ExampleSite();
    sundial::RecordingSurface draw(9000, 4400), number(9000, 4400), chart(9000, 4400);
    sundial::DialGeometry dial;
    for (auto _ : state) {
        draw.Forget(), number.Forget(), chart.Forget();
        sundial::RunTargets targets{draw, number, chart,
                                    [&] { sundial::DrawCascadeFurniture(draw, chart); }};
        benchmark::DoNotOptimize(sundial::RunDial(site, {}, targets, dial));
    }
}
BENCHMARK(BM_WholeRunWithoutSettingsFile);

void BM_ReportText(benchmark::State& state) {
    const sundial::SiteState site = ExampleSite();
    const sundial::DialGeometry dial = sundial::ComputeDial(site);
    for (auto _ : state) benchmark::DoNotOptimize(sundial::ReportText(site, dial));
}
BENCHMARK(BM_ReportText);

}  // namespace
