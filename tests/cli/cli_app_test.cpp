#include "cli/cli_app.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "cli/site_options.h"
#include "core/rules/input_rules.h"
#include "tests/cli/cli_test_support.h"
#include "tests/core/io/io_test_support.h"
#include "tests/support/row_name.h"

namespace sundial {
namespace {

using sundial::testing::operator+;
using sundial::testing::Contains;
using sundial::testing::Outcome;
using sundial::testing::RunCommand;
using sundial::testing::StartsWith;

namespace fs = std::filesystem;
using sundial::testing::PrintTo;
using sundial::testing::RowName;

// The site the options give, as a command would read it.
SiteState ReadSite(const std::vector<std::string>& options) {
    OptionParser parser;
    AddSiteOptions(parser);
    EXPECT_TRUE(parser.Parse(std::vector<std::string>{"sundial-cli"} + options))
        << parser.ErrorText();
    return ReadSiteOptions(parser).site;
}

// Values printed to 7 significant digits and read back as singles.
constexpr double kFourPlaces = 5e-5;

TEST(Cli, ReportForAPlacePrintsTheCalculations) {
    const Outcome o = RunCommand({"report", "--place", "London"});
    EXPECT_EQ(o.status, kCliOk);
    EXPECT_TRUE(StartsWith(o.out, "  Sundial Calculation for:   London, Britain\n"));
    EXPECT_TRUE(Contains(o.out, "\n   7          -72.68    \n"));
    EXPECT_TRUE(o.err.empty());
}

TEST(Cli, JsonForTypedCoordinatesGivesTheWorkedExample) {
    const Outcome o = RunCommand({"report", "--lat", "51.5", "--lon", "0.12", "--west", "--json"});
    ASSERT_EQ(o.status, kCliOk) << o.err;
    const nlohmann::json json = o.json();
    EXPECT_EQ(json["version"].get<int>(), 1);
    EXPECT_EQ(json["place"].get<std::string>(), "Unknown");
    EXPECT_EQ(json["latitude"].get<double>(), 51.5);
    EXPECT_EQ(json["longitude"].get<double>(), 0.12);  // west: positive
    EXPECT_EQ(json["wallBearing"].get<double>(), 185.2);
    EXPECT_EQ(json["declinationSide"].get<std::string>(), "west");
    EXPECT_EQ(json["utcOffset"].get<double>(), 0.0);
    EXPECT_NEAR(json["gnomonAngle"].get<double>(), 38.3127, kFourPlaces);
    EXPECT_NEAR(json["gnomonOffset"].get<double>(), 4.1235, kFourPlaces);  // to the right
    EXPECT_NEAR(json["substyleHourAngle"].get<double>(), 6.6330, kFourPlaces);
    const nlohmann::json hours = json["hours"];
    ASSERT_EQ(hours.size(), 12);
    // Singles are printed as their shortest text: 72.71 stays 72.71.
    EXPECT_EQ(hours[0], (nlohmann::json{{"hour", 7}, {"angle", -72.71}}));
    EXPECT_EQ(hours[11], (nlohmann::json{{"hour", 18}, {"angle", 83.32}}));
}

// The JSON says what the report says, in the report's convention: the same
// hours with the same angles, and the foot line on the side the report names
// (positive to the right).
TEST(Cli, JsonAgreesWithTheReportText) {
    const std::regex row(R"(^ *(\d+) +(-?[0-9.]+) *$)");
    const std::vector<std::string> sites[] = {
        {"--place", "Exeter", "--utc", "1", "--bearing", "193.4"},
        {"--lat", "51.5", "--lon", "0.12", "--west", "--bearing", "110"},
        {"--lat", "51.5", "--lon", "0.12", "--west", "--bearing", "250"},
        {"--place", "Paris", "--bearing", "180"},
        {"--place", "Aberdeen, USA", "--bearing", "174.5"},
    };
    for (const auto& site : sites) {
        const std::string text = RunCommand(std::vector<std::string>{"report"} + site).out;
        const nlohmann::json json =
            RunCommand(std::vector<std::string>{"report", "--json"} + site).json();
        nlohmann::json fromText = nlohmann::json::array();
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            std::smatch m;
            if (std::regex_match(line, m, row)) {
                fromText.push_back({{"hour", std::stoi(m[1])}, {"angle", std::stod(m[2])}});
            }
        }
        EXPECT_EQ(json["hours"], fromText) << site[1];
        const double offset = json["gnomonOffset"].get<double>();
        EXPECT_EQ(Contains(text, "degrees to the right."), offset >= 0.005) << site[1];
        EXPECT_EQ(Contains(text, "degrees to the left."), offset <= -0.005) << site[1];
    }
}

struct ZoneRow {
    const char* name;
    std::vector<std::string> args;
    double zone;
};

class CliZoneTest : public ::testing::TestWithParam<ZoneRow> {};

TEST_P(CliZoneTest, TypedCoordinatesTakeTheLongitudesZoneUnlessUtcIsGiven) {
    const Outcome o = RunCommand(std::vector<std::string>{"report", "--json"} + GetParam().args);
    ASSERT_EQ(o.status, kCliOk) << o.err;
    // Whole hours: exact.
    EXPECT_EQ(o.json()["utcOffset"].get<double>(), GetParam().zone);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CliZoneTest,
    ::testing::Values(ZoneRow{"east", {"--lat", "48", "--lon", "19", "--east"}, 1},
                      ZoneRow{"west", {"--lat", "48", "--lon", "80", "--west"}, -5},
                      ZoneRow{
                          "utc wins", {"--lat", "48", "--lon", "80", "--west", "--utc", "-4"}, -4},
                      ZoneRow{"place", {"--place", "Aberdeen, USA"}, -7},
                      ZoneRow{"default place", {}, 0}),
    RowName());

struct BadRow {
    const char* name;
    std::vector<std::string> args;
    const char* message;
};

class CliBadInputTest : public ::testing::TestWithParam<BadRow> {};

TEST_P(CliBadInputTest, ExitsWithTwoAndAClearMessage) {
    const Outcome o = RunCommand(GetParam().args);
    EXPECT_EQ(o.status, kCliBadInput);
    EXPECT_TRUE(o.out.empty());
    EXPECT_TRUE(Contains(o.err, GetParam().message)) << o.err;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CliBadInputTest,
    ::testing::Values(
        BadRow{"ambiguous place", {"report", "--place", "Aberdeen"}, "Aberdeen, USA"},
        BadRow{"unknown place", {"report", "--place", "Atlantis"}, "no place"},
        BadRow{"no side", {"report", "--lat", "50", "--lon", "5"}, "--east or --west"},
        BadRow{"lat alone", {"report", "--lat", "50"}, "--lat requires --lon"},
        BadRow{"place and coordinates",
               {"report", "--place", "London", "--lon", "3", "--lat", "50"},
               "--place excludes --l"},  // whichever the parser meets first
        BadRow{"side without longitude", {"report", "--west"}, "--west requires --lon"},
        BadRow{"both sides",
               {"report", "--lat", "50", "--lon", "3", "--east", "--west"},
               "--east excludes --west"},
        BadRow{"switch given a value", {"report", "--json=no"}, "--json takes no value"},
        BadRow{"bearing word",
               {"report", "--bearing", "south"},
               "--bearing: \"south\" is not a number."},
        BadRow{"latitude nan",
               {"report", "--lat", "nan", "--lon", "1", "--west"},
               "--lat: \"nan\" is not a number."},
        BadRow{"longitude beyond a single",
               {"report", "--lat", "50", "--lon", "1e39", "--west"},
               "--lon: \"1e39\" is too large."},
        BadRow{"fractional zone", {"report", "--utc", "5.5"}, "whole number"},
        BadRow{"zone too far", {"report", "--utc", "13"}, "--utc: 13 is not within -12 to 12."},
        BadRow{"unknown command", {"reprot"}, "sundial-cli: unknown command 'reprot'\n"},
        BadRow{"unknown option",
               {"report", "--colour", "red"},
               "sundial-cli report: unknown option '--colour'\n"},
        BadRow{"repeated option",
               {"report", "--place", "London", "--place", "Paris"},
               "more than once"},
        BadRow{"empty pdf path", {"report", "--pdf", ""}, "--pdf: an empty value"},
        BadRow{"empty settings path", {"report", "--settings="}, "--settings: an empty value"},
        BadRow{
            "empty settings argument", {"report", "--settings", ""}, "--settings: an empty value"},
        BadRow{"empty pdf path joined", {"report", "--json", "--pdf="}, "--pdf: an empty value"},
        BadRow{"stray argument", {"report", "London"}, "unexpected argument"}),
    RowName());

class CliDialogMessageTest : public ::testing::TestWithParam<BadRow> {};

// Out-of-range values are refused with the dialogs' own message boxes' text,
// trailing blanks and spelling included, and nothing else.
TEST_P(CliDialogMessageTest, RefusesWithTheDialogsOwnMessage) {
    const Outcome o = RunCommand(std::vector<std::string>{"report"} + GetParam().args);
    EXPECT_EQ(o.status, kCliBadInput);
    EXPECT_TRUE(o.out.empty());
    EXPECT_EQ(o.err, std::string(GetParam().message) + '\n');
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CliDialogMessageTest,
    ::testing::Values(
        BadRow{"latitude low", {"--lat", "14.99", "--lon", "1", "--west"}, kLatitudeMessage},
        BadRow{"latitude high", {"--lat", "70.01", "--lon", "1", "--west"}, kLatitudeMessage},
        BadRow{
            "latitude checked first", {"--lat", "80", "--lon", "200", "--east"}, kLatitudeMessage},
        BadRow{"longitude high", {"--lat", "50", "--lon", "180.5", "--east"}, kLongitudeMessage},
        BadRow{"longitude signed", {"--lat", "50", "--lon", "-5", "--east"}, kLongitudeMessage},
        BadRow{"bearing low", {"--bearing", "109.9"}, kBearingMessage},
        BadRow{"bearing high", {"--bearing", "250.1"}, kBearingMessage}),
    RowName());

struct LimitRow {
    const char* name;
    std::vector<std::string> args;
};

class CliLimitTest : public ::testing::TestWithParam<LimitRow> {};

TEST_P(CliLimitTest, AcceptsTheLimitOfTheRange) {
    const Outcome o = RunCommand(std::vector<std::string>{"report"} + GetParam().args);
    EXPECT_EQ(o.status, kCliOk) << o.err;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CliLimitTest,
    ::testing::Values(LimitRow{"south and east", {"--lat", "15", "--lon", "180", "--east"}},
                      LimitRow{"north and zero", {"--lat", "70", "--lon", "0", "--west"}},
                      LimitRow{"bearing 110", {"--bearing", "110"}},
                      LimitRow{"bearing 250", {"--bearing", "250"}},
                      LimitRow{"zone -12", {"--utc", "-12"}}),
    RowName());

// Without options or a settings file: the gazetteer's default place and the
// default bearing, as a first start of the desktop program.
TEST(Cli, DefaultSiteIsTheFirstStartsSite) {
    const SiteState site = ReadSite({});
    EXPECT_EQ(site.PlaceName, DefaultPlace().placeName);
    EXPECT_EQ(site.Latitude, DefaultPlace().latitude);
    EXPECT_EQ(site.Longitude, DefaultPlace().longitude);
    EXPECT_EQ(site.UtcOffset, static_cast<float>(DefaultPlace().utcOffset));
    EXPECT_EQ(site.WallBearing, kDefaultBearing);
    EXPECT_EQ(site.DeclinationSide, "West");
}

// 0 with --east is stored as +0, as the location dialog stores it, and the
// settings file says 0.
TEST(Cli, ZeroLongitudeEastIsPlusZero) {
    const SiteState site = ReadSite({"--lat", "50", "--lon", "0", "--east"});
    EXPECT_EQ(site.Longitude, 0.0f);
    EXPECT_FALSE(std::signbit(site.Longitude));
    EXPECT_EQ(site.PlaceName, "Unknown");
    EXPECT_EQ(SettingsFileText(site).substr(0, 3), "0\r\n");
}

TEST(Cli, SettingsFileIsReadAsStartUpDoesAndSavedAsARunDoes) {
    const fs::path file = fs::temp_directory_path() / ("sundial_cli_" + std::to_string(::getpid()));
    std::ofstream(file, std::ios::binary) << "-2.35\r\n48.85\r\n200\r\n1\r\n";
    const std::string path = file.string();

    const Outcome restored = RunCommand({"report", "--settings", path, "--json"});
    const nlohmann::json json = restored.json();
    EXPECT_EQ(json["place"].get<std::string>(), "Unknown");
    EXPECT_EQ(json["wallBearing"].get<double>(), 200);
    EXPECT_EQ(json["utcOffset"].get<double>(), 1.0);

    EXPECT_EQ(RunCommand({"report", "--settings", path, "--bearing", "174.8"}).status, kCliOk);
    std::ifstream in(file, std::ios::binary);
    std::stringstream saved;
    saved << in.rdbuf();
    EXPECT_EQ(saved.str(), "-2.35\r\n48.85\r\n174.8\r\n1\r\n");

    // Bad input writes nothing, not even the settings file.
    EXPECT_EQ(RunCommand({"report", "--settings", path, "--bearing", "300"}).status, kCliBadInput);
    std::ifstream again(file, std::ios::binary);
    std::stringstream unchanged;
    unchanged << again.rdbuf();
    EXPECT_EQ(unchanged.str(), saved.str());
    fs::remove(file);
}

// An unusable settings file still gives way to the default site, which the
// run then saves, as at the desktop's start-up; but first stderr says which
// file could not be used and why.
TEST(Cli, AnUnusableSettingsFileIsNamedOnStderrBeforeItIsSavedOver) {
    io::testing::ScratchFolder folder;
    const fs::path file = folder / "localdata.txt";
    const std::string path = file.string();
    const struct {
        const char* name;
        std::string bytes;
        std::string warning;  // empty: none
    } rows[] = {
        {"usable", "-2.35\r\n48.85\r\n200\r\n1\r\n", ""},
        {"byte-order mark", "\xEF\xBB\xBF-2.35\r\n48.85\r\n200\r\n1\r\n",
         "warning: The settings file \"" + path +
             "\" could not be used (it starts with a byte-order mark); the default site is "
             "used instead.\n"},
        {"UTF-16",
         std::string("\xFF\xFE-\0"
                     "2\0\r\0\n\0",
                     10),
         "warning: The settings file \"" + path +
             "\" could not be used (it is UTF-16 text); the default site is used instead.\n"},
        {"missing lines", "-2.35\r\n48.85\r\n",
         "warning: The settings file \"" + path +
             "\" could not be used (it holds only 2 of the 4 values); the default site is "
             "used instead.\n"},
    };
    for (const auto& row : rows) {
        io::testing::WriteAll(file, row.bytes);
        const Outcome o = RunCommand({"report", "--settings", path});
        EXPECT_EQ(o.status, kCliOk) << row.name;
        EXPECT_EQ(o.err, row.warning) << row.name;
        if (!row.warning.empty()) {
            EXPECT_EQ(io::testing::ReadAll(file), "3.5\r\n50.7\r\n185.2\r\n0\r\n") << row.name;
        }
    }
}

// A FIFO named as the settings file used to hang the program at start-up.
TEST(Cli, ASettingsPathThatIsNotAFileIsLeftAloneAndTheDefaultSiteUsed) {
    io::testing::ScratchFolder folder;
    const fs::path fifo = folder / "localdata.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    io::testing::HangGuard guard;
    const Outcome o = RunCommand({"report", "--settings", fifo.string(), "--json"});
    EXPECT_EQ(o.status, kCliOk);
    EXPECT_EQ(o.json()["place"].get<std::string>(), "Exeter, Britain");
    EXPECT_TRUE(Contains(o.err,
                         "(it is not a regular file); the default site is used instead "
                         "and the file is left alone."))
        << o.err;
    EXPECT_TRUE(io::testing::IsFifo(fifo));
}

// A save or a sheet that cannot be finished keeps the old file and says why;
// the settings failure is a warning (the report itself is right), the sheet's
// a failed run.
TEST(Cli, FailedWritesKeepTheOldFilesAndSayWhy) {
    io::testing::ScratchFolder folder;
    const fs::path settings = folder / "localdata.txt";
    const fs::path sheet = folder / "sheet.pdf";
    const std::string oldSettings = "-2.35\r\n48.85\r\n200\r\n1\r\n";
    io::testing::WriteAll(settings, oldSettings);
    io::testing::WriteAll(sheet, "the last good sheet");
    const std::string settingsPath = settings.string();
    const std::string sheetPath = sheet.string();
    const struct {
        const char* name;
        io::FileStep step;
        int error;
        std::vector<std::string> args;
        int status;
        std::string message;
    } rows[] = {
        {"settings on a full disk",
         io::FileStep::Write,
         ENOSPC,
         {"report", "--settings", settingsPath, "--bearing", "174.8"},
         kCliOk,
         "warning: the site could not be saved to " + settingsPath +
             " (No space left on device); the file is unchanged.\n"},
        {"settings not synced",
         io::FileStep::Sync,
         EIO,
         {"report", "--settings", settingsPath, "--utc", "2"},
         kCliOk,
         "warning: the site could not be saved to " + settingsPath +
             " (Input/output error); the file is unchanged.\n"},
        {"sheet on a full disk",
         io::FileStep::Write,
         ENOSPC,
         {"report", "--place", "Paris", "--pdf", sheetPath},
         kCliRunFailed,
         "Could not write the PDF file \"" + sheetPath + "\": No space left on device\n"},
    };
    for (const auto& row : rows) {
        io::testing::ScopedFault fault(row.step, row.error);
        const Outcome o = RunCommand(row.args);
        EXPECT_EQ(o.status, row.status) << row.name;
        EXPECT_EQ(o.err, row.message) << row.name;
        EXPECT_EQ(io::testing::ReadAll(settings), oldSettings) << row.name;
        EXPECT_EQ(io::testing::ReadAll(sheet), "the last good sheet") << row.name;
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 2) << row.name;
    }
}

TEST(Cli, PlacesListsEveryRowTabSeparated) {
    const Outcome o = RunCommand({"places"});
    EXPECT_EQ(o.status, kCliOk);
    std::vector<std::string> lines;
    std::istringstream rows(o.out);
    for (std::string line; std::getline(rows, line);) {
        if (!line.empty()) lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 270u);
    EXPECT_EQ(lines[0], "West Europe\tAustria/Switz\tBasel\tBasel, Switzerland\t47.5\t-7.6\t1");
}

}  // namespace
}  // namespace sundial
