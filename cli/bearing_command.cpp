// sundial-cli bearing: the wall's bearing from readings taken in sunlight,
// given in any mix and number of --shadow, --enters and --leaves options; or,
// with --plan, when to go out and take them. With --dial horizontal the
// --shadow readings are a vertical pin's on the level plate, and they give
// the plate's bearing and its true north line.
#include <cmath>
#include <map>
#include <vector>

#include "cli/cli_app.h"
#include "cli/cli_command.h"
#include "cli/clock_site.h"
#include "cli/output_text.h"
#include "cli/plane_options.h"
#include "cli/site_options.h"
#include "core/sun/reading_plan.h"
#include "core/sun/wall_bearing.h"

namespace sundial {

namespace {

// "2026-06-21T10:15:00@12.5": the time, then the shadow's angle.
WallReading ShadowReading(const std::string& value, int number, ReadingMethod method) {
    const std::string label = "Reading " + std::to_string(number) + " (--shadow " + value + ")";
    const std::size_t at = value.rfind('@');
    if (at == std::string::npos) {
        throw BadInput{label +
                       ": give the time and the angle as TIME@ANGLE, "
                       "e.g. 2026-06-21T10:15:00@12.5."};
    }
    const std::string angleText = value.substr(at + 1);
    const std::optional<double> angle = ReadNumber(angleText);
    if (!angle || !std::isfinite(*angle)) {
        throw BadInput{label + ": \"" + angleText + "\" is not an angle."};
    }
    const StampedClock clock = ReadStampedOption(value.substr(0, at), "shadow");
    return {method, clock.clock, *angle, LightEdge::Centre, clock.offsetHours};
}

// "2026-06-21T07:10:00" or "2026-06-21T07:10:00@last": the time, then which
// edge of the sun was timed.
WallReading GrazingReading(const std::string& name, const std::string& value, int number) {
    const ReadingMethod method = name == "enters" ? ReadingMethod::Enters : ReadingMethod::Leaves;
    const std::size_t at = value.rfind('@');
    LightEdge edge = DefaultEdge(method);
    if (at != std::string::npos) {
        const std::optional<LightEdge> named = EdgeNamed(value.substr(at + 1));
        if (!named) {
            throw BadInput{"Reading " + std::to_string(number) + " (--" + name + " " + value +
                           "): after the time give @first, @centre or @last."};
        }
        edge = *named;
    }
    const StampedClock clock = ReadStampedOption(value.substr(0, at), name);
    return {method, clock.clock, 0, edge, clock.offsetHours};
}

// The readings in the order given on the command line, whatever their kind.
std::vector<WallReading> Readings(const OptionParser& parser, ReadingMethod shadow) {
    std::map<std::string, std::vector<std::string>> values;
    for (const char* name : {"shadow", "enters", "leaves"}) values[name] = parser.Values(name);
    std::map<std::string, std::size_t> used;  // how many values of each option are taken
    std::vector<WallReading> readings;
    for (const std::string& name : parser.OptionNames()) {
        const auto list = values.find(name);
        if (list == values.end()) continue;
        const std::string& value = list->second.at(used[name]++);
        const int number = static_cast<int>(readings.size()) + 1;
        readings.push_back(name == "shadow" ? ShadowReading(value, number, shadow)
                                            : GrazingReading(name, value, number));
    }
    return readings;
}

// A reading timed at the wall's edge, whose light edge counts.
bool Timed(ReadingMethod method) {
    return method == ReadingMethod::Enters || method == ReadingMethod::Leaves;
}

// Two decimals; what rounds to nothing without a sign.
std::string Number(double v) {
    return FixedText(std::fabs(v) < 0.005 ? 0.0 : v, 2);
}

std::string ReadingText(const WallReading& r) {
    std::string text = std::string(MethodName(r.method)) + " at " + ClockTimeText(r.clock);
    if (Timed(r.method)) text += std::string(" (") + EdgeName(r.edge) + " light)";
    return text;
}

// --plan ROUGH --date DAY: the moments to go out for.
int RunPlan(const OptionParser& parser, const ClockSite& where, std::ostream& out,
            std::ostream& err) {
    const double rough = ParseNumberOption(parser.Value("plan"), "plan");
    if (!parser.IsSet("date")) throw BadInput{"--plan: give the day too, --date 2026-06-21."};
    const ClockTime day = ReadClockOption(parser.Value("date") + "T12:00:00", "date");
    const ReadingPlan plan = PlanReadings(where.observer, rough, day.year, day.month, day.day);
    if (!plan.error.empty()) throw BadInput{"--date " + parser.Value("date") + ": " + plan.error};
    if (!where.notice.empty()) err << where.notice << '\n';
    const double offset = plan.moments.empty() ? ClockOffset(where, {day, {}}, "date")
                                               : plan.moments.front().utcOffsetHours;
    if (parser.IsSet("json")) {
        nlohmann::json list = nlohmann::json::array();
        for (const PlanMoment& m : plan.moments) {
            list.push_back({{"event", PlanEventName(m.event)},
                            {"at", ClockTimeText(m.clock)},
                            {"utcOffset", JsonNumber(m.utcOffsetHours)},
                            {"sunAzimuth", RoundedJson(m.sun.azimuthDeg, 2)},
                            {"sunAltitude", RoundedJson(m.sun.apparentAltitudeDeg, 2)},
                            {"atWallEdge", m.atWallEdge}});
        }
        nlohmann::json json{{"roughBearing", JsonNumber(rough)}, {"moments", list}};
        AddSiteJson(json, where, offset);
        out << JsonText(json);
        return kCliOk;
    }
    out << "Site: " << SiteEcho(where, offset, day) << '\n';
    out << "For a wall facing about " << Number(rough) << " degrees on " << parser.Value("date")
        << ":\n";
    if (plan.moments.empty()) out << "  The sun does not shine on the wall that day.\n";
    for (const PlanMoment& m : plan.moments) {
        const std::string at = ClockTimeText(m.clock).substr(11, 5);
        const std::string sun = " (sun at " + Number(m.sun.azimuthDeg) + ", altitude " +
                                Number(m.sun.apparentAltitudeDeg) + ")";
        switch (m.event) {
            case PlanEvent::Enters:
                out << "  " << at << "  the sun comes onto the wall" << sun
                    << (m.atWallEdge ? ": time first light (--enters)"
                                     : ": it rises in front of the wall, no grazing reading")
                    << '\n';
                break;
            case PlanEvent::Square:
                out << "  " << at << "  the sun is square to the wall" << sun
                    << ": the best time for shadow readings (--shadow)\n";
                break;
            case PlanEvent::Leaves:
                out << "  " << at << "  the sun leaves the wall" << sun
                    << (m.atWallEdge ? ": time last light (--leaves)"
                                     : ": it sets in front of the wall, no grazing reading")
                    << '\n';
                break;
        }
    }
    return kCliOk;
}

}  // namespace

void AddBearingOptions(OptionParser& parser) {
    AddSiteOptions(parser, SettingsUse::Read, SiteRanges::AnyDial);
    AddClockZoneOptions(parser);
    AddPlaneOptions(parser);
    parser.AddOptions({
        {"shadow",
         "A pin's shadow on a level board against the wall: the clock time and the angle from "
         "the line square to the wall, clockwise seen from above, TIME@DEGREES. With --dial "
         "horizontal, a vertical pin's shadow on the level plate: the angle from the plate's "
         "down line, positive towards its right edge. Repeatable.",
         "time@angle"},
        {"enters",
         "Clock time at which the sun just comes onto the wall; first light unless "
         "TIME@centre or TIME@last says otherwise. Repeatable.",
         "time"},
        {"leaves",
         "Clock time at which the sun just leaves the wall; last light unless TIME@first or "
         "TIME@centre says otherwise. Repeatable.",
         "time"},
        {"plan",
         "Instead of readings: for a rough bearing (from a compass, say), when the sun comes "
         "onto the wall, stands square to it and leaves it on --date.",
         "degrees"},
        {"date", "The day for --plan, e.g. 2026-06-21.", "day"},
        {"json", "Print the readings and the bearing as JSON."},
    });
}

int RunBearingCommand(const OptionParser& parser, std::ostream& out, std::ostream& err) {
    if (parser.IsSet("bearing")) {
        throw BadInput{"--bearing does not go with 'bearing': the readings measure it."};
    }
    const ClockSite where = ReadClockSite(parser);
    const FieldPlane face = ReadFieldPlane(parser, where.options.site);
    const bool plate = face.type == tmpl::DialType::Horizontal;
    if (face.type == tmpl::DialType::Polar || face.type == tmpl::DialType::Equatorial) {
        throw BadInput{"--dial " + parser.Value("dial") +
                       ": the readings measure a wall (vertical or reclining) or, with --dial "
                       "horizontal, a level plate's north line."};
    }
    if ((plate || face.plane.reclineDeg != 0) &&
        (parser.IsSet("enters") || parser.IsSet("leaves"))) {
        throw BadInput{plate ? "--dial horizontal: a level plate is lit all day; give --shadow "
                               "readings of a vertical pin on it."
                             : "--recline: the sun comes onto a reclining face off its bearing's "
                               "square; give --shadow readings of a level board against it."};
    }
    if (plate && parser.IsSet("plan")) {
        throw BadInput{"--plan times the sun on a wall; a level plate is lit all day."};
    }
    const std::vector<WallReading> readings =
        Readings(parser, plate ? ReadingMethod::Pin : ReadingMethod::Shadow);
    if (parser.IsSet("plan")) {
        if (!readings.empty()) throw BadInput{"--plan goes without readings."};
        return RunPlan(parser, where, out, err);
    }
    if (readings.empty()) throw BadInput{"Give at least one --shadow, --enters or --leaves."};
    const MeasurementResult result = MeasureWallBearing(where.observer, readings);
    if (!result.value) throw BadInput{result.error};
    const WallBearingMeasurement& m = *result.value;
    if (!where.notice.empty()) err << where.notice << '\n';
    const double firstOffset = m.readings.front().utcOffsetHours;

    if (parser.IsSet("json")) {
        nlohmann::json list = nlohmann::json::array();
        for (size_t i = 0; i < readings.size(); ++i) {
            nlohmann::json one{
                {"at", ClockTimeText(readings[i].clock)},
                {"method", MethodName(readings[i].method)},
                {"utcOffset", JsonNumber(m.readings[i].utcOffsetHours)},
                {"sunAzimuth", RoundedJson(m.readings[i].sun.azimuthDeg, 6)},
                {"sunAltitude", RoundedJson(m.readings[i].sun.apparentAltitudeDeg, 6)},
                {"bearing", RoundedJson(m.readings[i].bearingDeg, 6)},
                {"residual", RoundedJson(m.residualsDeg[i], 6)},
                {"leftOut", m.leftOut[i]},
            };
            if (Timed(readings[i].method)) one["light"] = EdgeName(readings[i].edge);
            list.push_back(one);
        }
        nlohmann::json json{
            {"bearing", RoundedJson(m.meanDeg, 6)},
            {"measures", plate ? "plate" : "wall"},
            {"spread", m.spreadDeg ? RoundedJson(*m.spreadDeg, 6) : nlohmann::json(nullptr)},
            {"median", RoundedJson(m.medianDeg, 6)},
            {"robustSpread",
             m.robustSpreadDeg ? RoundedJson(*m.robustSpreadDeg, 6) : nlohmann::json(nullptr)},
            {"offered", m.offeredDeg ? JsonNumber(*m.offeredDeg) : nlohmann::json(nullptr)},
            {"readings", list},
        };
        if (plate) json["northFromTop"] = RoundedJson(NorthFromPlateTop(m.meanDeg), 6);
        AddSiteJson(json, where, firstOffset);
        for (const auto& [key, text] :
             {std::pair{"warning", &m.warning}, std::pair{"clockHint", &m.clockHint},
              std::pair{"advice", &m.advice}}) {
            if (!text->empty()) json[key] = *text;
        }
        out << JsonText(json);
    } else {
        out << "Site: " << SiteEcho(where, firstOffset, readings.front().clock) << '\n';
        for (size_t i = 0; i < readings.size(); ++i) {
            out << "Reading " << i + 1 << "  " << ReadingText(readings[i]) << " "
                << OffsetText(m.readings[i].utcOffsetHours) << "  sun azimuth "
                << Number(m.readings[i].sun.azimuthDeg) << ", altitude "
                << Number(m.readings[i].sun.apparentAltitudeDeg) << "  bearing "
                << Number(m.readings[i].bearingDeg) << "  residual " << Number(m.residualsDeg[i])
                << (m.leftOut[i] ? "  (left out)" : "") << '\n';
        }
        if (plate) {
            const double north = NorthFromPlateTop(m.meanDeg);
            out << "Plate bearing: " << Number(m.meanDeg)
                << " degrees, the way its down line points\n"
                << "North line: "
                << (Number(north) == "0.00"
                        ? std::string("along the plate's up line")
                        : Number(std::fabs(north)) + " degrees to the " +
                              (north < 0 ? "left" : "right") + " of the plate's up line")
                << '\n';
        } else {
            out << "Wall bearing: " << Number(m.meanDeg) << " degrees\n";
        }
        out << "Spread: "
            << (m.spreadDeg ? Number(*m.spreadDeg) + " degrees" : std::string("one reading"))
            << '\n';
        if (m.robustSpreadDeg) {
            out << "Median: " << Number(m.medianDeg) << " degrees, robust spread "
                << Number(*m.robustSpreadDeg) << " degrees\n";
        }
    }
    if (!m.clockHint.empty()) err << "warning: " << m.clockHint << '\n';
    if (!m.warning.empty()) err << "warning: " << m.warning << '\n';
    if (!m.advice.empty()) err << m.advice << '\n';
    if (plate) {
        err << "For the plate as it lies: template --dial horizontal --bearing "
            << Number(m.meanDeg) << '\n';
    } else if (!m.facing.empty()) {
        // The report and sheet keep their walls; the template draws any.
        err << "The wall faces " << Number(m.meanDeg) << " degrees, towards the "
            << CompassPoint(m.meanDeg) << "; template --bearing " << Number(m.meanDeg)
            << " draws its dial (the report and sheet take walls facing 110 to 250).\n";
    }
    return kCliOk;
}

}  // namespace sundial
