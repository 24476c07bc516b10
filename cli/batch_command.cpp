// sundial-cli batch: one set of outputs per site, for all (or some) gazetteer
// places or for the rows of a sites file, into one folder with an index.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>

#include "cli/cli_app.h"
#include "cli/cli_command.h"
#include "cli/run_json.h"
#include "cli/site_options.h"
#include "core/batch/batch.h"
#include "core/batch/site_rows.h"
#include "core/rules/input_rules.h"

namespace sundial {

namespace {

std::vector<SiteRow> PlaceRows(const OptionParser& parser) {
    std::string bearing = kDefaultBearing;
    if (parser.IsSet("bearing")) {
        const BearingVerdict verdict =
            CheckBearing(ParseNumberOption(parser.Value("bearing"), "bearing"));
        if (verdict.outcome != InputOutcome::Accept) throw BadInput{kBearingMessage};
        bearing = verdict.bearingText;
    }
    const std::string pattern = parser.IsSet("match") ? parser.Value("match") : "*";
    std::vector<SiteRow> rows;
    for (const Place* place : PlacesMatching(pattern)) rows.push_back(PlaceRow(*place, bearing));
    if (rows.empty()) {
        throw BadInput{"--match: no place's caption or name matches \"" + parser.Value("match") +
                       "\" (see 'sundial-cli places')."};
    }
    return rows;
}

// The sites file read as a stream, a row at a time (a pipe or a FIFO too);
// a folder or an unreadable file is bad input naming why.
std::vector<SiteRow> FileRows(const std::string& fileName, int zoneYear) {
    std::error_code ec;
    if (std::filesystem::is_directory(fileName, ec)) {
        throw BadInput{"--sites: cannot read " + fileName + ": it is a folder"};
    }
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw BadInput{"--sites: cannot read " + fileName + ": " + std::strerror(errno)};
    SitesFile sites = ReadSitesCsv(in, zoneYear);
    if (in.bad()) throw BadInput{"--sites: cannot read " + fileName + ": " + std::strerror(errno)};
    if (!sites.error.empty()) throw BadInput{fileName + ": " + sites.error};
    return std::move(sites.rows);
}

}  // namespace

void AddBatchOptions(OptionParser& parser) {
    parser.AddOptions({
        {"places", "Every gazetteer place (or those --match picks)."},
        {"match",
         "With --places: only places whose caption or name matches PATTERN (\"*\" any run of "
         "characters, \"?\" any one; case is ignored).",
         "pattern"},
        {"bearing", "With --places: the bearing every wall faces, degrees (110 to 250; 185.2).",
         "degrees"},
        {"sites",
         "Sites from FILE, CSV with the header name,latitude,longitude,bearing,utc "
         "(longitude positive west) and optionally project (a dial project for the site's "
         "template), dial and recline (the template's plane, as template's --dial and "
         "--recline) and tz (a named zone, as template's --tz; its utc may be left empty).",
         "file"},
        {"out", "The folder for the outputs and index.csv (made when missing).", "dir"},
        {"pdf", "Also write each site's two-page printable dial sheet."},
        {"json", "Also write each site's run as JSON."},
        {"template-pdf", "Also write each site's full-size template, tiled over pages."},
        {"template-svg", "Also write each site's full-size template as SVG."},
        {"template-dxf", "Also write each site's full-size template as DXF."},
        {"force", "Replace files that exist."},
    });
    parser.Excludes("places", {"sites"});
    parser.Needs("match", {"places"});
    parser.Needs("bearing", {"places"});
    parser.Required("out");
    AddTemplatePlateOptions(parser);
}

int RunBatchCommand(const OptionParser& parser, std::ostream& out, std::ostream& err) {
    // The parser has refused both sources at once, and --match or --bearing
    // without --places.
    if (!parser.IsSet("places") && !parser.IsSet("sites")) {
        throw BadInput{"Give either --places or --sites FILE."};
    }

    BatchRequest request;
    // The sites' named zones are read for the templates' year; a year the
    // template options refuse is named when they are read, below.
    int zoneYear = 0;
    if (parser.IsSet("year")) {
        const double year = ParseNumberOption(parser.Value("year"), "year");
        if (year == std::floor(year) && std::fabs(year) < 1e4) zoneYear = static_cast<int>(year);
    }
    request.rows =
        parser.IsSet("places") ? PlaceRows(parser) : FileRows(parser.Value("sites"), zoneYear);
    if (parser.IsSet("sites")) request.inputs.push_back({"--sites", parser.Value("sites")});
    request.folder = std::filesystem::path(parser.Value("out"));
    request.pdf = parser.IsSet("pdf");
    request.force = parser.IsSet("force");
    // A sites file names its projects from its own folder.
    const std::filesystem::path projects =
        parser.IsSet("sites") ? std::filesystem::path(parser.Value("sites")).parent_path()
                              : std::filesystem::path();
    if (const auto message = ReadBatchTemplateOptions(OptionLookupOf(parser), CliNumberReader(),
                                                      tmpl::TodayText(), request, projects)) {
        throw BadInput{*message};
    }
    WarnOfCleanedText(parser, err);
    if (parser.IsSet("json")) {
        request.json = [](const SiteState& site, const DialGeometry& dial) {
            return RunJson(site, dial);
        };
    }
    // A progress line only where someone watches it, rewritten in place.
    if (::isatty(STDERR_FILENO)) {
        request.progress = [&err](std::size_t done, std::size_t total, const std::string& name) {
            err << '\r' << done << '/' << total << ' ' << name << "\x1b[K";
            if (done == total) err << '\n';
            err.flush();
        };
    }

    const BatchResult result = RunBatch(request);
    if (result.refused) {
        // The clashes can be a whole folder's worth: a few say enough.
        constexpr std::size_t kShown = 5;
        for (std::size_t i = 0; i < std::min(kShown, result.problems.size()); ++i) {
            err << result.problems[i] << '\n';
        }
        if (result.problems.size() > kShown) {
            err << "... and " << result.problems.size() - kShown << " more\n";
        }
        err << "Nothing was written";
        if (result.namesTaken) err << " (--force replaces files that exist)";
        err << ".\n";
        return kCliBadInput;
    }
    const std::string where = parser.IsSet("sites") ? parser.Value("sites") + ": " : std::string();
    for (const std::string& problem : result.problems) {
        err << where << problem << '\n';
    }
    for (const std::string& note : result.notes) {
        err << where << note << '\n';
    }
    out << result.made << " of " << request.rows.size() << " sites made in " << parser.Value("out")
        << (result.indexWritten ? " (" : " (no ") << kIndexFileName << ")\n";
    return result.problems.empty() ? kCliOk : kCliRunFailed;
}

}  // namespace sundial
