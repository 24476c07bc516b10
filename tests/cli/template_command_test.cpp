// sundial-cli template: what it writes for good input, and that bad input is
// named, exits with 2 and writes nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

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

// Text typed on a terminal that does not speak UTF-8, or holding control
// characters and noncharacters, reaches the SVG and the JSON cleaned: an XML
// parser reads the SVG, and stderr says what happened.
TEST_F(TemplateCommand, TextThatIsNotUtf8IsCleanedOnItsWayIntoTheFiles) {
    const Outcome o = RunTemplate(
        kIssue + std::vector<std::string>{"--made", "M\xE4rz\x01\xEF\xBF\xBE\xED\xA0\x80", "--svg",
                                          File("t.svg"), "--json"});
    ASSERT_EQ(o.status, kCliOk) << o.err;
    EXPECT_TRUE(Contains(o.err, "warning: --made: ")) << o.err;
    const std::string made = "M\xEF\xBF\xBDrz\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD";
    EXPECT_FALSE(o.json().is_discarded());
    EXPECT_TRUE(Contains(o.out, made)) << o.out;
    const std::string check =
        "python3 -c 'import sys, xml.dom.minidom as m; "
        "sys.exit(\"" +
        made + "\" not in m.parse(sys.argv[1]).toxml())' " + File("t.svg");
    EXPECT_EQ(std::system(check.c_str()), 0) << check;
}

