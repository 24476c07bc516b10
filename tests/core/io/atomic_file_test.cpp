#include "core/io/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "tests/core/io/io_test_support.h"

namespace sundial::io {
namespace {

namespace fs = std::filesystem;
using testing::IsFifo;
using testing::ReadAll;
using testing::ScopedFault;
using testing::ScratchFolder;
using testing::WriteAll;

std::string Reason(int error) {
    return std::generic_category().message(error);
}

struct StepFault {
    const char* name;
    FileStep step;
    int error;
};

class FailedReplaceTest : public ::testing::TestWithParam<StepFault> {};

// Whatever step fails, the old bytes stay under the name, the reason is the
// system's, and no partial file is left beside it.
TEST_P(FailedReplaceTest, KeepsTheOldFileAndLeavesNothingBehind) {
    const StepFault& fault = GetParam();
    ScratchFolder folder;
    const fs::path target = folder / "data.txt";
    WriteAll(target, "old contents\n");

    ScopedFault injected(fault.step, fault.error);
    std::string error;
    EXPECT_FALSE(ReplaceFileContents(target, "new contents\n", &error));
    EXPECT_EQ(error, Reason(fault.error));
    EXPECT_EQ(ReadAll(target), "old contents\n");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"data.txt"});
}

TEST_P(FailedReplaceTest, CreatesNothingWhenThereWasNoFile) {
    const StepFault& fault = GetParam();
    ScratchFolder folder;
    ScopedFault injected(fault.step, fault.error);
    EXPECT_FALSE(ReplaceFileContents(folder / "data.txt", "new contents\n"));
    EXPECT_TRUE(folder.Names().empty());
}

INSTANTIATE_TEST_SUITE_P(EveryStep, FailedReplaceTest,
                         ::testing::Values(StepFault{"CreateRefused", FileStep::Create, EACCES},
                                           StepFault{"DiskFull", FileStep::Write, ENOSPC},
                                           StepFault{"SyncFails", FileStep::Sync, EIO},
                                           StepFault{"RenameFails", FileStep::Rename, EROFS}),
                         [](const auto& info) { return std::string(info.param.name); });

class KilledReplaceTest : public ::testing::TestWithParam<StepFault> {};

// A process killed part way (the desktop program closed during a resize,
// a power cut) leaves the old file whole under its name.
TEST_P(KilledReplaceTest, LeavesTheOldFileWhole) {
    const FileStep step = GetParam().step;
    ScratchFolder folder;
    const fs::path target = folder / "data.txt";
    WriteAll(target, "old contents\n");
    EXPECT_EXIT(
        {
            testing::KillAt(step);
            ReplaceFileContents(target, std::string(200000, 'n'));
        },
        ::testing::KilledBySignal(SIGKILL), "");
    EXPECT_EQ(ReadAll(target), "old contents\n");
    // Nor is a partial file left beside it.
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"data.txt"});
    // The next save puts things right.
    EXPECT_TRUE(ReplaceFileContents(target, "new contents\n"));
    EXPECT_EQ(ReadAll(target), "new contents\n");
}

INSTANTIATE_TEST_SUITE_P(WhileWriting, KilledReplaceTest,
                         ::testing::Values(StepFault{"BeforeTheFirstWrite", FileStep::Write, 0},
                                           StepFault{"BeforeTheSync", FileStep::Sync, 0},
                                           StepFault{"BeforeTheRename", FileStep::Rename, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AtomicFileTest, AbandonedWriteKeepsTheOldFile) {
    ScratchFolder folder;
    const fs::path target = folder / "data.txt";
    WriteAll(target, "old contents\n");
    {
        AtomicFile file(target);
        ASSERT_TRUE(file.Open());
        // More than one buffer, so part of it has reached the disk.
        ASSERT_TRUE(file.Write(std::string(300000, 'n')));
    }
    EXPECT_EQ(ReadAll(target), "old contents\n");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"data.txt"});
}

TEST(AtomicFileTest, AfterAFailureEveryCallGivesTheSameReason) {
    ScratchFolder folder;
    AtomicFile file(folder / "data.txt");
    ASSERT_TRUE(file.Open());
    {
        ScopedFault full(FileStep::Write, ENOSPC);
        EXPECT_FALSE(file.Write(std::string(100000, 'n')));
    }
    EXPECT_FALSE(file.Write("more"));
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(file.Error(), Reason(ENOSPC));
    EXPECT_TRUE(folder.Names().empty());
}

// Small and large writes in any order, some gathered and some passed straight
// through, come out as one file in the order written.
TEST(AtomicFileTest, WritesOfEverySizeKeepTheirOrder) {
    const struct {
        const char* name;
        std::vector<std::size_t> sizes;
    } rows[] = {
        {"one large", {200000}},
        {"small then large", {10, 200000, 3}},
        {"large then small", {70000, 1, 65536, 65535, 2}},
        {"many small", std::vector<std::size_t>(300, 1000)},
        {"empty among them", {0, 65536, 0, 5}},
    };
    for (const auto& row : rows) {
        ScratchFolder folder;
        AtomicFile file(folder / "data.bin");
        ASSERT_TRUE(file.Open()) << row.name;
        std::string expected;
        for (std::size_t i = 0; i < row.sizes.size(); ++i) {
            const std::string piece(row.sizes[i], static_cast<char>('a' + i % 26));
            EXPECT_TRUE(file.Write(piece)) << row.name;
            expected += piece;
        }
        ASSERT_TRUE(file.Commit()) << row.name;
        EXPECT_EQ(ReadAll(folder / "data.bin"), expected) << row.name;
    }
}

