// Speed of sundial-cli: the whole program started as a separate process, as a
// script starts it (the dynamic linker's work included), and the same command
// run inside this process (what remains once the program is loaded).
// Run: build/release/bench/sundial_cli_bench
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Starts sundial-cli with `words` (the program's arguments, its path first)
// once per iteration, its output thrown away.
void TimeProcess(benchmark::State& state, std::vector<std::string> words) {
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
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
    posix_spawn_file_actions_destroy(&actions);
}

// `sundial-cli report --place London --pdf FILE`.
void BM_CliProcessReportWithSheet(benchmark::State& state) {
    TimeProcess(state, {SUNDIAL_CLI_PATH, "report", "--place", "London", "--pdf", SheetPath()});
    std::filesystem::remove(SheetPath());
}
BENCHMARK(BM_CliProcessReportWithSheet)->UseRealTime()->Unit(benchmark::kMillisecond);

// `sundial-cli bearing --place Exeter --json` with N shadow readings through a
// summer's day: the time should grow in step with N.
void BM_CliProcessBearingReadings(benchmark::State& state) {
    std::vector<std::string> words = {SUNDIAL_CLI_PATH, "bearing", "--place", "Exeter", "--json"};
    for (int64_t i = 0; i < state.range(0); ++i) {
        char reading[64];
        std::snprintf(reading, sizeof reading, "2026-06-21T%02d:%02d:%02d@%d",
                      static_cast<int>(9 + i % 6), static_cast<int>(i * 7 % 60),
                      static_cast<int>(i % 60), static_cast<int>(i % 50 - 25));
        words.insert(words.end(), {"--shadow", reading});
    }
    TimeProcess(state, std::move(words));
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

}  // namespace
