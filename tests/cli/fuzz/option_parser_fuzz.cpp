// libFuzzer entry for reading a command line: the first byte picks a command,
// whose options are declared as sundial-cli declares them; the rest, split at
// NUL bytes, is its arguments. Nothing is run, so nothing is written.
#include <cstdint>
#include <cstdlib>
#include <sstream>

#include "cli/cli_command.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace sundial;
    // Declared once, as a second reading must start afresh.
    static std::vector<OptionParser> parsers = [] {
        std::vector<OptionParser> declared(CliCommands().size());
        for (std::size_t i = 0; i < declared.size(); ++i) {
            declared[i].AddOption(CliOption(std::vector<std::string>{"h", "help"}, "Help."));
            CliCommands()[i].addOptions(declared[i]);
        }
        return declared;
    }();
    if (size == 0) return 0;
    OptionParser& parser = parsers[data[0] % parsers.size()];
    std::vector<std::string> args = {"sundial-cli", ""};
    for (std::size_t i = 1; i < size; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[i]);
        }
    }
    if (parser.Parse(args) == !parser.ErrorText().empty()) std::abort();
    if (!parser.ErrorText().empty() || parser.IsSet("help")) return 0;
    if (parser.OptionNames().size() + parser.PositionalArguments().size() > args.size())
        std::abort();
    for (const std::string& name : parser.OptionNames()) {
        if (!parser.IsSet(name) || parser.Values(name).size() > args.size()) std::abort();
    }
    std::istringstream help(parser.HelpText("sundial-cli"));
    for (std::string line; std::getline(help, line);) {
        if (line.size() > 79) std::abort();
    }
    return 0;
}
