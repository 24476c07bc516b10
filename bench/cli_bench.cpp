// Speed of sundial-cli: the whole program started as a separate process, as a
// script starts it (the dynamic linker's work included), and the same command
// run inside this process (what remains once the program is loaded).
// Run: build/release/bench/sundial_cli_bench
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"

extern char** environ;

namespace {

const std::string& SheetPath() {
    static const std::string path =
        (std::filesystem::temp_directory_path() / "sundial_cli_bench.pdf").string();
    return path;
}

const std::string& TemplatePath(const char* extension) {
    static const std::string base =
        (std::filesystem::temp_directory_path() / "sundial_cli_bench_template").string();
    static std::string pdf = base + ".pdf", svg = base + ".svg";
    return extension[0] == 'p' ? pdf : svg;
}

// The program started with `words` (after its path) until it exits, its
// output thrown away; the children's CPU time per run as a counter.
void SpawnEach(benchmark::State& state, std::vector<std::string> words) {
    words.insert(words.begin(), SUNDIAL_CLI_PATH);
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    rusage before{};
    getrusage(RUSAGE_CHILDREN, &before);
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("sundial-cli could not be started");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("sundial-cli failed");
            break;
        }
    }
    rusage after{};
    getrusage(RUSAGE_CHILDREN, &after);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    const double cpu = seconds(after.ru_utime) - seconds(before.ru_utime) +
                       seconds(after.ru_stime) - seconds(before.ru_stime);
    state.counters["cpu_ms"] = benchmark::Counter(
        1e3 * cpu /
        static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations())));
    posix_spawn_file_actions_destroy(&actions);
}

// `sundial-cli report --place London --pdf FILE`, its output thrown away.
void BM_CliProcessReportWithSheet(benchmark::State& state) {
    SpawnEach(state, {"report", "--place", "London", "--pdf", SheetPath()});
    std::filesystem::remove(SheetPath());
}
BENCHMARK(BM_CliProcessReportWithSheet)->UseRealTime()->Unit(benchmark::kMillisecond);

// A 1 m plate with everything on it, both files: half and quarter hours,
// numerals, date lines with the months, the noon curve and its table.
void BM_CliProcessTemplateMetrePlate(benchmark::State& state) {
    SpawnEach(state, {"template",  "--place",
                      "London",    "--width",
                      "1000",      "--height",
                      "1000",      "--half",
                      "--quarter", "--date-lines",
                      "--months",  "--noon-curve",
                      "--nodus",   "250",
                      "--made",    "2026-12-09",
                      "--pdf",     TemplatePath("pdf"),
                      "--svg",     TemplatePath("svg")});
    std::filesystem::remove(TemplatePath("pdf"));
    std::filesystem::remove(TemplatePath("svg"));
}
BENCHMARK(BM_CliProcessTemplateMetrePlate)->UseRealTime()->Unit(benchmark::kMillisecond);
// `sundial-cli bearing --place Exeter --json` with N shadow readings through a
// summer's day: the time should grow in step with N.
void BM_CliProcessBearingReadings(benchmark::State& state) {
    std::vector<std::string> words = {"bearing", "--place", "Exeter", "--json"};
    for (int64_t i = 0; i < state.range(0); ++i) {
        char reading[64];
        std::snprintf(reading, sizeof reading, "2026-06-21T%02d:%02d:%02d@%d",
                      static_cast<int>(9 + i % 6), static_cast<int>(i * 7 % 60),
                      static_cast<int>(i % 60), static_cast<int>(i % 50 - 25));
        words.insert(words.end(), {"--shadow", reading});
    }
    SpawnEach(state, std::move(words));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CliProcessBearingReadings)
    ->Arg(1000)
    ->Arg(4000)
    ->Arg(16000)
    ->Complexity(benchmark::oN)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_RunCliReportWithSheet(benchmark::State& state) {
    const std::vector<std::string> args = {"sundial-cli", "report", "--place",
                                           "London",      "--pdf",  SheetPath()};
    for (auto _ : state) {
        std::ostringstream out, err;
        benchmark::DoNotOptimize(sundial::RunCli(args, out, err));
    }
    std::filesystem::remove(SheetPath());
}
BENCHMARK(BM_RunCliReportWithSheet)->Unit(benchmark::kMillisecond);

// The process started and gone with nothing to do: what every command pays
// before its own work, which the figures below are beyond.
void BM_CliProcessStartUp(benchmark::State& state) {
    SpawnEach(state, {"template", "--help"});
}
BENCHMARK(BM_CliProcessStartUp)->UseRealTime()->Unit(benchmark::kMillisecond);

// A 1 m plate with clock-time curves for every hour and half hour and every
// other line, both PDF and SVG. On tmpfs (TMPDIR=/dev/shm), 2 vCPUs, release
// build, less BM_CliProcessStartUp: about 44 ms before the work on its speed,
// 27 ms after the first round, 10 to 12 ms now (the heap in large pages, the
// sun's year carried, the label grid filed by cell, numbers written directly,
// the font subset asked by character, no teardown at exit).
const std::vector<std::string> kClockTimeLines = {
    "--half",        "--quarter",     "--date-lines",        "--months",
    "--noon-curve",  "--clock-time",  "--clock-time-halves", "--summer-numerals",
    "--ten-minutes", "--signs",       "--date-line",         "06-14",
    "--horizon",     "--equinoctial", "--style-thickness",   "6"};

void BM_CliProcessClockTimeTemplate(benchmark::State& state) {
    std::vector<std::string> words = {"template",
                                      "--place",
                                      "London",
                                      "--bearing",
                                      "200",
                                      "--utc",
                                      "0",
                                      "--width",
                                      "1000",
                                      "--height",
                                      "1000",
                                      "--nodus",
                                      "300",
                                      "--pdf",
                                      TemplatePath("pdf"),
                                      "--svg",
                                      TemplatePath("svg")};
    words.insert(words.end(), kClockTimeLines.begin(), kClockTimeLines.end());
    SpawnEach(state, words);
}
BENCHMARK(BM_CliProcessClockTimeTemplate)->UseRealTime()->Unit(benchmark::kMillisecond);

// All 270 places with these templates, PDF and SVG each.
void BM_CliProcessBatchClockTimeTemplates(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path() / "sundial_ct_batch_bench";
    std::vector<std::string> words = {"batch",          "--places",       "--out",   dir.string(),
                                      "--template-pdf", "--template-svg", "--width", "1000",
                                      "--height",       "1000",           "--nodus", "300"};
    words.insert(words.end(), kClockTimeLines.begin(), kClockTimeLines.end());
    SpawnEach(state, words);
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_CliProcessBatchClockTimeTemplates)
    ->UseRealTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
