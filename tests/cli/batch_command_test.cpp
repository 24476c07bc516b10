// sundial-cli batch as a user runs it: options, exit statuses and messages.
// What the files hold is the batch's own test's affair.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "cli/cli_app.h"
#include "tests/cli/cli_test_support.h"
#include "tests/core/io/io_test_support.h"

namespace sundial {
namespace {

using sundial::testing::operator+;
using sundial::testing::Contains;
using sundial::testing::Outcome;
using sundial::testing::RunCommand;
using sundial::testing::StartsWith;

Outcome Cli(std::vector<std::string> args) {
    return RunCommand(std::move(args), "sundial-cli");
}

int Occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

class BatchCommand : public ::testing::Test {
  protected:
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    std::string WriteSites(const std::string& body) const {
        const std::string file = Path("sites.csv");
        std::ofstream(file, std::ios::binary) << "name,latitude,longitude,bearing,utc\n" << body;
        return file;
    }
    std::vector<std::string> Files(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Path(folder))) {
            if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    io::testing::ScratchFolder dir_;
};

TEST_F(BatchCommand, BadOptionsExitWithTwoAndWriteNothing) {
    const std::string sites = WriteSites("A,50,0,200,0\n");
    const std::string out = Path("out");
    struct Row {
        const char* name;
        std::vector<std::string> args;
        const char* message;
    } rows[] = {
        {"no sites", {"--out", out}, "either --places or --sites"},
        {"both sources", {"--places", "--sites", sites, "--out", out}, "--places excludes --sites"},
        {"no folder", {"--places"}, "--out"},
        {"match with a file",
         {"--sites", sites, "--match", "L*", "--out", out},
         "--match requires --places"},
        {"bearing with a file", {"--sites", sites, "--bearing", "200", "--out", out}, "--places"},
        {"nothing matches", {"--places", "--match", "Atlantis*", "--out", out}, "no place"},
        {"bearing out of range", {"--places", "--bearing", "300", "--out", out}, "Bearing value"},
        {"missing file", {"--sites", Path("none.csv"), "--out", out}, "cannot read"},
        {"pdf takes no file", {"--places", "--pdf", "x.pdf", "--out", out}, "unexpected argument"},
        {"template takes no file",
         {"--places", "--template-svg", "x.svg", "--out", out},
         "unexpected argument"},
        {"plate without a template",
         {"--places", "--width", "600", "--out", out},
         "--width shapes the template: give --template-pdf or --template-svg."},
        {"template without its plate",
         {"--places", "--template-pdf", "--out", out},
         "Give the plate's size: --width MM --height MM."},
    };
    for (const Row& row : rows) {
        const Outcome o = Cli(std::vector<std::string>{"batch"} + row.args);
        EXPECT_EQ(o.status, kCliBadInput) << row.name;
        EXPECT_TRUE(Contains(o.err, row.message)) << row.name << ": " << o.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << row.name;
    }
}

TEST_F(BatchCommand, ABadHeaderIsBadInput) {
    const std::string sites = Path("sites.csv");
    std::ofstream(sites) << "town,lat,lon\nA,50,0\n";
    const Outcome o = Cli({"batch", "--sites", sites, "--out", Path("out")});
    EXPECT_EQ(o.status, kCliBadInput);
    EXPECT_TRUE(Contains(o.err, "the header must be name,latitude,longitude,bearing,utc")) << o.err;
}

TEST_F(BatchCommand, MatchingPlacesAreMadeWithTheirSheets) {
    const Outcome o =
        Cli({"batch", "--places", "--match", "*, Ireland", "--pdf", "--json", "--out", Path("ie")});
    ASSERT_EQ(o.status, kCliOk) << o.err;
    EXPECT_TRUE(StartsWith(o.out, "13 of 13 sites made in ")) << o.out;
    EXPECT_TRUE(o.err.empty()) << o.err;  // no terminal, no progress line
    const std::vector<std::string> files = Files("ie");
    EXPECT_EQ(files.size(), 3 * 13 + 1);
    EXPECT_NE(std::find(files.begin(), files.end(), "Dublin_Ireland.pdf"), files.end());
    EXPECT_NE(std::find(files.begin(), files.end(), "Dublin_Ireland.json"), files.end());
}

TEST_F(BatchCommand, TemplatesAreMadeForEachSiteAndTheirNotesShown) {
    const std::string sites = WriteSites("Church,50.7,3.5,185.2,0\n");
    const Outcome o = Cli({"batch", "--sites", sites, "--template-pdf", "--template-svg", "--width",
                           "600", "--height", "60", "--date-lines", "--nodus", "150", "--paper",
                           "letter", "--out", Path("out")});
    ASSERT_EQ(o.status, kCliOk) << o.err;
    EXPECT_EQ(Files("out"), (std::vector<std::string>{"Church.svg", "Church.template.pdf",
                                                      "Church.txt", "index.csv"}));
    // The plate is too low for the winter's shadow: said, not fatal.
    EXPECT_TRUE(Contains(o.err, sites + ": line 2 (Church): note: The nodus's shadow on "))
        << o.err;
}

TEST_F(BatchCommand, BadRowsAreNamedByLineAndTheExitIsOne) {
    const std::string sites = WriteSites(
        "Church,50.7,3.5,185.2,0\n"
        "Tower,50.7,3.5,185.2,14\n"
        "Chapel,,3.5,185.2,0\n");
    const Outcome o = Cli({"batch", "--sites", sites, "--out", Path("out")});
    EXPECT_EQ(o.status, kCliRunFailed);
    EXPECT_TRUE(StartsWith(o.out, "1 of 3 sites made")) << o.out;
    EXPECT_TRUE(Contains(o.err, sites + ": line 3 (Tower): the zone 14 is unknown")) << o.err;
    EXPECT_TRUE(Contains(o.err, sites + ": line 4 (Chapel): the latitude is missing"));
    EXPECT_EQ(Files("out"), (std::vector<std::string>{"Church.txt", "index.csv"}));
}

TEST_F(BatchCommand, ASecondRunNeedsForce) {
    const std::vector<std::string> args = {"batch",  "--places", "--match",
                                           "London", "--out",    Path("out")};
    ASSERT_EQ(Cli(args).status, kCliOk);
    const Outcome again = Cli(args);
    EXPECT_EQ(again.status, kCliBadInput);
    EXPECT_TRUE(Contains(again.err, "exists")) << again.err;
    EXPECT_TRUE(Contains(again.err, "--force")) << again.err;
    EXPECT_EQ(Cli(args + std::vector<std::string>{"--force"}).status, kCliOk);
}

TEST_F(BatchCommand, ClashesAreListedAFewAtATime) {
    const std::vector<std::string> args = {"batch",      "--places", "--match",
                                           "*, Britain", "--out",    Path("out")};
    ASSERT_EQ(Cli(args).status, kCliOk);
    const Outcome again = Cli(args);
    EXPECT_EQ(Occurrences(again.err, "exists"), 5);
    EXPECT_TRUE(Contains(again.err, "... and 20 more")) << again.err;
}

}  // namespace
}  // namespace sundial
