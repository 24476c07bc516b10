// sundial-cli template: what it writes for good input, and that bad input is
// named, exits with 2 and writes nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "cli/cli_app.h"
#include "tests/cli/cli_test_support.h"

namespace sundial {
namespace {

using sundial::testing::operator+;
using sundial::testing::Contains;
using sundial::testing::Outcome;
using sundial::testing::RunCommand;
using sundial::testing::StartsWith;

namespace fs = std::filesystem;

Outcome RunTemplate(std::vector<std::string> args) {
    return RunCommand(std::move(args), "sundial-cli");
}

const std::vector<std::string> kIssue = {
    "template", "--place",  "London", "--bearing", "200",          "--utc",   "0",  "--width",
    "600",      "--height", "450",    "--half",    "--date-lines", "--nodus", "150"};

class TemplateCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("sundial_template_cli_" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string File(const char* name) const { return (dir / name).string(); }
    fs::path dir;
};

TEST_F(TemplateCommand, WritesTheTiledPdfAndTheSvg) {
    const Outcome o = RunTemplate(
        kIssue + std::vector<std::string>{"--pdf", File("t.pdf"), "--svg", File("t.svg")});
    ASSERT_EQ(o.status, kCliOk) << o.err;
    EXPECT_TRUE(Contains(o.out, "10 pages (overview, 2 x 4 dial tiles, gnomon plate on 1)"))
        << o.out;
    EXPECT_GT(fs::file_size(dir / "t.pdf"), 10000u);
    EXPECT_GT(fs::file_size(dir / "t.svg"), 10000u);
}

TEST_F(TemplateCommand, JsonListsEachElementsRoleHourAndPoints) {
    const Outcome o =
        RunTemplate(kIssue + std::vector<std::string>{"--json", "--numerals", "arabic"});
    ASSERT_EQ(o.status, kCliOk) << o.err;
    const nlohmann::json json = o.json();
    EXPECT_EQ(json["plate"]["width"].get<double>(), 600);
    EXPECT_EQ(json["root"], nlohmann::json::array({300, 0}));
    std::map<std::string, int> roles;
    for (const nlohmann::json& e : json["elements"]) {
        ++roles[e["role"].get<std::string>()];
        if (e["role"] == "hour-lines") {
            EXPECT_TRUE(e.contains("hour"));
            EXPECT_EQ(e["points"].size(), 2);
            EXPECT_EQ(e["points"][0], nlohmann::json::array({300, 0}));
        }
        if (e["role"] == "numerals") {
            EXPECT_EQ(e["text"].get<std::string>(), std::to_string(e["hour"].get<int>()));
        }
    }
    EXPECT_EQ(roles["hour-lines"], 12);  // 7 to 18 at a wall facing 200 degrees
    EXPECT_EQ(roles["half-hour-lines"], 11);
    EXPECT_EQ(roles["numerals"], 12);
    EXPECT_GE(roles["date-lines"], 6);  // three lines and their labels
    EXPECT_NEAR(json["gnomon"]["style"].get<double>(), 150, 1e-9);
}

TEST_F(TemplateCommand, BadInputIsNamedExitsWithTwoAndWritesNothing) {
    const struct {
        const char* name;
        std::vector<std::string> args;
        const char* message;
    } rows[] = {
        {"no size", {"template", "--place", "London"}, "--width MM --height MM"},
        {"width a word", {"template", "--width", "wide", "--height", "400"}, "not a number"},
        {"too small", {"template", "--width", "49", "--height", "400"}, "from 50 to 5000 mm"},
        {"too large", {"template", "--width", "600", "--height", "5001"}, "from 50 to 5000 mm"},
        {"root off the plate",
         {"template", "--width", "600", "--height", "400", "--root-x", "601"},
         "root must lie on the plate"},
        {"date lines without nodus",
         {"template", "--width", "600", "--height", "400", "--date-lines"},
         "need --nodus"},
        {"months alone",
         {"template", "--width", "600", "--height", "400", "--months", "--nodus", "100"},
         "month lines go with the date lines"},
        {"numerals unknown",
         {"template", "--width", "600", "--height", "400", "--numerals", "greek"},
         "roman, arabic or none"},
        {"paper unknown",
         {"template", "--width", "600", "--height", "400", "--paper", "a5"},
         "a4, letter or a3"},
        {"bad site",
         {"template", "--width", "600", "--height", "400", "--bearing", "300"},
         "Bearing value outside"},
        {"noon curve without a nodus",
         {"template", "--width", "600", "--height", "400", "--noon-curve"},
         "need --nodus"},
    };
    for (const auto& r : rows) {
        const Outcome o = RunTemplate(
            r.args + std::vector<std::string>{"--pdf", File("bad.pdf"), "--svg", File("bad.svg")});
        EXPECT_EQ(o.status, kCliBadInput) << r.name;
        EXPECT_TRUE(Contains(o.err, r.message)) << r.name << ": " << o.err;
        EXPECT_FALSE(fs::exists(dir / "bad.pdf")) << r.name;
        EXPECT_FALSE(fs::exists(dir / "bad.svg")) << r.name;
    }
}

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A design saved as a project and opened again makes the same files; options
// given with --project go over it, and a project that cannot be used is bad
// input that writes nothing.
TEST_F(TemplateCommand, AProjectGivesTheSameFilesAndTakesOptionsOverIt) {
    const std::vector<std::string> made = {"--made", "2026-12-09"};
    ASSERT_EQ(RunTemplate(kIssue + made +
                          std::vector<std::string>{"--save-project", File("p.sundial"), "--svg",
                                                   File("a.svg"), "--dxf", File("a.dxf")})
                  .status,
              kCliOk);
    const Outcome o = RunTemplate({"template", "--project", File("p.sundial"), "--svg",
                                   File("b.svg"), "--dxf", File("b.dxf")});
    ASSERT_EQ(o.status, kCliOk) << o.err;
    EXPECT_EQ(Bytes(dir / "b.svg"), Bytes(dir / "a.svg"));
    EXPECT_EQ(Bytes(dir / "b.dxf"), Bytes(dir / "a.dxf"));

    const Outcome over =
        RunTemplate({"template", "--project", File("p.sundial"), "--bearing", "185.2", "--width",
                     "500", "--save-project", File("q.sundial")});
    ASSERT_EQ(over.status, kCliOk) << over.err;
    const std::string q = Bytes(dir / "q.sundial");
    EXPECT_TRUE(Contains(q, "\"bearing\": \"185.2\"")) << q;
    EXPECT_TRUE(Contains(q, "\"width\": 500.0")) << q;
    EXPECT_TRUE(Contains(q, "\"nodus\": 150.0")) << q;

    std::ofstream(dir / "new.sundial") << "{\"format\": \"sundial dial project\", \"version\": 9}";
    const Outcome newer =
        RunTemplate({"template", "--project", File("new.sundial"), "--svg", File("c.svg")});
    EXPECT_EQ(newer.status, kCliBadInput);
    EXPECT_TRUE(Contains(newer.err, "newer version")) << newer.err;
    EXPECT_FALSE(fs::exists(dir / "c.svg"));
}

TEST_F(TemplateCommand, NoonCurveComesWithTheEquationOfTimeTable) {
    const Outcome o = RunTemplate(kIssue + std::vector<std::string>{"--noon-curve", "--json"});
    ASSERT_EQ(o.status, kCliOk) << o.err;
    std::map<std::string, int> roles;
    const nlohmann::json json = o.json();
    for (const nlohmann::json& v : json["elements"]) {
        ++roles[v["role"].get<std::string>()];
    }
    EXPECT_GE(roles["noon-curve"], 2);         // the curve and its label
    EXPECT_GE(roles["equation-of-time"], 25);  // heading, months, two rows of days
}

TEST_F(TemplateCommand, AFileThatCannotBeWrittenFailsWithOne) {
    const Outcome o =
        RunTemplate(kIssue + std::vector<std::string>{"--svg", File("missing/t.svg")});
    EXPECT_EQ(o.status, kCliRunFailed);
    EXPECT_TRUE(Contains(o.err, "t.svg")) << o.err;
}

}  // namespace
}  // namespace sundial
