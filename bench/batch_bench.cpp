// Speed of the batch: one site's outputs (report and sheet, in memory), and
// all 270 gazetteer places with their sheets written to a fresh folder, the
// work `sundial-cli batch --places --pdf` does after its start.
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

}  // namespace
