// Speed of sundial-cli: the whole program started as a separate process, as a
// script starts it (the dynamic linker's work included), and the same command
// run inside this process (what remains once the program is loaded).
// Run: build/release/bench/sundial_cli_bench
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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

// `sundial-cli report --place London --pdf FILE`, its output thrown away.
void BM_CliProcessReportWithSheet(benchmark::State& state) {
    std::vector<std::string> words = {SUNDIAL_CLI_PATH, "report", "--place",
                                      "London",         "--pdf",  SheetPath()};
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
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
    std::filesystem::remove(SheetPath());
}
BENCHMARK(BM_CliProcessReportWithSheet)->UseRealTime()->Unit(benchmark::kMillisecond);

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
