#include "cli/cli_command.h"

namespace sundial {

std::span<const CliCommand> CliCommands() {
    static const CliCommand commands[] = {
        {"report", "print the Calculations report (or --json) for a site", AddReportOptions,
         RunReportCommand},
        {"places", "list the built-in gazetteer, tab-separated", AddPlacesOptions,
         RunPlacesCommand},
    };
    return commands;
}

}  // namespace sundial
