// sundial-cli batch: one set of outputs per site, for all (or some) gazetteer
// places or for the rows of a sites file, into one folder with an index.
#include <unistd.h>

#include <QFile>
#include <algorithm>

#include "cli/cli_app.h"
#include "cli/cli_command.h"
#include "cli/run_json.h"
#include "cli/site_options.h"
#include "core/batch/batch.h"
#include "core/batch/site_rows.h"
#include "core/rules/input_rules.h"

namespace sundial {

namespace {

std::vector<SiteRow> PlaceRows(const QCommandLineParser& parser) {
    std::string bearing = kDefaultBearing;
    if (parser.isSet("bearing")) {
        const BearingVerdict verdict =
            CheckBearing(ParseNumberOption(parser.value("bearing"), "bearing"));
        if (verdict.outcome != InputOutcome::Accept) throw BadInput{kBearingMessage};
        bearing = verdict.bearingText;
    }
    const std::string pattern = parser.isSet("match") ? parser.value("match").toStdString() : "*";
    std::vector<SiteRow> rows;
    for (const Place* place : PlacesMatching(pattern)) rows.push_back(PlaceRow(*place, bearing));
    if (rows.empty()) {
        throw BadInput{QStringLiteral("--match: no place's caption or name matches \"%1\" (see "
                                      "'sundial-cli places').")
                           .arg(parser.value("match"))};
    }
    return rows;
}

std::vector<SiteRow> FileRows(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw BadInput{
            QStringLiteral("--sites: cannot read %1: %2").arg(fileName, file.errorString())};
    }
    const QByteArray bytes = file.readAll();
    SitesFile sites = ReadSitesCsv(std::string_view(bytes.constData(), bytes.size()));
    if (!sites.error.empty()) {
        throw BadInput{QStringLiteral("%1: %2").arg(fileName, QString::fromStdString(sites.error))};
    }
    return std::move(sites.rows);
}

}  // namespace

void AddBatchOptions(QCommandLineParser& parser) {
    parser.addOptions({
        {"places", "Every gazetteer place (or those --match picks)."},
        {"match",
         "With --places: only places whose caption or name matches PATTERN (\"*\" any run of "
         "characters, \"?\" any one; case is ignored).",
         "pattern"},
        {"bearing", "With --places: the bearing every wall faces, degrees (110 to 250; 185.2).",
         "degrees"},
        {"sites",
         "Sites from FILE, CSV with the header name,latitude,longitude,bearing,utc "
         "(longitude positive west).",
         "file"},
        {"out", "The folder for the outputs and index.csv (made when missing).", "dir"},
        {"pdf", "Also write each site's two-page printable dial sheet."},
        {"json", "Also write each site's run as JSON."},
        {"template-pdf", "Also write each site's full-size template, tiled over pages."},
        {"template-svg", "Also write each site's full-size template as SVG."},
        {"force", "Replace files that exist."},
    });
    AddTemplatePlateOptions(parser);
}

int RunBatchCommand(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) {
    if (parser.isSet("places") == parser.isSet("sites")) {
        throw BadInput{"Give either --places or --sites FILE."};
    }
    if (parser.isSet("sites") && (parser.isSet("match") || parser.isSet("bearing"))) {
        throw BadInput{"--match and --bearing go with --places; a sites file gives its own."};
    }
    if (!parser.isSet("out")) throw BadInput{"--out DIR: say where the outputs go."};

    BatchRequest request;
    request.rows = parser.isSet("places") ? PlaceRows(parser) : FileRows(parser.value("sites"));
    request.folder = std::filesystem::path(parser.value("out").toStdString());
    request.pdf = parser.isSet("pdf");
    request.force = parser.isSet("force");
    if (const auto message = ReadBatchTemplateOptions(OptionLookupOf(parser), CliNumberReader(),
                                                      tmpl::TodayText(), request)) {
        throw BadInput{QString::fromStdString(*message)};
    }
    if (parser.isSet("json")) {
        request.json = [](const SiteState& site, const DialGeometry& dial) {
            return RunJson(site, dial).toStdString();
        };
    }
    // A progress line only where someone watches it, rewritten in place.
    if (::isatty(STDERR_FILENO)) {
        request.progress = [&err](std::size_t done, std::size_t total, const std::string& name) {
            err << QStringLiteral("\r%1/%2 %3\x1b[K")
                       .arg(done)
                       .arg(total)
                       .arg(QString::fromStdString(name));
            if (done == total) err << '\n';
            err.flush();
        };
    }

    const BatchResult result = RunBatch(request);
    if (result.refused) {
        // The clashes can be a whole folder's worth: a few say enough.
        constexpr std::size_t kShown = 5;
        for (std::size_t i = 0; i < std::min(kShown, result.problems.size()); ++i) {
            err << QString::fromStdString(result.problems[i]) << '\n';
        }
        if (result.problems.size() > kShown) {
            err << "... and " << result.problems.size() - kShown << " more\n";
        }
        err << "Nothing was written";
        if (!request.force) err << " (--force replaces files that exist)";
        err << ".\n";
        return kCliBadInput;
    }
    const QString where = parser.isSet("sites") ? parser.value("sites") + ": " : QString();
    for (const std::string& problem : result.problems) {
        err << where << QString::fromStdString(problem) << '\n';
    }
    for (const std::string& note : result.notes) {
        err << where << QString::fromStdString(note) << '\n';
    }
    out << result.made << " of " << request.rows.size() << " sites made in " << parser.value("out")
        << " (" << kIndexFileName << ")\n";
    return result.problems.empty() ? kCliOk : kCliRunFailed;
}

}  // namespace sundial
