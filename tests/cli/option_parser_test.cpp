// Reading a command's options: the two forms of a value, what ends the
// options, every way of getting them wrong, and the help text's layout.
#include "cli/option_parser.h"

#include <gtest/gtest.h>

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
    });
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

TEST_P(OptionParserParse, ReadsTheArgumentsAsTheCommandsAlwaysHave) {
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
        ParseRow{"short help", {"-h"}, "", "h", "", ""},
        ParseRow{"missing value",
                 {"--json", "--place"},
                 "Missing value after '--place'.",
                 "json|place",
                 "",
                 ""},
        ParseRow{"value for a switch",
                 {"--json=yes"},
                 "Unexpected value after '--json'.",
                 "json",
                 "",
                 ""},
        ParseRow{"one unknown", {"--colour", "red"}, "Unknown option 'colour'.", "", "", "red"},
        ParseRow{"two unknown",
                 {"--bogus", "--json", "--other=1"},
                 "Unknown options: bogus, other.",
                 "json",
                 "",
                 ""},
        ParseRow{"unknown letters", {"-xh"}, "Unknown option 'x'.", "h", "", ""},
        ParseRow{"after the end marker", {"--", "--place", "x"}, "", "", "", "--place|x"},
        ParseRow{"a lone dash", {"-"}, "", "", "", "-"},
        ParseRow{"a word", {"London", "--json"}, "", "json", "", "London"}),
    RowName());

TEST(OptionParser, IsSetAndValueAnswerForEveryNameOfAnOption) {
    OptionParser parser = ReportLikeParser();
    ASSERT_TRUE(parser.Parse({"sundial-cli", "-h", "--place", "A", "--place", "B"}));
    EXPECT_TRUE(parser.IsSet("help"));
    EXPECT_TRUE(parser.IsSet("h"));
    EXPECT_FALSE(parser.IsSet("json"));
    EXPECT_FALSE(parser.IsSet("no such option"));
    EXPECT_EQ(parser.Value("place"), "B");   // the last one given
    EXPECT_EQ(parser.Value("paper"), "a4");  // not given: the default
    EXPECT_FALSE(parser.IsSet("paper"));
    // A second parse starts afresh.
    ASSERT_TRUE(parser.Parse({"sundial-cli", "--json"}));
    EXPECT_FALSE(parser.IsSet("place"));
    EXPECT_EQ(parser.Value("place"), "");
}

// The names in a column as wide as the longest and a space; descriptions
// wrapped at the last space that keeps a line within 79 characters, the rest
// of a line that has none cut where it must be.
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
    EXPECT_EQ(parser.HelpText("sundial-cli report"),
              "Usage: sundial-cli report [options]\n"
              "what the command does\n"
              "\n"
              "Options:\n"
              "  -h, --help           Displays help.\n"
              "  --bearing <degrees>  True bearing the wall faces, degrees (110 to 250).\n"
              "  --lon <degrees>      Longitude magnitude, degrees (0 to 180); give --east or\n"
              "                       --west, and some words more to wrap twice over the width\n"
              "                       of one line of a terminal.\n"
              "  --east               " +
                  std::string(56, 'x') + "\n                       " + std::string(14, 'x') + "\n");
    std::istringstream lines(parser.HelpText("sundial-cli report"));
    for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 79u) << line;
}

}  // namespace
}  // namespace sundial
