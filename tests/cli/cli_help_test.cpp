// What the command line says about itself: --help, --version, each command's
// own help, and the manual page that must keep up with them.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

#include "cli/cli_app.h"
#include "cli/cli_command.h"
#include "tests/cli/cli_test_support.h"

namespace sundial {
namespace {

using sundial::testing::operator+;
using sundial::testing::Contains;
using sundial::testing::Outcome;
using sundial::testing::RunCommand;
using sundial::testing::StartsWith;

Outcome Cli(std::vector<std::string> args) {
    return RunCommand(std::move(args), "/some/folder/sundial-cli");
}

TEST(CliHelp, TopLevelAnswers) {
    struct Row {
        const char* name;
        std::vector<std::string> args;
        int status;
        const char* pattern;  // the whole of stdout, or stderr when the status is not 0
    } rows[] = {
        {"help",
         {"--help"},
         kCliOk,
         "^Designs sundials: vertical, reclining, inclining, horizontal, polar and\\n"
         "equatorial dials and the analemmatic dial on the ground, anywhere on Earth,[\\s\\S]*"
         "latitude 15 to 70 degrees north\\.\\n\\n"
         "Usage: sundial-cli "},
        {"short help", {"-h"}, kCliOk, "^Designs"},
        {"version", {"--version"}, kCliOk, "^sundial-cli \\d+\\.\\d+\\.\\d+\\n$"},
        {"nothing", {}, kCliBadInput, "^Usage: sundial-cli COMMAND"},
        {"unknown",
         {"--verbose"},
         kCliBadInput,
         "^sundial-cli: unknown option '--verbose'\\n\\nUsage: "},
    };
    for (const Row& row : rows) {
        const Outcome o = Cli(row.args);
        EXPECT_EQ(o.status, row.status) << row.name;
        const std::string& text = row.status == kCliOk ? o.out : o.err;
        EXPECT_TRUE(std::regex_search(text, std::regex(row.pattern))) << row.name << ": " << text;
    }
    EXPECT_TRUE(Contains(Cli({"--version"}).out, CliVersion()));
}

// Each command's help names the program and the command, not the path it was
// started from.
TEST(CliHelp, EachCommandsHelpListsItsOptions) {
    for (const CliCommand& c : CliCommands()) {
        const Outcome o = Cli({c.name, "--help"});
        EXPECT_EQ(o.status, kCliOk) << c.name;
        EXPECT_TRUE(StartsWith(o.out, "Usage: sundial-cli " + std::string(c.name) + " [options]\n"))
            << o.out;
        EXPECT_FALSE(Contains(o.out, "/some/folder")) << c.name;
        EXPECT_FALSE(Contains(o.out, "--help-all")) << c.name;
    }
}

// Every help text fits a terminal 80 columns wide, the last one left free.
TEST(CliHelp, EveryLineFitsEightyColumns) {
    std::vector<std::vector<std::string>> calls = {{"--help"}};
    for (const CliCommand& c : CliCommands()) calls.push_back({c.name, "--help"});
    for (const auto& call : calls) {
        std::istringstream lines(Cli(call).out);
        for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 79u) << line;
    }
}

// The manual page keeps up with the program: every command and every option a
// command's help lists is described there.
TEST(CliHelp, TheManualPageDescribesEveryCommandAndOption) {
    std::ifstream file(SUNDIAL_SOURCE_DIR "/packaging/man/sundial-cli.1", std::ios::binary);
    ASSERT_TRUE(file);
    std::stringstream bytes;
    bytes << file.rdbuf();
    const std::string manual = bytes.str();
    EXPECT_TRUE(Contains(manual, "\\-\\-version"));
    const std::regex option("--([a-z][a-z-]*)");
    for (const CliCommand& c : CliCommands()) {
        EXPECT_TRUE(Contains(manual, "\n.B " + std::string(c.name) + "\n")) << c.name;
        const std::string help = Cli({c.name, "--help"}).out;
        for (std::sregex_iterator m(help.begin(), help.end(), option), end; m != end; ++m) {
            const std::string name = (*m)[1];
            if (name == "help") continue;
            std::string escaped;  // as groff writes a hyphen
            for (const char ch : name)
                escaped += ch == '-' ? std::string("\\-") : std::string(1, ch);
            EXPECT_TRUE(Contains(manual, "\\-\\-" + escaped)) << c.name << " --" << name;
        }
    }
}

// Each --option the desktop help page quotes is one `template --help` lists.
TEST(CliHelp, TheHelpPageQuotesRealTemplateOptions) {
    std::ifstream file(SUNDIAL_SOURCE_DIR "/assets/design.html", std::ios::binary);
    const std::string page{std::istreambuf_iterator<char>(file), {}};
    const std::string help = Cli({"template", "--help"}).out;
    const std::regex option("--[a-z][a-z-]*");
    int quoted = 0;
    for (auto it = std::sregex_iterator(page.begin(), page.end(), option);
         it != std::sregex_iterator(); ++it, ++quoted) {
        EXPECT_TRUE(Contains(help, it->str() + " ")) << it->str();
    }
    EXPECT_GE(quoted, 5);  // --italian, --babylonian, --temporal, --dial, --major
}

}  // namespace
}  // namespace sundial
