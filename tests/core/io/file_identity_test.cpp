#include "core/io/file_identity.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/core/io/io_test_support.h"

namespace sundial::io {
namespace {

namespace fs = std::filesystem;
using testing::ScratchFolder;
using testing::WriteAll;

// Runs in `folder` for the length of a scope, so that relative names mean
// what they would to a user typing them there.
class InFolder {
  public:
    explicit InFolder(const fs::path& folder) : before_(fs::current_path()) {
        fs::current_path(folder);
    }
    ~InFolder() { fs::current_path(before_); }

  private:
    fs::path before_;
};

// The kernel is the referee: a name pair is one file when a file made under
// the first name is found, as the same inode, under the second. Each row is
// judged before the file exists (the names alone) and again after.
TEST(FileIdentity, TwoNamesAreOneFileExactlyWhenTheKernelSaysSo) {
    ScratchFolder folder;
    const fs::path root = fs::canonical(folder.path());
    fs::create_directories(root / "deep" / "in");
    fs::create_directory(root / "sub");
    fs::create_directory_symlink(root / "deep" / "in", root / "up");  // up/.. is deep
    fs::create_symlink("x.svg", root / "to-x");  // dangling until x.svg is made
    fs::create_symlink(root / "sub", root / "sublink");
    fs::create_symlink("loop", root / "loop");
    const struct {
        const char* name;
        fs::path a, b;
    } rows[] = {
        {"same text", "x.svg", "x.svg"},
        {"relative and absolute", "x.svg", root / "x.svg"},
        {"dot folder", "./x.svg", "x.svg"},
        {"up from a folder", "sub/../x.svg", "x.svg"},
        {"link to a missing file", "to-x", "x.svg"},
        {"through a linked folder", "sublink/y.svg", "sub/y.svg"},
        {"up from a linked folder", "up/../x.svg", "deep/x.svg"},
        {"up from a linked folder is not here", "up/../x.svg", "x.svg"},
        {"other names", "x.svg", "y.svg"},
        {"other folders", "sub/x.svg", "x.svg"},
        {"a loop is itself", "loop", "loop"},
        {"a loop is no other file", "loop", "x.svg"},
    };
    const InFolder here(root);
    for (const auto& row : rows) {
        const bool judged = SameFile(row.a, row.b);
        std::error_code ec;
        WriteAll(row.a, "a");
        const std::optional<FileId> a = IdentityOf(row.a);
        const std::optional<FileId> b = IdentityOf(row.b);
        const bool kernel = a.has_value() && b.has_value() && *a == *b;
        // A name that loops can never be made: it is one file only with itself.
        const bool expected = a.has_value() ? kernel : row.a == row.b;
        EXPECT_EQ(judged, expected) << row.name << " (before)";
        EXPECT_EQ(SameFile(row.a, row.b), expected) << row.name << " (after)";
        for (const fs::path& made : {root / "x.svg", root / "y.svg", root / "sub" / "x.svg",
                                     root / "sub" / "y.svg", root / "deep" / "x.svg"}) {
            fs::remove(made, ec);
        }
    }
}

TEST(FileIdentity, HardLinksAndLinksToExistingFilesAreOneFile) {
    ScratchFolder folder;
    WriteAll(folder / "p.sundial", "{}");
    WriteAll(folder / "other", "{}");
    ASSERT_EQ(::link((folder / "p.sundial").c_str(), (folder / "hard").c_str()), 0);
    fs::create_symlink(folder / "p.sundial", folder / "soft");
    EXPECT_TRUE(SameFile(folder / "hard", folder / "p.sundial"));
    EXPECT_TRUE(SameFile(folder / "soft", folder / "hard"));
    EXPECT_FALSE(SameFile(folder / "other", folder / "p.sundial"));
}

TEST(FileIdentity, OnlyAFileWrittenMayNotBeShared) {
    ScratchFolder folder;
    WriteAll(folder / "in", "");
    const fs::path in = folder / "in", out = folder / "out";
    const struct {
        const char* name;
        std::vector<NamedFile> files;
        const char* problem;  // empty for none
    } rows[] = {
        {"two readers", {{"--project", in, false}, {"--settings", in, false}}, ""},
        {"distinct", {{"--project", in, false}, {"--svg", out, true}}, ""},
        {"output over input",
         {{"--project", in, false}, {"--svg", out, true}, {"--pdf", in, true}},
         "--pdf and --project name the same file"},
        {"two outputs",
         {{"--svg", out, true}, {"--dxf", out, true}},
         "--svg and --dxf name the same file: one would overwrite the other."},
    };
    for (const auto& row : rows) {
        const std::optional<std::string> problem = SharedFileProblem(row.files);
        if (*row.problem == '\0') {
            EXPECT_FALSE(problem) << row.name << ": " << problem.value_or("");
        } else {
            ASSERT_TRUE(problem) << row.name;
            EXPECT_EQ(problem->rfind(row.problem, 0), 0u) << row.name << ": " << *problem;
        }
    }
}

}  // namespace
}  // namespace sundial::io
