#include "cli/run_json.h"

#include <charconv>
#include <optional>
#include <string>

#include "cli/output_text.h"
#include "core/site/number_text.h"

namespace sundial {

namespace {

nlohmann::json HourTableJson(const HourTable& table) {
    nlohmann::json object = nlohmann::json::object();
    for (int h = kFirstDialHour; h <= kLastDialHour; ++h) {
        object[std::to_string(h)] = SingleJson(table[h]);
    }
    return object;
}

nlohmann::json OptionalHour(const std::optional<int>& hour) {
    return hour ? nlohmann::json(*hour) : nlohmann::json(nullptr);
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
    nlohmann::json hourList = nlohmann::json::array();
    for (const HourRow& row : dial.HourList) {
        hourList.push_back(nlohmann::json::array({row.hour, SingleJson(row.angle)}));
    }
    const nlohmann::json json{
        {"PlaceName", site.PlaceName},
        {"Latitude", SingleJson(site.Latitude)},
        {"Longitude", SingleJson(site.Longitude)},
        {"WallBearing", site.WallBearing},
        {"WallDeclination", SingleJson(site.WallDeclination)},
        {"DeclinationSide", site.DeclinationSide},
        {"UtcOffset", SingleJson(site.UtcOffset)},
        {"GnomonAngle", SingleJson(dial.GnomonAngle)},
        {"GnomonOffset", SingleJson(dial.GnomonOffset)},
        {"SubstyleHourAngle", SingleJson(dial.SubstyleHourAngle)},
        {"OffsetSide", dial.OffsetSide},
        {"RawShadowAngle", HourTableJson(dial.RawShadowAngle)},
        {"ShadowAngle", HourTableJson(dial.ShadowAngle)},
        {"FirstPositiveHour", OptionalHour(dial.FirstPositiveHour)},
        {"LastNegativeHour", OptionalHour(dial.LastNegativeHour)},
        {"HourList", hourList},
    };
    return JsonText(json);
}

}  // namespace sundial
