// What sundial-cli does with the files it is given: no output overwrites an
// input or another output, whatever names reach them; a failed write to
// standard output or to a pipe is a failure, told on stderr.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <streambuf>

#include "cli/cli_app.h"
#include "tests/cli/cli_test_support.h"
#include "tests/core/io/io_test_support.h"

extern char** environ;

namespace sundial {
namespace {

using sundial::testing::operator+;
using sundial::testing::Contains;
using sundial::testing::Outcome;
using sundial::testing::RunCommand;

namespace fs = std::filesystem;

using Args = std::vector<std::string>;

const Args kSite = {"--place", "London", "--bearing", "200", "--utc", "0"};
const Args kPlate = {"--width", "600", "--height", "450"};

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The folder's files and their bytes: shows anything written, replaced or left.
std::map<std::string, std::string> Contents(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_symlink() && entry.is_regular_file()) {
            files[fs::relative(entry.path(), folder).string()] = Bytes(entry.path());
        }
    }
    return files;
}

class FileUse : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("sundial_file_use_" + std::to_string(::getpid()));
        fs::create_directories(dir / "sub");
        before = fs::current_path();
        fs::current_path(dir);
    }
    void TearDown() override {
        fs::current_path(before);
        fs::remove_all(dir);
    }
    fs::path dir, before;
};

TEST_F(FileUse, NoOutputIsAnInputOrAnotherOutputUnderAnyName) {
    ASSERT_EQ(RunCommand(Args{"template", "--save-project", "p.sundial"} + kSite + kPlate).status,
              kCliOk);
    ASSERT_EQ(RunCommand(Args{"report", "--settings", "s.ini"} + kSite).status, kCliOk);
    fs::create_symlink("p.sundial", "p-link");
    fs::create_symlink("x.svg", "to-x");  // to a file not made yet
    fs::create_directory("sites");
    std::ofstream("sites/index.csv") << "name,latitude,longitude,bearing,utc\nA,50,0,200,0\n";
    const std::string here = fs::current_path().string();
    const struct {
        const char* name;
        std::vector<std::string> args;
        const char* first;  // the two options the message names
        const char* second;
    } rows[] = {
        {"svg over the project",
         {"template", "--project", "p.sundial", "--svg", "p.sundial"},
         "--svg",
         "--project"},
        {"pdf over a link to the project",
         {"template", "--project", "p.sundial", "--pdf", "p-link"},
         "--pdf",
         "--project"},
        {"sheet over the settings",
         {"report", "--settings", "s.ini", "--pdf", "s.ini"},
         "--settings",
         "--pdf"},
        {"svg over the settings",
         {"template", "--settings", "s.ini", "--svg", "./s.ini", "--width", "600", "--height",
          "450"},
         "--svg",
         "--settings"},
        {"absolute and relative",
         {"template", "--svg", "x.svg", "--dxf", here + "/x.svg"},
         "--svg",
         "--dxf"},
        {"dot folder", {"template", "--svg", "./x.svg", "--pdf", "x.svg"}, "--pdf", "--svg"},
        {"up from a folder",
         {"template", "--svg", "sub/../x.svg", "--dxf", "x.svg"},
         "--svg",
         "--dxf"},
        {"link to a missing file",
         {"template", "--svg", "x.svg", "--save-project", "to-x"},
         "--svg",
         "--save-project"},
        {"index over the sites",
         {"batch", "--sites", "sites/index.csv", "--out", "sites", "--force"},
         "--sites",
         "index.csv"},
    };
    const auto kept = Contents(dir);
    for (const auto& row : rows) {
        std::vector<std::string> args = row.args;
        if (args[0] == "template" && !Contains(args[2], "project") &&
            !Contains(args[1], "settings")) {
            args = args + kSite + kPlate;
        }
        const Outcome o = RunCommand(args);
        EXPECT_EQ(o.status, kCliBadInput) << row.name << ": " << o.err;
        EXPECT_TRUE(Contains(o.err, row.first) && Contains(o.err, row.second))
            << row.name << ": " << o.err;
        EXPECT_EQ(Contents(dir), kept) << row.name;
    }
}

