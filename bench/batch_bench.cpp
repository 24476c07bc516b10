// Speed of the batch: one site's outputs (report and sheet, in memory), and
// all 270 gazetteer places with their sheets written to a fresh folder, the
// work `sundial-cli batch --places --pdf` does after its start; and Britain's
// places with their templates.
// Run: build/release/bench/sundial_batch_bench
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench/example_site.h"
#include "core/batch/batch.h"
#include "core/batch/site_outputs.h"
#include "core/dial/pdf_sheet.h"
#include "core/pdf/byte_sink.h"

namespace {

namespace fs = std::filesystem;

void BM_OneSiteWithSheet(benchmark::State& state) {
    const sundial::SiteState site = sundial::bench::ExampleSite();
    std::string bytes;
    for (auto _ : state) {
        sundial::PdfDialSheet sheet("memory");
        sheet.SetSinkFactory(
            [&](const fs::path&) { return std::make_unique<sundial::pdf::MemorySink>(bytes); });
        benchmark::DoNotOptimize(sundial::MakeSiteOutputs(site, {}, &sheet));
    }
}
BENCHMARK(BM_OneSiteWithSheet);

void BM_AllPlacesWithSheets(benchmark::State& state) {
    sundial::BatchRequest request;
    for (const sundial::Place& place : sundial::Places()) {
        request.rows.push_back(sundial::PlaceRow(place, sundial::kDefaultBearing));
    }
    request.pdf = true;
    const fs::path root = fs::temp_directory_path() / "sundial_batch_bench";
    int run = 0;
    for (auto _ : state) {
        request.folder = root / std::to_string(run++);
        benchmark::DoNotOptimize(sundial::RunBatch(request));
    }
    fs::remove_all(root);
}
BENCHMARK(BM_AllPlacesWithSheets)->Unit(benchmark::kMillisecond);

// Britain's 24 places with their full-size templates (PDF and SVG) and the
// date lines; with the noon curve (arg 1) a year of the sun for every site.
void BM_BritainWithTemplates(benchmark::State& state) {
    sundial::BatchRequest request;
    for (const sundial::Place* place : sundial::PlacesMatching("*, Britain")) {
        request.rows.push_back(sundial::PlaceRow(*place, sundial::kDefaultBearing));
    }
    request.templatePdf = true;
    request.templateSvg = true;
    sundial::plan::PlanOptions& plan = request.templateOptions.plan;
    plan.widthMm = 600;
    plan.heightMm = 450;
    plan.dateLines = true;
    plan.nodusMm = 150;
    plan.noonCurve = state.range(0) != 0;
    const fs::path root = fs::temp_directory_path() / "sundial_batch_template_bench";
    int run = 0;
    for (auto _ : state) {
        request.folder = root / std::to_string(run++);
        benchmark::DoNotOptimize(sundial::RunBatch(request));
    }
    fs::remove_all(root);
}
BENCHMARK(BM_BritainWithTemplates)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
