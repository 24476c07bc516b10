// sundial-cli sun: where the sun stands for a place at a clock time.
#include <cmath>

#include "cli/cli_app.h"
#include "cli/cli_command.h"
#include "cli/output_text.h"
#include "cli/site_options.h"
#include "core/sun/solar_position.h"

namespace sundial {

ClockTime ReadClockOption(const std::string& text, const std::string& option) {
    const std::optional<ClockTime> clock = ParseClockTime(text);
    if (!clock) {
        throw BadInput{"--" + option + ": \"" + text +
                       "\" is not a date and time like 2026-06-21T12:00:00."};
    }
    if (const std::string wrong = CheckClockTime(*clock); !wrong.empty()) {
        throw BadInput{"--" + option + " " + text + ": " + wrong};
    }
    return *clock;
}

nlohmann::json RoundedJson(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(value * scale) / scale;
    return JsonNumber(rounded == 0 ? 0.0 : rounded);  // no "-0"
}

void AddSunOptions(OptionParser& parser) {
    AddSiteOptions(parser);
    parser.AddOptions({
        {"at", "Clock time in the site's zone, e.g. 2026-06-21T12:00:00.", "time"},
        {"json", "Print the sun's position as JSON."},
    });
    parser.Required("at");
}

int RunSunCommand(const OptionParser& parser, std::ostream& out, std::ostream&) {
    const SiteOptions options = ReadSiteOptions(parser);
    const ClockTime clock = ReadClockOption(parser.Value("at"), "at");
    const SiteState& site = options.site;
    const SolarResult sun = SunAt(site.Latitude, site.Longitude, clock, site.UtcOffset);
    if (!sun.position) {
        throw BadInput{"--at " + parser.Value("at") + ": " + sun.error};
    }
    const SolarPosition& p = *sun.position;
    if (parser.IsSet("json")) {
        const nlohmann::json json{
            {"azimuth", RoundedJson(p.azimuthDeg, 6)},
            {"altitude", RoundedJson(p.altitudeDeg, 6)},
            {"apparentAltitude", RoundedJson(p.apparentAltitudeDeg, 6)},
            {"declination", RoundedJson(p.declinationDeg, 6)},
            {"equationOfTime", RoundedJson(p.equationOfTimeMin, 4)},
        };
        out << JsonText(json);
        return kCliOk;
    }
    auto number = [](double v, int decimals) { return FixedText(v, decimals); };
    out << "Sun at " << ClockTimeText(clock) << " (UTC" << (site.UtcOffset >= 0 ? "+" : "")
        << site.UtcOffset << "), " << site.PlaceName << "\n"
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