// Concurrent writers each finish their own file: a reader polling the name
// sees one writer's whole file every time, never an empty or mixed one.
TEST(AtomicFileTest, ConcurrentWritersNeverShowAPartialFile) {
    ScratchFolder folder;
    const fs::path target = folder / "data.txt";
    constexpr int kWriters = 8;
    constexpr int kRounds = 8;
    constexpr std::size_t kSize = 150000;  // more than one buffer per file
    auto contents = [](int writer) { return std::string(kSize, static_cast<char>('a' + writer)); };
    WriteAll(target, contents(0));

    std::atomic<bool> done{false};
    std::atomic<int> badReads{0};
    std::thread reader([&] {
        while (!done) {
            const std::string seen = ReadAll(target);
            if (seen.size() != kSize || seen.find_first_not_of(seen[0]) != std::string::npos) {
                ++badReads;
            }
        }
    });
    std::atomic<int> failures{0};
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&, w] {
            for (int round = 0; round < kRounds; ++round) {
                if (!ReplaceFileContents(target, contents(w))) ++failures;
            }
        });
    }
    for (std::thread& writer : writers) writer.join();
    done = true;
    reader.join();

    EXPECT_EQ(failures, 0);
    EXPECT_EQ(badReads, 0);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"data.txt"});
}

TEST(AtomicFileTest, TheReplacementKeepsTheOldPermissions) {
    ScratchFolder folder;
    const fs::path target = folder / "data.txt";
    WriteAll(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(ReplaceFileContents(target, "new"));
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(AtomicFileTest, ASymbolicLinkStaysALinkAndItsFileIsReplaced) {
    ScratchFolder folder;
    fs::create_directory(folder / "real");
    WriteAll(folder / "real" / "data.txt", "old");
    fs::create_symlink(folder / "real" / "data.txt", folder / "link.txt");
    ASSERT_TRUE(ReplaceFileContents(folder / "link.txt", "new"));
    EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
    EXPECT_EQ(ReadAll(folder / "real" / "data.txt"), "new");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"link.txt", "real"}));
}

// What is not a regular file is never replaced by one: refused, or (where the
// caller asks for it) written into as a stream. Nothing here may hang.
TEST(AtomicFileTest, TargetsThatAreNotRegularFiles) {
    ScratchFolder folder;
    const fs::path fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(folder / "folder");
    const struct {
        const char* name;
        fs::path target;
        SpecialTarget special;
        bool written;
        std::string error;
    } rows[] = {
        {"fifo refused", fifo, SpecialTarget::Refuse, false, "it is not a regular file"},
        {"fifo nobody reads", fifo, SpecialTarget::WriteThrough, false,
         "no program is reading from it"},
        {"folder", folder / "folder", SpecialTarget::WriteThrough, false, Reason(EISDIR)},
        {"device refused", "/dev/null", SpecialTarget::Refuse, false, "it is not a regular file"},
        {"device written", "/dev/null", SpecialTarget::WriteThrough, true, ""},
        {"full device", "/dev/full", SpecialTarget::WriteThrough, false, Reason(ENOSPC)},
    };
    testing::HangGuard guard;
    for (const auto& row : rows) {
        AtomicFile file(row.target, row.special);
        const bool written = file.Open() && file.Write("bytes") && file.Commit();
        EXPECT_EQ(written, row.written) << row.name;
        EXPECT_EQ(file.Error(), row.error) << row.name;
    }
    EXPECT_TRUE(IsFifo(fifo));
    EXPECT_TRUE(fs::is_directory(folder / "folder"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"fifo", "folder"}));
}

TEST(AtomicFileTest, AReadOnlyFileIsNotReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
    ScratchFolder folder;
    const fs::path target = folder / "data.txt";
    WriteAll(target, "old");
    fs::permissions(target, fs::perms::owner_read);
    std::string error;
    EXPECT_FALSE(ReplaceFileContents(target, "new", &error));
    EXPECT_EQ(error, Reason(EACCES));
    EXPECT_EQ(ReadAll(target), "old");
}

// Where the new file goes for each placement, in a folder holding a file, a
// link to it, a dangling link and a loop. A failure changes nothing.
TEST(AtomicFileTest, EachPlacementPutsTheFileWhereItPromises) {
    const struct {
        const char* target;
        Placement placement;
        const char* error;  // empty when written
        const char* real;   // real.txt's bytes afterwards
    } rows[] = {
        {"link", Placement::FollowLinks, "", "new"},
        {"dangling", Placement::FollowLinks,
         "it is a symbolic link to nothing; nothing was written", "old"},
        {"loop", Placement::FollowLinks, "it is a symbolic link that loops; nothing was written",
         "old"},
        {"link", Placement::ReplaceEntry, "", "old"},
        {"fresh.txt", Placement::NewEntry, "", "old"},
        {"real.txt", Placement::NewEntry, "File exists", "old"},
    };
    for (const auto& row : rows) {
        ScratchFolder folder;
        WriteAll(folder / "real.txt", "old");
        fs::create_symlink("real.txt", folder / "link");
        fs::create_symlink("nowhere.txt", folder / "dangling");
        fs::create_symlink("loop", folder / "loop");
        AtomicFile file(folder / row.target, SpecialTarget::Refuse, row.placement);
        EXPECT_EQ(file.Open() && file.Write("new") && file.Commit(), *row.error == '\0');
        EXPECT_EQ(file.Error(), row.error) << row.target;
        EXPECT_EQ(ReadAll(folder / "real.txt"), row.real) << row.target;
        // A link followed stays a link; a replaced entry is a file of its own.
        EXPECT_EQ(fs::is_symlink(folder / row.target),
                  row.placement == Placement::FollowLinks && std::string(row.target) != "real.txt");
        EXPECT_EQ(folder.Names().size(),
                  std::string(row.target) == "fresh.txt" && !*row.error ? 5u : 4u);
    }
}

}  // namespace
}  // namespace sundial::io
