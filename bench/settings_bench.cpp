// Speed and cost of reading the settings file at start-up when someone left a
// huge file under its name: 100 MB of commas must cost no more than a
// normal file, since only the first few kilobytes are read.
// Run: build/release/bench/sundial_bench --benchmark_filter=Settings
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/site/site_state.h"

namespace {

namespace fs = std::filesystem;

fs::path CommaFile(std::size_t bytes) {
    const fs::path file =
        fs::temp_directory_path() / ("sundial_bench_commas_" + std::to_string(bytes));
    if (!fs::exists(file) || fs::file_size(file) != bytes) {
        std::ofstream out(file, std::ios::binary);
        const std::string block(1 << 20, ',');
        for (std::size_t written = 0; written < bytes; written += block.size()) {
            out.write(block.data(),
                      static_cast<std::streamsize>(std::min(block.size(), bytes - written)));
        }
    }
    return file;
}

void BM_ReadSettingsFile(benchmark::State& state) {
    const fs::path file = CommaFile(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(sundial::ReadSettingsFile(file));
    fs::remove(file);
}
// A normal file's size, and the 100 MB file of the field report.
BENCHMARK(BM_ReadSettingsFile)->Arg(64)->Arg(100'000'000)->Unit(benchmark::kMicrosecond);

}  // namespace
