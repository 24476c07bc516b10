#include "cli/site_options.h"

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
    throw BadInput{"A number given is not usable."};
}

double NumberOption(const OptionParser& parser, const std::string& option) {
    return ParseNumberOption(parser.Value(option), option);
}

}  // namespace

void AddSiteOptions(OptionParser& parser) {
    parser.AddOptions({
        {"place", "A gazetteer place: menu caption or place name (\"Aberdeen, USA\").", "text"},
        {"lat", "Latitude, degrees north (15 to 70).", "degrees"},
        {"lon", "Longitude magnitude, degrees (0 to 180); give --east or --west.", "degrees"},
        {"east", "The longitude is east of Greenwich."},
        {"west", "The longitude is west of Greenwich."},
        {"bearing", "True bearing the wall faces, degrees (110 to 250).", "degrees"},
        {"utc",
         "Time zone, whole hours from UTC; sun, bearing and shadow take any fixed offset, "
         "e.g. 5.5.",
         "hours"},
        {"settings", "Load the site from FILE as start-up does; save it as a run does.", "file"},
    });
    parser.Excludes("place", {"lat", "lon"});
    parser.Needs("lat", {"lon"});
    parser.Needs("lon", {"lat"});
    parser.Excludes("east", {"west"});
    parser.Needs("east", {"lon"});
    parser.Needs("west", {"lon"});
    parser.Range("utc", -12, 12);
}

const Place& ResolvePlace(const std::string& text) {
    const auto found = FindPlaces(text);
    if (found.empty()) {
        throw BadInput{"--place: no place called \"" + text + "\" (see 'sundial-cli places')."};
    }
    if (found.size() > 1) {
        std::string message = "--place: \"" + text + "\" is ambiguous; it matches:";
        for (const Place* p : found) message += std::string("\n  ") + p->placeName;
        throw BadInput{message};
    }
    return *found.front();
}

SiteOptions ReadSiteOptions(const OptionParser& parser, const SiteState* base,
                            bool zoneReadByCaller) {
    SiteOptions options;
    SiteState& site = options.site;
    CliStartupHost host(site);
    if (base != nullptr) {
        site = *base;  // the parser has refused --settings with it
    } else if (parser.IsSet("settings")) {
        options.settingsFile = std::filesystem::path(parser.Value("settings"));
        const SettingsFile read = LoadSiteSettings(site, host, *options.settingsFile);
        options.settingsNotice = SettingsProblemMessage(*options.settingsFile, read);
    } else {
        site.WallBearing = kDefaultBearing;
        host.SelectExeter();
        DeriveDeclination(site);
    }

    // The parser has refused --place with --lat, and either of --lat and
    // --lon alone.
    if (parser.IsSet("place")) {
        host.Pick(ResolvePlace(parser.Value("place")));
    } else if (parser.IsSet("lat")) {
        if (!parser.IsSet("east") && !parser.IsSet("west")) {
            throw BadInput{"With --lon give exactly one of --east or --west."};
        }
        // As the location dialog's Go: the same checks, then the zone by
        // Timeset. The latitude is read first, so that its fault is the one named.
        const double latitude = NumberOption(parser, "lat");
        const double longitude = NumberOption(parser, "lon");
        const LatLongVerdict verdict =
            Accepted(CheckLatLong(latitude, longitude, parser.IsSet("east")));
        site.PlaceName = "Unknown";
        site.Latitude = verdict.latitude;
        site.Longitude = verdict.longitude;
        host.Timeset(verdict.zone);
    }
    if (parser.IsSet("bearing")) {
        ApplyBearing(site, Accepted(CheckBearing(NumberOption(parser, "bearing"))).bearingText);
    }
    if (parser.IsSet("utc") && !zoneReadByCaller) {
        // As the zone menu: only its 25 whole-hour items exist; the parser has
        // checked the range.
        const std::optional<int> zone = MatchZone(NumberOption(parser, "utc"));
        if (!zone) throw BadInput{"--utc: the zone must be a whole number from -12 to 12."};
        host.Timeset(*zone);
    }
    return options;
}

}  // namespace sundial
