// Reading a command's options: the two forms of a value, what ends the
// options, every way of getting them wrong, the declarations between them,
// and the help text's layout.
#include "cli/option_parser.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/row_name.h"

namespace sundial {
namespace {

using sundial::testing::PrintTo;
using sundial::testing::RowName;

OptionParser ReportLikeParser() {
    OptionParser parser;
    parser.AddOption(CliOption(std::vector<std::string>{"h", "help"}, "Displays help."));
    parser.AddOptions({
        {"place", "A place.", "text"},
        {"shadow", "A reading.", "time@angle"},
        {"json", "Print JSON."},
        {"paper", "Paper.", "paper", "a4"},
        {"lat", "Latitude.", "degrees"},
        {"lon", "Longitude.", "degrees"},
    });
    parser.Excludes("place", {"lat", "lon"});
    parser.Needs("lat", {"lon"});
    parser.Range("lon", -180, 180);
    return parser;
}

std::string Joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : "|") + item;
    return text;
}

struct ParseRow {
    const char* name;
    std::vector<std::string> args;  // after the program's name
    const char* error;              // empty: parsed
    const char* given;              // OptionNames(), joined by |
    const char* places;             // Values("place"), joined by |
    const char* positional;         // PositionalArguments(), joined by |
};

class OptionParserParse : public ::testing::TestWithParam<ParseRow> {};

TEST_P(OptionParserParse, ReadsTheArgumentsAndChecksTheDeclarations) {
    const ParseRow& row = GetParam();
    OptionParser parser = ReportLikeParser();
    std::vector<std::string> args = {"sundial-cli"};
    args.insert(args.end(), row.args.begin(), row.args.end());
    EXPECT_EQ(parser.Parse(args), *row.error == '\0');
    EXPECT_EQ(parser.ErrorText(), row.error);
    EXPECT_EQ(Joined(parser.OptionNames()), row.given);
    EXPECT_EQ(Joined(parser.Values("place")), row.places);
    EXPECT_EQ(Joined(parser.PositionalArguments()), row.positional);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OptionParserParse,
    ::testing::Values(
        ParseRow{"value apart", {"--place", "London"}, "", "place", "London", ""},
        ParseRow{"value joined", {"--place=London"}, "", "place", "London", ""},
        ParseRow{"joined value keeps its equals signs", {"--place=a=b"}, "", "place", "a=b", ""},
        ParseRow{"empty joined value", {"--place="}, "", "place", "", ""},
        ParseRow{"next argument is the value whatever it looks like",
                 {"--place", "--json"},
                 "",
                 "place",
                 "--json",
                 ""},
        ParseRow{"twice, in order",
                 {"--place", "A", "--json", "--place=B"},
                 "",
                 "place|json|place",
                 "A|B",
                 ""},
        ParseRow{"short help", {"-h", "--lat", "1"}, "", "", "", ""},
        ParseRow{"missing value",
                 {"--json", "--place"},
                 "--place: 1 required text missing",
                 "json",
                 "",
                 ""},
        ParseRow{"value for a switch", {"--json=yes"}, "--json takes no value", "json", "", ""},
        ParseRow{"one unknown", {"--colour", "red"}, "unknown option '--colour'", "", "", "red"},
        ParseRow{"two unknown",
                 {"--bogus", "--json", "--other=1"},
                 "unknown options '--bogus', '--other'",
                 "json",
                 "",
                 ""},
        ParseRow{"unknown letters", {"-xh"}, "unknown option '-xh'", "", "", ""},
        ParseRow{"excluded",
                 {"--place", "A", "--lon", "2"},
                 "--place excludes --lon",
                 "place|lon",
                 "A",
                 ""},
        ParseRow{"needed", {"--lat", "1"}, "--lat requires --lon", "lat", "", ""},
        ParseRow{"range's end", {"--lon=-180", "--lat", "1"}, "", "lon|lat", "", ""},
        ParseRow{"beyond the range",
                 {"--lat", "1", "--lon", "180.5"},
                 "--lon: 180.5 is not within -180 to 180.",
                 "lat|lon",
                 "",
                 ""},
        ParseRow{"decimal comma",
                 {"--lat", "1", "--lon", "1,5"},
                 "--lon: \"1,5\" is not a number.",
                 "lat|lon",
                 "",
                 ""},
        ParseRow{"after the end marker", {"--", "--place", "x"}, "", "", "", "--place|x"},
        ParseRow{"a word after the end marker", {"--", "--place="}, "", "", "", "--place="},
        ParseRow{"a lone dash", {"-"}, "", "", "", "-"},
        ParseRow{"a word", {"London", "--json"}, "", "json", "", "London"}),
    RowName());

