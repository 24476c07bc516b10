// sundial-cli bearing: the wall's bearing from readings taken in sunlight,
// given in any mix and number of --shadow, --enters and --leaves options.
#include <cmath>
#include <map>
#include <vector>

#include "cli/cli_app.h"
#include "cli/cli_command.h"
#include "cli/output_text.h"
#include "cli/site_options.h"
#include "core/sun/wall_bearing.h"

namespace sundial {

namespace {

// "2026-06-21T10:15:00@12.5": the time, then the shadow's angle.
WallReading ShadowReading(const std::string& value, int number) {
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
    return {ReadingMethod::Shadow, ReadClockOption(value.substr(0, at), "shadow"), *angle};
}

// The readings in the order given on the command line, whatever their kind.
std::vector<WallReading> Readings(const OptionParser& parser) {
    std::vector<WallReading> readings;
    std::map<std::string, std::size_t> used;  // how many values of each option are taken
    for (const std::string& name : parser.OptionNames()) {
        if (name != "shadow" && name != "enters" && name != "leaves") continue;
        const std::string value = parser.Values(name).at(used[name]++);
        const int number = static_cast<int>(readings.size()) + 1;
        if (name == "shadow") {
            readings.push_back(ShadowReading(value, number));
        } else {
            const ReadingMethod method =
                name == "enters" ? ReadingMethod::Enters : ReadingMethod::Leaves;
            readings.push_back({method, ReadClockOption(value, name), 0});
        }
    }
    return readings;
}

}  // namespace

void AddBearingOptions(OptionParser& parser) {
    AddSiteOptions(parser);
    parser.AddOptions({
        {"shadow",
         "A pin's shadow on a level board against the wall: the clock time and the angle from "
         "the line square to the wall, clockwise seen from above, TIME@DEGREES. Repeatable.",
         "time@angle"},
        {"enters", "Clock time at which the sun just comes onto the wall. Repeatable.", "time"},
        {"leaves", "Clock time at which the sun just leaves the wall. Repeatable.", "time"},
        {"json", "Print the readings and the bearing as JSON."},
    });
}

int RunBearingCommand(const OptionParser& parser, std::ostream& out, std::ostream& err) {
    if (parser.IsSet("bearing")) {
        throw BadInput{"--bearing does not go with 'bearing': the readings measure it."};
    }
    const SiteOptions options = ReadSiteOptions(parser);
    const std::vector<WallReading> readings = Readings(parser);
    if (readings.empty()) throw BadInput{"Give at least one --shadow, --enters or --leaves."};
    const MeasurementResult result = MeasureWallBearing(ObserverAt(options.site), readings);
    if (!result.value) throw BadInput{result.error};
    const WallBearingMeasurement& m = *result.value;

    if (parser.IsSet("json")) {
        nlohmann::json list = nlohmann::json::array();
        for (size_t i = 0; i < readings.size(); ++i) {
            list.push_back(nlohmann::json{
                {"at", ClockTimeText(readings[i].clock)},
                {"method", MethodName(readings[i].method)},
                {"sunAzimuth", RoundedJson(m.readings[i].sun.azimuthDeg, 6)},
                {"sunAltitude", RoundedJson(m.readings[i].sun.apparentAltitudeDeg, 6)},
                {"bearing", RoundedJson(m.readings[i].bearingDeg, 6)},
            });
        }
        const nlohmann::json json{
            {"bearing", RoundedJson(m.meanDeg, 6)},
            {"spread", m.spreadDeg ? RoundedJson(*m.spreadDeg, 6) : nlohmann::json(nullptr)},
            {"readings", list},
        };
        out << JsonText(json);
    } else {
        auto number = [](double v) { return FixedText(v, 2); };
        for (size_t i = 0; i < readings.size(); ++i) {
            out << "Reading " << i + 1 << "  " << MethodName(readings[i].method) << " at "
                << ClockTimeText(readings[i].clock) << "  sun azimuth "
                << number(m.readings[i].sun.azimuthDeg) << ", altitude "
                << number(m.readings[i].sun.apparentAltitudeDeg) << "  bearing "
                << number(m.readings[i].bearingDeg) << '\n';
        }
        out << "Wall bearing: " << number(m.meanDeg) << " degrees\n";
        out << "Spread: "
            << (m.spreadDeg ? number(*m.spreadDeg) + " degrees" : std::string("one reading"))
            << '\n';
    }
    if (!m.warning.empty()) err << "warning: " << m.warning << '\n';
    if (!m.facing.empty()) err << m.facing << '\n';
    return kCliOk;
}

}  // namespace sundial
