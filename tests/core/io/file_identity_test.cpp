#include "core/io/file_identity.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/core/io/io_test_support.h"

namespace sundial::io {
namespace {

namespace fs = std::filesystem;

// The kernel is the referee: two names are one file when a file made under
// the first is found, as the same inode, under the second. Each pair is
// judged before the file exists (by the names alone) and again after.
TEST(FileIdentity, TwoNamesAreOneFileExactlyWhenTheKernelSaysSo) {
    testing::ScratchFolder folder;
    const fs::path root = fs::canonical(folder.path());
    fs::create_directories(root / "deep" / "in");
    fs::create_directory(root / "sub");
    fs::create_directory_symlink(root / "deep" / "in", root / "up");  // up/.. is deep
    fs::create_symlink("x", root / "to-x");                           // to nothing yet
    fs::create_symlink("sub", root / "sublink");
    fs::create_symlink("loop", root / "loop");
    const struct {
        const char* a;
        const char* b;
    } rows[] = {
        {"x", "x"},
        {"./x", "x"},
        {"sub/../x", "x"},
        {"to-x", "x"},
        {"sublink/y", "sub/y"},
        {"up/../x", "deep/x"},
        {"up/../x", "x"},
        {"x", "y"},
        {"sub/x", "x"},
        {"loop", "loop"},
        {"loop", "x"},
    };
    for (const auto& row : rows) {
        const fs::path a = root / row.a, b = root / row.b;
        const bool judged = SameFile(a, b);
        testing::WriteAll(a, "a");
        const std::optional<FileId> ia = IdentityOf(a), ib = IdentityOf(b);
        // A name that loops can never be made: it is one file only with itself.
        const bool expected = ia ? ib && *ia == *ib : a == b;
        EXPECT_EQ(judged, expected) << row.a << " and " << row.b << " (before)";
        EXPECT_EQ(SameFile(a, b), expected) << row.a << " and " << row.b << " (after)";
        for (const char* made : {"x", "y", "sub/x", "sub/y", "deep/x"}) fs::remove(root / made);
    }
}

}  // namespace
}  // namespace sundial::io
