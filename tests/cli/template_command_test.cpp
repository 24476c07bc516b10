// sundial-cli template: what it writes for good input, and that bad input is
// named, exits with 2 and writes nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
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
    EXPECT_EQ(json["plane"], (nlohmann::json{{"bearing", 200}, {"recline", 0}}));
    // The nodus 150 mm along the style from the root: its height and foot agree.
    const nlohmann::json& nodus = json["nodus"];
    const double along = std::hypot(nodus["x"].get<double>() - 300, nodus["y"].get<double>());
    EXPECT_NEAR(std::hypot(along, nodus["height"].get<double>()), 150, 2e-3);  // micrometres
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
        if (e["role"] == "date-lines" && e["shape"] == "polyline") {
            EXPECT_NEAR(std::fabs(e["declination"].get<double>()),
                        e["text"] == "21 Jun" || e["text"] == "21 Dec" ? 23.44 : 0, 1e-9);
        }
    }
    // The sun reaches a wall facing 200 degrees at 51.5 N from 08:00 to 19:00
    // and beyond, on either side by less than half an hour.
    EXPECT_EQ(roles["hour-lines"], 12);
    EXPECT_EQ(roles["half-hour-lines"], 12);
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
        {"root far off the plate",
         {"template", "--width", "600", "--height", "400", "--root-x", "60601"},
         "root must lie within 60000 mm"},
        {"date lines without nodus",
         {"template", "--width", "600", "--height", "400", "--date-lines"},
         "need the nodus"},
        {"latitude beyond 89",
         {"template", "--width", "600", "--height", "400", "--lat", "89.5", "--lon", "0", "--east"},
         "from -89 (south) to 89 (north)"},
        {"south and a minus",
         {"template", "--width", "600", "--height", "400", "--lat", "-30", "--south", "--lon", "0",
          "--east"},
         "without a minus sign"},
        {"zone not a quarter hour",
         {"template", "--width", "600", "--height", "400", "--utc", "5.6"},
         "in quarter hours"},
        {"polar with a bearing",
         {"template", "--width", "600", "--height", "400", "--dial", "polar", "--bearing", "170"},
         "sets its own plane"},
        {"root on a wall facing east",
         {"template", "--width", "600", "--height", "400", "--bearing", "90", "--root-x", "1"},
         "place the gnomon by the nodus's foot"},
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
         {"template", "--width", "600", "--height", "400", "--bearing", "361"},
         "from 0 to 360 degrees"},
        {"noon curve without a nodus",
         {"template", "--width", "600", "--height", "400", "--noon-curve"},
         "need the nodus"},
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

TEST_F(TemplateCommand, NothingMadeIsNeverReportedAsDone) {
    const std::vector<std::string> plate = {"template", "--width", "600", "--height", "450"};
    const struct {
        const char* name;
        std::vector<std::string> args;
        int status;
        const char* message;
    } rows[] = {
        {"no output asked for", {}, kCliBadInput, "Say what to make"},
        {"one file for two",
         {"--pdf", File("same"), "--svg", File("./same")},
         kCliBadInput,
         "name the same file"},
        // On a wall every line runs down from the root: none from the bottom edge.
        {"root on the bottom edge",
         {"--root-y", "450", "--svg", File("same")},
         kCliRunFailed,
         "No hour line falls on the plate"},
    };
    for (const auto& r : rows) {
        const Outcome o = RunTemplate(plate + r.args);
        EXPECT_EQ(o.status, r.status) << r.name;
        EXPECT_TRUE(Contains(o.err, r.message)) << r.name << ": " << o.err;
        EXPECT_FALSE(fs::exists(dir / "same")) << r.name;
    }
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
