#include "core/io/regular_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "tests/core/io/io_test_support.h"

namespace sundial::io {
namespace {

namespace fs = std::filesystem;
using testing::ScratchFolder;
using testing::WriteAll;

TEST(ReadFilePrefixTest, ReadsAtMostTheLimitAndOnlyFromRegularFiles) {
    ScratchFolder folder;
    WriteAll(folder / "ten", "0123456789");
    WriteAll(folder / "eleven", "0123456789A");
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    fs::create_directory(folder / "folder");
    fs::create_symlink(folder / "ten", folder / "link");
    fs::create_symlink(folder / "gone", folder / "dangling");
    const struct {
        const char* name;
        fs::path path;
        FileKind kind;
        std::string bytes;
        bool truncated;
    } rows[] = {
        {"shorter than the limit", folder / "ten", FileKind::Regular, "0123456789", false},
        {"one byte more", folder / "eleven", FileKind::Regular, "0123456789", true},
        {"link to a file", folder / "link", FileKind::Regular, "0123456789", false},
        {"missing", folder / "none", FileKind::Missing, "", false},
        {"under a file", folder / "ten" / "x", FileKind::Missing, "", false},
        {"dangling link", folder / "dangling", FileKind::Missing, "", false},
        {"fifo", folder / "fifo", FileKind::Other, "", false},
        {"device", "/dev/zero", FileKind::Other, "", false},
        {"folder", folder / "folder", FileKind::Folder, "", false},
    };
    testing::HangGuard guard;  // a FIFO opened for reading would wait for ever
    for (const auto& row : rows) {
        const FilePrefix prefix = ReadFilePrefix(row.path, 10);
        EXPECT_EQ(prefix.kind, row.kind) << row.name;
        EXPECT_EQ(prefix.bytes, row.bytes) << row.name;
        EXPECT_EQ(prefix.truncated, row.truncated) << row.name;
        EXPECT_EQ(prefix.error, "") << row.name;
    }
}

// A 100 MB file costs what the limit allows and no more (the file is sparse:
// the test needs no disk space).
TEST(ReadFilePrefixTest, AHugeFileIsReadOnlyAsFarAsTheLimit) {
    ScratchFolder folder;
    const fs::path huge = folder / "huge";
    WriteAll(huge, "3.5\r\n");
    fs::resize_file(huge, 100'000'000);
    const FilePrefix prefix = ReadFilePrefix(huge, 4096);
    EXPECT_EQ(prefix.kind, FileKind::Regular);
    EXPECT_TRUE(prefix.truncated);
    EXPECT_EQ(prefix.bytes.size(), 4096u);
    EXPECT_LE(prefix.bytes.capacity(), 4097u * 2);  // no buffer sized after the file
    EXPECT_EQ(prefix.bytes.substr(0, 5), "3.5\r\n");
}

TEST(ReadFilePrefixTest, AFolderThatCannotBeSearchedGivesTheReason) {
    if (::geteuid() == 0) GTEST_SKIP() << "root searches any folder";
    ScratchFolder folder;
    fs::create_directory(folder / "closed");
    WriteAll(folder / "closed" / "file", "x");
    fs::permissions(folder / "closed", fs::perms::none);
    const FilePrefix prefix = ReadFilePrefix(folder / "closed" / "file", 10);
    fs::permissions(folder / "closed", fs::perms::owner_all);
    EXPECT_EQ(prefix.kind, FileKind::Missing);
    EXPECT_EQ(prefix.error, "Permission denied");
}

}  // namespace
}  // namespace sundial::io
