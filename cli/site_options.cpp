#include "cli/site_options.h"

#include <QLocale>
#include <cmath>

#include "cli/cli_command.h"
#include "core/rules/input_rules.h"
#include "core/site/time_zone_menu.h"

namespace sundial {

namespace {

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
    void SelectExeter() override { Pick(DefaultPlace()); }
    // What a click on a gazetteer place does, less the check mark.
    void Pick(const Place& place) {
        ApplyPlace(site_, place);
        Timeset(place.utcOffset);
    }

  private:
    SiteState& site_;
};

// The verdict when its rule accepts the values; otherwise bad input with the
// dialog's own message. Text that is no usable number never gets this far: the
// dialogs would quietly put the old values back, the command line refuses it
// as it reads it.
template <typename Verdict>
Verdict Accepted(const Verdict& verdict) {
    switch (verdict.outcome) {
        case InputOutcome::Accept:
            return verdict;
        case InputOutcome::Warn:
            throw BadInput{verdict.message};
        case InputOutcome::Restore:
            break;
    }
    throw BadInput{QStringLiteral("A number given is not usable.")};
}

double NumberOption(const QCommandLineParser& parser, const QString& option) {
    return ParseNumberOption(parser.value(option), option);
}

}  // namespace

void AddSiteOptions(QCommandLineParser& parser) {
    parser.addOptions({
        {"place", "A gazetteer place: menu caption or place name (\"Aberdeen, USA\").", "text"},
        {"lat", "Latitude, degrees north (15 to 70).", "degrees"},
        {"lon", "Longitude magnitude, degrees (0 to 180); give --east or --west.", "degrees"},
        {"east", "The longitude is east of Greenwich."},
        {"west", "The longitude is west of Greenwich."},
        {"bearing", "True bearing the wall faces, degrees (110 to 250).", "degrees"},
        {"utc", "Time zone, whole hours from UTC (-12 to 12).", "hours"},
        {"settings", "Load the site from FILE as start-up does; save it as a run does.", "file"},
    });
}

double ParseNumberOption(const QString& text, const QString& option) {
    bool ok = false;
    double value = QLocale::c().toDouble(text, &ok);
    if (!ok) value = QLocale().toDouble(text, &ok);
    if (!ok || !std::isfinite(value)) {
        throw BadInput{QStringLiteral("--%1: \"%2\" is not a number.").arg(option, text)};
    }
    // The dialogs treat a number no single can hold like text that is none.
    if (!UsableSingle(value)) {
        throw BadInput{QStringLiteral("--%1: \"%2\" is too large.").arg(option, text)};
    }
    return value;
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

SiteOptions ReadSiteOptions(const QCommandLineParser& parser) {
    SiteOptions options;
    SiteState& site = options.site;
    CliStartupHost host(site);
    if (parser.isSet("settings")) {
        options.settingsFile = std::filesystem::path(parser.value("settings").toStdString());
        const SettingsFile read = LoadSiteSettings(site, host, *options.settingsFile);
        options.settingsNotice = SettingsProblemMessage(*options.settingsFile, read);
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
        host.Pick(ResolvePlace(parser.value("place")));
    } else if (typed) {
        if (!parser.isSet("lat") || !parser.isSet("lon")) {
            throw BadInput{"--lat and --lon go together."};
        }
        if (parser.isSet("east") == parser.isSet("west")) {
            throw BadInput{"With --lon give exactly one of --east or --west."};
        }
        // As the location dialog's Go: the same checks, then the zone by Timeset.
        const LatLongVerdict verdict = Accepted(CheckLatLong(
            NumberOption(parser, "lat"), NumberOption(parser, "lon"), parser.isSet("east")));
        site.PlaceName = "Unknown";
        site.Latitude = verdict.latitude;
        site.Longitude = verdict.longitude;
        host.Timeset(verdict.zone);
    }
    if (parser.isSet("bearing")) {
        ApplyBearing(site, Accepted(CheckBearing(NumberOption(parser, "bearing"))).bearingText);
    }
    if (parser.isSet("utc")) {
        // As the zone menu: only its 25 whole-hour items exist.
        const std::optional<int> zone = MatchZone(NumberOption(parser, "utc"));
        if (!zone) throw BadInput{"--utc: the zone must be a whole number from -12 to 12."};
        host.Timeset(*zone);
    }
    return options;
}

}  // namespace sundial