TEST(OptionParser, IsSetAndValueAnswerForEveryNameOfAnOption) {
    OptionParser parser = ReportLikeParser();
    ASSERT_TRUE(parser.Parse({"sundial-cli", "-h", "--place", "A", "--place", "B", "--lat=1"}));
    EXPECT_TRUE(parser.IsSet("help"));
    EXPECT_TRUE(parser.IsSet("h"));
    EXPECT_EQ(parser.ErrorText(), "");  // help is answered before any other check
    EXPECT_FALSE(parser.IsSet("json"));
    EXPECT_FALSE(parser.IsSet("no such option"));
    EXPECT_EQ(parser.Value("place"), "B");   // the last one given
    EXPECT_EQ(parser.Value("paper"), "a4");  // not given: the default
    EXPECT_FALSE(parser.IsSet("paper"));
    // A second parse starts afresh.
    ASSERT_TRUE(parser.Parse({"sundial-cli", "--json"}));
    EXPECT_EQ(Joined(parser.OptionNames()), "json");
    EXPECT_FALSE(parser.IsSet("place"));
    EXPECT_EQ(parser.Value("place"), "");
}

// Each argument costs the same however many came before: read quadratically,
// these 80,000 took minutes. The bound leaves room for a slow, shared machine.
TEST(OptionParser, ManyRepeatsAreReadInOnePass) {
    std::vector<std::string> args = {"sundial-cli"};
    for (int i = 0; i < 80000; ++i) args.push_back(i % 2 ? "--place=p" : "--json");
    OptionParser parser = ReportLikeParser();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(parser.Parse(args));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    EXPECT_EQ(parser.OptionNames().size(), 80000u);
    args.push_back("--json=no");
    EXPECT_FALSE(parser.Parse(args));  // found at the very end
}

// The names in a column as wide as the longest and a space; descriptions
// wrapped at the last space that keeps a line within 79 characters, the rest
// of a line that has none cut where it must be; the declarations said after
// the description.
TEST(OptionParser, HelpTextWrapsDescriptionsBesideTheNames) {
    OptionParser parser;
    parser.SetDescription("what the command does");
    parser.AddOption(CliOption(std::vector<std::string>{"h", "help"}, "Displays help."));
    parser.AddOptions({
        {"bearing", "True bearing the wall faces, degrees (110 to 250).", "degrees"},
        {"lon",
         "Longitude magnitude, degrees (0 to 180); give --east or --west, and some words more "
         "to wrap twice over the width of one line of a terminal.",
         "degrees"},
        {"east", std::string(70, 'x')},
    });
    parser.Range("bearing", 110, 250.5);
    parser.Needs("lon", {"bearing", "east"});
    EXPECT_EQ(parser.HelpText("sundial-cli report"),
              "Usage: sundial-cli report [options]\n"
              "what the command does\n"
              "\n"
              "Options:\n"
              "  -h, --help           Displays help.\n"
              "  --bearing <degrees>  True bearing the wall faces, degrees (110 to 250). From\n"
              "                       110 to 250.5.\n"
              "  --lon <degrees>      Longitude magnitude, degrees (0 to 180); give --east or\n"
              "                       --west, and some words more to wrap twice over the width\n"
              "                       of one line of a terminal. Needs --bearing, --east.\n"
              "  --east               " +
                  std::string(56, 'x') + "\n                       " + std::string(14, 'x') + "\n");
    std::istringstream lines(parser.HelpText("sundial-cli report"));
    for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 79u) << line;
}

}  // namespace
}  // namespace sundial