TEST_F(TemplateCommand, WritesTheTiledPdfAndTheSvg) {
    const Outcome o = RunTemplate(
        kIssue + std::vector<std::string>{"--pdf", File("t.pdf"), "--svg", File("t.svg")});
    ASSERT_EQ(o.status, kCliOk) << o.err;
    EXPECT_TRUE(
        Contains(o.out, "11 pages (overview, setting out, 2 x 4 dial tiles, gnomon plate on 1)"))
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
        if (e["shape"] == "text") {
            // The box (left, top, right, bottom) holds the baseline point.
            const auto& box = e["box"];
            const double x = e["points"][0][0], y = e["points"][0][1];
            const double left = box[0], top = box[1], right = box[2], bottom = box[3];
            EXPECT_TRUE(left < right && top < y && y <= bottom) << e;
            EXPECT_TRUE(e["role"] != "numerals" || std::fabs((left + right) / 2 - x) < 2e-3) << e;
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
    // The setting-out page's words, each boxed within the page.
    const nlohmann::json& setting = json["settingOut"];
    std::string words;
    for (const nlohmann::json& e : setting["elements"]) {
        if (e["shape"] != "text") continue;
        words += e["text"].get<std::string>() + "\n";
        EXPECT_LE(e["box"][2].get<double>(), setting["size"]["width"].get<double>() + 1e-3) << e;
        EXPECT_GE(e["box"][0].get<double>(), -1e-3) << e;
    }
    for (const char* heading : {"1. Which way it faces", "4. True noon by the clock"}) {
        EXPECT_TRUE(Contains(words, heading)) << words;
    }
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
        {"Babylonian hours without a nodus",
         {"template", "--width", "600", "--height", "400", "--babylonian"},
         "--babylonian and --temporal need the nodus"},
        {"zone and offset disagree",
         {"template", "--width", "600", "--height", "400", "--tz", "Europe/London", "--utc", "1",
          "--year", "2026"},
         "--utc 1 and --tz Europe/London disagree: Europe/London keeps UTC+0 as its standard "
         "time in 2026. Give one of them."},
        {"made too long",
         {"template", "--width", "600", "--height", "400", "--made", std::string(201, 'm')},
         "--made is too long (more than 200 characters)."},
        {"a 25th date",
         {"template", "--width", "600", "--height", "400", "--nodus", "100", "--date-line", "01-01",
          "--date-line",
          "01-02,01-03,01-04,01-05,01-06,01-07,01-08,01-09,01-10,01-11,01-12,01-13,"
          "01-14,01-15,01-16,01-17,01-18,01-19,01-20,01-21,01-22,01-23,01-24,01-25"},
         "--date-line: more than 24 different dates."},
        {"zone unknown",
         {"template", "--width", "600", "--height", "400", "--tz", "Europe/Londn"},
         "--tz: there is no time zone called \"Europe/Londn\""},
        {"analemmatic at the equator",
         {"template", "--lat", "4", "--lon", "0", "--east", "--dial", "analemmatic", "--major",
          "1000"},
         "needs a latitude of at least 5 degrees"},
        {"analemmatic with a nodus",
         {"template", "--dial", "analemmatic", "--major", "1000", "--nodus", "100"},
         "--nodus does not apply to --dial analemmatic"},
        {"analemmatic without its axis", {"template", "--dial", "analemmatic"}, "needs --major MM"},
        {"major on a wall",
         {"template", "--width", "600", "--height", "400", "--major", "1000"},
         "--major goes with --dial analemmatic"},
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

// What is saved opens again and draws what was typed: a text at the limit,
// bytes that are no UTF-8 (saved as the drawing's U+FFFD), a date given 1,000
// times (kept once).
TEST_F(TemplateCommand, ASavedProjectOpensAndDrawsWhatWasTyped) {
    std::vector<std::string> repeated;
    for (int i = 0; i < 2000; ++i) repeated.push_back(i % 2 ? "06-01" : "--date-line");
    const std::vector<std::string> rows[][2] = {
        {{"--made", std::string(200, 'm')}, {"\"made\": \"mmm"}},
        {{"--made", "M\xE4rz"}, {"\"made\": \"M\xEF\xBF\xBDrz\""}},
        {repeated, {"\"date-line\": \"06-01\"\n"}},
    };
    const std::vector<std::string> outputs = {"--svg", File("a.svg"), "--save-project", File("p")};
    for (const auto& [args, saved] : rows) {
        ASSERT_EQ(RunTemplate(kIssue + args + outputs).status, kCliOk) << saved[0];
        EXPECT_TRUE(Contains(Bytes(dir / "p"), saved[0])) << saved[0];
        ASSERT_EQ(RunTemplate({"template", "--project", File("p"), "--svg", File("b.svg")}).status,
                  kCliOk);
        EXPECT_EQ(Bytes(dir / "b.svg"), Bytes(dir / "a.svg")) << saved[0];
    }
}

// Any flat dial's site (south, a fractional zone, a turned horizontal plate)
// saved as a project draws the same SVG as typed; so does a version-1 file,
// whose horizontal dial faced 180 whatever bearing it held.
TEST_F(TemplateCommand, AnyDialsSiteOpensFromItsProjectAsTyped) {
    std::ofstream(dir / "v1.sundial") << R"({"format": "sundial dial project", "version": 1,
        "site": {"place": "Unknown", "latitude": 50.72, "longitude": -3.53, "bearing": "185.2",
        "utc": 1}, "template": {"width": 600, "height": 450, "dial": "horizontal"}})";
    const struct {
        std::string typed, saved;  // the site typed; what its project holds ("" for version 1)
    } rows[] = {
        {"--lat 33.87 --south --lon 151.21 --east --utc 10 --dial horizontal", "\"utc\": 10.0"},
        {"--lat 34.93 --south --lon 138.6 --east --utc 9.5 --bearing 0 --date-lines --nodus 120",
         "-34.93"},
        {"--lat 27.7 --lon 85.3 --east --utc 5.75 --dial horizontal --bearing 200", "\"200\""},
        {"--lat 50.72 --lon 3.53 --east --utc 1 --dial horizontal", ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.typed);
        const std::string project = File(r.saved.empty() ? "v1.sundial" : "p.sundial");
        std::vector<std::string> typed = {"template", "--made", "2026-12-09",
                                          "--width",  "600",    "--height",
                                          "450",      "--svg",  File("typed.svg")};
        std::istringstream words(r.typed + (r.saved.empty() ? "" : " --save-project " + project));
        typed.insert(typed.end(), std::istream_iterator<std::string>(words), {});
        ASSERT_EQ(RunTemplate(typed).status, kCliOk);
        EXPECT_TRUE(Contains(Bytes(project), r.saved)) << Bytes(project);
        const Outcome o = RunTemplate({"template", "--made", "2026-12-09", "--project", project,
                                       "--svg", File("opened.svg")});
        ASSERT_EQ(o.status, kCliOk) << o.err;
        EXPECT_EQ(Bytes(dir / "opened.svg"), Bytes(dir / "typed.svg"));
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

// The analemmatic dial's JSON: its frame in place of a gnomon, each hour
// point with its hour, each date mark with its date and declination.
TEST_F(TemplateCommand, AnalemmaticJsonGivesTheEllipseItsPointsAndDateMarks) {
    const Outcome o =
        RunTemplate({"template", "--lat", "-33.87", "--lon", "151.21", "--east", "--utc", "10",
                     "--dial", "analemmatic", "--major", "1200", "--date-line", "06-14", "--json"});
    ASSERT_EQ(o.status, kCliOk) << o.err;
    const nlohmann::json json = o.json();
    EXPECT_FALSE(json.contains("gnomon"));
    EXPECT_NEAR(json["analemmatic"]["minor"].get<double>(), 1200 * std::sin(33.87 * M_PI / 180),
                1e-3);
    std::map<std::string, int> counted;
    for (const nlohmann::json& e : json["elements"]) {
        const bool mark = e.contains("declination") && e.contains("date");
        counted[e["role"].get<std::string>() + (e.contains("hour") || mark ? "" : " bare")]++;
    }
    // 5 am to 7 pm; the months and 14 June; their labels, the scale's line.
    EXPECT_EQ(counted["hour-points"], 15);
    EXPECT_EQ(counted["date-scale"], 13);
    EXPECT_EQ(counted["hour-points bare"], 0);
    EXPECT_EQ(counted["date-scale bare"], 14);
    EXPECT_EQ(json["analemmatic"]["center"].size(), 2u);
}

}  // namespace
}  // namespace sundial
