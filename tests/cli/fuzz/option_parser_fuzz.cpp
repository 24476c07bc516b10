// libFuzzer entry for reading a command line: the first byte picks a command
// whose options are declared as sundial-cli declares them, the rest is its
// arguments, split at NUL bytes. The sanitizers catch a read out of bounds;
// the checks catch a reading that does not hold together. Nothing is run, so
// nothing is written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_command.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const auto commands = sundial::CliCommands();
    // Declared once: each reading starts afresh, as a second Parse must.
    static std::vector<sundial::OptionParser> parsers = [&] {
        std::vector<sundial::OptionParser> declared;
        for (const sundial::CliCommand& command : commands) {
            declared.emplace_back();
            declared.back().AddOption(
                sundial::CliOption(std::vector<std::string>{"h", "help"}, "Help."));
            command.addOptions(declared.back());
        }
        return declared;
    }();
    const std::size_t which = data[0] % commands.size();
    const sundial::CliCommand& command = commands[which];
    sundial::OptionParser& parser = parsers[which];

    std::vector<std::string> args = {"sundial-cli", ""};
    for (std::size_t i = 1; i < size; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[i]);
        }
    }
    const bool read = parser.Parse(args);
    if (read == !parser.ErrorText().empty()) std::abort();
    if (!read || parser.IsSet("help")) return 0;
    // Every option named as given is set, and holds no more values than
    // there were arguments.
    if (parser.OptionNames().size() + parser.PositionalArguments().size() > args.size()) {
        std::abort();
    }
    for (const std::string& name : parser.OptionNames()) {
        if (!parser.IsSet(name) || parser.Values(name).size() > args.size()) std::abort();
    }
    // Its help stays within a terminal's width whatever was read before.
    std::istringstream help(parser.HelpText(std::string("sundial-cli ") + command.name));
    for (std::string line; std::getline(help, line);) {
        if (line.size() > 79) std::abort();
    }
    return 0;
}
