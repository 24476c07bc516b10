#include "cli/site_options.h"

#include <cmath>

#include "cli/cli_command.h"
#include "core/batch/text.h"
#include "core/rules/field_site_rules.h"
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

// A --settings file the site can come from; otherwise bad input that says
// what was done with the file: nothing.
void CheckSettingsFile(const std::filesystem::path& file, SettingsUse use) {
    const std::string named = "--settings " + ShownText(file.string()) + ": ";
    const char* untouched = "; nothing was written.";
    std::error_code ec;
    if (std::filesystem::is_symlink(file, ec)) {
        [[maybe_unused]] const auto resolved = std::filesystem::canonical(file, ec);
        if (ec == std::errc::too_many_symbolic_link_levels) {
            throw BadInput{named + "it is a symbolic link that loops" + untouched};
        }
        if (ec) throw BadInput{named + "it is a symbolic link to nothing" + untouched};
    }
    const SettingsFile read = ReadSettingsFile(file);
    if (!read.problem.empty()) {
        throw BadInput{
            named +
            (read.present ? "it is no settings file (" + read.problem + ")" : read.problem) +
            untouched};
    }
    if (!read.present && use == SettingsUse::Read) {
        throw BadInput{named + "there is no such file."};
    }
}

double NumberOption(const OptionParser& parser, const std::string& option) {
    return ParseNumberOption(parser.Value(option), option);
}

}  // namespace

// Any flat dial's readings of latitude, bearing and zone, wider than the
// dialogs'. Each throws BadInput naming its option.
float AnyDialLatitude(const OptionParser& parser) {
    double lat = NumberOption(parser, "lat");
    if (parser.IsSet("south")) {
        if (lat < 0) throw BadInput{"--south: give the latitude without a minus sign."};
        lat = -lat;
    }
    if (const auto fault = FieldLatitudeFault(lat)) throw BadInput{"--lat: " + *fault};
    return static_cast<float>(lat);
}

float AnyDialLongitudeWest(const OptionParser& parser) {
    const double lon = NumberOption(parser, "lon");
    if (const auto fault = FieldLongitudeFault(lon)) {
        throw BadInput{"--lon: " + *fault + ", with --east or --west."};
    }
    return static_cast<float>(parser.IsSet("east") ? -lon : lon);
}

std::string AnyDialBearing(const OptionParser& parser) {
    const double bearing = NumberOption(parser, "bearing");
    if (!(bearing >= 0 && bearing <= 360)) {
        throw BadInput{"--bearing: the bearing must be from 0 to 360 degrees."};
    }
    return NumberText(static_cast<float>(bearing));
}

float AnyDialZone(const OptionParser& parser) {
    const double zone = NumberOption(parser, "utc");
    if (const auto fault = FieldZoneFault(zone)) throw BadInput{"--utc: " + *fault};
    return static_cast<float>(zone);
}

void AddSiteOptions(OptionParser& parser, SettingsUse use, SiteRanges ranges) {
    const bool any = ranges == SiteRanges::AnyDial;
    parser.AddOptions({
        {"place", "A gazetteer place: menu caption or place name (\"Aberdeen, USA\").", "text"},
        {"lat",
         any ? "Latitude, degrees (-89 to 89, south negative)."
             : "Latitude, degrees north (15 to 70).",
         "degrees"},
        {"lon", "Longitude magnitude, degrees (0 to 180); give --east or --west.", "degrees"},
        {"east", "The longitude is east of Greenwich."},
        {"west", "The longitude is west of Greenwich."},
        {"bearing",
         any ? "True bearing the dial's face looks, degrees (0 to 360)."
             : "True bearing the wall faces, degrees (110 to 250).",
         "degrees"},
        {"utc",
         any ? "Time zone, hours from UTC (-12 to 14, quarter hours allowed: 5.75)."
             : "Time zone, whole hours from UTC; sun, bearing and shadow take any fixed offset, "
               "e.g. 5.5.",
         "hours"},
        {"settings",
         use == SettingsUse::ReadAndSave
             ? "Take the site from FILE, a settings file, and save the site to it (a missing FILE "
               "is made)."
             : "Take the site from FILE, a settings file; it is only read.",
         "file"},
    });
    parser.Excludes("place", {"lat", "lon"});
    parser.Needs("lat", {"lon"});
    parser.Needs("lon", {"lat"});
    parser.Excludes("east", {"west"});
    parser.Needs("east", {"lon"});
    parser.Needs("west", {"lon"});
    if (any) {
        parser.AddOptions({{"south", "The latitude given is south of the equator."}});
        parser.Needs("south", {"lat"});
    } else {
        parser.Range("utc", -12, 12);
    }
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

SiteOptions ReadSiteOptions(const OptionParser& parser, SettingsUse use, SiteRanges ranges,
                            const SiteState* base, bool zoneReadByCaller) {
    const bool any = ranges == SiteRanges::AnyDial;
    SiteOptions options;
    SiteState& site = options.site;
    CliStartupHost host(site);
    if (base != nullptr) {
        site = *base;  // the parser has refused --settings with it
    } else if (parser.IsSet("settings")) {
        options.settingsFile = std::filesystem::path(parser.Value("settings"));
        CheckSettingsFile(*options.settingsFile, use);
        LoadSiteSettings(site, host, *options.settingsFile);
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
        if (any) {
            site.PlaceName = "Unknown";
            site.Latitude = AnyDialLatitude(parser);
            site.Longitude = AnyDialLongitudeWest(parser);
            site.UtcOffset = static_cast<float>(ZoneForLongitude(site.Longitude));
        }
    }
    if (parser.IsSet("lat") && !parser.IsSet("place") && !any) {
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
        ApplyBearing(site,
                     any ? AnyDialBearing(parser)
                         : Accepted(CheckBearing(NumberOption(parser, "bearing"))).bearingText);
    }
    if (any && parser.IsSet("utc")) {
        site.UtcOffset = AnyDialZone(parser);
    } else if (parser.IsSet("utc") && !zoneReadByCaller) {
        // As the zone menu: only its 25 whole-hour items exist; the parser has
        // checked the range.
        const std::optional<int> zone = MatchZone(NumberOption(parser, "utc"));
        if (!zone) throw BadInput{"--utc: the zone must be a whole number from -12 to 12."};
        host.Timeset(*zone);
    }
    return options;
}

}  // namespace sundial
