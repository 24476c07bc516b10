#include "cli/run_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <charconv>
#include <optional>
#include <string>

#include "core/site/number_text.h"

namespace sundial {

namespace {

QJsonObject HourTableJson(const HourTable& table) {
    QJsonObject object;
    for (int h = kFirstDialHour; h <= kLastDialHour; ++h) {
        object.insert(QString::number(h), SingleJson(table[h]));
    }
    return object;
}

QJsonValue OptionalHour(const std::optional<int>& hour) {
    return hour ? QJsonValue(*hour) : QJsonValue(QJsonValue::Null);
}

}  // namespace

QJsonValue SingleJson(float value) {
    // Read back with from_chars: std::stod follows the C locale, which a German
    // desktop sets to a decimal comma, and would cut "72.71" to 72.
    const std::string text = RoundTripText(value);
    double number = 0;
    std::from_chars(text.data(), text.data() + text.size(), number);
    return QJsonValue(number);
}

QByteArray RunJson(const SiteState& site, const DialGeometry& dial) {
    QJsonArray hourList;
    for (const HourRow& row : dial.HourList)
        hourList.append(QJsonArray{row.hour, SingleJson(row.angle)});
    const QJsonObject json{
        {"PlaceName", QString::fromStdString(site.PlaceName)},
        {"Latitude", SingleJson(site.Latitude)},
        {"Longitude", SingleJson(site.Longitude)},
        {"WallBearing", QString::fromStdString(site.WallBearing)},
        {"WallDeclination", SingleJson(site.WallDeclination)},
        {"DeclinationSide", QString::fromStdString(site.DeclinationSide)},
        {"UtcOffset", SingleJson(site.UtcOffset)},
        {"GnomonAngle", SingleJson(dial.GnomonAngle)},
        {"GnomonOffset", SingleJson(dial.GnomonOffset)},
        {"SubstyleHourAngle", SingleJson(dial.SubstyleHourAngle)},
        {"OffsetSide", QString::fromStdString(dial.OffsetSide)},
        {"RawShadowAngle", HourTableJson(dial.RawShadowAngle)},
        {"ShadowAngle", HourTableJson(dial.ShadowAngle)},
        {"FirstPositiveHour", OptionalHour(dial.FirstPositiveHour)},
        {"LastNegativeHour", OptionalHour(dial.LastNegativeHour)},
        {"HourList", hourList},
    };
    return QJsonDocument(json).toJson(QJsonDocument::Indented);
}

}  // namespace sundial
