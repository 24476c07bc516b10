// Speed of the full-size dial template. The dialog rebuilds the plan at every
// keystroke, so the heaviest plan (quarter hours, every month's date line)
// should take well under the 50 ms a typist would notice.
// Run: build/release/bench/sundial_template_bench
#include <benchmark/benchmark.h>

#include "bench/example_site.h"
#include "core/plan/plan.h"
#include "core/plan/sun_samples.h"
#include "core/template/pdf_template.h"
#include "core/template/svg_template.h"

namespace {

using sundial::bench::ExampleSite;
using sundial::plan::PlanOptions;

PlanOptions Options(bool everything) {
    PlanOptions o;
    o.widthMm = 1000;
    o.heightMm = 800;
    o.halfHours = true;
    o.quarterHours = everything;
    o.dateLines = true;
    o.monthLines = everything;
    o.nodusMm = 250;
    return o;
}

void BM_PlanSolsticesAndEquinoxes(benchmark::State& state) {
    const sundial::SiteState site = ExampleSite();
    for (auto _ : state) benchmark::DoNotOptimize(sundial::plan::BuildPlan(site, Options(false)));
}
BENCHMARK(BM_PlanSolsticesAndEquinoxes)->Unit(benchmark::kMillisecond);

void BM_PlanEveryLine(benchmark::State& state) {
    const sundial::SiteState site = ExampleSite();
    for (auto _ : state) benchmark::DoNotOptimize(sundial::plan::BuildPlan(site, Options(true)));
}
BENCHMARK(BM_PlanEveryLine)->Unit(benchmark::kMillisecond);

// The heaviest plan with the three old hour systems over it: it should stay
// within 12 ms of the plan without them.
void BM_PlanEveryLineAndHourSystems(benchmark::State& state) {
    const sundial::SiteState site = ExampleSite();
    PlanOptions o = Options(true);
    o.extras.italian = o.extras.babylonian = o.extras.temporal = true;
    for (auto _ : state) benchmark::DoNotOptimize(sundial::plan::BuildPlan(site, o));
}
BENCHMARK(BM_PlanEveryLineAndHourSystems)->Unit(benchmark::kMillisecond);

// Worked out once per site and zone by the dialog, not per keystroke.
void BM_YearOfSunSamples(benchmark::State& state) {
    const sundial::SiteState site = ExampleSite();
    for (auto _ : state) benchmark::DoNotOptimize(sundial::plan::YearOfSunSamples(site));
}
BENCHMARK(BM_YearOfSunSamples)->Unit(benchmark::kMillisecond);

void BM_Svg(benchmark::State& state) {
    const auto plan = sundial::plan::BuildPlan(ExampleSite(), Options(true)).plan;
    for (auto _ : state) benchmark::DoNotOptimize(sundial::tmpl::PlanSvg(*plan));
}
BENCHMARK(BM_Svg)->Unit(benchmark::kMillisecond);

// The heaviest sheet a maker asks for in one go: a metre plate with every
// line, the clock-time curves (whose labels must find room among them all),
// and both the PDF and the SVG. The command line's whole run, less its
// start-up. The sun's table for the year is worked out in the first run and
// kept, as the dialog keeps it between keystrokes.
void BM_MetrePlateClockTimePdfAndSvg(benchmark::State& state) {
    const sundial::SiteState site = ExampleSite();
    PlanOptions o = Options(true);
    o.widthMm = o.heightMm = 1000;
    o.noonCurve = true;
    o.extras.clockTime = true;
    o.extras.tenMinutes = true;
    o.extras.year = 2026;
    std::string pdf;
    for (auto _ : state) {
        const auto samples = sundial::plan::YearOfSunSamples(site);
        const auto plan = sundial::plan::BuildPlan(site, o, samples).plan;
        benchmark::DoNotOptimize(sundial::tmpl::PlanSvg(*plan));
        sundial::tmpl::TemplatePdfBytes(*plan, {}, pdf);
        benchmark::DoNotOptimize(pdf);
    }
}
BENCHMARK(BM_MetrePlateClockTimePdfAndSvg)->Unit(benchmark::kMillisecond);

}  // namespace
