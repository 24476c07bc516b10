#include "cli/clock_site.h"

#include <cmath>

#include "cli/cli_command.h"
#include "cli/output_text.h"
#include "core/places/places.h"

namespace sundial {

namespace {

// The zones in use run from UTC-12 to UTC+14.
constexpr double kMinOffsetHours = -12.0;
constexpr double kMaxOffsetHours = 14.0;

// Degrees as the gazetteer writes them: up to two decimals, no trailing zeros.
std::string Coordinate(double value) {
    std::string text = FixedText(std::fabs(value), 2);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

ClockZone ZoneOf(const OptionParser& parser, const SiteOptions& options, std::string& notice) {
    const SiteState& site = options.site;
    if (parser.IsSet("tz") && parser.IsSet("utc")) {
        throw BadInput{"Give either --tz or --utc, not both."};
    }
    if (parser.IsSet("tz")) {
        const std::string name = parser.Value("tz");
        if (const std::string wrong = CheckZoneName(name); !wrong.empty()) {
            throw BadInput{"--tz: " + wrong};
        }
        return NamedZone(name);
    }
    if (parser.IsSet("utc")) {
        const double hours = ParseNumberOption(parser.Value("utc"), "utc");
        if (!(hours >= kMinOffsetHours && hours <= kMaxOffsetHours)) {
            throw BadInput{"--utc: the offset must lie from -12 to 14 hours."};
        }
        return FixedZone(hours);
    }
    if (parser.IsSet("lat") || parser.IsSet("lon")) {
        throw BadInput{
            "Typed coordinates need the clock's zone, which the longitude does not tell: give "
            "--tz AREA/CITY (e.g. --tz Europe/Madrid) or --utc HOURS."};
    }
    if (const Place* place = PlaceOf(site)) {
        if (!parser.IsSet("place")) {
            notice = options.settingsFile ? "The site is the saved one, "
                                          : "No site given: using the default site, ";
            notice += std::string(place->placeName) + ", with its zone " + place->zone +
                      " (give --place or --lat and --lon).";
        }
        return NamedZone(place->zone);
    }
    // A site restored from the settings file keeps only its offset.
    notice = "The zone is the saved site's " + OffsetText(site.UtcOffset) +
             ", a fixed offset without summer time; give --tz to apply a zone's rules.";
    return FixedZone(site.UtcOffset);
}

}  // namespace

void AddClockZoneOptions(OptionParser& parser) {
    parser.AddOption({"tz",
                      "The clock's time zone by name, with its summer time, e.g. Europe/London "
                      "or America/St_Johns. A gazetteer place brings its own.",
                      "zone"});
}

ClockSite ReadClockSite(const OptionParser& parser) {
    ClockSite clock;
    clock.options = ReadSiteOptions(parser, SettingsUse::Read, SiteRanges::AnyDial, nullptr, true);
    clock.zone = ZoneOf(parser, clock.options, clock.notice);
    const SiteState& site = clock.options.site;
    clock.observer = {site.Latitude, site.Longitude, clock.zone.fixedOffsetHours, clock.zone.name};
    return clock;
}

double ClockOffset(const ClockSite& site, const StampedClock& clock, const std::string& option) {
    const ZoneOffset offset = ObserverOffset(site.observer, clock.clock, clock.offsetHours);
    if (!offset.hours) {
        const std::string written = ClockTimeText(clock.clock) +
                                    (clock.offsetHours ? IsoOffsetText(*clock.offsetHours) : "");
        // A repeated hour is said as what to type, the option before each time.
        const std::string why =
            offset.twice ? ShownTwiceText(site.zone.name, clock.clock, offset.twice->first,
                                          offset.twice->second, "--" + option + " ")
                         : offset.error;
        throw BadInput{"--" + option + " " + written + ": " + why};
    }
    return *offset.hours;
}

std::string SiteEcho(const ClockSite& clock, double offsetHours, const ClockTime& when) {
    const SiteState& site = clock.options.site;
    return site.PlaceName + ", " + Coordinate(site.Latitude) + (site.Latitude < 0 ? " S " : " N ") +
           Coordinate(site.Longitude) + (site.Longitude < 0 ? " E" : " W") + "; " +
           ZoneEcho(clock.zone, offsetHours, when);
}

void AddSiteJson(nlohmann::json& json, const ClockSite& clock, double offsetHours) {
    const SiteState& site = clock.options.site;
    json["site"] = site.PlaceName;
    // The stored singles to the decimals the gazetteer gives: 50.7, not 50.70000076.
    auto degrees = [](float v) { return JsonNumber(std::round(double(v) * 100.0) / 100.0); };
    json["latitude"] = degrees(site.Latitude);
    json["longitudeWest"] = degrees(site.Longitude);
    json["zone"] = ZoneName(clock.zone);
    json["utcOffset"] = JsonNumber(offsetHours);
}

}  // namespace sundial
