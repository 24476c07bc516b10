// What sundial-cli does with the files it is given: no output overwrites an
// input or another output, whatever names reach them; several outputs are
// written all or none; a failed write to standard output or to a pipe is a
// failure, told on stderr.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "cli/cli_app.h"
#include "tests/cli/cli_test_support.h"
#include "tests/core/io/io_test_support.h"

namespace sundial {
namespace {

using sundial::testing::Contains;
using sundial::testing::Outcome;
using sundial::testing::RunCommand;
namespace fs = std::filesystem;

// A command line's words; $SITE is a site and plate, $PWD the folder.
std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;) {
        if (word == "$SITE") {
            for (const char* w : {"--place", "London", "--bearing", "200", "--utc", "0"}) {
                words.push_back(w);
            }
            if (line.starts_with("template")) {
                for (const char* w : {"--width", "600", "--height", "450"}) words.push_back(w);
            }
        } else {
            words.push_back(word.starts_with("$PWD") ? fs::current_path().string() + word.substr(4)
                                                     : word);
        }
    }
    return words;
}

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The folder's files and their bytes: shows anything written or replaced.
std::map<std::string, std::string> Contents(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_symlink() && entry.is_regular_file())
            files[entry.path()] = Bytes(entry.path());
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
    ASSERT_EQ(RunCommand(Words("template --save-project p.sundial $SITE")).status, kCliOk);
    ASSERT_EQ(RunCommand(Words("report --settings s.ini $SITE")).status, kCliOk);
    fs::create_symlink("p.sundial", "p-link");
    fs::create_symlink("x.svg", "to-x");  // to a file not made yet
    fs::create_directory("sites");
    std::ofstream("sites/index.csv") << "name,latitude,longitude,bearing,utc\nA,50,0,200,0\n";
    const struct {
        const char* line;
        const char* first;  // the two options the message names
        const char* second;
    } rows[] = {
        {"template --project p.sundial --svg p.sundial", "--svg", "--project"},
        {"template --project p.sundial --pdf p-link", "--pdf", "--project"},
        {"report --settings s.ini --pdf s.ini", "--settings", "--pdf"},
        {"template --settings s.ini --svg ./s.ini --width 600 --height 450", "--svg", "--settings"},
        {"template --svg x.svg --dxf $PWD/x.svg $SITE", "--svg", "--dxf"},
        {"template --svg sub/../x.svg --dxf x.svg $SITE", "--svg", "--dxf"},
        {"template --svg x.svg --save-project to-x $SITE", "--svg", "--save-project"},
        {"batch --sites sites/index.csv --out sites --force", "--sites", "index.csv"},
    };
    const auto kept = Contents(dir);
    for (const auto& row : rows) {
        const Outcome o = RunCommand(Words(row.line));
        EXPECT_EQ(o.status, kCliBadInput) << row.line << ": " << o.err;
        EXPECT_TRUE(Contains(o.err, row.first) && Contains(o.err, row.second)) << o.err;
        EXPECT_EQ(Contents(dir), kept) << row.line;
    }
}

// A file that cannot be made keeps the others from replacing anything, and a
// failure once files are in place names those already written.
TEST_F(FileUse, SeveralOutputsAreWrittenAllOrNone) {
    const struct {
        const char* dxf;
        io::FileStep step;
        int failing;  // the step of that kind that fails, counted from 0; -1 for none
        const char* failed;
        const char* message;
    } rows[] = {
        {"nodir/x.dxf", io::FileStep::Rename, -1, "nodir/x.dxf: ", "no file was written"},
        // One flush stores every file: when it fails, none is put in place.
        {"x.dxf", io::FileStep::Sync, 0, "ok.svg: ", "no file was written"},
        {"x.dxf", io::FileStep::Rename, 0, "ok.svg: ", "no file was written"},
        {"x.dxf", io::FileStep::Rename, 1, "x.dxf: ", "written all the same: ok.svg"},
    };
    for (const auto& row : rows) {
        for (const char* name : {"ok.svg", "x.dxf", "ok.pdf"}) std::ofstream(name) << "old";
        int steps = 0;
        io::testing::ScopedFault fault([&](io::FileStep step) {
            return step == row.step && steps++ == row.failing ? EROFS : 0;
        });
        const Outcome o = RunCommand(
            Words(std::string("template --svg ok.svg --pdf ok.pdf $SITE --dxf ") + row.dxf));
        EXPECT_EQ(o.status, kCliRunFailed) << row.failed;
        // The plan's notes may come first; the failure starts its own line.
        EXPECT_TRUE(Contains("\n" + o.err, std::string("\n") + row.failed)) << o.err;
        EXPECT_TRUE(Contains(o.err, row.message)) << o.err;
        EXPECT_EQ(Bytes("ok.svg") == "old", row.step != io::FileStep::Rename || row.failing != 1)
            << row.failed;
        EXPECT_EQ(Bytes("ok.pdf") + Bytes("x.dxf"), "oldold") << row.failed;
    }
}

// sundial-cli as its own process through the shell, standard output sent
// as `redirect` says; returns the wait status and the text on stderr.
int RunProcess(const std::string& line, const std::string& redirect, std::string& err) {
    std::string command = SUNDIAL_CLI_PATH;
    for (const std::string& word : Words(line)) command += " '" + word + "'";
    const int status = std::system((command + " " + redirect + " 2>err.txt").c_str());
    err = Bytes("err.txt");
    return status;
}

TEST_F(FileUse, FailedWritesToStandardOutputOrAPipeExitWithOneAndSayWhy) {
    // The FIFO's reader takes the document's first bytes and quits.
    ASSERT_EQ(::mkfifo("fifo", 0600), 0);
    const int reader = ::open("fifo", O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ::fcntl(reader, F_SETFL, 0);
    ::fcntl(reader, F_SETPIPE_SZ, 4096);
    if (::fork() == 0) {
        char first[16];
        // Until a writer comes the FIFO reads as empty.
        for (int i = 0; i < 20000 && ::read(reader, first, sizeof first) <= 0; ++i) ::usleep(1000);
        ::_exit(0);
    }
    ::close(reader);
    const struct {
        const char* line;
        const char* redirect;
        const char* reason;
    } rows[] = {
        {"template --pdf fifo $SITE", "", "fifo: Broken pipe"},
        {"template --json $SITE", ">/dev/full", "No space left on device"},
        {"places", ">/dev/full", "No space left on device"},
        {"report $SITE", ">/dev/full", "No space left on device"},
        {"report --json $SITE", ">/dev/full", "No space left on device"},
        {"sun --json --at 2026-06-21T12:00:00 $SITE", ">/dev/full", "No space left on device"},
        {"places", ">&-", "cannot write to standard output: Bad file descriptor"},
    };
    for (const auto& row : rows) {
        std::string err;
        const int status = RunProcess(row.line, row.redirect, err);
        ASSERT_TRUE(WIFEXITED(status)) << row.line << ": signal " << WTERMSIG(status);
        EXPECT_EQ(WEXITSTATUS(status), kCliRunFailed) << row.line;
        EXPECT_TRUE(Contains(err, row.reason)) << row.line << ": " << err;
    }
    ::wait(nullptr);
}

}  // namespace
}  // namespace sundial
