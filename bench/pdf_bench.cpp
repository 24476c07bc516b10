// Speed of the printable dial sheet: the whole two-page sheet written to a
// file, and the same sheet into memory (the writer alone, no file system).
// Run: build/release/bench/sundial_pdf_bench
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench/example_site.h"
#include "core/dial/pdf_sheet.h"

namespace {

using sundial::bench::ExampleSite;

void WriteSheet(sundial::PdfDialSheet& sheet, const sundial::SiteState& site,
                const sundial::DialGeometry& dial) {
    sheet.Begin(site, dial);
    for (const sundial::HourRow& row : dial.HourList) sheet.Row(row);
    sheet.Finish(dial);
}

void BM_SheetToFile(benchmark::State& state) {
    const sundial::SiteState site = ExampleSite();
    const sundial::DialGeometry dial = sundial::ComputeDial(site);
    sundial::PdfDialSheet sheet(std::filesystem::temp_directory_path(), {},
                                "sundial_bench_sheet.pdf");
    for (auto _ : state) WriteSheet(sheet, site, dial);
    std::filesystem::remove(sheet.PdfPath());
}
BENCHMARK(BM_SheetToFile);

void BM_SheetToMemory(benchmark::State& state) {
    const sundial::SiteState site = ExampleSite();
    const sundial::DialGeometry dial = sundial::ComputeDial(site);
    std::string bytes;
    sundial::PdfDialSheet sheet("memory");
    sheet.SetSinkFactory([&](const std::filesystem::path&) {
        return std::make_unique<sundial::pdf::MemorySink>(bytes);
    });
    for (auto _ : state) {
        WriteSheet(sheet, site, dial);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_SheetToMemory);

}  // namespace
