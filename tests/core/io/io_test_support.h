// Shared by the file tests: a scratch folder, whole-file reads and writes, and
// faults injected into the file steps for the length of a scope.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/io/atomic_file.h"

namespace sundial::io::testing {

// A fresh folder under the system's temporary folder, removed at the end.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() /
                ("sundial-io-test-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    // The names in the folder, sorted: shows a temporary file left behind.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    std::filesystem::path path_;
};

inline std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteAll(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline bool IsFifo(const std::filesystem::path& path) {
    return std::filesystem::is_fifo(std::filesystem::symlink_status(path));
}

// Every file step `step` fails with `error` while the object lives.
class ScopedFault {
  public:
    ScopedFault(FileStep step, int error) {
        SetFileFaultHook([step, error](FileStep now) { return now == step ? error : 0; });
    }
    explicit ScopedFault(FileFaultHook hook) { SetFileFaultHook(std::move(hook)); }
    ~ScopedFault() { SetFileFaultHook({}); }
    ScopedFault(const ScopedFault&) = delete;
    ScopedFault& operator=(const ScopedFault&) = delete;
};

// Kills the process at `step`, as a power cut or `kill -9` would: for death
// tests, which run the write in a child and look at the file afterwards.
inline void KillAt(FileStep step) {
    SetFileFaultHook([step](FileStep now) {
        if (now == step) ::kill(::getpid(), SIGKILL);
        return 0;
    });
}

// Fails the test process (SIGALRM) instead of letting it hang when a call
// blocks, e.g. on opening a FIFO nobody writes to.
class HangGuard {
  public:
    explicit HangGuard(unsigned seconds = 20) { ::alarm(seconds); }
    ~HangGuard() { ::alarm(0); }
};

}  // namespace sundial::io::testing
