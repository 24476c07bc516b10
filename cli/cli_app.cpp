#include "cli/cli_app.h"

#include <algorithm>
#include <locale>
#include <map>

#include "cli/cli_command.h"
#include "cli/fd_output.h"
#include "core/io/file_identity.h"

namespace sundial {

namespace {

// Every dial the program makes, and which commands keep the wall designer's
// range.
constexpr const char* kWhatItDesigns =
    "Designs sundials: vertical, reclining, inclining, horizontal, polar and\n"
    "equatorial dials and the analemmatic dial on the ground, anywhere on Earth,\n"
    "with clock-time and date lines and Italian, Babylonian and temporal hours\n"
    "(template, and batch's templates); sun, shadow and bearing set them up at any\n"
    "site. The report and the two-page sheet keep the wall designer's range: a\n"
    "vertical wall at latitude 15 to 70 degrees north.\n";

std::string Usage() {
    std::string text =
        "Usage: sundial-cli COMMAND [options]\n"
        "       sundial-cli --help | --version\n\nCommands:\n";
    for (const CliCommand& c : CliCommands()) text += HelpRow(c.name, 9, c.summary);
    text += "\n'sundial-cli COMMAND --help' lists a command's options.\n";
    return text;
}

const CliCommand* FindCommand(const std::string& name) {
    const auto commands = CliCommands();
    const auto it = std::find_if(commands.begin(), commands.end(),
                                 [&](const CliCommand& c) { return name == c.name; });
    return it == commands.end() ? nullptr : &*it;
}

// Each option once, unless the command reads it as a list; and no option that
// takes a value may be given an empty one (an empty file name would otherwise
// become a file named after nothing in the program's folder).
void CheckOptionUse(const CliCommand& command, const OptionParser& parser) {
    // Each name once however often it is given: readings may run to thousands.
    std::map<std::string, std::size_t> times;
    for (const std::string& name : parser.OptionNames()) ++times[name];
    for (const auto& [name, count] : times) {
        const bool repeatable = std::any_of(command.repeatable.begin(), command.repeatable.end(),
                                            [&](const char* r) { return name == r; });
        if (!repeatable && count > 1) {
            throw BadInput{"--" + name + " is given more than once."};
        }
        const std::vector<std::string> values = parser.Values(name);
        if (std::any_of(values.begin(), values.end(),
                        [](const std::string& v) { return v.empty(); })) {
            throw BadInput{"--" + name + ": an empty value is not allowed."};
        }
    }
}

// No output overwrites an input, nor another output, under whatever names.
void CheckFileUse(const CliCommand& command, const OptionParser& parser) {
    std::vector<io::NamedFile> files;
    for (const FileOption& option : command.files) {
        if (parser.IsSet(option.name)) {
            files.push_back(
                {std::string("--") + option.name, parser.Value(option.name), option.written});
        }
    }
    if (const auto problem = io::SharedFileProblem(files)) throw BadInput{*problem};
}

}  // namespace

const char* CliVersion() {
    return SUNDIAL_VERSION;
}

namespace {

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out,
                   std::ostream& err) {
    // Numbers written through the streams read the same in every locale.
    out.imbue(std::locale::classic());
    err.imbue(std::locale::classic());
    const std::string first = arguments.size() > 1 ? arguments[1] : std::string();
    if (first == "--help" || first == "-h" || first == "help") {
        out << kWhatItDesigns << '\n' << Usage();
        return kCliOk;
    }
    if (first == "--version") {
        out << "sundial-cli " << CliVersion() << '\n';
        return kCliOk;
    }
    const CliCommand* command = FindCommand(first);
    if (!command) {
        // A mistyped command is named, so that it is not taken for a missing one.
        if (first.starts_with('-')) {
            err << "sundial-cli: unknown option '" << first << "'\n\n";
        } else if (!first.empty()) {
            err << "sundial-cli: unknown command '" << first << "'\n\n";
        }
        err << Usage();
        return kCliBadInput;
    }

    OptionParser parser;
    parser.SetDescription(command->summary);
    parser.AddOption(
        CliOption(std::vector<std::string>{"h", "help"}, "Displays help on commandline options."));
    command->addOptions(parser);
    // The command's own name is not one of its arguments.
    std::vector<std::string> rest = arguments;
    rest.erase(rest.begin() + 1);
    if (!parser.Parse(rest)) {
        err << "sundial-cli " << command->name << ": " << parser.ErrorText() << '\n';
        return kCliBadInput;
    }
    if (parser.IsSet("help")) {
        out << parser.HelpText(std::string("sundial-cli ") + command->name);
        return kCliOk;
    }
    if (!parser.PositionalArguments().empty()) {
        err << "sundial-cli " << command->name << ": unexpected argument \""
            << parser.PositionalArguments().front() << "\"\n";
        return kCliBadInput;
    }
    try {
        CheckOptionUse(*command, parser);
        CheckFileUse(*command, parser);
        return command->run(parser, out, err);
    } catch (const BadInput& bad) {
        err << bad.message << '\n';
        return kCliBadInput;
    }
}

}  // namespace

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const int status = RunCommandLine(arguments, out, err);
    // Whatever the command printed must have gone out whole: a full disk
    // behind "> out.json", or a closed output, is a failure to tell.
    out.flush();
    if (out) return status;
    err << "sundial-cli: cannot write to standard output";
    if (const auto* buffer = dynamic_cast<const FdOutputBuffer*>(out.rdbuf())) {
        if (!buffer->Error().empty()) err << ": " << buffer->Error();
    }
    err << '\n';
    return status == kCliOk ? kCliRunFailed : status;
}

}  // namespace sundial
