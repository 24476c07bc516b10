#include "cli/site_options.h"

#include <QLocale>
#include <cmath>

#include "cli/cli_command.h"
#include "core/rules/input_rules.h"
#include "core/site/number_text.h"
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
    void SelectExeter() override {
        const auto exeter = FindPlaces("Exeter, Britain");
        ApplyPlace(site_, *exeter.front());
        Timeset(exeter.front()->utcOffset);
    }

  private:
    SiteState& site_;
};

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
    return options;
}

}  // namespace sundial