// Several outputs are written all or none: a file that cannot be made keeps
// the others from replacing anything, and a failure once files are in
// place names those already written.
TEST_F(FileUse, SeveralOutputsAreWrittenAllOrNone) {
    const struct {
        const char* name;
        const char* dxf;
        int failingRename;   // the rename that fails, counted from 0; -1 for none
        const char* failed;  // the file the message names first
        const char* message;
    } rows[] = {
        {"no folder for one", "nodir/x.dxf", -1, "nodir/x.dxf: ", "no file was written"},
        {"the first rename", "x.dxf", 0, "ok.svg: ", "no file was written"},
        {"the second rename", "x.dxf", 1, "x.dxf: ", "written all the same: ok.svg"},
    };
    for (const auto& row : rows) {
        for (const char* name : {"ok.svg", "x.dxf", "ok.pdf"}) std::ofstream(name) << "old";
        int renames = 0;
        io::testing::ScopedFault fault([&](io::FileStep step) {
            return step == io::FileStep::Rename && renames++ == row.failingRename ? EROFS : 0;
        });
        const Outcome o =
            RunCommand(Args{"template", "--svg", "ok.svg", "--dxf", row.dxf, "--pdf", "ok.pdf"} +
                       kSite + kPlate);
        EXPECT_EQ(o.status, kCliRunFailed) << row.name;
        EXPECT_TRUE(Contains(o.err, row.message)) << row.name << ": " << o.err;
        EXPECT_EQ(o.err.rfind(row.failed, 0), 0u) << row.name << ": " << o.err;
        EXPECT_EQ(Bytes("ok.svg") == "old", row.failingRename != 1) << row.name;
        EXPECT_EQ(Bytes("ok.pdf"), "old") << row.name;
        EXPECT_EQ(Bytes("x.dxf"), "old") << row.name;
        EXPECT_FALSE(fs::exists("nodir")) << row.name;
    }
}

// A stream whose every write fails, as standard output on a full disk does.
class FullBuffer final : public std::streambuf {
  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST_F(FileUse, AFailedWriteToStandardOutputIsAFailure) {
    const std::vector<std::vector<std::string>> rows = {
        Args{"template", "--json"} + kSite + kPlate,
        {"places"},
        Args{"report"} + kSite,
        Args{"report", "--json"} + kSite,
        Args{"sun", "--json", "--at", "2026-06-21T12:00:00"} + kSite,
        Args{"template", "--svg", "t.svg"} + kSite + kPlate,  // prints only what it wrote
    };
    for (const auto& row : rows) {
        FullBuffer full;
        std::ostream out(&full);
        std::ostringstream err;
        EXPECT_EQ(RunCli(std::vector<std::string>{"sundial-cli"} + row, out, err), kCliRunFailed)
            << row[0] << ' ' << row[1];
        EXPECT_TRUE(Contains(err.str(), "cannot write to standard output")) << err.str();
    }
}

// sundial-cli as its own process, its standard output `stdoutFile` opened
// with `flags` (or closed when empty); returns the wait status.
int RunProcess(const std::vector<std::string>& args, const char* stdoutFile, int flags,
               std::string* err) {
    const fs::path errFile =
        fs::temp_directory_path() / ("sundial_err_" + std::to_string(::getpid()));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdoutFile) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, stdoutFile, flags, 0600);
    } else {
        posix_spawn_file_actions_addclose(&actions, STDOUT_FILENO);
    }
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> all = std::vector<std::string>{SUNDIAL_CLI_PATH} + args;
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    int status = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        ::waitpid(pid, &status, 0);
    }
    posix_spawn_file_actions_destroy(&actions);
    if (err) *err = Bytes(errFile);
    fs::remove(errFile);
    return status;
}

TEST_F(FileUse, AsAProcessFailedOutputsExitWithOneAndSayWhy) {
    // The pipe's reader takes the document's first bytes and quits.
    ASSERT_EQ(::mkfifo("fifo", 0600), 0);
    const int reader = ::open("fifo", O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ::fcntl(reader, F_SETFL, 0);
    ::fcntl(reader, F_SETPIPE_SZ, 4096);
    const struct {
        const char* name;
        std::vector<std::string> args;
        const char* stdoutFile;
        const char* reason;
    } rows[] = {
        {"json to a full disk", Args{"template", "--json"} + kPlate, "/dev/full",
         "No space left on device"},
        {"report to a full disk", {"report", "--json"}, "/dev/full", "No space left on device"},
        {"places with output closed", {"places"}, nullptr, "Bad file descriptor"},
    };
    for (const auto& row : rows) {
        std::string err;
        const int status =
            RunProcess(row.args + (row.args[0] == "places" ? std::vector<std::string>{} : kSite),
                       row.stdoutFile, O_WRONLY, &err);
        ASSERT_TRUE(WIFEXITED(status)) << row.name << ": " << status;
        EXPECT_EQ(WEXITSTATUS(status), kCliRunFailed) << row.name;
        EXPECT_TRUE(Contains(err, row.reason)) << row.name << ": " << err;
    }
    const pid_t quitter = ::fork();
    if (quitter == 0) {
        // Until a writer comes the FIFO reads as empty.
        char first[16];
        for (int wait = 0; wait < 20000 && ::read(reader, first, sizeof first) <= 0; ++wait) {
            ::usleep(1000);
        }
        ::_exit(0);
    }
    ::close(reader);
    std::string err;
    const int status =
        RunProcess(Args{"template", "--pdf", "fifo"} + kSite + kPlate, "/dev/null", O_WRONLY, &err);
    ::waitpid(quitter, nullptr, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), kCliRunFailed);
    EXPECT_TRUE(Contains(err, "fifo")) << err;
}

}  // namespace
}  // namespace sundial
