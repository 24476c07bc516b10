// sundial-cli sun: where the sun stands for a place at a clock time.
#include <cmath>

#include "cli/cli_app.h"
#include "cli/cli_command.h"
#include "cli/clock_site.h"
#include "cli/output_text.h"
#include "cli/site_options.h"
#include "core/sun/solar_position.h"

namespace sundial {

StampedClock ReadStampedOption(const std::string& text, const std::string& option) {
    const std::optional<StampedClock> stamped = ParseStampedClock(text);
    if (!stamped) {
        throw BadInput{"--" + option + ": \"" + text +
                       "\" is not a date and time like 2026-06-21T12:00:00 (or "
                       "2026-11-01T01:30:00-05:00 with the clock's offset)."};
    }
    if (const std::string wrong = CheckClockTime(stamped->clock); !wrong.empty()) {
        throw BadInput{"--" + option + " " + text + ": " + wrong};
    }
    return *stamped;
}

ClockTime ReadClockOption(const std::string& text, const std::string& option) {
    const StampedClock stamped = ReadStampedOption(text, option);
    if (stamped.offsetHours) {
        throw BadInput{"--" + option + " " + text + ": give the time without an offset here."};
    }
    return stamped.clock;
}

nlohmann::json RoundedJson(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(value * scale) / scale;
    return JsonNumber(rounded == 0 ? 0.0 : rounded);  // no "-0"
}

void AddSunOptions(OptionParser& parser) {
    AddSiteOptions(parser, SettingsUse::Read, SiteRanges::AnyDial);
    AddClockZoneOptions(parser);
    parser.AddOptions({
        {"at",
         "Clock time in the site's zone, e.g. 2026-06-21T12:00:00; an offset after it "
         "(2026-11-01T01:30:00-05:00) says which of a repeated hour.",
         "time"},
        {"json", "Print the sun's position as JSON."},
    });
    parser.Required("at");
}

int RunSunCommand(const OptionParser& parser, std::ostream& out, std::ostream& err) {
    const ClockSite where = ReadClockSite(parser);
    const StampedClock at = ReadStampedOption(parser.Value("at"), "at");
    const ClockTime& clock = at.clock;
    const SiteState& site = where.options.site;
    const double offset = ClockOffset(where, at, "at");
    const SolarResult sun = SunAt(site.Latitude, site.Longitude, clock, offset);
    if (!sun.position) {
        throw BadInput{"--at " + parser.Value("at") + ": " + sun.error};
    }
    const SolarPosition& p = *sun.position;
    if (!where.notice.empty()) err << where.notice << '\n';
    if (parser.IsSet("json")) {
        nlohmann::json json{
            {"azimuth", RoundedJson(p.azimuthDeg, 6)},
            {"altitude", RoundedJson(p.altitudeDeg, 6)},
            {"apparentAltitude", RoundedJson(p.apparentAltitudeDeg, 6)},
            {"declination", RoundedJson(p.declinationDeg, 6)},
            {"equationOfTime", RoundedJson(p.equationOfTimeMin, 4)},
        };
        AddSiteJson(json, where, offset);
        out << JsonText(json);
        return kCliOk;
    }
    auto number = [](double v, int decimals) { return FixedText(v, decimals); };
    out << "Sun at " << ClockTimeText(clock) << "\n"
        << "  Site:               " << SiteEcho(where, offset, clock) << "\n"
        << "  Azimuth:            " << number(p.azimuthDeg, 4) << " degrees from true north\n"
        << "  Altitude:           " << number(p.altitudeDeg, 4) << " degrees\n"
        << "  Apparent altitude:  " << number(p.apparentAltitudeDeg, 4)
        << " degrees, with refraction\n"
        << "  Declination:        " << number(p.declinationDeg, 4) << " degrees\n"
        << "  Equation of time:   " << number(p.equationOfTimeMin, 2)
        << " minutes (sun time less clock time on the zone's meridian)\n";
    return kCliOk;
}

}  // namespace sundial
