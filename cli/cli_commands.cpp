#include "cli/cli_command.h"

namespace sundial {

std::span<const CliCommand> CliCommands() {
    static const CliCommand commands[] = {
        {"report",
         "print the Calculations report (or --json) for a site",
         AddReportOptions,
         RunReportCommand,
         {},
         {{"settings", true}, {"pdf", true}}},
        {"places", "list the built-in gazetteer, tab-separated", AddPlacesOptions,
         RunPlacesCommand},
        {"sun", "the sun's azimuth, altitude, declination and equation of time at a clock time",
         AddSunOptions, RunSunCommand},
        {"bearing",
         "the wall's bearing from shadow and sunlight readings",
         AddBearingOptions,
         RunBearingCommand,
         {"shadow", "enters", "leaves"}},
        {"shadow", "where the style's shadow falls on the wall at a clock time", AddShadowOptions,
         RunShadowCommand},
        {"batch",
         "make the report (and sheet, JSON, template) for many sites, with an index",
         AddBatchOptions,
         RunBatchCommand,
         {"date-line"},
         {{"sites", false}}},
        {"template",
         "write the full-size dial template: tiled PDF, SVG or JSON",
         AddTemplateOptions,
         RunTemplateCommand,
         {"date-line"},
         {{"project", false},
          {"settings", false},
          {"pdf", true},
          {"svg", true},
          {"dxf", true},
          {"save-project", true}}},
    };
    return commands;
}

}  // namespace sundial
