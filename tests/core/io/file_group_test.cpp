#include "core/io/file_group.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "tests/core/io/io_test_support.h"

namespace sundial::io {
namespace {

namespace fs = std::filesystem;
using testing::ReadAll;
using testing::ScopedFault;
using testing::ScratchFolder;
using testing::WriteAll;

// Two groups of two files over old ones, one step failing after `after`
// steps of its kind succeed: what each group committed, and every file is
// its old bytes or its whole new ones, with no temporary file beside them.
TEST(FileGroup, EachGroupIsPutInPlaceInOrderAndStopsAtItsFirstFailure) {
    const struct {
        const char* name;
        FileStep step;
        int after;
        std::vector<std::size_t> committed;  // per group
    } rows[] = {
        {"nothing fails", FileStep::Write, 99, {2, 2}},
        // One flush stores all files: when it fails none is committed.
        {"the store fails", FileStep::Sync, 0, {0, 0}},
        {"the first group's second rename", FileStep::Rename, 1, {1, 2}},
        {"the second group's first rename", FileStep::Rename, 2, {2, 0}},
    };
    for (const auto& row : rows) {
        ScratchFolder folder;
        const std::vector<std::string> names = {"a", "b", "c", "d"};
        for (const std::string& name : names) WriteAll(folder / name, "old");
        std::vector<FileGroup> groups(2);
        for (std::size_t i = 0; i < names.size(); ++i) {
            ASSERT_TRUE(AddToGroup(groups[i / 2], std::make_unique<AtomicFile>(folder / names[i]),
                                   "new " + names[i]))
                << row.name;
        }
        int seen = 0;
        std::vector<GroupCommit> commits;
        {
            ScopedFault fault(
                [&](FileStep step) { return step == row.step && seen++ == row.after ? EIO : 0; });
            commits = CommitGroups(groups);
        }
        ASSERT_EQ(commits.size(), 2u) << row.name;
        for (std::size_t g = 0; g < 2; ++g) {
            EXPECT_EQ(commits[g].committed, row.committed[g]) << row.name << " group " << g;
            EXPECT_EQ(commits[g].error.empty(), row.committed[g] == 2)
                << row.name << " group " << g;
            for (std::size_t f = 0; f < 2; ++f) {
                const std::string& name = names[2 * g + f];
                EXPECT_EQ(ReadAll(folder / name), f < row.committed[g] ? "new " + name : "old")
                    << row.name << ": " << name;
            }
        }
        EXPECT_EQ(folder.Names(), names) << row.name;
    }
}

// A file that cannot be opened or written is still added, with its reason.
TEST(FileGroup, AFileThatCannotBeStagedSaysWhy) {
    ScratchFolder folder;
    FileGroup group;
    EXPECT_FALSE(AddToGroup(group, std::make_unique<AtomicFile>(folder / "no" / "x"), "x"));
    ASSERT_EQ(group.size(), 1u);
    EXPECT_EQ(group[0]->Error(), std::generic_category().message(ENOENT));
    EXPECT_TRUE(folder.Names().empty());
}

}  // namespace
}  // namespace sundial::io
