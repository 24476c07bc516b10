// One sundial-cli command: its name, what it does, the options it takes and
// what it runs. The commands are one table (cli_commands.cpp); RunCli finds the
// command, parses its options and calls it.
#pragma once

#include <initializer_list>
#include <nlohmann/json.hpp>
#include <ostream>
#include <span>
#include <string>

#include "cli/option_parser.h"
#include "core/sun/clock_time.h"
#include "core/template/template_options.h"

namespace sundial {

// Bad input: the message for stderr; RunCli exits with kCliBadInput. Commands
// raise it before they write anything.
struct BadInput {
    std::string message;
};

struct FileOption {
    const char* name;
    bool written;
};

struct CliCommand {
    const char* name;
    const char* summary;  // one line for the program's --help
    void (*addOptions)(OptionParser& parser);
    // Returns the exit status; may throw BadInput.
    int (*run)(const OptionParser& parser, std::ostream& out, std::ostream& err);
    // Options that may be given more than once (readings, say); any other
    // option given twice is bad input rather than the last one winning.
    std::initializer_list<const char*> repeatable = {};
    // The options that name files, and whether the command writes them; no
    // file written may be one the command reads or another it writes.
    std::initializer_list<FileOption> files = {};
};

// Every command, in the order --help lists them.
std::span<const CliCommand> CliCommands();

// The commands' own entries, each defined in its <name>_command.cpp.
void AddReportOptions(OptionParser& parser);
int RunReportCommand(const OptionParser& parser, std::ostream& out, std::ostream& err);
void AddPlacesOptions(OptionParser& parser);
int RunPlacesCommand(const OptionParser& parser, std::ostream& out, std::ostream& err);
void AddSunOptions(OptionParser& parser);
int RunSunCommand(const OptionParser& parser, std::ostream& out, std::ostream& err);
void AddBearingOptions(OptionParser& parser);
int RunBearingCommand(const OptionParser& parser, std::ostream& out, std::ostream& err);
void AddShadowOptions(OptionParser& parser);
int RunShadowCommand(const OptionParser& parser, std::ostream& out, std::ostream& err);
void AddBatchOptions(OptionParser& parser);
int RunBatchCommand(const OptionParser& parser, std::ostream& out, std::ostream& err);
void AddTemplateOptions(OptionParser& parser);
int RunTemplateCommand(const OptionParser& parser, std::ostream& out, std::ostream& err);
// Shared by the commands that write templates (template_command.cpp): the
// plate, line and paper options; the parser's options and its reading of
// numbers as the core's option readers ask for them.
void AddTemplatePlateOptions(OptionParser& parser);
tmpl::OptionLookup OptionLookupOf(const OptionParser& parser);
// A word on `err` for each text option of the template (--made) that had to
// be cleaned to go into the files: bytes that are not UTF-8 (a Latin-1
// terminal), control characters.
void WarnOfCleanedText(const OptionParser& parser, std::ostream& err);
tmpl::NumberReader CliNumberReader();

// Shared by the commands that work with the sun (sun_command.cpp).
// A clock time option ("2026-06-21T12:00:00") that names a real date and
// time. Throws BadInput naming `option` and the text.
ClockTime ReadClockOption(const std::string& text, const std::string& option);
// The same, with the clock's offset from UTC if written after the time
// ("2026-11-01T01:30:00-05:00").
StampedClock ReadStampedOption(const std::string& text, const std::string& option);
// An angle or other measure as JSON, rounded to `decimals` places: the
// figures beyond are noise of the arithmetic, not knowledge.
nlohmann::json RoundedJson(double value, int decimals);

}  // namespace sundial
