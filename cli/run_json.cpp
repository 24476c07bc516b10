#include "cli/run_json.h"

#include <cctype>
#include <charconv>
#include <optional>
#include <string>

#include "cli/facing_angle.h"
#include "cli/number_option.h"
#include "cli/output_text.h"
#include "core/site/number_text.h"

namespace sundial {

namespace {

std::string LowerAscii(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

nlohmann::json SingleJson(float value) {
    // Read back with from_chars: std::stod follows the C locale, which a German
    // desktop sets to a decimal comma, and would cut "72.71" to 72.
    const std::string text = RoundTripText(value);
    double number = 0;
    std::from_chars(text.data(), text.data() + text.size(), number);
    return JsonNumber(number);
}

std::string RunJson(const SiteState& site, const DialGeometry& dial) {
    nlohmann::json hours = nlohmann::json::array();
    for (const HourRow& row : dial.HourList) {
        // The report's own angle, already positive to the right.
        hours.push_back(nlohmann::json{{"hour", row.hour}, {"angle", SingleJson(row.angle)}});
    }
    // The bearing is kept as the text typed; a settings file may hold one
    // that is no number, which is written as null rather than guessed at.
    const std::optional<double> bearing = ReadNumber(site.WallBearing);
    const nlohmann::json conventions{
        {"latitude", "degrees, positive north"},
        {"longitude", "degrees, positive west of Greenwich"},
        {"angle",
         "degrees from the downward vertical through the root, positive to the right as one "
         "faces the dial"},
    };
    const nlohmann::json json{
        {"version", kRunJsonVersion},
        {"conventions", conventions},
        {"place", site.PlaceName},
        {"latitude", SingleJson(site.Latitude)},
        {"longitude", SingleJson(site.Longitude)},
        {"wallBearing", bearing ? JsonNumber(*bearing) : nlohmann::json(nullptr)},
        {"wallDeclination", SingleJson(site.WallDeclination)},
        {"declinationSide", LowerAscii(site.DeclinationSide)},
        {"utcOffset", SingleJson(site.UtcOffset)},
        {"gnomonAngle", SingleJson(dial.GnomonAngle)},
        {"gnomonOffset", SingleJson(static_cast<float>(FootLineAngle(dial)))},
        {"substyleHourAngle", SingleJson(dial.SubstyleHourAngle)},
        {"hours", hours},
    };
    return JsonText(json);
}

}  // namespace sundial
