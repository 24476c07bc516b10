// A dial project: the site and the template's design, kept as a small JSON
// file with its own extension, so that a design can be opened again, passed to
// the command line or named by a batch's sites file.
//
//   {"format": "sundial dial project", "version": 1,
//    "site": {"place": "Exeter, Britain", "latitude": 50.72, "longitude": 3.53,
//             "bearing": "193.4", "utc": 0},
//    "template": {"width": 600, "height": 450, "half": true, "numerals": "roman"}}
//
// The "template" object holds the template options by the names the command
// line gives them (TemplateOptionTable()): a switch as true or false, any other
// option as a number or a text. So a new template option is a new field with
// nothing more to write. Longitude is positive west, as everywhere in the
// program; "utc" is the zone in hours from UTC, in quarter hours (9.5). An
// optional "tz" names the zone whose clock the dial keeps ("Europe/London"):
// then "utc" is its standard time in the dial's year, as worked out when the
// file was saved, and the zone's rules give the offset when it is opened.
#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "core/site/site_state.h"
#include "core/template/option_limits.h"
#include "core/template/template_options.h"

namespace sundial::project {

// Version 2 takes any flat dial's site: south latitudes, any bearing and
// zones in quarter hours. Version 3 adds the site's named zone. A file is
// written with the lowest version that holds it, so that a project without
// a named zone still opens in a program that reads up to version 2; older
// files are all still read.
inline constexpr int kProjectVersion = 3;
inline constexpr int kNamedZoneVersion = 3;
inline constexpr const char* kProjectFormat = "sundial dial project";
inline constexpr const char* kProjectExtension = ".sundial";
// A project is a few hundred bytes; a reader takes no more than this, and a
// writer writes no more.
inline constexpr std::size_t kProjectReadLimit = tmpl::kOptionLimits.projectBytes;

struct DialProject {
    SiteState site;
    // Template options given, by name: the text the command line would hold
    // ("600", "roman"), "" for a switch that is on. Switches that are off and
    // options left to their defaults are absent.
    std::map<std::string, std::string, std::less<>> options;
    // The named zone the dial keeps; empty for the fixed offset site.UtcOffset.
    std::string tz{};

    friend bool operator==(const DialProject&, const DialProject&) = default;
};

struct ProjectRead {
    std::optional<DialProject> project;  // nothing when anything in it is wrong
    std::string message;                 // the first thing wrong, naming its field
};

// Checks every field (the site by any flat dial's ranges, the template options as
// the template command reads them) before anything is returned: a project is
// used whole or not at all.
ProjectRead ParseProject(std::string_view text);
// Reads at most kProjectReadLimit bytes, and only from a regular file. The
// message starts with the file's name.
ProjectRead ReadProject(const std::filesystem::path& file);

std::string ProjectJson(const DialProject& project);
// Why `project`, once saved, would not open again (the reader's own message:
// "template.made is too long (more than 200 characters)"); nothing when it
// would open.
std::optional<std::string> SaveProblem(const DialProject& project);
// Replaces `file` in one step: it is always the old project or the new one.
// False, with the reason in `error`, when the old file had to be kept, and
// when the project would not open again (SaveProblem).
bool WriteProject(const DialProject& project, const std::filesystem::path& file,
                  std::string& error);

// The project's options as a command line's lookup.
tmpl::OptionLookup ProjectLookup(const DialProject& project);
// `first`'s options where it has them, else `second`'s.
tmpl::OptionLookup Overlay(tmpl::OptionLookup first, tmpl::OptionLookup second);
// The template options `given` holds, as a project keeps them: numbers that
// `readNumber` reads (in whatever form the user typed them) in the C form,
// texts cleaned as they go into the files, each date once.
std::map<std::string, std::string, std::less<>> GivenOptions(const tmpl::OptionLookup& given,
                                                             const tmpl::NumberReader& readNumber);

// Numbers written with a full stop, as project files and the command line's
// C form hold them.
tmpl::NumberReader ProjectNumberReader();

}  // namespace sundial::project
