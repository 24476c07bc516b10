#include "cli/cli_app.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <cmath>
#include <optional>
#include <string>

#include "core/dial/pdf_sheet.h"
#include "core/dial/recording_surface.h"
#include "core/dial/run.h"
#include "core/places/places.h"
#include "core/rules/input_rules.h"
#include "core/site/number_text.h"
#include "core/site/site_state.h"
#include "core/site/time_zone_menu.h"

namespace sundial {

namespace {

// Bad input: the message for stderr. Nothing is written when one is raised.
struct BadInput {
    QString message;
};

// Start-up without windows: check marks have nowhere to go; Timeset only
// stores a whole-number zone, and the one run happens at the end.
class CliStartupHost final : public StartupHost {
  public:
    explicit CliStartupHost(SiteState& site) : site_(site) {}
    void ClearLocationChecks() override {}
    void CheckLocationItem(LocationItem) override {}
    void Timeset(double value) override {
        if (const auto zone = MatchZone(value)) site_.UtcOffset = static_cast<float>(*zone);
    }
    void SelectExeter() override {
        const auto exeter = FindPlaces("Exeter, Britain");
        ApplyPlace(site_, *exeter.front());
        Timeset(exeter.front()->utcOffset);
    }

  private:
    SiteState& site_;
};

// Numbers on the command line are read in the C locale ("51.5"), and also in
// the user's locale ("51,5") as the dialogs would.
double ParseNumberOption(const QString& text, const QString& option) {
    bool ok = false;
    double value = QLocale::c().toDouble(text, &ok);
    if (!ok) value = QLocale().toDouble(text, &ok);
    if (!ok || !std::isfinite(value)) {
        throw BadInput{QStringLiteral("--%1: \"%2\" is not a number.").arg(option, text)};
    }
    return value;
}

QJsonValue Single(float value) {
    // The shortest text that reads back to the same single, as a JSON number.
    return QJsonValue(std::stod(RoundTripText(value)));
}

QJsonObject HourTableJson(const HourTable& table) {
    QJsonObject object;
    for (int h = kFirstDialHour; h <= kLastDialHour; ++h) {
        object.insert(QString::number(h), Single(table[h]));
    }
    return object;
}

QJsonValue OptionalHour(const std::optional<int>& hour) {
    return hour ? QJsonValue(*hour) : QJsonValue(QJsonValue::Null);
}

QByteArray RunJson(const SiteState& site, const DialGeometry& dial) {
    QJsonArray hourList;
    for (const HourRow& row : dial.HourList)
        hourList.append(QJsonArray{row.hour, Single(row.angle)});
    const QJsonObject json{
        {"PlaceName", QString::fromStdString(site.PlaceName)},
        {"Latitude", Single(site.Latitude)},
        {"Longitude", Single(site.Longitude)},
        {"WallBearing", QString::fromStdString(site.WallBearing)},
        {"WallDeclination", Single(site.WallDeclination)},
        {"DeclinationSide", QString::fromStdString(site.DeclinationSide)},
        {"UtcOffset", Single(site.UtcOffset)},
        {"GnomonAngle", Single(dial.GnomonAngle)},
        {"GnomonOffset", Single(dial.GnomonOffset)},
        {"SubstyleHourAngle", Single(dial.SubstyleHourAngle)},
        {"OffsetSide", QString::fromStdString(dial.OffsetSide)},
        {"RawShadowAngle", HourTableJson(dial.RawShadowAngle)},
        {"ShadowAngle", HourTableJson(dial.ShadowAngle)},
        {"FirstPositiveHour", OptionalHour(dial.FirstPositiveHour)},
        {"LastNegativeHour", OptionalHour(dial.LastNegativeHour)},
        {"HourList", hourList},
    };
    return QJsonDocument(json).toJson(QJsonDocument::Indented);
}

void ListPlaces(QTextStream& out) {
    for (const Place& p : Places()) {
        out << RegionCaption(p.region) << '\t' << p.subMenu << '\t' << p.caption << '\t'
            << p.placeName << '\t' << QString::fromStdString(NumberText(p.latitude)) << '\t'
            << QString::fromStdString(NumberText(p.longitude)) << '\t' << p.utcOffset << '\n';
    }
}

const Place& ResolvePlace(const QString& text) {
    const auto found = FindPlaces(text.toStdString());
    if (found.empty()) {
        throw BadInput{QStringLiteral("--place: no place called \"%1\" (see 'sundial-cli places').")
                           .arg(text)};
    }
    if (found.size() > 1) {
        QString message = QStringLiteral("--place: \"%1\" is ambiguous; it matches:").arg(text);
        for (const Place* p : found) message += QStringLiteral("\n  ") + p->placeName;
        throw BadInput{message};
    }
    return *found.front();
}

struct ReportOptions {
    SiteState site;
    std::optional<std::filesystem::path> settingsFile;
    std::optional<std::filesystem::path> pdfFile;
    bool json = false;
};

// Builds the site from the options; throws BadInput.
ReportOptions ReadReportOptions(const QCommandLineParser& parser) {
    ReportOptions options;
    SiteState& site = options.site;
    CliStartupHost host(site);
    if (parser.isSet("settings")) {
        options.settingsFile = std::filesystem::path(parser.value("settings").toStdString());
        LoadSiteSettings(site, host, *options.settingsFile);
    } else {
        site.WallBearing = kDefaultBearing;
        host.SelectExeter();
        DeriveDeclination(site);
    }

    const bool typed = parser.isSet("lat") || parser.isSet("lon");
    if (parser.isSet("place") && typed) {
        throw BadInput{"Give either --place or --lat and --lon, not both."};
    }
    if (parser.isSet("place")) {
        const Place& place = ResolvePlace(parser.value("place"));
        ApplyPlace(site, place);
        site.UtcOffset = static_cast<float>(place.utcOffset);
    } else if (typed) {
        if (!parser.isSet("lat") || !parser.isSet("lon")) {
            throw BadInput{"--lat and --lon go together."};
        }
        if (parser.isSet("east") == parser.isSet("west")) {
            throw BadInput{"With --lon give exactly one of --east or --west."};
        }
        const auto lat = static_cast<float>(ParseNumberOption(parser.value("lat"), "lat"));
        const auto lon = static_cast<float>(ParseNumberOption(parser.value("lon"), "lon"));
        if (!LatitudeAccepted(lat)) throw BadInput{kLatitudeMessage};
        if (!LongitudeMagnitudeAccepted(lon)) throw BadInput{kLongitudeMessage};
        site.PlaceName = "Unknown";
        site.Latitude = lat;
        site.Longitude = parser.isSet("east") ? -lon : lon;
        site.UtcOffset = static_cast<float>(ZoneForLongitude(site.Longitude));
    }
    if (parser.isSet("bearing")) {
        const auto bearing =
            static_cast<float>(ParseNumberOption(parser.value("bearing"), "bearing"));
        if (!BearingAccepted(bearing)) throw BadInput{kBearingMessage};
        site.WallBearing = NumberText(bearing);
        DeriveDeclination(site);
    }
    if (parser.isSet("utc")) {
        const std::optional<int> zone = MatchZone(ParseNumberOption(parser.value("utc"), "utc"));
        if (!zone) throw BadInput{"--utc: the zone must be a whole number from -12 to 12."};
        site.UtcOffset = static_cast<float>(*zone);
    }
    options.json = parser.isSet("json");
    if (parser.isSet("pdf")) {
        options.pdfFile = std::filesystem::path(parser.value("pdf").toStdString());
    }
    return options;
}

int Report(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) {
    const ReportOptions options = ReadReportOptions(parser);
    RecordingSurface draw(9000, 4400), number(9000, 4400), chart(9000, 4400);
    DialGeometry dial;
    // --pdf: the printable sheet, written where asked; no viewer is started.
    std::optional<PdfDialSheet> sheet;
    if (options.pdfFile) {
        sheet.emplace(options.pdfFile->parent_path(), PdfDialSheet::ViewerHook(),
                      options.pdfFile->filename().string());
    }
    const RunTargets targets{draw, number, chart, [&] { DrawCascadeFurniture(draw, chart); },
                             sheet ? &*sheet : nullptr};
    // Without --settings nothing is saved: the run writes to no file.
    const std::filesystem::path settings = options.settingsFile.value_or(std::filesystem::path());
    const RunResult result = RunDial(options.site, settings, targets, dial);
    if (options.settingsFile && !result.settingsSaved) {
        err << "warning: could not write " << QString::fromStdString(settings.string()) << '\n';
    }
    if (result.status != RunStatus::Completed) {
        out << QString::fromStdString(number.Text());
        err << QString::fromStdString(result.message) << '\n';
        return kCliRunFailed;
    }
    if (options.json) {
        out << RunJson(options.site, dial);
    } else {
        out << QString::fromStdString(number.Text());
    }
    return kCliOk;
}

}  // namespace

int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Designs a vertical wall sundial.\n"
        "  report   print the Calculations report (or --json) for a site\n"
        "  places   list the built-in gazetteer, tab-separated");
    parser.addHelpOption();
    parser.addPositionalArgument("command", "report or places");
    parser.addOptions({
        {"place", "A gazetteer place: menu caption or place name (\"Aberdeen, USA\").", "text"},
        {"lat", "Latitude, degrees north (15 to 70).", "degrees"},
        {"lon", "Longitude magnitude, degrees (0 to 180); give --east or --west.", "degrees"},
        {"east", "The longitude is east of Greenwich."},
        {"west", "The longitude is west of Greenwich."},
        {"bearing", "True bearing the wall faces, degrees (110 to 250).", "degrees"},
        {"utc", "Time zone, whole hours from UTC (-12 to 12).", "hours"},
        {"json", "Print the site and the run's results as JSON."},
        {"settings", "Load the site from FILE as start-up does; save it as a run does.", "file"},
        {"pdf", "Also write the two-page printable dial sheet to FILE.", "file"},
    });
    if (!parser.parse(arguments)) {
        err << parser.errorText() << '\n';
        return kCliBadInput;
    }
    if (parser.isSet("help")) {
        out << parser.helpText();
        return kCliOk;
    }
    const QStringList positional = parser.positionalArguments();
    const QString command = positional.value(0);
    if (positional.size() != 1 || (command != "report" && command != "places")) {
        err << "Usage: sundial-cli report [options] | sundial-cli places\n";
        return kCliBadInput;
    }
    if (command == "places") {
        ListPlaces(out);
        return kCliOk;
    }
    try {
        return Report(parser, out, err);
    } catch (const BadInput& bad) {
        err << bad.message << '\n';
        return kCliBadInput;
    }
}

}  // namespace sundial
